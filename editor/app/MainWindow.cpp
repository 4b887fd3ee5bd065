#include "MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>

#include "CellDialog.h"
#include "ConfigurationPanel.h"
#include "EditorCommands.h"
#include "GlobalDialog.h"
#include "MapCanvas.h"
#include "MapLegend.h"
#include "ORPropDialog.h"
#include "OptimizationDialog.h"
#include "QtDialogs.h"
#include "QtPrompter.h"
#include "SetColorDialog.h"
#include "core/MapStatus.h"
#include "printing/DrawMapForPrint.h"
#include "scenepainter/ScenePainter.h"

namespace talvo {

namespace {

constexpr const char* kNoMoreZoom = "It can't be magnified any more!";
// The window's design size, 15480 x 11220 twips at 15 to a pixel: the size it opens at.
constexpr int kDesignWidth = 1032;
constexpr int kDesignHeight = 748;
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
                    [this](int position) { OpenOriginDialog(position); }} {
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
    hooks.multiSelection = [this] { return editor_.selection().multiSelection; };
    hooks.drawMapForPrint = [this] {
        return DrawMapForPrint(model_.project(), colours_, editor_.selection());
    };
    commands_ = new EditorCommands(std::move(hooks), this);
    commands_->setObjectName("editorCommands");

    BuildLayout();
    BuildMenus();
    editor_.measure = scene::MeasureWith(scene::SceneFont());
    connect(&editor_, &MapEditor::selectionChanged, panel_, &ConfigurationPanel::ShowSelection);
    connect(&editor_, &MapEditor::toolChanged, this, &MainWindow::UpdateToolChecks);
    connect(&editor_, &MapEditor::selectionChanged, this, &MainWindow::ShowStatus);
    connect(&editor_, &MapEditor::toolChanged, this, &MainWindow::ShowStatus);
    connect(&model_, &EditorModel::changed, this, &MainWindow::ShowStatus);
    connect(&model_, &EditorModel::documentChanged, this, &MainWindow::ShowCaption);
    ShowCaption();
    UpdateToolChecks();
    ShowStatus();
    OpenAtLayoutSize();
}

MainWindow::~MainWindow() {
    // The widgets go first: a text box that loses the focus as it goes still commits its
    // entry, and the model must be there to take it.
    delete takeCentralWidget();
    // The model's history announces its clearing as it goes, after the tools it would show in
    // the status bar have gone.
    disconnect(&model_, nullptr, this, nullptr);
}

QString MainWindow::settingsPath() const {
    return QDir(programDir_).filePath(kColourSettingsFile);
}

void MainWindow::BuildLayout() {
    // The map takes whatever room the window has beside the panel, which keeps its own size
    // at the top of the right-hand side over the map's legend; a window smaller than the
    // layout needs shows the editor scroll bars.
    auto* design = new QWidget;
    auto* layout = new QHBoxLayout(design);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(6);
    auto* mapFrame = new QGroupBox("Map");
    mapFrame->setObjectName("frmMap");
    auto* mapLayout = new QVBoxLayout(mapFrame);
    mapLayout->setContentsMargins(4, 2, 4, 4);
    canvas_ = new MapCanvas(model_, view_, colours_, editor_);
    mapLayout->addWidget(canvas_);
    layout->addWidget(mapFrame, 1);
    panel_ = new ConfigurationPanel(
        panelContext_, [this]() -> const SelectionState& { return editor_.selection(); });
    auto* legendFrame = new QGroupBox("Legend");
    legendFrame->setObjectName("frmLegend");
    auto* legendLayout = new QVBoxLayout(legendFrame);
    legend_ = new MapLegend(colours_);
    legendLayout->addWidget(legend_);
    auto* side = new QVBoxLayout;
    side->addWidget(panel_);
    side->addWidget(legendFrame, 0, Qt::AlignLeft);
    side->addStretch();
    layout->addLayout(side);
    design->setMinimumSize(layout->minimumSize());

    auto* area = new QScrollArea;
    area->setWidget(design);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->horizontalScrollBar()->setObjectName("hsbEditor");
    area->verticalScrollBar()->setObjectName("vsbEditor");
    setCentralWidget(area);

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
    // Open at the design size, or what the layout needs when that is more; on a small screen
    // take its free area (less room for the title bar and frame) and let the editor scroll
    // bars do the rest.
    auto* area = static_cast<QScrollArea*>(centralWidget());
    QSize wanted = area->widget()->minimumSize().expandedTo(QSize(kDesignWidth, kDesignHeight)) +
                   QSize(0, menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
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
        file, "mnuOpen", "&Open ...", [this] { files_.Open(ProjectLayout::Current); },
        QKeySequence::Open);
    AddAction(file, "mnuOpenOld", "Open Old ...", [this] { files_.Open(ProjectLayout::Legacy); });
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
    QAction* deleteAction = AddAction(
        editMenu_, "mnuDelete", "&Delete", [this] { editor_.DeleteSelected(); },
        QKeySequence::Delete);
    // The Delete key deletes on the map only (where the map itself takes it, refusing a
    // multi-selection), never while a list or text box of the panel has the focus.
    deleteAction->setShortcutContext(Qt::WidgetShortcut);
    canvas_->addAction(deleteAction);

    formatMenu_ = AddMenu(nullptr, "mnuFormat", "F&ormat");
    QMenu* space = AddMenu(formatMenu_, "mnuSpace", "&Space");
    AddAction(space, "mnuSpaceHorizontal", "&Horizontially", [this] { editor_.Space(true); });
    AddAction(space, "mnuSpaceVertical", "&Vertically", [this] { editor_.Space(false); });
    QMenu* align = AddMenu(formatMenu_, "mnuAlign", "&Align");
    AddAction(align, "mnuAlignHorizontal", "&Horizontially", [this] { editor_.Align(true); });
    AddAction(align, "mnuAlignVertical", "&Vertically", [this] { editor_.Align(false); });

    QMenu* tools = AddMenu(nullptr, "mnuTools", "&Tools");
    toolActions_[0] =
        AddAction(tools, "mnuArrow", "&Arrow", [this] { editor_.SetTool(Tool::Arrow); });
    toolActions_[1] = AddAction(tools, "mnuCell", "&Cell...", [this] { OpenCellDialog(); });
    toolActions_[2] = AddAction(tools, "mnuLink", "&Link", [this] { editor_.SetTool(Tool::Link); });
    toolActions_[3] = AddAction(tools, "mnuNode", "&Node", [this] { editor_.SetTool(Tool::Node); });
    for (QAction* action : toolActions_) {
        action->setCheckable(true);
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

void MainWindow::Refuse(const EditResult& result) {
    if (!result) {
        prompter_.caution(result.message());
    }
}

bool MainWindow::OpenProjectFile(const std::string& path, ProjectLayout layout) {
    return files_.OpenFile(path, layout);
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

void MainWindow::OpenOriginDialog(int position) {
    if (position < 0 || position >= static_cast<int>(model_.tables().cells.size())) {
        return;
    }
    ORPropDialog dialog(model_.cell(position), model_.params(), prompter_, this);
    if (runDialog(dialog) == QDialog::Accepted) {
        Refuse(model_.SetCellIntervals(position, dialog.intervals()));
    }
}

}  // namespace talvo
