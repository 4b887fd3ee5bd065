#include "LinkPage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "CheckedField.h"
#include "DialogParts.h"
#include "FieldChecks.h"
#include "MapGeometry.h"

namespace talvo {

LinkPage::LinkPage(PanelContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* linkFrame = new QGroupBox("Link Configuration");
    linkFrame->setObjectName("frmLinkProp");
    auto* form = new QFormLayout(linkFrame);
    from_ = AddTextRow(form, "txtFrom", "From:");
    from_->setReadOnly(true);
    to_ = AddTextRow(form, "txtTo", "To:");
    to_->setReadOnly(true);
    passIntersection_ = new QComboBox;
    passIntersection_->setObjectName("cmbPassIntersection");
    passIntersection_->setToolTip("Signalized Junction (if any) that the link passes through");
    form->addRow("Pass Intersection:", passIntersection_);
    layout->addWidget(linkFrame);
    auto* mergeFrame = new QGroupBox("Merge/Divert Properties");
    mergeFrame->setObjectName("frmMergeDivert");
    auto* mergeForm = new QFormLayout(mergeFrame);
    mergeDivert_ = AddTextRow(mergeForm, "txtMergeDivert", "Merge/Divert Proportion:");
    layout->addWidget(mergeFrame);
    layout->addStretch();

    connect(passIntersection_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!filling_) {
            ChoosePassNode(index);
        }
    });
    BindRealField(
        mergeDivert_, ctx_.prompter, [this] { return Link() ? Link()->mergeDivert : 0.0; },
        [this](double value) {
            if (LinkRecord* link = Link()) {
                link->mergeDivert = value;
            }
        },
        0.0, 1.0, "The Merge/Divert proportion must be between 0 to 1.");
    Clear();
}

LinkRecord* LinkPage::Link() {
    auto& links = ctx_.document.project().tables.links;
    if (position_ < 0 || position_ >= static_cast<int>(links.size())) {
        return nullptr;
    }
    return &links[position_];
}

void LinkPage::ShowLink(int position) {
    position_ = position;
    LinkRecord* link = Link();
    if (link == nullptr) {
        Clear();
        return;
    }
    setEnabled(true);
    from_->setText(QString::number(link->fromCell));
    to_->setText(QString::number(link->toCell));
    filling_ = true;
    passIntersection_->clear();
    passIntersection_->addItem("None", 0);
    for (const NodeRecord& node : ctx_.document.project().tables.nodes) {
        passIntersection_->addItem(QString::number(node.nodeID), node.nodeID);
    }
    filling_ = false;
    SelectPassNode(link->passNode);
    SetTextUnchecked(mergeDivert_, FormatReal2(link->mergeDivert));
}

void LinkPage::SelectPassNode(int nodeID) {
    filling_ = true;
    passIntersection_->setCurrentIndex(std::max(0, passIntersection_->findData(nodeID)));
    filling_ = false;
}

void LinkPage::ChoosePassNode(int comboIndex) {
    LinkRecord* link = Link();
    if (link == nullptr || comboIndex < 0) {
        return;
    }
    const int chosen = passIntersection_->itemData(comboIndex).toInt();
    const NetworkTables& t = ctx_.document.project().tables;
    if (link->passNode != 0 && chosen != link->passNode) {
        const int node = NodePosition(t, link->passNode);
        const int from = CellPosition(t, link->fromCell);
        const int signal = from >= 0 ? t.cells[from].signalID : 0;
        if (node >= 0 && signal != 0) {
            const NodeRecord& n = t.nodes[node];
            for (int s = 0; s < n.stageNum && s < Capacity::kStages; ++s) {
                for (const int m : n.stages[s].stageMoves) {
                    if (m == signal) {
                        ctx_.prompter.caution("Node " + std::to_string(n.nodeID) +
                                              " has used the signal at cell " +
                                              std::to_string(link->fromCell) +
                                              ".  You have to remove the signal from the node "
                                              "first.");
                        SelectPassNode(link->passNode);
                        return;
                    }
                }
            }
        }
    }
    link->passNode = chosen;
    ctx_.redraw();
}

void LinkPage::Clear() {
    position_ = -1;
    from_->clear();
    to_->clear();
    filling_ = true;
    passIntersection_->clear();
    filling_ = false;
    SetTextUnchecked(mergeDivert_, QString());
    setEnabled(false);
}

}  // namespace talvo
