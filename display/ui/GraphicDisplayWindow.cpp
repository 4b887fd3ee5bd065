#include "ui/GraphicDisplayWindow.h"

#include <QHBoxLayout>
#include <QMenuBar>
#include <QVBoxLayout>

#include "model/DisplayMessages.h"
#include "ui/DisplayCanvas.h"
#include "ui/PlotWindow.h"
#include "ui/SpeedDialog.h"

namespace talvo::display {

GraphicDisplayWindow::GraphicDisplayWindow(const DisplayPlatform& platform, QWidget* parent)
    : QMainWindow(parent), platform_(platform), session_(*platform.prompter, *platform.chooser) {
    setObjectName("frmGraphicDisplay");
    setWindowTitle(msg::kCaption);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* counterRow = new QHBoxLayout;
    auto* lblTime = new QLabel("Time:", central);
    lblTime->setObjectName("lblTime");
    lblCounter_ = new QLabel("0", central);
    lblCounter_->setObjectName("lblCounter");
    lblCounter_->setMinimumWidth(60);
    counterRow->addWidget(lblTime);
    counterRow->addWidget(lblCounter_);
    counterRow->addStretch();
    layout->addLayout(counterRow);
    canvas_ = new DisplayCanvas(session_, central);
    layout->addWidget(canvas_, 1);
    setCentralWidget(central);

    timer_ = new QTimer(this);
    timer_->setObjectName("tirRefresh");
    timer_->setInterval(session_.playback().intervalMs());
    connect(timer_, &QTimer::timeout, this, &GraphicDisplayWindow::tirRefresh_Timer);

    buildMenus();
    showPlayback();
}

void GraphicDisplayWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    auto addItem = [this](QMenu* menu, const char* name, const char* text, auto slot) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
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

    QMenu* run = menuBar()->addMenu("&Run");
    run->setObjectName("mnuRun");
    mnuStart_ = addItem(run, "mnuStart", "&Start", &GraphicDisplayWindow::mnuStart_Click);
    mnuPause_ = addItem(run, "mnuPause", "&Pause", &GraphicDisplayWindow::mnuPause_Click);
    mnuEnd_ = addItem(run, "mnuEnd", "&End", &GraphicDisplayWindow::mnuEnd_Click);
    addItem(run, "mnuSpeed", "Spee&d ...", &GraphicDisplayWindow::mnuSpeed_Click);
}

void GraphicDisplayWindow::showPlayback() {
    const Playback& playback = session_.playback();
    timer_->setInterval(playback.intervalMs());
    if (playback.timerOn() && !timer_->isActive()) {
        timer_->start();
    } else if (!playback.timerOn() && timer_->isActive()) {
        timer_->stop();
    }
    mnuStart_->setEnabled(playback.startEnabled());
    mnuEnd_->setEnabled(playback.endEnabled());
    mnuPause_->setText(QString::fromStdString(playback.pauseCaption()));
    lblCounter_->setText(QString::fromStdString(playback.counterText()));
    canvas_->update();
}

void GraphicDisplayWindow::afterOpen(bool ok) {
    canvas_->setShowing(ok);
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
    showPlayback();
}

PlotWindow* GraphicDisplayWindow::openPlotWindow(const QString& path) {
    auto* window = new PlotWindow(platform_, path, this);
    if (!window->readPlotFile()) {
        delete window;
        return nullptr;
    }
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
    session_.resetZoom();
    canvas_->update();
}

QImage GraphicDisplayWindow::currentFrame() const {
    return canvas_->grab().toImage();
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
    if (!session_.playback().startEnabled()) {
        return;
    }
    session_.playback().start();
    showPlayback();
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

void GraphicDisplayWindow::mnuSpeed_Click() {
    if (speedDialog_ == nullptr) {
        speedDialog_ = new SpeedDialog(session_.playback(), this);
        connect(speedDialog_, &SpeedDialog::intervalChanged, this,
                [this](int interval) { timer_->setInterval(interval); });
    }
    speedDialog_->show();
    speedDialog_->raise();
}

void GraphicDisplayWindow::tirRefresh_Timer() {
    session_.tick();
    showPlayback();
}

}  // namespace talvo::display
