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
#include <filesystem>

#include "CellDialog.h"
#include "ConfigurationPanel.h"
#include "GlobalDialog.h"
#include "MapCanvas.h"
#include "ORPropDialog.h"
#include "OptimizationDialog.h"
#include "QtDialogs.h"
#include "QtPrompter.h"
#include "SetColorDialog.h"

namespace talvo {

namespace {

constexpr const char* kAskSave =
    "The network has been changed since it was last saved.  Do you want to save the changes?";
constexpr const char* kFileNotFound = "File not found!";
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
      editor_(doc_, view_),
      panelContext_{doc_, prompter_, [this] { RedrawMap(); }, nullptr, nullptr} {
    setObjectName("frmTalvoEditor");
    runDialog = [](QDialog& dialog) { return dialog.exec(); };
    popupMenu = [this](QMenu* menu, QPoint pixel) { menu->exec(canvas_->mapToGlobal(pixel)); };
    colours_ = ReadColourScheme(settingsPath().toStdString());

    panelContext_.highlightMovement = [this](int movement) {
        editor_.selection().highlightedMovement = movement;
        RedrawMap();
    };
    panelContext_.openOriginDialog = [this](int position) { OpenOriginDialog(position); };
    editor_.caution = [this](const std::string& text) { prompter_.caution(text); };

    BuildLayout();
    BuildMenus();
    editor_.measure = [this](const std::string& text) { return canvas_->MeasureText(text); };
    editor_.selectionChanged = [this] {
        panel_->ShowSelection();
        RedrawMap();
    };
    SetCaption();
    SyncScrollBars();
    UpdateToolChecks();
    OpenAtLayoutSize();
}

MainWindow::~MainWindow() = default;

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
    canvas_ = new MapCanvas(doc_, view_, colours_, editor_);
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
        RedrawMap();
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

QAction* MainWindow::AddAction(QMenu* menu, const char* objectName, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(objectName);
    return action;
}

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    connect(AddAction(file, "mnuNew", "&New"), &QAction::triggered, this, &MainWindow::FileNew);
    connect(AddAction(file, "mnuOpen", "&Open ..."), &QAction::triggered, this,
            [this] { FileOpen(ProjectLayout::Current); });
    connect(AddAction(file, "mnuOpenOld", "Open Old ..."), &QAction::triggered, this,
            [this] { FileOpen(ProjectLayout::Legacy); });
    connect(AddAction(file, "mnuSave", "&Save"), &QAction::triggered, this,
            [this] { FileSave(false); });
    connect(AddAction(file, "mnuSaveAs", "Save &As ..."), &QAction::triggered, this,
            [this] { FileSave(true); });
    file->addSeparator();
    AddAction(file, "mnuGenerateFortanInputFile", "&Export Input File ...");
    AddAction(file, "mnuPrint", "&Print by Paint ...");
    file->addSeparator();
    connect(AddAction(file, "mnuExit", "E&xit"), &QAction::triggered, this, &QWidget::close);

    editMenu_ = menuBar()->addMenu("&Edit");
    editMenu_->setObjectName("mnuEdit");
    connect(AddAction(editMenu_, "mnuDelete", "&Delete"), &QAction::triggered, this, [this] {
        editor_.DeleteSelected();
        RedrawMap();
    });

    formatMenu_ = menuBar()->addMenu("&Format");
    formatMenu_->setObjectName("mnuFormat");
    QMenu* space = formatMenu_->addMenu("&Space");
    space->setObjectName("mnuSpace");
    connect(AddAction(space, "mnuSpaceHorizontal", "&Horizontially"), &QAction::triggered, this,
            [this] {
                editor_.Space(true);
                RedrawMap();
            });
    connect(AddAction(space, "mnuSpaceVertical", "&Vertically"), &QAction::triggered, this, [this] {
        editor_.Space(false);
        RedrawMap();
    });
    QMenu* align = formatMenu_->addMenu("&Align");
    align->setObjectName("mnuAlign");
    connect(AddAction(align, "mnuAlignHorizontal", "&Horizontially"), &QAction::triggered, this,
            [this] {
                editor_.Align(true);
                RedrawMap();
            });
    connect(AddAction(align, "mnuAlignVertical", "&Vertically"), &QAction::triggered, this, [this] {
        editor_.Align(false);
        RedrawMap();
    });

