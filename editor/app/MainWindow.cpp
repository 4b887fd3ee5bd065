#include "MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "CellDialog.h"
#include "CheckListDock.h"
#include "ConfigurationPanel.h"
#include "EditorCommands.h"
#include "EditorSettings.h"
#include "FindText.h"
#include "GlobalDialog.h"
#include "HistoryKeys.h"
#include "MapCanvas.h"
#include "MapLegend.h"
#include "ORPropDialog.h"
#include "OptimizationDialog.h"
#include "QtDialogs.h"
#include "SetColorDialog.h"
#include "core/MapStatus.h"
#include "platform/QtPrompter.h"
#include "printing/DrawMapForPrint.h"
#include "scenepainter/ScenePainter.h"

namespace talvo {

namespace {

constexpr const char* kNoMoreZoom = "It can't be magnified any more!";
// The size the window opens at the first time, where the screen has room for it.
constexpr int kFirstWidth = 1400;
constexpr int kFirstHeight = 900;
// Zoom In and Zoom Out change the zoom by half.
constexpr double kZoomStep = 1.5;

template <typename T>
T& Pick(std::unique_ptr<T>& own, T* given, std::unique_ptr<T> fallback) {
    if (given != nullptr) {
        return *given;
    }
    own = std::move(fallback);
    return *own;
}

}  // namespace

MainWindow::MainWindow(Prompter* prompter, Dialogs* dialogs, const QString& programDir,
                       QWidget* parent)
    : QMainWindow(parent),
      prompter_(Pick<Prompter>(ownPrompter_, prompter, std::make_unique<QtPrompter>(this))),
      dialogs_(Pick<Dialogs>(ownDialogs_, dialogs, std::make_unique<QtDialogs>(this))),
      programDir_(programDir.isEmpty() ? QCoreApplication::applicationDirPath() : programDir),
      editor_(model_, view_),
      files_(model_, prompter_, dialogs_),
      panelContext_{model_, prompter_, [this](int m) { editor_.HighlightMovement(m); },
                    [this](int cellID) { OpenOriginDialog(cellID); }} {
    setObjectName("frmTalvoEditor");
    runDialog = [](QDialog& dialog) { return dialog.exec(); };
    popupMenu = [this](QMenu* menu, QPoint pixel) { menu->exec(canvas_->mapToGlobal(pixel)); };
    colours_ = ReadColourScheme(settingsPath().toStdString());
    editor_.caution = [this](const std::string& text) { prompter_.caution(text); };

    EditorCommandHooks hooks;
    hooks.model = &model_;
    hooks.prompter = &prompter_;
    hooks.dialogs = &dialogs_;
    hooks.window = this;
    hooks.programDir = programDir_;
    hooks.selectedCells = [this] { return editor_.selection().selectedCells; };
    hooks.drawMapForPrint = [this] {
        return DrawMapForPrint(model_.project(), colours_, editor_.selection());
    };
    hooks.showProblems = [this](const std::vector<ExportProblem>& problems) {
        checks_->setProblems(problems);
        if (!problems.empty()) {
            statusBar()->showMessage(
                QString("The checks found %1 problem(s): see the list.").arg(problems.size()),
                10000);
        }
    };
    commands_ = new EditorCommands(std::move(hooks), this);
    commands_->setObjectName("editorCommands");

    BuildLayout();
    BuildMenus();
    BuildToolBar();
    editor_.measure = scene::MeasureWith(scene::SceneFont());
    connect(&editor_, &MapEditor::selectionChanged, panel_, &ConfigurationPanel::ShowSelection);
    connect(&editor_, &MapEditor::toolChanged, this, &MainWindow::UpdateToolChecks);
    connect(&editor_, &MapEditor::selectionChanged, this, &MainWindow::ShowStatus);
    connect(&editor_, &MapEditor::toolChanged, this, &MainWindow::ShowStatus);
    connect(&model_, &EditorModel::changed, this, &MainWindow::ShowStatus);
    connect(&model_, &EditorModel::documentChanged, this, &MainWindow::ShowCaption);
    // A project the user opens is shown whole; each one is remembered among the recent ones.
    connect(&model_, &EditorModel::replaced, this, [this] {
        if (fitWhenReplaced_ && !model_.tables().cells.empty()) {
            canvas_->fitNetwork();
        }
    });
    connect(&model_, &EditorModel::documentChanged, this, [this] {
        const QString file = QString::fromStdString(model_.fileName());
        if (!file.isEmpty() && file != recordedProject_) {
            recordedProject_ = file;
            AddRecentProject(file);
        }
    });
    ShowCaption();
    UpdateToolChecks();
    ShowStatus();
    OpenAtLayoutSize();
}

MainWindow::~MainWindow() {
    // The widgets go first: a text box that loses the focus as it goes still commits its
    // entry, and the model must be there to take it.
    delete takeCentralWidget();
    // The docks too: the panel reads the map editor's selection when the model announces.
    for (QDockWidget* dock : findChildren<QDockWidget*>(Qt::FindDirectChildrenOnly)) {
        delete dock;
    }
    // The model's history announces its clearing as it goes, after the tools it would show in
    // the status bar have gone.
    disconnect(&model_, nullptr, this, nullptr);
}

QString MainWindow::settingsPath() const {
    return QDir(programDir_).filePath(kColourSettingsFile);
}

void MainWindow::BuildLayout() {
    // The map is the window's main area. The configuration panel and the legend sit in a
    // dock of their own width at its right, with scroll bars of their own when the window
    // is too small for them.
    auto* mapFrame = new QGroupBox("Map");
    mapFrame->setObjectName("frmMap");
    auto* mapLayout = new QVBoxLayout(mapFrame);
    mapLayout->setContentsMargins(4, 2, 4, 4);
    canvas_ = new MapCanvas(model_, view_, colours_, editor_);
    mapLayout->addWidget(canvas_);
    setCentralWidget(mapFrame);

    panel_ = new ConfigurationPanel(
        panelContext_, [this]() -> const SelectionState& { return editor_.selection(); });
    auto* legendFrame = new QGroupBox("Legend");
    legendFrame->setObjectName("frmLegend");
    auto* legendLayout = new QVBoxLayout(legendFrame);
    legend_ = new MapLegend(colours_);
    legendLayout->addWidget(legend_);
    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(4, 4, 4, 4);
    sideLayout->addWidget(panel_);
    sideLayout->addWidget(legendFrame, 0, Qt::AlignLeft);
    sideLayout->addStretch();
    auto* area = new QScrollArea;
    area->setObjectName("scrConfiguration");
    area->setWidget(side);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->horizontalScrollBar()->setObjectName("hsbEditor");
    area->verticalScrollBar()->setObjectName("vsbEditor");
    area->setMinimumWidth(side->minimumSizeHint().width() +
                          area->verticalScrollBar()->sizeHint().width());
    auto* dock = new QDockWidget("Configuration", this);
    dock->setObjectName("dockConfiguration");
    dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock->setTitleBarWidget(new QWidget(dock));  // the panel has its own title
    dock->setWidget(area);
    addDockWidget(Qt::RightDockWidgetArea, dock);

    checks_ = new CheckListDock(this);
    addDockWidget(Qt::BottomDockWidgetArea, checks_);
    checks_->hide();
    connect(checks_, &CheckListDock::problemChosen, this, &MainWindow::SelectProblem);

    canvas_->popupRequested = [this](MapEditor::PopupMenu menu, QPoint pixel) {
        ShowPopup(menu, pixel);
    };

    lblTool_ = new QLabel;
    lblTool_->setObjectName("lblTool");
    lblSelection_ = new QLabel;
    lblSelection_->setObjectName("lblSelection");
    auto* lblPointer = new QLabel;
    lblPointer->setObjectName("lblPointer");
    auto* lblZoom = new QLabel;
    lblZoom->setObjectName("lblZoom");
    statusBar()->addWidget(lblTool_);
    statusBar()->addWidget(lblSelection_, 1);
    statusBar()->addPermanentWidget(lblPointer);
    statusBar()->addPermanentWidget(lblZoom);
    connect(canvas_, &MapCanvas::pointerMoved, lblPointer,
            [lblPointer](scene::Point map) { lblPointer->setText(scene::PointerText(map)); });
    connect(canvas_, &MapCanvas::zoomChanged, lblZoom,
            [lblZoom](double zoom) { lblZoom->setText(scene::ZoomText(zoom)); });
    lblZoom->setText(scene::ZoomText(view_.zoom()));
}

void MainWindow::OpenAtLayoutSize() {
    // The size and docks of the last session; the first time a window that shows the map
    // and the whole panel, within the screen's free area (less room for the title bar).
    if (RestoreWindowState(*this)) {
        return;
    }
    QSize wanted = QSize(kFirstWidth, kFirstHeight).expandedTo(minimumSizeHint());
    if (const QScreen* s = screen()) {
        wanted = wanted.boundedTo(s->availableGeometry().size() - QSize(16, 64));
    }
    resize(wanted);
}

QAction* MainWindow::AddAction(QMenu* menu, const char* objectName, const QString& caption,
                               std::function<void()> handler, QKeySequence::StandardKey key) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(objectName);
    if (key != QKeySequence::UnknownKey) {
        action->setShortcuts(key);
        // Where the platform names no keys for Save As or Quit, the usual ones serve.
        if (action->shortcuts().isEmpty() && key == QKeySequence::SaveAs) {
            action->setShortcut(QKeySequence("Ctrl+Shift+S"));
        } else if (action->shortcuts().isEmpty() && key == QKeySequence::Quit) {
            action->setShortcut(QKeySequence("Ctrl+Q"));
        }
    }
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    return action;
}

