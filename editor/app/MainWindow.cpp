#include "MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "CellDialog.h"
#include "ConfigurationPanel.h"
#include "EditorCommands.h"
#include "GlobalDialog.h"
#include "MapCanvas.h"
#include "ORPropDialog.h"
#include "OptimizationDialog.h"
#include "QtDialogs.h"
#include "QtPrompter.h"
#include "SetColorDialog.h"
#include "printing/DrawMapForPrint.h"

namespace talvo {

namespace {

constexpr const char* kNoMoreZoom = "It can't be magnified any more!";
constexpr int kDesignWidthTwips = 15480;
constexpr int kDesignHeightTwips = 11220;

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
    editor_.measure = [this](const std::string& text) { return canvas_->MeasureText(text); };
    connect(&editor_, &MapEditor::selectionChanged, panel_, &ConfigurationPanel::ShowSelection);
    connect(&editor_, &MapEditor::toolChanged, this, &MainWindow::UpdateToolChecks);
    connect(&model_, &EditorModel::documentChanged, this, &MainWindow::ShowCaption);
    ShowCaption();
    SyncScrollBars();
    UpdateToolChecks();
    OpenAtLayoutSize();
}

MainWindow::~MainWindow() {
    // The widgets go first: a text box that loses the focus as it goes still commits its
    // entry, and the model must be there to take it.
    delete takeCentralWidget();
}

QString MainWindow::settingsPath() const {
    return QDir(programDir_).filePath(kColourSettingsFile);
}

void MainWindow::BuildLayout() {
    // The design area of 15480 x 11220 twips; a smaller window shows the editor scroll bars.
    auto* design = new QWidget;
    auto* layout = new QVBoxLayout(design);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    auto* mapFrame = new QGroupBox("Map");
    mapFrame->setObjectName("frmMap");
    // The map picture has a fixed size; its frame keeps to it with the scroll bars beside it.
    mapFrame->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* mapGrid = new QGridLayout(mapFrame);
    mapGrid->setSpacing(0);
    mapGrid->setContentsMargins(4, 2, 4, 4);
    canvas_ = new MapCanvas(model_, view_, colours_, editor_);
    hsbMap_ = new QScrollBar(Qt::Horizontal);
    hsbMap_->setObjectName("hsbMap");
    vsbMap_ = new QScrollBar(Qt::Vertical);
    vsbMap_->setObjectName("vsbMap");
    mapGrid->addWidget(canvas_, 0, 0);
    mapGrid->addWidget(vsbMap_, 0, 1);
    mapGrid->addWidget(hsbMap_, 1, 0);
    layout->addWidget(mapFrame, 0, Qt::AlignLeft);
    panel_ = new ConfigurationPanel(
        panelContext_, [this]() -> const SelectionState& { return editor_.selection(); });
    panel_->setMaximumWidth(mapFrame->sizeHint().width());
    layout->addWidget(panel_, 0, Qt::AlignLeft);
    layout->addStretch();
    // Never smaller than what the frames need, so that no frame is squeezed over another.
    design->setMinimumSize(layout->minimumSize().expandedTo(
        QSize(kDesignWidthTwips / kTwipsPerPixel, kDesignHeightTwips / kTwipsPerPixel)));

    // The editor scroll bars: the whole layout stays reachable in a smaller window.
    auto* area = new QScrollArea;
    area->setWidget(design);
    area->setWidgetResizable(true);
    area->horizontalScrollBar()->setObjectName("hsbEditor");
    area->verticalScrollBar()->setObjectName("vsbEditor");
    setCentralWidget(area);

    auto scroll = [this] {
        view_.setScrollValues(hsbMap_->value(), vsbMap_->value());
        canvas_->RedrawMap();
    };
    connect(hsbMap_, &QScrollBar::valueChanged, this, scroll);
    connect(vsbMap_, &QScrollBar::valueChanged, this, scroll);
    canvas_->popupRequested = [this](MapEditor::PopupMenu menu, QPoint pixel) {
        ShowPopup(menu, pixel);
    };
    canvas_->scrolled = [this] { SyncScrollBars(); };
}

void MainWindow::OpenAtLayoutSize() {
    // Open showing the whole layout, not the toolkit's small default; on a small screen
    // take its free area (less room for the title bar and frame) and let the editor
    // scroll bars do the rest.
    auto* area = static_cast<QScrollArea*>(centralWidget());
    const int frame = 2 * area->frameWidth();
    QSize wanted =
        area->widget()->minimumSize() + QSize(frame, frame + menuBar()->sizeHint().height());
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
    AddAction(zoomMenu_, "mnuZoomIn", "Zoom &In", [this] { ZoomIn(); });
    AddAction(zoomMenu_, "mnuNoZoom", "&Reset", [this] { ResetZoom(); });

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

void MainWindow::SyncScrollBars() {
    const QSignalBlocker hb(hsbMap_);
    const QSignalBlocker vb(vsbMap_);
    const ScrollRange& h = view_.horizontal();
    const ScrollRange& v = view_.vertical();
    hsbMap_->setRange(0, h.max);
    hsbMap_->setPageStep(h.largeChange);
    hsbMap_->setSingleStep(h.smallChange);
    hsbMap_->setValue(h.value);
    vsbMap_->setRange(0, v.max);
    vsbMap_->setPageStep(v.largeChange);
    vsbMap_->setSingleStep(v.smallChange);
    vsbMap_->setValue(v.value);
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
    const double old = view_.zoomFactor();
    if (!view_.ZoomIn()) {
        prompter_.caution(kNoMoreZoom);
        return;
    }
    ZoomChanged(old);
}

void MainWindow::ResetZoom() {
    const double old = view_.zoomFactor();
    view_.ResetZoom();
    if (old != view_.zoomFactor()) {
        ZoomChanged(old);
    }
}

void MainWindow::ZoomChanged(double oldZoom) {
    // From the map's pop-up the pointer stays over the same map point; from the menu bar
    // the centre of the picture does, at every zoom, so the network stays in view.
    if (zoomPointer_) {
        view_.Recentre(zoomPointer_->x() * kTwipsPerPixel, zoomPointer_->y() * kTwipsPerPixel,
                       oldZoom);
    } else {
        view_.KeepCentre(canvas_->width() / 2 * kTwipsPerPixel,
                         canvas_->height() / 2 * kTwipsPerPixel, oldZoom);
    }
    SyncScrollBars();
    canvas_->RedrawMap();
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
    dialog.openOptimization = [this, &dialog] {
        OptimizationDialog optimization(model_.params(), prompter_, &dialog);
        if (runDialog(optimization) == QDialog::Accepted) {
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
