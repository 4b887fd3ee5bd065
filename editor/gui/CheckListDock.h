#pragma once

#include <QDockWidget>
#include <vector>

#include "model/ExportChecks.h"

class QLabel;
class QListWidget;

namespace talvo {

// "Checks" (dockChecks): every problem the export checks found in one list, refusals first
// marked as errors and warnings with their values; choosing an entry asks for its cells,
// node or link to be selected on the map.
class CheckListDock : public QDockWidget {
    Q_OBJECT

  public:
    explicit CheckListDock(QWidget* parent = nullptr);

    // Shows the list (and the dock) for problems; hides the dock when there are none.
    void setProblems(std::vector<ExportProblem> problems);
    const std::vector<ExportProblem>& problems() const { return problems_; }

  signals:
    void problemChosen(const talvo::ExportProblem& problem);

  private:
    std::vector<ExportProblem> problems_;
    QLabel* summary_ = nullptr;
    QListWidget* list_ = nullptr;
};

}  // namespace talvo
