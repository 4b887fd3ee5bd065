#include "NodePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "CheckedField.h"
#include "DialogParts.h"
#include "FieldChecks.h"
#include "MapGeometry.h"

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
    phaseNumText_->setReadOnly(true);
    phaseNumText_->setToolTip("Number of stages at the node");
    phaseNum_ = new QSpinBox;
    phaseNum_->setObjectName("udcPhaseNum");
    phaseNum_->setRange(1, Capacity::kStages);
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
    lists->addWidget(available_, 0, 0);
    lists->addLayout(arrows, 0, 1);
    lists->addWidget(current_, 0, 2);
    frameLayout->addLayout(lists);
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
    BindIntegerField(
        phaseInterval_, ctx_.prompter, [this] { return Stage() ? Stage()->stageTime : 0; },
        [this](int value) {
            if (StageRecord* stage = Stage()) {
                stage->stageTime = value;
            }
        });
    BindIntegerField(
        phaseOffset_, ctx_.prompter, [this] { return Node() ? Node()->offset : 0; },
        [this](int value) {
            if (NodeRecord* node = Node()) {
                node->offset = value;
            }
        });
    connect(phaseOptimization_, &QCheckBox::toggled, this, [this](bool checked) {
        if (StageRecord* stage = Stage(); stage != nullptr && !filling_) {
            stage->stageOptimize = checked;
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

NodeRecord* NodePage::Node() {
    auto& nodes = ctx_.document.project().tables.nodes;
    if (position_ < 0 || position_ >= static_cast<int>(nodes.size())) {
        return nullptr;
    }
    return &nodes[position_];
}

StageRecord* NodePage::Stage() {
    NodeRecord* node = Node();
    if (node == nullptr || stage_ < 0 || stage_ >= node->stageNum || stage_ >= Capacity::kStages) {
        return nullptr;
    }
    return &node->stages[stage_];
}

void NodePage::ShowNode(int position) {
    position_ = position;
    NodeRecord* node = Node();
    if (node == nullptr) {
        Clear();
        return;
    }
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
    const NetworkTables& t = ctx_.document.project().tables;
    for (const LinkRecord& link : t.links) {
        if (link.passNode != node->nodeID) {
            continue;
        }
        const int from = CellPosition(t, link.fromCell);
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
    currentPhase_->setCurrentIndex(0);
    filling_ = false;
    ShowStage(0);
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
        const NetworkTables& t = ctx_.document.project().tables;
        for (const int m : candidates_) {
            const bool inStage = std::find(stage->stageMoves.begin(), stage->stageMoves.end(), m) !=
                                 stage->stageMoves.end();
            bool elsewhere = false;
            for (const NodeRecord& other : t.nodes) {
                if (other.nodeID == node->nodeID) {
                    continue;
                }
                for (int s = 0; s < other.stageNum && s < Capacity::kStages; ++s) {
                    const auto& moves = other.stages[s].stageMoves;
                    elsewhere |= std::find(moves.begin(), moves.end(), m) != moves.end();
                }
            }
            if (!inStage && !elsewhere) {
                available_->addItem(MovementItem(m));
            }
        }
    }
    filling_ = false;
}

void NodePage::SetStageCount(int count) {
    NodeRecord* node = Node();
    if (node == nullptr) {
        return;
    }
    count = std::clamp(count, 1, Capacity::kStages);
    // Stages that come into use start afresh, without movements left from earlier use.
    for (int s = node->stageNum; s < count; ++s) {
        node->stages[s] = StageRecord{};
        node->stages[s].stageTime = 10;
    }
    node->stageNum = count;
    FillStageList();
}

void NodePage::MoveRight() {
    StageRecord* stage = Stage();
    if (stage == nullptr) {
        return;
    }
    QListWidgetItem* item = available_->currentItem();
    if (item == nullptr || !item->isSelected()) {
        ctx_.prompter.caution("You must select an item from the left list.");
        return;
    }
    if (stage->stageMoveNum() >= Capacity::kStageMoves) {
        ctx_.prompter.caution("You can't have more than 20 green signals in the same phase.");
        return;
    }
    stage->stageMoves.push_back(item->data(Qt::UserRole).toInt());
    FillMovementLists();
}

void NodePage::MoveLeft() {
    StageRecord* stage = Stage();
    if (stage == nullptr) {
        return;
    }
    QListWidgetItem* item = current_->currentItem();
    if (item == nullptr || !item->isSelected()) {
        ctx_.prompter.caution("You must select an item from the right list.");
        return;
    }
    const int row = current_->row(item);
    if (row >= 0 && row < stage->stageMoveNum()) {
        stage->stageMoves.erase(stage->stageMoves.begin() + row);
    }
    FillMovementLists();
}

void NodePage::DeleteStage() {
    NodeRecord* node = Node();
    if (node == nullptr) {
        return;
    }
    if (node->stageNum <= 1) {
        ctx_.prompter.caution(
            "You can't delete this phase.  Each node must have at least one phase.");
        return;
    }
    if (stage_ < 0 || stage_ >= node->stageNum) {
        return;
    }
    for (int s = stage_; s + 1 < node->stageNum; ++s) {
        node->stages[s] = node->stages[s + 1];
    }
    node->stages[node->stageNum - 1] = StageRecord{};
    node->stageNum -= 1;
    filling_ = true;
    phaseNum_->setValue(node->stageNum);
    filling_ = false;
    FillStageList();
}

void NodePage::Clear() {
    position_ = -1;
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
