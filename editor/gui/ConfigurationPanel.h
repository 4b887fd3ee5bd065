#pragma once

#include <QGroupBox>
#include <functional>

#include "PanelContext.h"
#include "core/SelectionState.h"

class QTabBar;

namespace talvo {

class CellPage;
class LinkPage;
class NodePage;

// frmConfiguration: the tab strip tspConfiguration over the cell, link and node pages.
// It mirrors the selection, hands every accepted change to the model as a command, and
// shows the model again whenever it announces a change.
class ConfigurationPanel : public QGroupBox {
    Q_OBJECT
  public:
    ConfigurationPanel(PanelContext& context, std::function<const SelectionState&()> selection,
                       QWidget* parent = nullptr);

    // Selects the tab of the selected object and fills it; with no selection, clears.
    void ShowSelection();
    void Clear();

  private:
    void ShowTab(int tab);
    void Refresh();
    void ShowPages(int tab);

    PanelContext& ctx_;
    std::function<const SelectionState&()> selection_;
    QTabBar* tabs_;
    CellPage* cellPage_;
    LinkPage* linkPage_;
    NodePage* nodePage_;
};

}  // namespace talvo
