#include "CheckListDock.h"

#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace talvo {

CheckListDock::CheckListDock(QWidget* parent) : QDockWidget("Checks", parent) {
    setObjectName("dockChecks");
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    summary_ = new QLabel(body);
    summary_->setObjectName("lblCheckSummary");
    summary_->setWordWrap(true);
    layout->addWidget(summary_);
    list_ = new QListWidget(body);
    list_->setObjectName("lstCheckProblems");
    list_->setWordWrap(true);
    list_->setAlternatingRowColors(true);
    layout->addWidget(list_, 1);
    setWidget(body);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < static_cast<int>(problems_.size())) {
            emit problemChosen(problems_[static_cast<size_t>(row)]);
        }
    });
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = list_->row(item);
        if (row >= 0 && row < static_cast<int>(problems_.size())) {
            emit problemChosen(problems_[static_cast<size_t>(row)]);
        }
    });
}

void CheckListDock::setProblems(std::vector<ExportProblem> problems) {
    problems_ = std::move(problems);
    {
        const QSignalBlocker blocker(list_);
        list_->clear();
        for (const ExportProblem& problem : problems_) {
            QString text = QString::fromStdString(problem.text);
            if (!problem.detail.empty()) {
                text += "\n" + QString::fromStdString(problem.detail);
            }
            auto* item = new QListWidgetItem(
                style()->standardIcon(problem.warning ? QStyle::SP_MessageBoxWarning
                                                      : QStyle::SP_MessageBoxCritical),
                text, list_);
            item->setToolTip(problem.warning ? "Warning: the run may go on after a question"
                                             : "Stops the run until it is mended");
        }
    }
    const auto errors = std::count_if(problems_.begin(), problems_.end(),
                                      [](const ExportProblem& p) { return !p.warning; });
    const auto warnings = static_cast<long>(problems_.size()) - errors;
    summary_->setText(QString("%1 error(s) and %2 warning(s). Click an entry to select what "
                              "it names on the map.")
                          .arg(errors)
                          .arg(warnings));
    setVisible(!problems_.empty());
    if (!problems_.empty()) {
        raise();
    }
}

}  // namespace talvo
