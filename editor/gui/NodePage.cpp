#include "NodePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "DialogParts.h"
#include "FieldText.h"
#include "NumberField.h"
#include "StageConflicts.h"

namespace talvo {

namespace {

constexpr int kMaxCandidates = 200;

QString ThreeDigits(int value) {
    return QString("%1").arg(value, 3, 10, QChar('0'));
}

QListWidgetItem* MovementItem(int movement) {
    auto* item = new QListWidgetItem(ThreeDigits(movement));
    item->setData(Qt::UserRole, movement);
    return item;
}

}  // namespace

NodePage::NodePage(PanelContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* frame = new QGroupBox("Signal Sequences");
    frame->setObjectName("frmPhaseProp");
    layout->addWidget(frame);
    // The stage fields on the left, the movement lists on the right.
    auto* frameLayout = new QHBoxLayout(frame);
    auto* left = new QVBoxLayout;
    auto* form = new QFormLayout;
    left->addLayout(form);
    frameLayout->addLayout(left);

    auto* countRow = new QHBoxLayout;
    phaseNumText_ = new QLineEdit;
    phaseNumText_->setMaximumWidth(60);
    phaseNumText_->setObjectName("txtPhaseNum");
    ShowAsReadOnly(phaseNumText_);
    phaseNumText_->setToolTip("Number of stages at the node");
    phaseNum_ = new QSpinBox;
    phaseNum_->setObjectName("udcPhaseNum");
    phaseNum_->setRange(1, Capacity::kStages);
    // Typing "12" must not pass through a node of 1 stage on the way.
    phaseNum_->setKeyboardTracking(false);
    countRow->addWidget(phaseNumText_);
    countRow->addWidget(phaseNum_);
    form->addRow("Number Of Stages:", countRow);
    currentPhase_ = new QComboBox;
    currentPhase_->setObjectName("cmbCurrentPhase");
    form->addRow("Current Stage:", currentPhase_);
    phaseInterval_ = AddTextRow(form, "txtPhaseInterval", "Stage Time:");
    phaseInterval_->setToolTip("Existing stage-time (except all red): G+Y(3s)+RY(2s)");
    phaseOffset_ = AddTextRow(form, "txtPhaseOffset", "Offset:");
    phaseOffset_->setToolTip(
        "Time offset between the first start time of this phase and the start time of the "
        "simulation");
    phaseOptimization_ = new QCheckBox("Stage Optimization:");
    phaseOptimization_->setObjectName("chkPhaseOptimization");
    phaseOptimization_->setToolTip("Enabled if the stage is going to be optimized");
    form->addRow(phaseOptimization_);

    auto* lists = new QGridLayout;
    available_ = new QListWidget;
    available_->setObjectName("lstAvailable");
    current_ = new QListWidget;
    current_->setObjectName("lstCurrent");
    right_ = new QPushButton(">");
    right_->setObjectName("cmdRightArrow");
    left_ = new QPushButton("<");
    left_->setObjectName("cmdLeftArrow");
    auto* arrows = new QVBoxLayout;
    arrows->addWidget(right_);
    arrows->addWidget(left_);
    // Headings say what the numbers are: movements in no stage yet, and those of this stage.
    auto* availableHeading = new QLabel("Not in a stage yet");
    availableHeading->setObjectName("lblAvailable");
    auto* currentHeading = new QLabel("Green in this stage");
    currentHeading->setObjectName("lblCurrent");
    available_->setToolTip("Signal movements (cell signal numbers) of this node in no stage");
    current_->setToolTip("Movements that have green in the current stage");
    lists->addWidget(availableHeading, 0, 0);
    lists->addWidget(currentHeading, 0, 2);
    lists->addWidget(available_, 1, 0);
    lists->addLayout(arrows, 1, 1);
    lists->addWidget(current_, 1, 2);
    frameLayout->addLayout(lists);
    // A hint only: a stage may still hold what the engineer means it to.
    conflictHint_ = new QLabel;
    conflictHint_->setObjectName("lblConflict");
    conflictHint_->setWordWrap(true);
    conflictHint_->setStyleSheet("color: #a04000;");
    conflictHint_->hide();
    frameLayout->addWidget(conflictHint_);
    deletePhase_ = new QPushButton("&Delete Stage");
    deletePhase_->setObjectName("cmdDeletePhase");
    left->addWidget(deletePhase_);
    left->addStretch();
    layout->addStretch();

    connect(phaseNum_, &QSpinBox::valueChanged, this, [this](int value) {
        phaseNumText_->setText(QString::number(value));
        if (!filling_) {
            SetStageCount(value);
        }
    });
    connect(currentPhase_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!filling_) {
            ShowStage(index);
        }
    });
    new NumberField(
        phaseInterval_, rules::kTime, ctx_.prompter,
        [this] { return Stage() ? QString::number(Stage()->stageTime) : QString(); },
        [this](double value) {
            return ctx_.model.SetStageTime(id_, stage_, static_cast<int>(value));
        });
    new NumberField(
        phaseOffset_, rules::kTime, ctx_.prompter,
        [this] { return Node() ? QString::number(Node()->offset) : QString(); },
        [this](double value) { return ctx_.model.SetNodeOffset(id_, static_cast<int>(value)); });
    connect(phaseOptimization_, &QCheckBox::toggled, this, [this](bool checked) {
        if (!filling_ && Stage() != nullptr) {
            Apply(ctx_.model.SetStageOptimize(id_, stage_, checked));
        }
    });
    connect(right_, &QPushButton::clicked, this, &NodePage::MoveRight);
    connect(left_, &QPushButton::clicked, this, &NodePage::MoveLeft);
    connect(deletePhase_, &QPushButton::clicked, this, &NodePage::DeleteStage);
    connect(available_, &QListWidget::itemSelectionChanged, this,
            [this] { HighlightFrom(available_); });
    connect(current_, &QListWidget::itemSelectionChanged, this,
            [this] { HighlightFrom(current_); });
    available_->installEventFilter(this);
    current_->installEventFilter(this);
    Clear();
}

