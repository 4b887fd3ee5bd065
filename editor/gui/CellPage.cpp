#include "CellPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "DialogParts.h"
#include "FieldText.h"
#include "NumberField.h"
#include "common/NumberText.h"

namespace talvo {

namespace {

// A speed typed in is whole; one read from a file may have decimals, shown as they are.
QString SpeedText(const CellRecord& cell) {
    return QString::fromStdString(FormatReal(cell.speed));
}

QString ThreeDigits(int value) {
    return QString("%1").arg(value, 3, 10, QChar('0'));
}
}  // namespace

CellPage::CellPage(PanelContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {
    // The signal query under the cell properties, so that the panel stays narrow beside the map.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* side = new QVBoxLayout;
    auto* cellFrame = new QGroupBox("Cell Properties");
    cellFrame->setObjectName("frmCellProp");
    auto* form = new QFormLayout(cellFrame);
    layout->addWidget(cellFrame);

    orientation_ = new QComboBox;
    orientation_->setObjectName("cmbOrientation");
    orientation_->addItems({"Horizontal", "Vertical"});
    orientation_->setToolTip("Orientation of cell (Vertical / Horizontal)");
    form->addRow("Orientation:", orientation_);
    auto* laneRow = new QHBoxLayout;
    lanesText_ = new QLineEdit;
    lanesText_->setMaximumWidth(60);
    lanesText_->setObjectName("txtLaneNumber");
    ShowAsReadOnly(lanesText_);
    lanes_ = new QSpinBox;
    lanes_->setObjectName("udcLaneNumber");
    lanes_->setRange(1, kMaxLanes);
    // A typed count takes effect on Enter or when the box loses the focus, not on the way.
    lanes_->setKeyboardTracking(false);
    lanes_->setToolTip("No. of Lanes included in the cell");
    lanes_->setMaximumWidth(60);
    laneRow->addWidget(lanesText_);
    laneRow->addWidget(lanes_);
    laneRow->addStretch();
    form->addRow("No. of Lanes:", laneRow);
    speed_ = AddTextRow(form, "txtSpeed", "Speed:", "Km/Hr");
    speed_->setToolTip("Design speed of the cell");
    ownOccupancy_ = new QCheckBox(
        "Initial amount of vehicles before simulation (in term of %  of cell capacity) ");
    ownOccupancy_->setObjectName("chkInitialCellOccupancy");
    form->addRow(ownOccupancy_);
    auto* carRow = new QHBoxLayout;
    carNumLabel_ = new QLabel("Initial Number of Cars:");
    carNumLabel_->setObjectName("lblInitialCarNum");
    carNum_ = new QLineEdit;
    carNum_->setObjectName("txtInitialCarNum");
    carNumUnit_ = new QLabel("%");
    carNumUnit_->setObjectName("lblCarNumUnit");
    carNum_->setMaximumWidth(140);
    carRow->addWidget(carNumLabel_);
    carRow->addWidget(carNum_);
    carRow->addWidget(carNumUnit_);
    carRow->addStretch();
    form->addRow(carRow);
    capacityFactor_ = AddTextRow(form, "txtSpeedDeduction", "Capacity Adjust. Factor:");
    capacityFactor_->setToolTip(
        "Factor adjusted to cell outflow for modeling permitted turning movement");
    capacity_ = AddTextRow(form, "txtCapacity", "Capacity:");
    dummy_ = new QCheckBox("Dummy Cell");
    dummy_->setObjectName("chkDummy");
    form->addRow(dummy_);

    auto* signalFrame = new QGroupBox("Signal Query");
    signalFrame->setObjectName("frmSignalProp");
    auto* signalForm = new QFormLayout(signalFrame);
    signal_ = new QCheckBox("Signal:");
    signal_->setObjectName("chkSignal");
    signal_->setToolTip(
        "Signal Query (Enabled if the cell is at the stop line of a signalized intersection)");
    signalID_ = new QComboBox;
    signalID_->setObjectName("cmbSignalID");
    signalID_->setToolTip("Signal Movement ID");
    signalForm->addRow(signal_);
    signalForm->addRow("Signal ID:", signalID_);
    side->addWidget(signalFrame);
    orProp_ = new QPushButton("OR &Properties ...");
    orProp_->setObjectName("cmdORProp");
    side->addWidget(orProp_);
    side->addStretch();
    layout->addLayout(side);
    layout->addStretch();

    connect(orientation_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!filling_ && index >= 0) {
            Set(CellField::Orientation, index == 1 ? kVertical : kHorizontal);
        }
    });
    connect(lanes_, &QSpinBox::valueChanged, this, [this](int value) {
        lanesText_->setText(QString::number(value));
        if (!filling_) {
            Set(CellField::LaneNum, value);
        }
    });
    Field(speed_, CellField::Speed, [this] { return SpeedText(*Cell()); });
    Field(carNum_, CellField::InitialCarNum,
          [this] { return QString::number(Cell()->initialCarNum); });
    Field(capacityFactor_, CellField::CapacityFactor,
          [this] { return FormatRealField(Cell()->capacityFactor); });
    Field(capacity_, CellField::Capacity, [this] { return FormatRealField(Cell()->capacity); });
    connect(ownOccupancy_, &QCheckBox::toggled, this, [this](bool checked) {
        if (!filling_) {
            Set(CellField::OwnOccupancy, checked ? 1 : 0);
        }
    });
    connect(dummy_, &QCheckBox::toggled, this, [this](bool checked) {
        if (!filling_) {
            Set(CellField::Dummy, checked ? 1 : 0);
        }
    });
    connect(signal_, &QCheckBox::toggled, this, [this](bool checked) {
        if (!filling_) {
            SetSignalChecked(checked);
        }
    });
    connect(signalID_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!filling_) {
            ChooseSignal(index);
        }
    });
    connect(orProp_, &QPushButton::clicked, this, [this] {
        if (Cell() != nullptr && ctx_.openOriginDialog) {
            ctx_.openOriginDialog(id_);
        }
    });
    Clear();
}

