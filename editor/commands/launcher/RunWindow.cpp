#include "RunWindow.h"

#include <algorithm>

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include "ApproachLevels.h"
#include "CellIndexTable.h"
#include "ProgramFiles.h"
#include "ReportView.h"
#include "SearchChart.h"
#include "platform/Prompter.h"

namespace talvo {

namespace fs = std::filesystem;

namespace {

constexpr int kBarSteps = 1000;
constexpr const char* kCloseDuringRun =
    "The engine is still running.  Closing this window stops the run; its result files will "
    "be incomplete.";
constexpr const char* kProjectCopyName = "input.tin";
#ifdef _WIN32
constexpr const char* kDisplayFileName = "Display.exe";
#else
constexpr const char* kDisplayFileName = "Display";
#endif

QString Q(const fs::path& path) {
    return QString::fromStdString(path.string());
}

fs::path P(const QString& path) {
    return fs::path(path.toStdString());
}

bool IsFile(const fs::path& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

QString Clock(qint64 milliseconds) {
    const qint64 seconds = milliseconds / 1000;
    return QString("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QLabel* AddField(QFormLayout* form, const QString& caption, const char* name) {
    auto* value = new QLabel("-");
    value->setObjectName(name);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(caption, value);
    return value;
}

QPushButton* AddButton(QHBoxLayout* row, const QString& caption, const char* name) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setEnabled(false);
    row->addWidget(button);
    return button;
}

}  // namespace

RunWindow::RunWindow(Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::Window),
      prompter_(prompter),
      progress_(std::make_unique<RunProgress>(RunExpectation{})) {
    setObjectName("frmRunWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    // The window never takes the focus from the editor.
    setAttribute(Qt::WA_ShowWithoutActivating);
    startProgram = [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };
    buildWidgets();

    process_.setProcessChannelMode(QProcess::MergedChannels);
    connect(&process_, &QProcess::readyReadStandardOutput, this, &RunWindow::readOutput);
    connect(&process_, &QProcess::finished, this, &RunWindow::onFinished);
    connect(&process_, &QProcess::errorOccurred, this, &RunWindow::onError);
    connect(&clock_, &QTimer::timeout, this, &RunWindow::showElapsed);
}

RunWindow::~RunWindow() {
    stopProcess();
}

void RunWindow::buildWidgets() {
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    stage_ = AddField(form, "Stage:", "lblStage");
    generation_ = AddField(form, "Generation:", "lblGeneration");
    elapsedLabel_ = AddField(form, "Elapsed time:", "lblElapsed");
    layout->addLayout(form);
    bar_ = new QProgressBar(this);
    bar_->setObjectName("prgRun");
    bar_->setRange(0, kBarSteps);
    bar_->setValue(0);
    layout->addWidget(bar_);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("tabRun");
    chart_ = new SearchChart(tabs_);
    tabs_->addTab(chart_, "Search");
    console_ = new QPlainTextEdit(tabs_);
    console_->setObjectName("txtConsole");
    console_->setReadOnly(true);
    console_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    console_->setLineWrapMode(QPlainTextEdit::NoWrap);
    tabs_->addTab(console_, "Console");
    layout->addWidget(tabs_, 1);

    summary_ = new QGroupBox("Total weighted delay", this);
    summary_->setObjectName("grpSummary");
    auto* summaryLayout = new QVBoxLayout(summary_);
    summaryLayout->addLayout(new QFormLayout());
    outcome_ = new QLabel("The engine is running.", summary_);
    outcome_->setObjectName("lblOutcome");
    outcome_->setWordWrap(true);
    outcome_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summaryLayout->addWidget(outcome_);
    layout->addWidget(summary_);

    auto* buttons = new QHBoxLayout();
    openReport_ = AddButton(buttons, "Open report", "cmdOpenReport");
    playInDisplay_ = AddButton(buttons, "Play in Display", "cmdPlayInDisplay");
    timeSpacePlot_ = AddButton(buttons, "Time-space plot", "cmdTimeSpacePlot");
    buttons->addStretch(1);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("cmdClose");
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(openReport_, &QPushButton::clicked, this, &RunWindow::openReport);
    connect(playInDisplay_, &QPushButton::clicked, this, &RunWindow::playInDisplay);
    connect(timeSpacePlot_, &QPushButton::clicked, this, [this] {
        if (!files_.plotFiles.empty()) {
            openPlot(files_.plotFiles.front());
        }
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // A key pressed by chance goes to the text, not to "Close".
    setFocusProxy(console_);
    resize(820, 680);
}

void RunWindow::start(const EngineStart& engine, const RunExpectation& expectation,
                      const std::string& projectText, const std::string& cellTable) {
    engine_ = engine;
    progress_ = std::make_unique<RunProgress>(expectation);
    title_ = "TALVO - " + engine.runDir;
    setWindowTitle(title_);
    chart_->plan(progress_->stages(), expectation.generationNum);
    if (!expectation.optimising) {
        // A simulation of the existing plan has no search to chart.
        tabs_->setTabVisible(tabs_->indexOf(chart_), false);
        tabs_->setCurrentWidget(console_);
    }
    const fs::path copy = P(engine.runDir) / kProjectCopyName;
    if (auto error = WriteFileWhole(copy, projectText)) {
        append(QString::fromStdString(*error) + "\n");
    } else {
        projectCopy_ = copy;
    }
    cellTable_ = QString::fromStdString(cellTable);
    if (!cellTable.empty()) {
        if (auto error = WriteFileWhole(P(engine.runDir) / kCellTableName, cellTable)) {
            append(QString::fromStdString(*error) + "\n");
        }
    }
    showProgress();
    elapsed_.start();
    clock_.start(250);
    if (engine.refine) {
        startEngine(engine.runDir, Q(P(engine.programDir) / kEngineFileName),
                    {"--refine", engine.runDir});
    } else if (!engine.script.isEmpty()) {
        // Through the shell, so that the script needs no execute permission.
        startEngine(engine.programDir, "/bin/sh", {engine.script});
    } else {
        startEngine(engine.runDir, Q(P(engine.programDir) / kEngineFileName), {engine.runDir});
    }
}

void RunWindow::startEngine(const QString& workingDir, const QString& program,
                            const QStringList& arguments) {
    if (!QFileInfo(program).isExecutable()) {
        notStarted("'" + program + "' is missing or cannot be run");
        return;
    }
    process_.setWorkingDirectory(workingDir);
    // Line-buffered where the system can, so that the progress shows as it comes.
    const QString stdbuf = QStandardPaths::findExecutable("stdbuf");
    if (!stdbuf.isEmpty() && program != "/bin/sh") {
        process_.start(stdbuf, QStringList{"-oL", "-eL", program} + arguments);
    } else {
        process_.start(program, arguments);
    }
}

QString RunWindow::consoleText() const {
    return console_->toPlainText();
}

void RunWindow::append(const QString& text) {
    QScrollBar* bar = console_->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    console_->moveCursor(QTextCursor::End);
    console_->insertPlainText(text);
    if (atEnd) {
        bar->setValue(bar->maximum());
    }
}

void RunWindow::readOutput() {
    const QByteArray bytes = process_.readAllStandardOutput();
    if (bytes.isEmpty()) {
        return;
    }
    QString text = QString::fromLocal8Bit(bytes);
    text.remove(QLatin1Char('\r'));
    append(text);
    if (!comparing_) {
        progress_->feed(std::string_view(bytes.constData(), size_t(bytes.size())));
        showProgress();
    }
}

void RunWindow::onFinished(int exitCode, QProcess::ExitStatus status) {
    readOutput();
    const int code = status == QProcess::CrashExit ? -1 : exitCode;
    if (comparing_) {
        comparisonEndedWith(code);
        return;
    }
    if (status == QProcess::CrashExit) {
        append("\n--- TALVO stopped abnormally ---\n");
    } else {
        append(QString("\n--- TALVO ended (exit code %1) ---\n").arg(exitCode));
    }
    runEndedWith(code);
}

void RunWindow::onError(QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) {
        notStarted(process_.errorString());
    }
}

void RunWindow::notStarted(const QString& reason) {
    append("--- The engine could not be started: " + reason + " ---\n");
    if (comparing_) {
        comparisonEndedWith(-1);
        return;
    }
    title_ += " (not started)";
    progress_->finish(-1);
    clock_.stop();
    showProgress();
    endRun("The engine could not be started: " + reason);
}

void RunWindow::runEndedWith(int exitCode) {
    progress_->finish(exitCode);
    clock_.stop();
    showElapsed();
    showProgress();
    title_ += " (ended)";
    files_ = ResultFilesOf(P(engine_.runDir), progress_->expectation());
    if (progress_->phase() == RunPhase::Failed) {
        endRun("The run stopped: " + QString::fromStdString(progress_->lastLine()));
        return;
    }
    resultHours_ = ReadTotalWeightedDelayHours(files_.report);
    if (!resultHours_) {
        endRun("The report " + Q(files_.report) + " holds no total weighted delay.");
        return;
    }
    if (!progress_->expectation().optimising) {
        showSummary({*resultHours_, resultHours_});
        endRun("The run is complete.");
        return;
    }
    startComparison();
}

// The existing plan's delay is not part of an optimisation's output: a simulation of it
// alone, on a copy of the run's input, gives the figure to compare with.
void RunWindow::startComparison() {
    comparing_ = true;
    comparisonDir_ = std::make_unique<QTemporaryDir>();
    if (!comparisonDir_->isValid()) {
        append("--- No temporary directory for the existing plan's simulation: " +
               comparisonDir_->errorString() + " ---\n");
        comparisonEndedWith(-1);
        return;
    }
    const QString dir = comparisonDir_->path();
    if (auto error = WriteExistingPlanScenario(P(engine_.runDir), P(dir))) {
        append(QString::fromStdString(*error) + "\n");
        comparisonEndedWith(-1);
        return;
    }
    stage_->setText("Existing plan: simulating for the comparison");
    outcome_->setText("Simulating the existing plan for the comparison ...");
    append("\n--- The existing plan, simulated for the comparison in " + dir + " ---\n");
    startEngine(dir, Q(P(engine_.programDir) / kEngineFileName), {dir});
}

void RunWindow::comparisonEndedWith(int exitCode) {
    std::optional<double> existing;
    if (exitCode == 0) {
        const fs::path report = P(comparisonDir_->path()) / "output_exist.out";
        existing = ReadTotalWeightedDelayHours(report);
        existingLevels_ = ReadApproachLevels(ApproachResultsOf(report));
    }
    comparing_ = false;
    comparisonDir_.reset();
    stage_->setText(QString::fromStdString(PhaseText(*progress_)));
    showSummary({*resultHours_, existing});
    endRun("The run is complete.");
}

void RunWindow::showProgress() {
    const RunProgress& p = *progress_;
    QString stage = QString::fromStdString(PhaseText(p));
    const bool inSearch = p.phase() == RunPhase::Searching || p.phase() == RunPhase::SimulatingBest;
    if (inSearch && p.stages() > 1) {
        stage += QString(" (search %1 of %2)").arg(p.stage() + 1).arg(p.stages());
    }
    stage_->setText(stage);
    if (p.expectation().optimising && p.generation() > 0) {
        generation_->setText(QString::fromStdString(GenerationText(p)));
    }
    if (const auto done = p.fractionDone()) {
        bar_->setRange(0, kBarSteps);
        bar_->setValue(static_cast<int>(*done * kBarSteps + 0.5));
    } else if (p.phase() == RunPhase::Failed) {
        bar_->setRange(0, kBarSteps);
    } else {
        bar_->setRange(0, 0);  // busy: the console does not say how far a simulation is
    }
    for (; shownGenerations_ < p.generations().size(); ++shownGenerations_) {
        chart_->add(p.generations()[shownGenerations_]);
    }
}

void RunWindow::showElapsed() {
    elapsedLabel_->setText(Clock(elapsed_.elapsed()));
}

void RunWindow::showSummary(const DelayComparison& comparison) {
    const RunExpectation& expectation = progress_->expectation();
    const int strategy = expectation.controlStrategy;
    const std::string variant = !expectation.optimising ? ""
                                : strategy == 1         ? "FGFC"
                                : strategy == 2         ? "VGFC"
                                                        : "VGVC";
    auto* form = qobject_cast<QFormLayout*>(summary_->layout()->itemAt(0)->layout());
    int row = 0;
    for (const SummaryRow& line : SummaryRows(variant, comparison)) {
        auto* value = new QLabel(QString::fromStdString(line.value), summary_);
        value->setObjectName(QString("lblSummary%1").arg(++row));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(QString::fromStdString(line.label) + ":", value);
    }
    showApproachLevels();
}

void RunWindow::showApproachLevels() {
    const std::vector<ApproachLevel> levels = ReadApproachLevels(ApproachResultsOf(files_.report));
    if (levels.empty())
        return;
    auto* table = new QTableWidget(static_cast<int>(levels.size()), 3, summary_);
    table->setObjectName("tblLevelOfService");
    table->setHorizontalHeaderLabels({"Approach", "Delay per veh. (s)", "Level of service"});
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < table->rowCount(); ++row) {
        const ApproachLevel& level = levels[static_cast<size_t>(row)];
        const QString cells[3] = {QString::number(level.approach),
                                  QString::fromStdString(level.delayPerVehicle),
                                  QString::fromStdString(level.level.empty() ? "-" : level.level)};
        for (int column = 0; column < 3; ++column)
            table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    table->resizeColumnsToContents();
    table->setMaximumHeight(table->horizontalHeader()->height() +
                            table->rowHeight(0) * std::min(table->rowCount(), 6) +
                            2 * table->frameWidth());
    // Above the outcome line.
    qobject_cast<QVBoxLayout*>(summary_->layout())->insertWidget(1, table);
    if (progress_->expectation().optimising && !existingLevels_.empty()) {
        showComparison(levels);
    }
}

void RunWindow::showComparison(const std::vector<ApproachLevel>& result) {
    const std::vector<ApproachComparison> rows = CompareApproaches(existingLevels_, result);
    const QString variant = QFileInfo(Q(files_.report)).completeBaseName().mid(7);  // output_
    auto* table = new QTableWidget(static_cast<int>(rows.size()), 7, summary_);
    table->setObjectName("tblComparison");
    table->setHorizontalHeaderLabels({"Approach", "Delay existing (veh h)",
                                      "Delay " + variant + " (veh h)", "Per veh. existing (s)",
                                      "Per veh. " + variant + " (s)", "Vehicles existing",
                                      "Vehicles " + variant});
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < table->rowCount(); ++row) {
        const ApproachComparison& c = rows[static_cast<size_t>(row)];
        const std::string cells[7] = {std::to_string(c.result.approach),
                                      c.existing.delayHours,
                                      c.result.delayHours,
                                      c.existing.delayPerVehicle,
                                      c.result.delayPerVehicle,
                                      c.existing.vehicles,
                                      c.result.vehicles};
        for (int column = 0; column < 7; ++column)
            table->setItem(row, column,
                           new QTableWidgetItem(QString::fromStdString(cells[column])));
    }
    table->resizeColumnsToContents();
    table->setMaximumHeight(table->horizontalHeader()->height() +
                            table->rowHeight(0) * std::min(table->rowCount(), 6) +
                            2 * table->frameWidth());
    const std::string csv = ComparisonCsv(rows, variant.toStdString());
    const fs::path written = ComparisonTableOf(files_.report);
    if (auto error = WriteFileWhole(written, csv)) {
        append(QString::fromStdString(*error) + "\n");
    }
    auto* save = new QPushButton("Save comparison as CSV ...", summary_);
    save->setObjectName("cmdSaveComparison");
    save->setToolTip(Q(written));
    connect(save, &QPushButton::clicked, this, [this, csv, written] {
        const QString file =
            QFileDialog::getSaveFileName(this, "Save comparison", Q(written), "CSV table (*.csv)");
        if (!file.isEmpty()) {
            if (auto error = WriteFileWhole(P(file), csv)) {
                prompter_.caution(*error);
            }
        }
    });
    auto* layout = qobject_cast<QVBoxLayout*>(summary_->layout());
    layout->insertWidget(2, table);
    layout->insertWidget(3, save, 0, Qt::AlignLeft);
}

void RunWindow::endRun(const QString& outcome) {
    chart_->finish();
    outcome_->setText(outcome);
    setWindowTitle(title_);
    openReport_->setEnabled(IsFile(files_.report) || engineStoppedOnError());
    const bool playable = !projectCopy_.empty() && IsFile(files_.occupancy) && IsFile(files_.plan);
    playInDisplay_->setEnabled(playable);
    playInDisplay_->setToolTip(playable ? Q(files_.occupancy)
                                        : "The run wrote no occupancy and plan files to play.");
    timeSpacePlot_->setEnabled(!files_.plotFiles.empty());
    timeSpacePlot_->setToolTip(files_.plotFiles.empty()
                                   ? "The run wrote no plot file: no plot group is marked."
                                   : Q(files_.plotFiles.front()));
    if (files_.plotFiles.size() > 1) {
        auto* menu = new QMenu(timeSpacePlot_);
        for (const fs::path& plot : files_.plotFiles) {
            menu->addAction(Q(plot.filename()), this, [this, plot] { openPlot(plot); });
        }
        timeSpacePlot_->setMenu(menu);
    }
    ended_ = true;
    emit runEnded();
}

void RunWindow::stopProcess() {
    if (process_.state() == QProcess::NotRunning) {
        return;
    }
    disconnect(&process_, nullptr, this, nullptr);
    process_.kill();
    process_.waitForFinished(3000);
}

void RunWindow::closeEvent(QCloseEvent* event) {
    // A search may have run for hours: closing by mistake must not throw it away.
    if (isRunning() && !prompter_.warning(kCloseDuringRun)) {
        event->ignore();
        // The run goes on: it stays in front rather than behind the window under the box.
        raise();
        activateWindow();
        return;
    }
    stopProcess();
    event->accept();
}

bool RunWindow::engineStoppedOnError() const {
    // An engine that never started has no result files, not even an empty report.
    return progress_->phase() == RunPhase::Failed && !files_.report.empty();
}

void RunWindow::openReport() {
    auto* view = new ReportView(this);
    const bool read = view->load(Q(files_.report));
    // A run that stopped on an error leaves its report empty or cut short: the engine's
    // message says why.
    const bool failed = engineStoppedOnError();
    if (!read && !failed) {
        delete view;
        prompter_.caution("The report '" + files_.report.string() + "' cannot be read.");
        return;
    }
    if (failed) {
        QString notice = "The run stopped: " + QString::fromStdString(progress_->lastLine());
        if (view->text().isEmpty()) {
            notice += "\nThe engine wrote no report.";
        }
        view->setNotice(notice);
    }
    view->setCellTable(cellTable_);
    view->show();
}

void RunWindow::playInDisplay() {
    startDisplay({Q(projectCopy_), Q(files_.occupancy), Q(files_.plan)});
}

void RunWindow::openPlot(const fs::path& plot) {
    startDisplay({"--plot", Q(plot)});
}

void RunWindow::startDisplay(const QStringList& arguments) {
    const fs::path display = P(engine_.programDir) / kDisplayFileName;
    if (!IsFile(display)) {
        prompter_.caution(std::string("'") + kDisplayFileName +
                          "' not found in the program directory!  It is needed to show the "
                          "run's results.");
        return;
    }
    if (!startProgram(Q(display), arguments)) {
        prompter_.caution(QString("'%1' could not be started.").arg(Q(display)).toStdString());
    }
}

}  // namespace talvo