QMenu* MainWindow::AddMenu(QMenu* parent, const char* objectName, const QString& caption) {
    QMenu* menu = parent != nullptr ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(objectName);
    return menu;
}

void MainWindow::BuildMenus() {
    // Every mnemonic is unique within its menu bar or menu; the standard keys are Qt's.
    QMenu* file = AddMenu(nullptr, "mnuFile", "&File");
    AddAction(
        file, "mnuNew", "&New", [this] { files_.New(); }, QKeySequence::New);
    AddAction(
        file, "mnuOpen", "&Open ...",
        [this] { Fitted([this] { files_.Open(ProjectLayout::Current); }); }, QKeySequence::Open);
    AddAction(file, "mnuOpenOld", "Open Old ...",
              [this] { Fitted([this] { files_.Open(ProjectLayout::Legacy); }); });
    QMenu* recent = AddMenu(file, "mnuRecent", "Recen&t Projects");
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { FillRecentMenu(recent); });
    AddAction(
        file, "mnuSave", "&Save", [this] { files_.Save(); }, QKeySequence::Save);
    AddAction(
        file, "mnuSaveAs", "Save &As ...", [this] { files_.SaveAs(); }, QKeySequence::SaveAs);
    file->addSeparator();
    AddAction(file, "mnuGenerateFortanInputFile", "&Export Input File ...",
              [this] { commands_->exportInputFile(); });
    AddAction(
        file, "mnuPrint", "&Print by Paint ...", [this] { commands_->printMap(); },
        QKeySequence::Print);
    AddAction(file, "mnuSaveMapPicture", "Save &Map Picture ...",
              [this] { commands_->saveMapPicture(); });
    file->addSeparator();
    AddAction(
        file, "mnuExit", "E&xit", [this] { close(); }, QKeySequence::Quit);

    editMenu_ = AddMenu(nullptr, "mnuEdit", "&Edit");
    QAction* undo = AddAction(
        editMenu_, "mnuEditUndo", "&Undo", [this] { model_.Undo(); }, QKeySequence::Undo);
    QAction* redo = AddAction(
        editMenu_, "mnuRedo", "&Redo", [this] { model_.Redo(); }, QKeySequence::Redo);
    editMenu_->addSeparator();
    AddAction(
        editMenu_, "mnuFind", "&Find ID ...",
        [this] {
            edtFind_->setFocus(Qt::ShortcutFocusReason);
            edtFind_->selectAll();
        },
        QKeySequence::Find);
    QAction* deleteAction = AddAction(
        editMenu_, "mnuDelete", "&Delete", [this] { editor_.DeleteSelected(); },
        QKeySequence::Delete);
    // The Delete key deletes on the map only (where the map itself takes it, refusing a
    // multi-selection), never while a list or text box of the panel has the focus.
    deleteAction->setShortcutContext(Qt::WidgetShortcut);
    canvas_->addAction(deleteAction);

    formatMenu_ = AddMenu(nullptr, "mnuFormat", "F&ormat");
    QMenu* space = AddMenu(formatMenu_, "mnuSpace", "&Space");
    AddAction(space, "mnuSpaceHorizontal", "&Horizontally", [this] { editor_.Space(true); });
    AddAction(space, "mnuSpaceVertical", "&Vertically", [this] { editor_.Space(false); });
    QMenu* align = AddMenu(formatMenu_, "mnuAlign", "&Align");
    AddAction(align, "mnuAlignHorizontal", "&Horizontally", [this] { editor_.Align(true); });
    AddAction(align, "mnuAlignVertical", "&Vertically", [this] { editor_.Align(false); });

    QMenu* tools = AddMenu(nullptr, "mnuTools", "&Tools");
    toolActions_[0] =
        AddAction(tools, "mnuArrow", "&Arrow", [this] { editor_.SetTool(Tool::Arrow); });
    toolActions_[1] = AddAction(tools, "mnuCell", "&Cell...", [this] { OpenCellDialog(); });
    toolActions_[2] = AddAction(tools, "mnuLink", "&Link", [this] { editor_.SetTool(Tool::Link); });
    toolActions_[3] = AddAction(tools, "mnuNode", "&Node", [this] { editor_.SetTool(Tool::Node); });
    // One key each, as the tool's mnemonic; a text box being typed in keeps its letters.
    const char* toolKeys[] = {"A", "C", "L", "N"};
    for (int i = 0; i < 4; ++i) {
        toolActions_[i]->setCheckable(true);
        toolActions_[i]->setShortcut(QKeySequence(toolKeys[i]));
    }

    QMenu* add = AddMenu(nullptr, "mnuAdd", "&Add");
    AddAction(add, "mnuAddStreet", "&Street Name Grouping ...", [this] { commands_->addStreet(); });
    AddAction(add, "munSpecialCell", "&Delay Result Grouping ...",
              [this] { commands_->addDelayGroup(); });
    AddAction(add, "mnuAddCTMPlot", "&CTM Plot Grouping ...",
              [this] { commands_->addPlotGroup(); });

    QMenu* setting = AddMenu(nullptr, "mnuSetting", "&Setting");
    AddAction(setting, "mnuSimulationParameter", "Simulation &Parameter ...",
              [this] { OpenGlobalDialog(); });
    AddAction(setting, "mnuSetColor", "Set &Color ...", [this] { OpenColourDialog(); });
    QMenu* grouping = AddMenu(setting, "mnuGrouping", "&Grouping");
    AddAction(grouping, "mnuStreet", "&Street Name ...", [this] { commands_->editStreets(); });
    AddAction(grouping, "mnuRoadAttention", "&Delay Result ...",
              [this] { commands_->editDelayGroups(); });
    AddAction(grouping, "mnuCTMPlot", "&CTM Plot ...", [this] { commands_->editPlotGroups(); });

    // The old place of undo: the last command, as Edit > Undo (which has the shortcut).
    QMenu* recover = AddMenu(nullptr, "mnuRecover", "&Recover");
    QAction* recoverUndo = AddAction(recover, "mnuUndo", "&Undo", [this] { model_.Undo(); });

    zoomMenu_ = AddMenu(nullptr, "mnuZoom", "&Zoom");
    AddAction(
        zoomMenu_, "mnuZoomIn", "Zoom &In", [this] { ZoomIn(); }, QKeySequence::ZoomIn);
    AddAction(
        zoomMenu_, "mnuZoomOut", "Zoom &Out", [this] { ZoomTo(view_.zoom() / kZoomStep); },
        QKeySequence::ZoomOut);
    AddAction(zoomMenu_, "mnuNoZoom", "&Reset", [this] { ZoomTo(1.0); });
    AddAction(zoomMenu_, "mnuFitNetwork", "&Fit network", [this] {
        canvas_->fitNetwork();
    })->setShortcut(Qt::Key_F);

    QMenu* run = AddMenu(nullptr, "mnuRun", "R&un");
    AddAction(run, "mnuCTM", "&TALVO ...", [this] { commands_->runTalvo(); });

    // The run windows, which another window may cover, are brought back from here.
    QMenu* windows = AddMenu(nullptr, "mnuWindow", "&Window");
    connect(windows, &QMenu::aboutToShow, this, [this, windows] { FillWindowMenu(windows); });

    // Ctrl+Y as well as the platform's Redo keys.
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (const QKeySequence ctrlY(Qt::CTRL | Qt::Key_Y); !redoKeys.contains(ctrlY)) {
        redoKeys.append(ctrlY);
    }
    redo->setShortcuts(redoKeys);
    new HistoryKeys(this, undo, redo);

    const QUndoStack& history = model_.history();
    auto enableUndo = [undo, recoverUndo](bool can) {
        undo->setEnabled(can);
        recoverUndo->setEnabled(can);
    };
    enableUndo(history.canUndo());
    redo->setEnabled(history.canRedo());
    connect(&history, &QUndoStack::canUndoChanged, this, enableUndo);
    connect(&history, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
}

