#include "LinkPage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "DialogParts.h"
#include "FieldText.h"
#include "NumberField.h"

namespace talvo {

LinkPage::LinkPage(PanelContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* linkFrame = new QGroupBox("Link Configuration");
    linkFrame->setObjectName("frmLinkProp");
    auto* form = new QFormLayout(linkFrame);
    from_ = AddTextRow(form, "txtFrom", "From:");
    ShowAsReadOnly(from_);
    to_ = AddTextRow(form, "txtTo", "To:");
    ShowAsReadOnly(to_);
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
    new NumberField(
        mergeDivert_, rules::kMergeDivert, ctx_.prompter,
        [this] { return Link() ? FormatRealField(Link()->mergeDivert) : QString(); },
        [this](double value) { return ctx_.model.SetLinkMergeDivert(id_, value); });
    Clear();
}

const LinkRecord* LinkPage::Link() const {
    return ctx_.model.FindLink(id_);
}

void LinkPage::ShowLink(int linkID) {
    id_ = linkID;
    const LinkRecord* link = Link();
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
    for (const NodeRecord& node : ctx_.model.tables().nodes) {
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
    const LinkRecord* link = Link();
    if (link == nullptr || comboIndex < 0) {
        return;
    }
    const int chosen = passIntersection_->itemData(comboIndex).toInt();
    if (const EditResult r = ctx_.model.SetLinkPassNode(id_, chosen); !r) {
        ctx_.prompter.caution(r.message());
        SelectPassNode(link->passNode);
    }
}

void LinkPage::Clear() {
    id_ = kNoRecord;
    from_->clear();
    to_->clear();
    filling_ = true;
    passIntersection_->clear();
    filling_ = false;
    SetTextUnchecked(mergeDivert_, QString());
    setEnabled(false);
}

}  // namespace talvo
