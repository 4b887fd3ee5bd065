#include "ui/GraphicDisplayWindow.h"

#include <QHBoxLayout>
#include <QMenuBar>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "mapview/ScreenFit.h"
#include "model/DisplayMessages.h"
#include "model/DisplayScene.h"
#include "model/PlotChart.h"
#include "ui/DisplayCanvas.h"
#include "ui/PlotWindow.h"
#include "ui/SpeedDialog.h"

namespace talvo::display {
namespace {

constexpr double kZoomStep = 1.25;

class JumpingSliderStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == QStyle::SH_Slider_AbsoluteSetButtons) {
            return Qt::LeftButton;
        }
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

}  // namespace

GraphicDisplayWindow::GraphicDisplayWindow(const DisplayPlatform& platform, QWidget* parent)
    : QMainWindow(parent), platform_(platform), session_(*platform.prompter, *platform.chooser) {
    setObjectName("frmGraphicDisplay");
    setWindowTitle(msg::kCaption);

    timer_ = new QTimer(this);
    // A coarse timer may fire up to 5% late, which a fast playback shows as lost steps.
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setObjectName("tirRefresh");
    timer_->setInterval(session_.playback().intervalMs());
    connect(timer_, &QTimer::timeout, this, &GraphicDisplayWindow::tirRefresh_Timer);

    buildMenus();
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildControls(central));
    canvas_ = new DisplayCanvas(session_, central);
    layout->addWidget(canvas_, 1);
    setCentralWidget(central);

    lblZoom_ = new QLabel(this);
    lblZoom_->setObjectName("lblZoom");
    lblPointer_ = new QLabel(this);
    lblPointer_->setObjectName("lblPointer");
    statusBar()->addPermanentWidget(lblPointer_);
    statusBar()->addPermanentWidget(lblZoom_);
    connect(canvas_, &DisplayCanvas::zoomChanged, this, &GraphicDisplayWindow::showZoom);
    connect(canvas_, &DisplayCanvas::pointerMoved, this,
            [this](scene::Point map) { lblPointer_->setText(scene::PointerText(map)); });
    showZoom(session_.view().zoom());
    showPlayback();
}

void GraphicDisplayWindow::buildMenus() {
    auto addItem = [this](QMenu* menu, const char* name, const char* text, auto slot) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    addItem(file, "mnuOpen", "&Open", &GraphicDisplayWindow::mnuOpen_Click);
    mnuChangeTimePlan_ = addItem(file, "mnuChangeTimePlan", "&Change time plan",
                                 &GraphicDisplayWindow::mnuChangeTimePlan_Click);
    mnuChangeTimePlan_->setEnabled(false);
    addItem(file, "mnuPlotCTM", "&Plot CTM ...", &GraphicDisplayWindow::mnuPlotCTM_Click);
    addItem(file, "mnuResetZoom", "&Reset Zoom", &GraphicDisplayWindow::mnuResetZoom_Click);
    addItem(file, "mnuSavePicture", "Save picture as PNG ...",
            &GraphicDisplayWindow::mnuSavePicture_Click);
    file->addSeparator();
    QAction* exit = file->addAction("E&xit");
    exit->setObjectName("mnuExit");
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* view = menuBar()->addMenu("&View");
    view->setObjectName("mnuView");
    // Ctrl+= as well, where "+" needs Shift on the keyboard.
    QList<QKeySequence> zoomInKeys = QKeySequence::keyBindings(QKeySequence::ZoomIn);
    zoomInKeys.append(QKeySequence(Qt::CTRL | Qt::Key_Equal));
    addItem(view, "mnuZoomIn", "Zoom &In", &GraphicDisplayWindow::mnuZoomIn_Click)
        ->setShortcuts(zoomInKeys);
    addItem(view, "mnuZoomOut", "Zoom &Out", &GraphicDisplayWindow::mnuZoomOut_Click)
        ->setShortcut(QKeySequence::ZoomOut);
    addItem(view, "mnuFitNetwork", "&Fit network", &GraphicDisplayWindow::mnuFitNetwork_Click)
        ->setShortcut(Qt::Key_F);

    QMenu* run = menuBar()->addMenu("&Run");
    run->setObjectName("mnuRun");
    mnuStart_ = addItem(run, "mnuStart", "&Start", &GraphicDisplayWindow::mnuStart_Click);
    mnuPause_ = addItem(run, "mnuPause", "&Pause", &GraphicDisplayWindow::mnuPause_Click);
    mnuEnd_ = addItem(run, "mnuEnd", "&End", &GraphicDisplayWindow::mnuEnd_Click);
    run->addSeparator();
    mnuStepBack_ =
        addItem(run, "mnuStepBack", "Step &back", &GraphicDisplayWindow::mnuStepBack_Click);
    mnuStepBack_->setShortcut(Qt::Key_Left);
    mnuStepForward_ = addItem(run, "mnuStepForward", "Step &forward",
                              &GraphicDisplayWindow::mnuStepForward_Click);
    mnuStepForward_->setShortcut(Qt::Key_Right);
    run->addSeparator();
    mnuSpeed_ = addItem(run, "mnuSpeed", "Spee&d ...", &GraphicDisplayWindow::mnuSpeed_Click);
    // Space plays from a stop, pauses and continues.
    QAction* playPause =
        addItem(run, "mnuPlayPause", "Play / Pa&use", &GraphicDisplayWindow::mnuPlayPause_Click);
    playPause->setShortcut(Qt::Key_Space);

    const QStyle* look = style();
    mnuStart_->setIcon(look->standardIcon(QStyle::SP_MediaPlay));
    mnuPause_->setIcon(look->standardIcon(QStyle::SP_MediaPause));
    mnuEnd_->setIcon(look->standardIcon(QStyle::SP_MediaStop));
    mnuStepBack_->setIcon(look->standardIcon(QStyle::SP_MediaSeekBackward));
    mnuStepForward_->setIcon(look->standardIcon(QStyle::SP_MediaSeekForward));
}