bool NodePage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && ctx_.highlightMovement) {
        ctx_.highlightMovement(0);
    } else if (event->type() == QEvent::FocusIn) {
        HighlightFrom(watched == available_ ? available_ : current_);
    }
    return QWidget::eventFilter(watched, event);
}

void NodePage::HighlightFrom(QListWidget* list) {
    if (filling_ || !ctx_.highlightMovement) {
        return;
    }
    QListWidgetItem* item = list->currentItem();
    ctx_.highlightMovement(item != nullptr ? item->data(Qt::UserRole).toInt() : 0);
}

void NodePage::Apply(const EditResult& result) {
    if (!result) {
        ctx_.prompter.caution(result.message());
        ShowNode(id_);
    }
}

const NodeRecord* NodePage::Node() const {
    return ctx_.model.FindNode(id_);
}

const StageRecord* NodePage::Stage() const {
    const NodeRecord* node = Node();
    if (node == nullptr || stage_ < 0 || stage_ >= node->usedStages()) {
        return nullptr;
    }
    return &node->stages[stage_];
}

void NodePage::ShowNode(int nodeID) {
    // Shown again after a change: the same node keeps its current stage.
    const int keptStage = nodeID == id_ ? stage_ : 0;
    id_ = nodeID;
    const NodeRecord* node = Node();
    if (node == nullptr) {
        Clear();
        return;
    }
    stage_ = keptStage;
    setEnabled(true);
    CollectCandidates();
    filling_ = true;
    phaseNum_->setValue(std::clamp(node->stageNum, 1, Capacity::kStages));
    phaseNumText_->setText(QString::number(node->stageNum));
    filling_ = false;
    SetTextUnchecked(phaseOffset_, QString::number(node->offset));
    FillStageList();
}

void NodePage::CollectCandidates() {
    // The movements of the cells whose links pass this node, each once, in link order.
    candidates_.clear();
    const NodeRecord* node = Node();
    const NetworkTables& t = ctx_.model.tables();
    for (const LinkRecord& link : t.links) {
        if (link.passNode != node->nodeID) {
            continue;
        }
        const int from = ctx_.model.FindCellIndex(link.fromCell) - 1;
        const int signal = from >= 0 ? t.cells[from].signalID : 0;
        if (signal != 0 &&
            std::find(candidates_.begin(), candidates_.end(), signal) == candidates_.end() &&
            static_cast<int>(candidates_.size()) < kMaxCandidates) {
            candidates_.push_back(signal);
        }
    }
}

