#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace talvo {

// What the run-directory dialog keeps for as long as the editor runs.
struct RunDirectoryMemory {
    QString lastShown;  // empty until the dialog has been shown once
};

// Where the run-directory dialog starts the first time: the "runs" folder beside the project
// when there is one, else the project's folder; the home folder for a project never saved.
// Never the program's folder, whose results would mix with the executables.
QString FirstRunDirectory(const QString& projectFile);

// "CTM Running Directory" (dlgCTM): a directory list that starts at firstDir the first time
// and at the last directory shown or chosen afterwards. OK gives the folder highlighted in
// the list, or the directory shown when none is; Cancel the empty string. Enter in the
// path box shows the typed directory and never closes the dialog.
class RunDirectoryDialog : public QDialog {
    Q_OBJECT

  public:
    RunDirectoryDialog(RunDirectoryMemory& memory, const QString& firstDir,
                       QWidget* parent = nullptr);

    // The chosen directory after exec(); empty when cancelled.
    QString result() const { return result_; }
    QString shownDirectory() const { return shown_; }
    // Shows another directory (entering one of the list, going up, or a typed path).
    bool showDirectory(const QString& path);
    // Makes a new, empty folder "run-N" (the first free N) in the directory shown and shows
    // it, so that every run can have a directory of its own. False when it cannot be made.
    bool makeNewFolder();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QString highlightedDirectory() const;
    void enterItem(QListWidgetItem* item);
    void fillList();
    void accept() override;
    void reject() override;

    RunDirectoryMemory& memory_;
    QString shown_;
    QString result_;
    QLabel* path_ = nullptr;
    QLineEdit* typedPath_ = nullptr;
    QListWidget* list_ = nullptr;
};

}  // namespace talvo