NumberField* CellPage::Field(QLineEdit* edit, CellField field, std::function<QString()> text) {
    return new NumberField(
        edit, RuleFor(field), ctx_.prompter,
        [this, text = std::move(text)] { return Cell() != nullptr ? text() : QString(); },
        [this, field](double value) {
            return Cell() != nullptr ? ctx_.model.SetCellValue(id_, field, value)
                                     : EditResult::Refused({});
        });
}

const CellRecord* CellPage::Cell() const {
    return ctx_.model.FindCell(id_);
}

void CellPage::Set(CellField field, double value) {
    if (Cell() == nullptr) {
        return;
    }
    if (const EditResult r = ctx_.model.SetCellValue(id_, field, value); !r) {
        ctx_.prompter.caution(r.message());
        ShowCell(id_);
    }
}

void CellPage::ShowCell(int cellID) {
    id_ = cellID;
    const CellRecord* cell = Cell();
    if (cell == nullptr) {
        Clear();
        return;
    }
    filling_ = true;
    setEnabled(true);
    orientation_->setCurrentIndex(cell->orientation == kVertical ? 1 : 0);
    lanes_->setValue(std::max(1, cell->laneNum));
    lanesText_->setText(QString::number(cell->laneNum));
    SetTextUnchecked(speed_, SpeedText(*cell));
    ownOccupancy_->setChecked(cell->ownOccupancy);
    carNumLabel_->setEnabled(cell->ownOccupancy);
    carNum_->setEnabled(cell->ownOccupancy);
    carNumUnit_->setEnabled(cell->ownOccupancy);
    // A cell without its own occupancy shows the global one.
    const int cars =
        cell->ownOccupancy ? cell->initialCarNum : ctx_.model.params().initialCellOccupancy;
    SetTextUnchecked(carNum_, QString::number(cars));
    SetTextUnchecked(capacityFactor_, FormatReal2(cell->capacityFactor));
    SetTextUnchecked(capacity_, FormatReal2(cell->capacity));
    dummy_->setChecked(cell->isDummy);
    signal_->setChecked(cell->signalID != 0);
    signalID_->setEnabled(cell->signalID != 0);
    signalID_->clear();
    if (cell->signalID != 0) {
        FillSignalList();
    }
    filling_ = false;
}

void CellPage::Clear() {
    id_ = kNoRecord;
    filling_ = true;
    for (QLineEdit* e : {lanesText_, speed_, carNum_, capacityFactor_, capacity_}) {
        SetTextUnchecked(e, QString());
    }
    ownOccupancy_->setChecked(false);
    dummy_->setChecked(false);
    signal_->setChecked(false);
    signalID_->clear();
    filling_ = false;
    setEnabled(false);
}

void CellPage::FillSignalList() {
    const auto& owner = ctx_.model.tables().signalOwner;
    const CellRecord* cell = Cell();
    const bool wasFilling = filling_;
    filling_ = true;
    signalID_->clear();
    int selected = -1;
    for (int k = 1; k < static_cast<int>(owner.size()); ++k) {
        if (owner[k] == 0 || k == cell->signalID) {
            if (k == cell->signalID) {
                selected = signalID_->count();
            }
            signalID_->addItem(ThreeDigits(k), k);
        }
    }
    signalID_->setCurrentIndex(selected);
    filling_ = wasFilling;
}

void CellPage::SetSignalChecked(bool checked) {
    const CellRecord* cell = Cell();
    if (cell == nullptr) {
        return;
    }
    if (checked) {
        // A cell that holds an ID keeps it; the list offers it with the free ones.
        FillSignalList();
        if (signalID_->count() == 0) {
            ctx_.prompter.caution("All 100 signals have been used up.");
        }
        signalID_->setEnabled(true);
        return;
    }
    // Unchecking frees the cell's ID, unless a node's stage plan still runs it.
    if (cell->signalID != 0) {
        if (const EditResult r = ctx_.model.SetCellSignal(id_, 0); !r) {
            ctx_.prompter.caution(r.message());
            ShowCell(id_);
            return;
        }
    }
    filling_ = true;
    signalID_->clear();
    filling_ = false;
    signalID_->setEnabled(false);
}

void CellPage::ChooseSignal(int comboIndex) {
    if (Cell() == nullptr || comboIndex < 0) {
        return;
    }
    const int chosen = signalID_->itemData(comboIndex).toInt();
    if (const EditResult r = ctx_.model.SetCellSignal(id_, chosen); !r) {
        ctx_.prompter.caution(r.message());
        FillSignalList();
    }
}

}  // namespace talvo