void MainWindow::BuildToolBar() {
    QToolBar* bar = addToolBar("Tools");
    bar->setObjectName("tbrTools");
    bar->setMovable(false);
    for (QAction* tool : toolActions_) {
        bar->addAction(tool);
    }
    bar->addSeparator();
    for (const char* name : {"mnuZoomIn", "mnuZoomOut", "mnuFitNetwork"}) {
        bar->addAction(findChild<QAction*>(name));
    }
    bar->addSeparator();
    bar->addAction(findChild<QAction*>("mnuCTM"));
    bar->addSeparator();
    edtFind_ = new QLineEdit;
    edtFind_->setObjectName("edtFind");
    edtFind_->setPlaceholderText("Find: cell 12, n3");
    edtFind_->setToolTip("A cell ID (12 or c12) or a node ID (n3); Enter selects and centres it.");
    edtFind_->setClearButtonEnabled(true);
    edtFind_->setMaximumWidth(180);
    bar->addWidget(edtFind_);
    connect(edtFind_, &QLineEdit::returnPressed, this, [this] { FindOnMap(edtFind_->text()); });
}

bool MainWindow::FindOnMap(const QString& text) {
    const std::optional<FindRequest> request = ParseFindText(text);
    const bool node = request && request->kind == FindRequest::Kind::Node;
    const int index = !request ? 0
                      : node   ? model_.FindNodeIndex(request->id)
                               : model_.FindCellIndex(request->id);
    if (index <= 0) {
        statusBar()->showMessage(
            request ? QString("There is no %1 %2.").arg(node ? "node" : "cell").arg(request->id)
                    : QString("Give a cell ID (12) or a node ID (n3)."),
            5000);
        return false;
    }
    ExportProblem named;
    (node ? named.nodeIDs : named.cellIDs).push_back(request->id);
    SelectProblem(named);
    const scene::Point centre =
        node ? scene::Point{model_.node(index - 1).x, model_.node(index - 1).y}
             : scene::Point{model_.cell(index - 1).x, model_.cell(index - 1).y};
    const scene::Size size = view_.size();
    view_.setOrigin(scene::Point{centre.x - size.width / 2.0 / view_.scale(),
                                 centre.y - size.height / 2.0 / view_.scale()});
    canvas_->viewChanged();
    return true;
}

