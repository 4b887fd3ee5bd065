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

#include "CheckedField.h"
#include "DialogParts.h"
#include "FieldChecks.h"
#include "common/NumberText.h"

namespace talvo {

namespace {
constexpr int kMaxLanes = 20;

// A speed typed in is whole; one read from a file may have decimals, shown as they are.
QString SpeedText(const CellRecord& cell) {
    return QString::fromStdString(FormatReal(cell.speed));
}

QString ThreeDigits(int value) {
    return QString("%1").arg(value, 3, 10, QChar('0'));
}
}  // namespace

CellPage::CellPage(PanelContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {
    // Properties on the left, the signal query and the demand button beside them.
    auto* layout = new QHBoxLayout(this);
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
    lanesText_->setReadOnly(true);
    lanes_ = new QSpinBox;
    lanes_->setObjectName("udcLaneNumber");
    lanes_->setRange(1, kMaxLanes);
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
        if (CellRecord* cell = Cell(); cell != nullptr && !filling_ && index >= 0) {
            cell->orientation = index == 1 ? kVertical : kHorizontal;
            ctx_.redraw();
        }
    });
    connect(lanes_, &QSpinBox::valueChanged, this, [this](int value) {
        lanesText_->setText(QString::number(value));
        if (CellRecord* cell = Cell(); cell != nullptr && !filling_) {
            cell->laneNum = value;
            ctx_.redraw();
        }
    });
    BindIntegerFieldText(
        speed_, ctx_.prompter, [this] { return Cell() ? SpeedText(*Cell()) : QString(); },
        [this](int value) {
            if (CellRecord* cell = Cell()) {
                cell->speed = value;
                ctx_.redraw();
            }
        },
        1, 200, "The allowable cell speed must be between 1 to 200 Km/H.");
    connect(ownOccupancy_, &QCheckBox::toggled, this, [this](bool checked) {
        carNumLabel_->setEnabled(checked);
        carNum_->setEnabled(checked);
        carNumUnit_->setEnabled(checked);
        if (CellRecord* cell = Cell(); cell != nullptr && !filling_) {
            cell->ownOccupancy = checked;
            RefreshOccupancy();
        }
    });
    BindIntegerField(
        carNum_, ctx_.prompter, [this] { return Cell() ? Cell()->initialCarNum : 0; },
        [this](int value) {
            if (CellRecord* cell = Cell()) {
                cell->initialCarNum = value;
            }
        },
        0, 100, "You must enter a number between 0 and 100 in this field.");
    BindRealField(
        capacityFactor_, ctx_.prompter, [this] { return Cell() ? Cell()->capacityFactor : 0.0; },
        [this](double value) {
            if (CellRecord* cell = Cell()) {
                cell->capacityFactor = value;
            }
        },
        0.0, 1.0, "The speed deduction must be between 0 to 1.");
    BindRealField(
        capacity_, ctx_.prompter, [this] { return Cell() ? Cell()->capacity : 0.0; },
        [this](double value) {
            if (CellRecord* cell = Cell()) {
                cell->capacity = value;
            }
        },
        0.0, 1.0, "The capacity must be between 0 to 1.");
    connect(dummy_, &QCheckBox::toggled, this, [this](bool checked) {
        if (CellRecord* cell = Cell(); cell != nullptr && !filling_) {
            cell->isDummy = checked;
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
            ctx_.openOriginDialog(position_);
        }
    });
    Clear();
}

CellRecord* CellPage::Cell() {
    auto& cells = ctx_.document.project().tables.cells;
    if (position_ < 0 || position_ >= static_cast<int>(cells.size())) {
        return nullptr;
    }
    return &cells[position_];
}

void CellPage::ShowCell(int position) {
    position_ = position;
    CellRecord* cell = Cell();
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
    RefreshOccupancy();
}

void CellPage::RefreshOccupancy() {
    const CellRecord* cell = Cell();
    if (cell == nullptr) {
        return;
    }
    const int shown = cell->ownOccupancy ? cell->initialCarNum
                                         : ctx_.document.project().params.initialCellOccupancy;
    SetTextUnchecked(carNum_, QString::number(shown));
}

void CellPage::Clear() {
    position_ = -1;
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

bool CellPage::MovementInUse(int movement, int* nodeID) const {
    for (const NodeRecord& node : ctx_.document.project().tables.nodes) {
        for (int s = 0; s < node.stageNum && s < Capacity::kStages; ++s) {
            for (const int m : node.stages[s].stageMoves) {
                if (m == movement) {
                    *nodeID = node.nodeID;
                    return true;
                }
            }
        }
    }
    return false;
}

void CellPage::FillSignalList() {
    const auto& owner = ctx_.document.project().tables.signalOwner;
    const CellRecord* cell = Cell();
    filling_ = true;
    signalID_->clear();
    int selected = -1;
    for (int k = 1; k <= Capacity::kSignals; ++k) {
        if (owner[k] == 0 || k == cell->signalID) {
            if (k == cell->signalID) {
                selected = signalID_->count();
            }
            signalID_->addItem(ThreeDigits(k), k);
        }
    }
    signalID_->setCurrentIndex(selected);
    filling_ = false;
}

void CellPage::SetSignalChecked(bool checked) {
    CellRecord* cell = Cell();
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
        int nodeID = 0;
        if (MovementInUse(cell->signalID, &nodeID)) {
            ctx_.prompter.caution("Node " + std::to_string(nodeID) +
                                  " has used the signal at cell " + std::to_string(cell->cellID) +
                                  ".  You have to remove the signal from the node first.");
            filling_ = true;
            signal_->setChecked(true);
            filling_ = false;
            return;
        }
        if (const EditResult r = ctx_.document.model().SetCellSignal(position_ + 1, 0); !r) {
            ctx_.prompter.caution(r.message());
        }
    }
    filling_ = true;
    signalID_->clear();
    filling_ = false;
    signalID_->setEnabled(false);
}

void CellPage::ChooseSignal(int comboIndex) {
    CellRecord* cell = Cell();
    if (cell == nullptr || comboIndex < 0) {
        return;
    }
    const int chosen = signalID_->itemData(comboIndex).toInt();
    if (chosen == cell->signalID) {
        return;
    }
    if (cell->signalID != 0) {
        int nodeID = 0;
        if (MovementInUse(cell->signalID, &nodeID)) {
            ctx_.prompter.caution("Node " + std::to_string(nodeID) +
                                  " has used the signal at cell " + std::to_string(cell->cellID) +
                                  ".  You have to remove the signal from the node first.");
            FillSignalList();
            return;
        }
    }
    if (const EditResult r = ctx_.document.model().SetCellSignal(position_ + 1, chosen); !r) {
        ctx_.prompter.caution(r.message());
        FillSignalList();
    }
}

}  // namespace talvo
