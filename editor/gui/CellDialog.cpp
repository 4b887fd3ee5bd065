#include "CellDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "DialogParts.h"
#include "FieldText.h"
#include "NumberField.h"
#include "model/FieldRules.h"

namespace talvo {

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
    ShowAsReadOnly(lanesText_);
    lanes_ = new QSpinBox;
    lanes_->setObjectName("udcLaneNumber");
    lanes_->setRange(1, kMaxLanes);
    lanes_->setKeyboardTracking(false);
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
    auto* speedField = new NumberField(
        speed_, rules::kSpeed, prompter_, [this] { return QString::number(acceptedSpeed_); },
        [this](double value) {
            acceptedSpeed_ = static_cast<int>(value);
            return EditResult::Done();
        });

    connect(buttons.ok, &QPushButton::clicked, this, [this, speedField] {
        if (speed_->text().trimmed().isEmpty()) {
            prompter_.caution("Cell must have a positive speed.");
            return;
        }
        if (!speedField->CommitPending()) {
            return;
        }
        lanes_->interpretText();
        chosen_.laneNum = lanes_->value();
        chosen_.orientation = orientation_->currentIndex() == 1 ? 2 : 1;
        chosen_.speed = acceptedSpeed_;
        accept();
    });
}

}  // namespace talvo
