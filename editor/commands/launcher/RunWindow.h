#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ApproachLevels.h"
#include "RunProgress.h"
#include "RunResults.h"

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTemporaryDir;

namespace talvo {

class Prompter;
class SearchChart;

// How the engine is started for a run.
struct EngineStart {
    QString programDir;  // holds the engine and Display
    QString script;      // the start script, or empty: the engine is started on runDir itself
    QString runDir;
    bool refine = false;  // TALVO --refine, started on runDir (the start script takes no options)
};

// The window of one engine run, opened without making the editor wait. While the engine
// runs it shows the stage, the generation reached, the elapsed time, a progress bar and,
// for an optimisation, the live chart of the search; the engine's console text is kept in
// a tab of its own. At the end it shows the total weighted delay of the result beside the
// existing plan's (an optimisation's existing plan is simulated on its own for this, in a
// temporary directory), and opens the report, plays the run in Display or opens a
// time-space plot. Closing it during a run ends the run, as closing a terminal would.
class RunWindow : public QWidget {
    Q_OBJECT

  public:
    explicit RunWindow(Prompter& prompter, QWidget* parent = nullptr);
    ~RunWindow() override;

    // `projectText` is the project as run: it is written beside the run's input as
    // "input.tin", for Display to play the network that was run. `cellTable` (the report's
    // cell numbers with their map IDs) is written beside the report and shown with it.
    void start(const EngineStart& engine, const RunExpectation& expectation,
               const std::string& projectText, const std::string& cellTable = {});

    QString consoleText() const;
    bool isRunning() const { return process_.state() != QProcess::NotRunning; }
    bool hasEnded() const { return ended_; }
    const RunProgress& progress() const { return *progress_; }

    // How Display is started; by default as a process of its own that outlives the editor.
    std::function<bool(const QString& program, const QStringList& arguments)> startProgram;

  signals:
    // The run has ended (or could not be started), its comparison too.
    void runEnded();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildWidgets();
    void startEngine(const QString& workingDir, const QString& program,
                     const QStringList& arguments);
    void readOutput();
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void onError(QProcess::ProcessError error);
    void notStarted(const QString& reason);
    void runEndedWith(int exitCode);
    void startComparison();
    void comparisonEndedWith(int exitCode);
    void showProgress();
    void showElapsed();
    void showApproachLevels();
    // An optimisation's approaches beside the existing plan's, written beside the report.
    void showComparison(const std::vector<ApproachLevel>& result);
    void showSummary(const DelayComparison& comparison);
    void endRun(const QString& outcome);
    void stopProcess();
    bool engineStoppedOnError() const;
    void openReport();
    void playInDisplay();
    void openPlot(const std::filesystem::path& plot);
    void startDisplay(const QStringList& arguments);
    void append(const QString& text);

    Prompter& prompter_;
    EngineStart engine_;
    std::unique_ptr<RunProgress> progress_;
    RunResultFiles files_;
    std::filesystem::path projectCopy_;  // empty when it could not be written
    QString cellTable_;
    std::optional<double> resultHours_;
    std::unique_ptr<QTemporaryDir> comparisonDir_;
    std::vector<ApproachLevel> existingLevels_;  // the existing plan's, for the comparison
    bool comparing_ = false;
    bool ended_ = false;
    QString title_;
    QProcess process_;
    QElapsedTimer elapsed_;
    QTimer clock_;
    size_t shownGenerations_ = 0;

    QLabel* stage_ = nullptr;
    QLabel* generation_ = nullptr;
    QLabel* elapsedLabel_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    SearchChart* chart_ = nullptr;
    QPlainTextEdit* console_ = nullptr;
    QGroupBox* summary_ = nullptr;
    QLabel* outcome_ = nullptr;
    QPushButton* openReport_ = nullptr;
    QPushButton* playInDisplay_ = nullptr;
    QPushButton* timeSpacePlot_ = nullptr;
};

}  // namespace talvo