void MainWindow::SelectProblem(const ExportProblem& problem) {
    // What the entry names is selected as a click would select it: one object alone, several
    // cells as a multi-selection.
    if (editor_.selection().currentTool != Tool::Arrow) {
        editor_.SetTool(Tool::Arrow);
    }
    SelectionState selection = editor_.selection();
    selection.ClearSelection();
    const auto single = [&selection](SelectedKind kind, int id) {
        selection.selectedKind = kind;
        selection.selectedID = id;
    };
    if (!problem.nodeIDs.empty()) {
        single(SelectedKind::Node, problem.nodeIDs.front());
    } else if (problem.cellIDs.size() == 1) {
        single(SelectedKind::Cell, problem.cellIDs.front());
    } else if (!problem.cellIDs.empty()) {
        selection.selectedCells = problem.cellIDs;
    } else if (!problem.linkIDs.empty()) {
        single(SelectedKind::Link, problem.linkIDs.front());
    }
    editor_.SetSelection(selection);
}

void MainWindow::FillRecentMenu(QMenu* menu) {
    menu->clear();
    const QStringList recent = RecentProjects();
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent[i];
        QAction* action = menu->addAction(QString("&%1 %2").arg(i + 1).arg(path));
        action->setObjectName(QString("mnuRecent%1").arg(i + 1));
        connect(action, &QAction::triggered, this, [this, path] {
            if (files_.ConfirmDiscard()) {
                OpenAndShowProject(path.toStdString());
            }
        });
    }
    if (recent.isEmpty()) {
        menu->addAction("No recent projects")->setEnabled(false);
    }
}

