#include "CellDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "CheckedField.h"
#include "DialogParts.h"
#include "FieldChecks.h"
#include "FieldParsers.h"

namespace talvo {

namespace {
constexpr int kMaxLanes = 20;
}

CellDialog::CellDialog(Prompter& prompter, QWidget* parent) : QDialog(parent), prompter_(prompter) {
    setObjectName("dlgCell");
    setWindowTitle("Cell Setting");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    speed_ = AddTextRow(form, "txtSpeed", "Speed:", "Km/Hr");
    auto* laneRow = new QHBoxLayout;
    lanesText_ = new QLineEdit;
    lanesText_->setMaximumWidth(60);
    lanesText_->setObjectName("txtLaneNumber");
    lanesText_->setReadOnly(true);
    lanes_ = new QSpinBox;
    lanes_->setObjectName("udcLaneNumber");
    lanes_->setRange(1, kMaxLanes);
    laneRow->addWidget(lanesText_);
    laneRow->addWidget(lanes_);
    form->addRow("Number of Lane:", laneRow);
    orientation_ = new QComboBox;
    orientation_->setObjectName("cmbOrientation");
    orientation_->addItems({"Horizontal", "Vertical"});
    form->addRow("Orientation:", orientation_);
    const OkCancel buttons = AddOkCancel(this, layout);

    // Load: the defaults start again from one lane, 65 km/h, horizontal.
    lanes_->setValue(chosen_.laneNum);
    lanesText_->setText(QString::number(chosen_.laneNum));
    SetTextUnchecked(speed_, QString::number(chosen_.speed));
    orientation_->setCurrentIndex(0);
    connect(lanes_, &QSpinBox::valueChanged, this,
            [this](int value) { lanesText_->setText(QString::number(value)); });
    BindIntegerField(
        speed_, prompter_, [this] { return acceptedSpeed_; },
        [this](int value) { acceptedSpeed_ = value; }, 1, 200,
        "The allowable cell speed must be between 1 to 200 Km/H.");

    connect(buttons.ok, &QPushButton::clicked, this, [this] {
        const QString text = speed_->text().trimmed();
        const int speed = text.isEmpty() ? 0 : ParseIntegerField(text, prompter_);
        if (speed < 1) {
            prompter_.caution("Cell must have a positive speed.");
            return;
        }
        chosen_.laneNum = lanes_->value();
        chosen_.orientation = orientation_->currentIndex() == 1 ? 2 : 1;
        chosen_.speed = speed;
        accept();
    });
}

}  // namespace talvo
