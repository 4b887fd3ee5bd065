#include "ORPropDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "DialogParts.h"
#include "FieldText.h"
#include "NumberField.h"
#include "model/NetworkRules.h"

namespace talvo {

ORPropDialog::ORPropDialog(const CellRecord& cell, const GlobalParameters& params,
                           Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setObjectName("dlgORProp");
    setWindowTitle("OR Cell Properties");
    auto* layout = new QVBoxLayout(this);
    auto* loading = new QGroupBox("Loading");
    auto* form = new QFormLayout(loading);
    layout->addWidget(loading);

    auto* totalRow = new QHBoxLayout;
    totalText_ = new QLineEdit;
    totalText_->setMaximumWidth(60);
    totalText_->setObjectName("txtTotalORInterval");
    ShowAsReadOnly(totalText_);
    total_ = new QSpinBox;
    total_->setObjectName("udcTotalORInterval");
    total_->setRange(0, Capacity::kOriginIntervals);
    // A typed total takes effect on Enter or when the box loses the focus.
    total_->setKeyboardTracking(false);
    totalRow->addWidget(totalText_);
    totalRow->addWidget(total_);
    form->addRow("Total Number of Loading Intervals:", totalRow);
    intervalNo_ = new QComboBox;
    intervalNo_->setObjectName("cmbIntervalNo");
    form->addRow("Interval Number:", intervalNo_);
    vehiclePerHr_ = AddTextRow(form, "txtVehiclePerHr", "Vehicle / Hour:");
    start_ = AddTextRow(form, "txtStart", "Start:");
    end_ = AddTextRow(form, "txtEnd", "End:");
    const OkCancel buttons = AddOkCancel(this, layout);

    // Load: a private copy of at most 30 intervals.
    copy_ = cell.intervals;
    if (copy_.size() > static_cast<std::size_t>(Capacity::kOriginIntervals)) {
        copy_.resize(Capacity::kOriginIntervals);
    }
    {
        const QSignalBlocker blocker(total_);
        total_->setValue(static_cast<int>(copy_.size()));
    }
    totalText_->setText(QString::number(copy_.size()));
    for (std::size_t i = 0; i < copy_.size(); ++i) {
        intervalNo_->addItem(QString("%1").arg(i + 1, 2, 10, QChar('0')));
    }
    ShowInterval(copy_.empty() ? -1 : 0);

    connect(total_, &QSpinBox::valueChanged, this, &ORPropDialog::SetTotal);
    connect(intervalNo_, &QComboBox::currentIndexChanged, this, &ORPropDialog::ShowInterval);

    // Each box stores a complete entry into the current interval of the copy.
    auto bind = [this](QLineEdit* edit, int OriginInterval::*value, const NumberRule& rule) {
        fields_.push_back(new NumberField(
            edit, rule, prompter_,
            [this, value] {
                return HasCurrent() ? QString::number(copy_[current_].*value) : QString();
            },
            [this, value](double v) {
                if (HasCurrent()) {
                    copy_[current_].*value = static_cast<int>(v);
                }
                return EditResult::Done();
            }));
    };
    // Start and end lie within the delay analysis period.
    auto period = [&params](const char* what) {
        NumberRule rule = NumberRule::Integer(params.startStep, params.endStep);
        rule.belowMessage = std::string(what) + " cannot be less than start step.";
        rule.aboveMessage = std::string(what) + " cannot be greater than end step.";
        return rule;
    };
    bind(vehiclePerHr_, &OriginInterval::orVehPerHr, NumberRule::Integer());
    bind(start_, &OriginInterval::orStart, period("Start time"));
    bind(end_, &OriginInterval::orEnd, period("End time"));

    connect(buttons.ok, &QPushButton::clicked, this, [this] {
        if (Apply()) {
            accept();
        }
    });
}

void ORPropDialog::SetTotal(int total) {
    totalText_->setText(QString::number(total));
    while (static_cast<int>(copy_.size()) < total) {
        copy_.push_back(OriginInterval{});
        intervalNo_->addItem(QString("%1").arg(copy_.size(), 2, 10, QChar('0')));
        intervalNo_->setCurrentIndex(intervalNo_->count() - 1);
    }
    while (static_cast<int>(copy_.size()) > total) {
        copy_.pop_back();
        intervalNo_->removeItem(intervalNo_->count() - 1);
    }
    ShowInterval(intervalNo_->currentIndex());
}

void ORPropDialog::ShowInterval(int index) {
    // What was typed for the interval shown so far is kept before another one shows.
    if (index != current_) {
        CommitAll(fields_);
    }
    current_ = (index >= 0 && index < static_cast<int>(copy_.size())) ? index : -1;
    const bool any = current_ >= 0;
    vehiclePerHr_->setEnabled(any);
    start_->setEnabled(any);
    end_->setEnabled(any);
    SetTextUnchecked(vehiclePerHr_, any ? QString::number(copy_[current_].orVehPerHr) : "");
    SetTextUnchecked(start_, any ? QString::number(copy_[current_].orStart) : "");
    SetTextUnchecked(end_, any ? QString::number(copy_[current_].orEnd) : "");
}

bool ORPropDialog::Apply() {
    if (!CommitAll(fields_)) {
        return false;
    }
    if (const EditResult check = CheckIntervals(copy_); !check) {
        prompter_.caution(check.message());
        return false;
    }
    return true;
}

}  // namespace talvo