void MainWindow::FillWindowMenu(QMenu* menu) {
    menu->clear();
    const QList<RunWindow*> runs = findChildren<RunWindow*>(Qt::FindDirectChildrenOnly);
    for (int i = 0; i < runs.size(); ++i) {
        RunWindow* window = runs[i];
        QAction* action = menu->addAction(QString("&%1 %2").arg(i + 1).arg(window->windowTitle()));
        action->setObjectName(QString("mnuRunWindow%1").arg(i + 1));
        connect(action, &QAction::triggered, window, [window] {
            window->showNormal();
            window->raise();
            window->activateWindow();
        });
    }
    if (runs.isEmpty()) {
        menu->addAction("No run windows")->setEnabled(false);
    }
}

void MainWindow::Refuse(const EditResult& result) {
    if (!result) {
        prompter_.caution(result.message());
    }
}

bool MainWindow::OpenProjectFile(const std::string& path, ProjectLayout layout) {
    return files_.OpenFile(path, layout);
}

bool MainWindow::OpenAndShowProject(const std::string& path) {
    bool opened = false;
    Fitted([&] { opened = OpenProjectFile(path, ProjectLayout::Current); });
    return opened;
}

void MainWindow::Fitted(const std::function<void()>& open) {
    fitWhenReplaced_ = true;
    open();
    fitWhenReplaced_ = false;
}

