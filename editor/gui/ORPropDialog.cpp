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

#include "CheckedField.h"
#include "DialogParts.h"
#include "FieldParsers.h"

namespace talvo {

ORPropDialog::ORPropDialog(CellRecord& cell, const GlobalParameters& params, Prompter& prompter,
                           QWidget* parent)
    : QDialog(parent), cell_(cell), params_(params), prompter_(prompter) {
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
    totalText_->setReadOnly(true);
    total_ = new QSpinBox;
    total_->setObjectName("udcTotalORInterval");
    total_->setRange(0, Capacity::kOriginIntervals);
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
    copy_ = cell_.intervals;
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

    BindCheckedField(
        vehiclePerHr_,
        [this](const QString& text) {
            const int value = ParseIntegerField(text, prompter_);
            if (value == -1) {
                return false;
            }
            if (current_ >= 0) {
                copy_[current_].orVehPerHr = value;
            }
            return true;
        },
        [this] { return current_ >= 0 ? QString::number(copy_[current_].orVehPerHr) : QString(); });
    auto bindTime = [this](QLineEdit* edit, bool isStart) {
        BindCheckedField(
            edit,
            [this, isStart](const QString& text) {
                const int value = ParseIntegerField(text, prompter_);
                if (value == -1) {
                    return false;
                }
                const char* what = isStart ? "Start time" : "End time";
                if (value < params_.startStep) {
                    prompter_.caution(std::string(what) + " cannot be less than start step.");
                    return false;
                }
                if (value > params_.endStep) {
                    prompter_.caution(std::string(what) + " cannot be greater than end step.");
                    return false;
                }
                if (current_ >= 0) {
                    (isStart ? copy_[current_].orStart : copy_[current_].orEnd) = value;
                }
                return true;
            },
            [this, isStart] {
                if (current_ < 0) {
                    return QString();
                }
                return QString::number(isStart ? copy_[current_].orStart : copy_[current_].orEnd);
            });
    };
    bindTime(start_, true);
    bindTime(end_, false);

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
    for (std::size_t i = 0; i < copy_.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        if (copy_[i].orVehPerHr < 0) {
            prompter_.caution("Negative Vechicles/Hour at interval #" + n + " is invalid.");
            return false;
        }
        if (copy_[i].orEnd < copy_[i].orStart) {
            prompter_.caution("Interval #" + n + " has start-time later than end-time.");
            return false;
        }
    }
    cell_.intervals = copy_;
    return true;
}

}  // namespace talvo