void NodePage::FillStageList() {
    const NodeRecord* node = Node();
    filling_ = true;
    currentPhase_->clear();
    for (int s = 1; s <= node->stageNum; ++s) {
        currentPhase_->addItem(QString("%1").arg(s, 2, 10, QChar('0')));
    }
    const int stage = stage_ >= 0 && stage_ < node->stageNum ? stage_ : 0;
    currentPhase_->setCurrentIndex(stage);
    filling_ = false;
    ShowStage(stage);
}

void NodePage::ShowStage(int stageIndex) {
    stage_ = stageIndex;
    const StageRecord* stage = Stage();
    filling_ = true;
    SetTextUnchecked(phaseInterval_, stage ? QString::number(stage->stageTime) : QString());
    phaseOptimization_->setChecked(stage != nullptr && stage->stageOptimize);
    filling_ = false;
    FillMovementLists();
}

void NodePage::FillMovementLists() {
    filling_ = true;
    available_->clear();
    current_->clear();
    const StageRecord* stage = Stage();
    if (stage != nullptr) {
        for (const int m : stage->stageMoves) {
            current_->addItem(MovementItem(m));
        }
        const NodeRecord* node = Node();
        const NetworkTables& t = ctx_.model.tables();
        for (const int m : candidates_) {
            const bool inStage = std::find(stage->stageMoves.begin(), stage->stageMoves.end(), m) !=
                                 stage->stageMoves.end();
            bool elsewhere = false;
            for (const NodeRecord& other : t.nodes) {
                if (other.nodeID == node->nodeID) {
                    continue;
                }
                for (int s = 0; s < other.usedStages(); ++s) {
                    const auto& moves = other.stages[s].stageMoves;
                    elsewhere |= std::find(moves.begin(), moves.end(), m) != moves.end();
                }
            }
            if (!inStage && !elsewhere) {
                available_->addItem(MovementItem(m));
            }
        }
    }
    const auto conflict = stage != nullptr
                              ? FirstConflict(ctx_.model.tables(), *Node(), stage->stageMoves)
                              : std::nullopt;
    if (conflict) {
        conflictHint_->setText(
            QString("Movements %1 and %2 cross in the junction: green "
                    "together, they conflict.")
                .arg(ThreeDigits(conflict->first), ThreeDigits(conflict->second)));
    }
    conflictHint_->setVisible(conflict.has_value());
    filling_ = false;
}

void NodePage::SetStageCount(int count) {
    if (Node() == nullptr) {
        return;
    }
    // The stage list is refilled with its first entry selected.
    stage_ = 0;
    Apply(ctx_.model.SetStageCount(id_, std::clamp(count, 1, Capacity::kStages)));
}

void NodePage::MoveRight() {
    if (Stage() == nullptr) {
        return;
    }
    QListWidgetItem* item = available_->currentItem();
    if (item == nullptr || !item->isSelected()) {
        ctx_.prompter.caution("You must select an item from the left list.");
        return;
    }
    Apply(ctx_.model.AddStageMove(id_, stage_, item->data(Qt::UserRole).toInt()));
}

void NodePage::MoveLeft() {
    if (Stage() == nullptr) {
        return;
    }
    QListWidgetItem* item = current_->currentItem();
    if (item == nullptr || !item->isSelected()) {
        ctx_.prompter.caution("You must select an item from the right list.");
        return;
    }
    Apply(ctx_.model.RemoveStageMove(id_, stage_, current_->row(item)));
}

void NodePage::DeleteStage() {
    if (Node() == nullptr) {
        return;
    }
    Apply(ctx_.model.DeleteStage(id_, stage_));
}

void NodePage::Clear() {
    id_ = kNoRecord;
    stage_ = -1;
    candidates_.clear();
    filling_ = true;
    currentPhase_->clear();
    available_->clear();
    current_->clear();
    phaseNumText_->clear();
    phaseOptimization_->setChecked(false);
    filling_ = false;
    SetTextUnchecked(phaseInterval_, QString());
    SetTextUnchecked(phaseOffset_, QString());
    setEnabled(false);
}

}  // namespace talvo