    QMenu* tools = menuBar()->addMenu("&Tools");
    tools->setObjectName("mnuTools");
    toolActions_[0] = AddAction(tools, "mnuArrow", "&Arrow");
    toolActions_[1] = AddAction(tools, "mnuCell", "&Cell...");
    toolActions_[2] = AddAction(tools, "mnuLink", "&Link");
    toolActions_[3] = AddAction(tools, "mnuNode", "&Node");
    for (QAction* action : toolActions_) {
        action->setCheckable(true);
    }
    connect(toolActions_[0], &QAction::triggered, this, [this] { ChooseTool(Tool::Arrow); });
    connect(toolActions_[1], &QAction::triggered, this, &MainWindow::OpenCellDialog);
    connect(toolActions_[2], &QAction::triggered, this, [this] { ChooseTool(Tool::Link); });
    connect(toolActions_[3], &QAction::triggered, this, [this] { ChooseTool(Tool::Node); });

    QMenu* add = menuBar()->addMenu("&Add");
    add->setObjectName("mnuAdd");
    AddAction(add, "mnuAddStreet", "&Street Name Grouping ...");
    AddAction(add, "munSpecialCell", "&Delay Result Grouping ...");
    AddAction(add, "mnuAddCTMPlot", "&CTM Plot Grouping ...");

    QMenu* setting = menuBar()->addMenu("&Setting");
    setting->setObjectName("mnuSetting");
    connect(AddAction(setting, "mnuSimulationParameter", "Simulation &Parameter ..."),
            &QAction::triggered, this, &MainWindow::OpenGlobalDialog);
    connect(AddAction(setting, "mnuSetColor", "Set &Color ..."), &QAction::triggered, this,
            &MainWindow::OpenColourDialog);
    QMenu* grouping = setting->addMenu("&Grouping");
    grouping->setObjectName("mnuGrouping");
    AddAction(grouping, "mnuStreet", "&Street Name ...");
    AddAction(grouping, "mnuRoadAttention", "&Delay Result ...");
    AddAction(grouping, "mnuCTMPlot", "&CTM Plot ...");

    QMenu* recover = menuBar()->addMenu("&Recover");
    recover->setObjectName("mnuRecover");
    connect(AddAction(recover, "mnuUndo", "&Undo"), &QAction::triggered, this, [this] {
        editor_.Undo();
        RedrawMap();
    });

    zoomMenu_ = menuBar()->addMenu("&Zoom");
    zoomMenu_->setObjectName("mnuZoom");
    connect(AddAction(zoomMenu_, "mnuZoomIn", "Zoom &In"), &QAction::triggered, this,
            &MainWindow::ZoomIn);
    connect(AddAction(zoomMenu_, "mnuNoZoom", "&Reset"), &QAction::triggered, this,
            &MainWindow::ResetZoom);