QWidget* GraphicDisplayWindow::buildControls(QWidget* parent) {
    auto* controls = new QWidget(parent);
    controls->setObjectName("fraPlayback");
    auto* row = new QHBoxLayout(controls);
    row->setContentsMargins(6, 3, 6, 3);
    for (QAction* action : {mnuStepBack_, mnuStart_, mnuPause_, mnuEnd_, mnuStepForward_}) {
        auto* button = new QToolButton(controls);
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        if (action == mnuPause_) {
            // Wide enough for "Continue" too, so that the row does not shift when it changes.
            button->setObjectName("cmdPause");
            const QString pause = mnuPause_->text();
            mnuPause_->setText(Playback::kContinueCaption);
            button->setMinimumWidth(button->sizeHint().width());
            mnuPause_->setText(pause);
        }
        row->addWidget(button);
    }
    auto* lblTime = new QLabel("Time:", controls);
    lblTime->setObjectName("lblTime");
    lblCounter_ = new QLabel("0", controls);
    lblCounter_->setObjectName("lblCounter");
    lblCounter_->setMinimumWidth(lblCounter_->fontMetrics().horizontalAdvance("00000"));
    lblCounter_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblEndTime_ = new QLabel(controls);
    lblEndTime_->setObjectName("lblEndTime");
    row->addSpacing(8);
    row->addWidget(lblTime);
    row->addWidget(lblCounter_);
    row->addWidget(lblEndTime_);
    sdrTime_ = new QSlider(Qt::Horizontal, controls);
    sdrTime_->setObjectName("sdrTime");
    // A click on the groove jumps to that second rather than a page towards it.
    auto* jumping = new JumpingSliderStyle;
    jumping->setParent(sdrTime_);
    sdrTime_->setStyle(jumping);
    sdrTime_->setToolTip("Jump to a second of the run");
    connect(sdrTime_, &QSlider::valueChanged, this, &GraphicDisplayWindow::sdrTime_Change);
    row->addWidget(sdrTime_, 1);
    auto* lblSpeed = new QLabel("Speed:", controls);
    cmbSpeed_ = new QComboBox(controls);
    cmbSpeed_->setObjectName("cmbSpeed");
    for (const int steps : Playback::kStepsPerSecond) {
        cmbSpeed_->addItem(QString("%1 steps/s").arg(steps), steps);
    }
    connect(cmbSpeed_, &QComboBox::activated, this, &GraphicDisplayWindow::cmbSpeed_Change);
    row->addWidget(lblSpeed);
    row->addWidget(cmbSpeed_);
    return controls;
}

void GraphicDisplayWindow::showPlayback() {
    const Playback& playback = session_.playback();
    const bool loaded = session_.loaded();
    timer_->setInterval(playback.intervalMs());
    if (playback.timerOn() && !timer_->isActive()) {
        timer_->start();
    } else if (!playback.timerOn() && timer_->isActive()) {
        timer_->stop();
    }
    mnuStart_->setEnabled(loaded && playback.startEnabled());
    mnuPause_->setEnabled(loaded && playback.endEnabled());
    mnuEnd_->setEnabled(loaded && playback.endEnabled());
    for (QAction* action : {mnuStepBack_, mnuStepForward_, mnuSpeed_}) {
        action->setEnabled(loaded);
    }
    mnuPause_->setText(QString::fromStdString(playback.pauseCaption()));
    lblCounter_->setText(QString::fromStdString(playback.counterText()));
    const int endStep = session_.model().parameters().endStep;
    lblEndTime_->setText(loaded ? QString("of %1 s").arg(endStep) : QString());
    {
        const QSignalBlocker blocker(sdrTime_);
        sdrTime_->setEnabled(loaded);
        sdrTime_->setRange(0, loaded ? endStep : 0);
        sdrTime_->setPageStep(std::max(1, endStep / 20));
        sdrTime_->setValue(playback.step());
    }
    {
        const QSignalBlocker blocker(cmbSpeed_);
        cmbSpeed_->setEnabled(loaded);
        cmbSpeed_->setCurrentIndex(cmbSpeed_->findData(playback.stepsPerSecond()));
    }
    canvas_->viewport()->update();
}

