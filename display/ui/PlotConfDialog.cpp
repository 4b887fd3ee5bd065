#include "ui/PlotConfDialog.h"

#include <optional>

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "model/PlotChart.h"
#include "model/PlotData.h"
#include "ui/PlotWindow.h"

namespace talvo::display {
namespace {

std::optional<int> WholeNumberIn(const QLineEdit* text, int minimum, int maximum) {
    bool ok = false;
    const int value = text->text().trimmed().toInt(&ok);
    if (!ok || value < minimum || value > maximum) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

PlotConfDialog::PlotConfDialog(PlotWindow& parent, Prompter& prompter)
    : QDialog(&parent), frmParent_(parent), prompter_(prompter) {
    setObjectName("frmPlotConf");
    setWindowTitle("Chart Settings");
    setModal(false);
    // Closed by OK, Cancel or the window frame, the dialog goes, clearing the parent's hold.
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
    intIntervalNum = parent.NInterval();
    intIntervalRange = parent.Range();
    intDataNumPerRegion = parent.Step();
    strTitle = parent.Title();

    auto* form = new QFormLayout(this);
    addNumber(form, "No. Of Shades (1-16):", "txtIntervalNum", "udcIntervalNum", 1,
              kMaxLegendShades, intIntervalNum, txtIntervalNum_);
    addNumber(form, "Resolution: (1: High - 10: Low)", "txtIntervalRange", "udcIntervalRange", 1,
              kMaxResolution, intIntervalRange, txtIntervalRange_);
    addNumber(form, "Level Of Aggregation:", "txtDataNumPerRegion", "udcDataNumPerRegion", 1,
              kMaxPlotRows, intDataNumPerRegion, txtDataNumPerRegion_);
    txtTitle_ = new QLineEdit(strTitle, this);
    txtTitle_->setObjectName("txtTitle");
    txtTitle_->setCursorPosition(0);
    txtTitle_->setMinimumWidth(320);
    form->addRow("Title:", txtTitle_);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("cmdCancel");
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    form->addRow(buttons);
    connect(ok, &QPushButton::clicked, this, &PlotConfDialog::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QSpinBox* PlotConfDialog::addNumber(QFormLayout* layout, const char* caption, const char* textName,
                                    const char* upDownName, int minimum, int maximum, int value,
                                    QLineEdit*& text) {
    auto* row = new QHBoxLayout;
    text = new QLineEdit(QString::number(value), this);
    text->setObjectName(textName);
    auto* upDown = new QSpinBox(this);
    upDown->setObjectName(upDownName);
    upDown->setRange(minimum, maximum);
    upDown->setValue(value);
    upDown->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    upDown->setFixedWidth(60);
    row->addWidget(text);
    row->addWidget(upDown);
    layout->addRow(caption, row);
    QLineEdit* target = text;
    connect(upDown, &QSpinBox::valueChanged, this,
            [target](int v) { target->setText(QString::number(v).trimmed()); });
    // The two show one setting: a number typed in range moves the arrows' value too.
    connect(text, &QLineEdit::textEdited, this, [upDown, minimum, maximum](const QString& typed) {
        bool ok = false;
        const int v = typed.trimmed().toInt(&ok);
        if (ok && v >= minimum && v <= maximum) {
            const QSignalBlocker blocker(upDown);
            upDown->setValue(v);
        }
    });
    return upDown;
}

void PlotConfDialog::cmdOK_Click() {
    // A zero resolution or aggregation would divide by zero or never advance: refuse them.
    const auto shades = WholeNumberIn(txtIntervalNum_, 1, kMaxLegendShades);
    if (!shades) {
        prompter_.caution("No. Of Shades must be a whole number from 1 to 16.",
                          txtIntervalNum_->text().toStdString());
        return;
    }
    const auto range = WholeNumberIn(txtIntervalRange_, 1, kMaxResolution);
    if (!range) {
        prompter_.caution("Resolution must be a whole number from 1 to 10.",
                          txtIntervalRange_->text().toStdString());
        return;
    }
    const auto step = WholeNumberIn(txtDataNumPerRegion_, 1, kMaxPlotRows);
    if (!step) {
        prompter_.caution("Level Of Aggregation must be a whole number from 1 to 3600.",
                          txtDataNumPerRegion_->text().toStdString());
        return;
    }
    frmParent_.setNInterval(*shades);
    frmParent_.setRange(*range);
    frmParent_.setStep(*step);
    frmParent_.setTitle(txtTitle_->text());
    frmParent_.PlotChart();
    accept();
}

}  // namespace talvo::display