void MainWindow::UpdateToolChecks() {
    const int current = static_cast<int>(editor_.selection().currentTool);
    for (int i = 0; i < 4; ++i) {
        toolActions_[i]->setChecked(i == current);
    }
}

void MainWindow::ShowPopup(MapEditor::PopupMenu menu, QPoint pixel) {
    switch (menu) {
        case MapEditor::PopupMenu::Format:
            popupMenu(formatMenu_, pixel);
            break;
        case MapEditor::PopupMenu::Edit:
            popupMenu(editMenu_, pixel);
            break;
        case MapEditor::PopupMenu::Zoom:
            zoomPointer_ = pixel;
            popupMenu(zoomMenu_, pixel);
            zoomPointer_.reset();
            break;
        case MapEditor::PopupMenu::None:
            break;
    }
}

void MainWindow::ZoomIn() {
    if (view_.zoom() >= scene::Viewport::kMaxZoom) {
        prompter_.caution(kNoMoreZoom);
        return;
    }
    ZoomTo(std::min(view_.zoom() * kZoomStep, scene::Viewport::kMaxZoom));
}

void MainWindow::ZoomTo(double zoom) {
    const scene::Size size = view_.size();
    canvas_->zoomAbout(
        zoomPointer_ ? QPointF(*zoomPointer_) : QPointF(size.width / 2.0, size.height / 2.0), zoom);
}