    QMenu* run = menuBar()->addMenu("&Run");
    run->setObjectName("mnuRun");
    AddAction(run, "mnuCTM", "&TALVO ...");
}

void MainWindow::RedrawMap() {
    canvas_->RedrawMap();
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

void MainWindow::ChooseTool(Tool tool) {
    editor_.SetTool(tool);
    UpdateToolChecks();
    RedrawMap();
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
    // From the map's pop-up the pointer stays over the same map point; from the menu
    // bar the centre of the picture does.
    const QPoint pixel = zoomPointer_.value_or(QPoint(canvas_->width() / 2, canvas_->height() / 2));
    view_.Recentre(pixel.x() * kTwipsPerPixel, pixel.y() * kTwipsPerPixel, oldZoom);
    SyncScrollBars();
    RedrawMap();
}

void MainWindow::SetCaption() {
    if (doc_.fileName().empty()) {
        setWindowTitle(kCaption);
    } else {
        setWindowTitle(QString(kCaption) + " - " + QString::fromStdString(doc_.fileName()));
    }
}

bool MainWindow::ConfirmDiscard() {
    if (!doc_.IsModified()) {
        return true;
    }
    switch (dialogs_.AskSaveChanges(kAskSave)) {
        case SaveChoice::Save:
            return FileSave(false);
        case SaveChoice::Discard:
            return true;
        case SaveChoice::Cancel:
            return false;
    }
    return false;
}

void MainWindow::FileNew() {
    if (!ConfirmDiscard()) {
        return;
    }
    doc_.TakeSnapshot();
    doc_.model().ResetModel();
    ChooseTool(Tool::Arrow);
    doc_.setFileName({});
    doc_.MarkUnmodified();
    SetCaption();
    RedrawMap();
}

void MainWindow::FileOpen(ProjectLayout layout) {
    if (!ConfirmDiscard()) {
        return;
    }
    const std::string path =
        dialogs_.OpenFileName("Open Input Data File Dialog", kProjectFilter, 1, "");
    if (path.empty()) {
        return;
    }
    OpenProjectFile(path, layout);
}

bool MainWindow::OpenProjectFile(const std::string& path, ProjectLayout layout) {
    if (!std::filesystem::exists(path)) {
        prompter_.caution(kFileNotFound);
        return false;
    }
    const EditResult result = doc_.model().OpenProject(path, layout);
    ChooseTool(Tool::Arrow);
    if (!result) {
        // The model is back in File New state; nothing of the file is kept.
        doc_.setFileName({});
        doc_.MarkUnmodified();
        SetCaption();
        RedrawMap();
        prompter_.caution(result.message());
        return false;
    }
    doc_.setFileName(std::filesystem::absolute(path).string());
    doc_.MarkUnmodified();
    SetCaption();
    RedrawMap();
    return true;
}

bool MainWindow::FileSave(bool askName) {
    std::string path = doc_.fileName();
    if (askName || path.empty()) {
        path = dialogs_.SaveFileName("Save Input Data File Dialog", kProjectFilter, 1, "");
        if (path.empty()) {
            return false;
        }
    }
    const EditResult result = doc_.model().SaveProject(path);
    if (!result) {
        // A failed write keeps the name and caption as they were.
        prompter_.caution(result.message());
        return false;
    }
    doc_.setFileName(std::filesystem::absolute(path).string());
    doc_.MarkUnmodified();
    SetCaption();
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (ConfirmDiscard()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::OpenCellDialog() {
    const SelectionState kept = editor_.selection();
    // Opening the dialog starts the new-cell defaults afresh, as the dialog shows them.
    doc_.newCellDefaults() = NewCellDefaults{};
    CellDialog dialog(prompter_, this);
    if (runDialog(dialog) == QDialog::Accepted) {
        NewCellDefaults& defaults = doc_.newCellDefaults();
        defaults.laneNum = dialog.defaults().laneNum;
        defaults.speed = dialog.defaults().speed;
        defaults.orientation = dialog.defaults().orientation;
        ChooseTool(Tool::Cell);
        return;
    }
    editor_.selection() = kept;
    UpdateToolChecks();
    RedrawMap();
}

void MainWindow::OpenGlobalDialog() {
    GlobalDialog dialog(doc_.project().params, prompter_, this);
    dialog.openOptimization = [this, &dialog] {
        OptimizationDialog optimization(doc_.project().params, prompter_, &dialog);
        runDialog(optimization);
    };
    runDialog(dialog);
    panel_->RefreshOccupancy();
    RedrawMap();
}

void MainWindow::OpenColourDialog() {
    SetColorDialog dialog(colours_, dialogs_, this);
    if (runDialog(dialog) != QDialog::Accepted) {
        return;
    }
    colours_ = dialog.chosen();
    RedrawMap();
    if (!WriteColourScheme(settingsPath().toStdString(), colours_)) {
        prompter_.caution("The colour settings could not be written to " +
                          settingsPath().toStdString() + ".");
    }
}

void MainWindow::OpenOriginDialog(int position) {
    auto& cells = doc_.project().tables.cells;
    if (position < 0 || position >= static_cast<int>(cells.size())) {
        return;
    }
    ORPropDialog dialog(cells[position], doc_.project().params, prompter_, this);
    runDialog(dialog);
}

}  // namespace talvo
