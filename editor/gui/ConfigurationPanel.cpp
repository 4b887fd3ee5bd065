#include "ConfigurationPanel.h"

#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

#include "CellPage.h"
#include "LinkPage.h"
#include "NodePage.h"

namespace talvo {

namespace {
enum TabIndex { kCellTab = 0, kLinkTab = 1, kNodeTab = 2 };
}

ConfigurationPanel::ConfigurationPanel(PanelContext& context,
                                       std::function<const SelectionState&()> selection,
                                       QWidget* parent)
    : QGroupBox("Configuration", parent), ctx_(context), selection_(std::move(selection)) {
    setObjectName("frmConfiguration");
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabBar;
    tabs_->setObjectName("tspConfiguration");
    tabs_->addTab("&Cell");
    tabs_->setTabToolTip(kCellTab, "Cell Configuration");
    tabs_->addTab("&Link");
    tabs_->setTabToolTip(kLinkTab, "Link Configuration");
    tabs_->addTab("&Node");
    tabs_->setTabToolTip(kNodeTab, "Node Configuration");
    layout->addWidget(tabs_);
    cellPage_ = new CellPage(ctx_);
    linkPage_ = new LinkPage(ctx_);
    nodePage_ = new NodePage(ctx_);
    layout->addWidget(cellPage_);
    layout->addWidget(linkPage_);
    layout->addWidget(nodePage_);
    layout->addStretch();
    connect(tabs_, &QTabBar::currentChanged, this, &ConfigurationPanel::ShowTab);
    // The panel keeps one size for every tab (the width the widest needs at least, the height
    // of the tallest), so that the map beside it does not move when another tab is shown.
    QSize largest;
    for (const int tab : {kNodeTab, kLinkTab, kCellTab}) {
        ShowPages(tab);
        layout->invalidate();
        largest = largest.expandedTo(QSize(minimumSizeHint().width(), sizeHint().height()));
    }
    setFixedSize(largest);
    ShowTab(kCellTab);
    connect(&ctx_.model, &EditorModel::changed, this, &ConfigurationPanel::Refresh);
}

void ConfigurationPanel::ShowPages(int tab) {
    cellPage_->setVisible(tab == kCellTab);
    linkPage_->setVisible(tab == kLinkTab);
    nodePage_->setVisible(tab == kNodeTab);
}

void ConfigurationPanel::ShowTab(int tab) {
    ShowPages(tab);
    const SelectionState& sel = selection_();
    if (tab == kCellTab && sel.selectedKind == SelectedKind::Cell) {
        cellPage_->ShowCell(sel.selectedID);
    } else if (tab == kLinkTab && sel.selectedKind == SelectedKind::Link) {
        linkPage_->ShowLink(sel.selectedID);
    } else if (tab == kNodeTab && sel.selectedKind == SelectedKind::Node) {
        nodePage_->ShowNode(sel.selectedID);
    }
}

void ConfigurationPanel::ShowSelection() {
    const SelectionState& sel = selection_();
    int tab = -1;
    switch (sel.selectedKind) {
        case SelectedKind::Cell:
            tab = kCellTab;
            break;
        case SelectedKind::Link:
            tab = kLinkTab;
            break;
        case SelectedKind::Node:
            tab = kNodeTab;
            break;
        default:
            Clear();
            return;
    }
    Clear();
    {
        const QSignalBlocker blocker(tabs_);
        tabs_->setCurrentIndex(tab);
    }
    ShowTab(tab);
}

void ConfigurationPanel::Clear() {
    cellPage_->Clear();
    linkPage_->Clear();
    nodePage_->Clear();
}

void ConfigurationPanel::Refresh() {
    // The shown object's values may have changed; the tab stays.
    ShowTab(tabs_->currentIndex());
}

}  // namespace talvo