void MainWindow::ShowStatus() {
    lblTool_->setText(QString::fromStdString(ToolText(editor_.selection())));
    lblSelection_->setText(
        QString::fromStdString(SelectionText(model_.tables(), editor_.selection())));
}

void MainWindow::ShowCaption() {
    // "[*]" shows the modified mark where the platform puts it.
    const std::string& name = model_.fileName();
    QString caption = kCaption;
    if (!name.empty()) {
        caption += " - " + QString::fromStdString(name);
    }
    setWindowTitle(caption + "[*]");
    setWindowModified(model_.isModified());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (files_.ConfirmDiscard()) {
        SaveWindowState(*this);
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::OpenCellDialog() {
    const SelectionState kept = editor_.selection();
    CellDialog dialog(prompter_, this);
    if (runDialog(dialog) == QDialog::Accepted) {
        const CellDialog::Defaults& chosen = dialog.defaults();
        model_.SetNewCellDefaults({chosen.laneNum, chosen.speed, chosen.orientation});
        editor_.SetTool(Tool::Cell);
        return;
    }
    // Opening the dialog started the defaults afresh, as the dialog shows them.
    model_.SetNewCellDefaults(NewCellDefaults{});
    editor_.SetSelection(kept);
    UpdateToolChecks();
}

void MainWindow::OpenGlobalDialog() {
    GlobalDialog dialog(model_.params(), prompter_, this);
    std::vector<double> speeds;
    for (const CellRecord& cell : model_.project().tables.cells)
        speeds.push_back(cell.speed);
    dialog.setCellSpeeds(std::move(speeds));
    dialog.openOptimization = [this, &dialog] {
        OptimizationDialog optimization(model_.params(), prompter_, &dialog);
        optimization.setRefine(commands_->refine());
        if (runDialog(optimization) == QDialog::Accepted) {
            commands_->setRefine(optimization.refine());
            GlobalParameters params = model_.params();
            optimization.ApplyTo(params);
            Refuse(model_.SetParameters(params, "Optimization Parameters"));
        }
    };
    if (runDialog(dialog) == QDialog::Accepted) {
        GlobalParameters params = model_.params();
        dialog.ApplyTo(params);
        Refuse(model_.SetParameters(params, "Simulation Parameters"));
    }
}

void MainWindow::OpenColourDialog() {
    SetColorDialog dialog(colours_, dialogs_, this);
    if (runDialog(dialog) != QDialog::Accepted) {
        return;
    }
    colours_ = dialog.chosen();
    canvas_->RedrawMap();
    legend_->update();
    if (!WriteColourScheme(settingsPath().toStdString(), colours_)) {
        prompter_.caution("The colour settings could not be written to " +
                          settingsPath().toStdString() + ".");
    }
}

void MainWindow::OpenOriginDialog(int cellID) {
    const CellRecord* cell = model_.FindCell(cellID);
    if (cell == nullptr) {
        return;
    }
    ORPropDialog dialog(*cell, model_.params(), prompter_, this);
    if (runDialog(dialog) == QDialog::Accepted) {
        Refuse(model_.SetCellIntervals(cellID, dialog.intervals()));
    }
}

}  // namespace talvo