void GraphicDisplayWindow::showZoom(double zoom) {
    lblZoom_->setText(scene::ZoomText(zoom));
}

void GraphicDisplayWindow::afterOpen(bool ok) {
    canvas_->setShowing(ok);
    // A new network is fitted to the window; reopening a run of the same one keeps the view.
    if (ok && !session_.reopenedSameProject()) {
        canvas_->fitNetwork();
    }
    mnuChangeTimePlan_->setEnabled(session_.changeTimePlanEnabled());
    setWindowTitle(QString::fromStdString(session_.caption()));
    showPlayback();
}

bool GraphicDisplayWindow::openFiles(const QString& project, const QString& occupancy,
                                     const QString& plan) {
    const bool ok =
        session_.openFiles(project.toStdString(), occupancy.toStdString(), plan.toStdString());
    afterOpen(ok);
    return ok;
}

void GraphicDisplayWindow::mnuOpen_Click() {
    const bool ok = session_.open();
    // A command that stops at its dialogs or its file checks leaves the previous state alone.
    if (session_.lastOpenRead()) {
        afterOpen(ok);
    } else {
        showPlayback();
    }
}

void GraphicDisplayWindow::mnuChangeTimePlan_Click() {
    if (!session_.changeTimePlanEnabled()) {
        return;
    }
    session_.changeTimePlan();
    setWindowTitle(QString::fromStdString(session_.caption()));
    showPlayback();
}

PlotWindow* GraphicDisplayWindow::openPlotWindow(const QString& path) {
    auto* window = new PlotWindow(platform_, path, this);
    if (!window->readPlotFile()) {
        delete window;
        return nullptr;
    }
    // The loaded project names the plot group's cells and seconds.
    const std::string file = path.toStdString();
    window->setAxes(session_.loaded()
                        ? PlotAxesOf(file, session_.model().project.tables.plotGroups,
                                     window->data(), DestinationCellIDs(session_.network()))
                        : PlotAxesBeside(file, window->data()));
    mapview::FitOnScreen(*window, window->sizeHint());
    window->show();
    return window;
}

void GraphicDisplayWindow::mnuPlotCTM_Click() {
    const auto path = session_.choosePlotFile();
    if (path) {
        openPlotWindow(QString::fromStdString(*path));
    }
}

void GraphicDisplayWindow::mnuResetZoom_Click() {
    canvas_->resetZoom();
}

void GraphicDisplayWindow::mnuZoomIn_Click() {
    canvas_->zoomBy(kZoomStep);
}

void GraphicDisplayWindow::mnuZoomOut_Click() {
    canvas_->zoomBy(1.0 / kZoomStep);
}

void GraphicDisplayWindow::mnuFitNetwork_Click() {
    canvas_->fitNetwork();
}

QImage GraphicDisplayWindow::currentFrame() const {
    return canvas_->frame();
}

void GraphicDisplayWindow::mnuSavePicture_Click() {
    const std::string path =
        platform_.chooser->saveFileName(FileDialogRequest{msg::kPngTitle, msg::kPngFilter, 1, ""});
    if (path.empty()) {
        return;
    }
    if (!currentFrame().save(QString::fromStdString(path), "PNG")) {
        platform_.prompter->caution("The picture could not be saved.", path);
    }
}

void GraphicDisplayWindow::mnuStart_Click() {
    if (!session_.loaded() || !session_.playback().startEnabled()) {
        return;
    }
    session_.playback().start();
    showPlayback();
}

void GraphicDisplayWindow::mnuPlayPause_Click() {
    if (session_.playback().startEnabled()) {
        mnuStart_Click();
    } else {
        mnuPause_Click();
    }
}

void GraphicDisplayWindow::mnuPause_Click() {
    session_.playback().togglePause();
    showPlayback();
}

void GraphicDisplayWindow::mnuEnd_Click() {
    if (!session_.playback().endEnabled()) {
        return;
    }
    session_.playback().end();
    showPlayback();
}

void GraphicDisplayWindow::mnuStepForward_Click() {
    if (session_.loaded()) {
        session_.stepForward();
        showPlayback();
    }
}

void GraphicDisplayWindow::mnuStepBack_Click() {
    if (session_.loaded()) {
        session_.stepBack();
        showPlayback();
    }
}

void GraphicDisplayWindow::sdrTime_Change(int second) {
    if (session_.loaded()) {
        session_.seek(second);
        showPlayback();
    }
}

void GraphicDisplayWindow::cmbSpeed_Change(int index) {
    session_.playback().setStepsPerSecond(cmbSpeed_->itemData(index).toInt());
    showPlayback();
}

void GraphicDisplayWindow::mnuSpeed_Click() {
    if (speedDialog_ == nullptr) {
        speedDialog_ = new SpeedDialog(session_.playback(), this);
        connect(speedDialog_, &SpeedDialog::intervalChanged, this, [this](int) { showPlayback(); });
    }
    speedDialog_->show();
    speedDialog_->raise();
}

void GraphicDisplayWindow::tirRefresh_Timer() {
    session_.tick();
    showPlayback();
}

}  // namespace talvo::display
