#pragma once

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QSlider>
#include <QTimer>

#include "model/DisplaySession.h"
#include "ui/QtPlatform.h"

namespace talvo::display {

class DisplayCanvas;
class PlotWindow;
class SpeedDialog;

// frmGraphicDisplay, "Visual Talvo Display": the menus, the playback controls (steps, the
// time slider, the speed), the refresh timer and the playback picture over a
// DisplaySession. The Run items and the controls work only while a run is loaded.
class GraphicDisplayWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit GraphicDisplayWindow(const DisplayPlatform& platform, QWidget* parent = nullptr);

    DisplaySession& session() { return session_; }
    const DisplaySession& session() const { return session_; }
    DisplayCanvas* canvas() const { return canvas_; }
    Prompter& prompter() const { return *platform_.prompter; }

    // Opens the three files as "&Open" does after its dialogs (command-line start).
    bool openFiles(const QString& project, const QString& occupancy, const QString& plan);
    // A new plot window on a plot file, owned by this window; nullptr when it does not read.
    PlotWindow* openPlotWindow(const QString& path);
    // The current playback frame as a picture.
    QImage currentFrame() const;

  public slots:
    void mnuOpen_Click();
    void mnuChangeTimePlan_Click();
    void mnuPlotCTM_Click();
    void mnuResetZoom_Click();
    void mnuSavePicture_Click();
    void mnuZoomIn_Click();
    void mnuZoomOut_Click();
    void mnuFitNetwork_Click();
    void mnuStart_Click();
    void mnuPause_Click();
    void mnuPlayPause_Click();
    void mnuEnd_Click();
    void mnuStepForward_Click();
    void mnuStepBack_Click();
    void mnuSpeed_Click();
    void sdrTime_Change(int second);
    void cmbSpeed_Change(int index);
    void tirRefresh_Timer();

  private:
    void buildMenus();
    QWidget* buildControls(QWidget* parent);
    void afterOpen(bool ok);
    // Timer, menu items, controls, captions and counter as the playback state says; then a
    // redraw.
    void showPlayback();
    void showZoom(double zoom);

    DisplayPlatform platform_;
    DisplaySession session_;
    DisplayCanvas* canvas_ = nullptr;
    QTimer* timer_ = nullptr;
    QLabel* lblCounter_ = nullptr;
    QLabel* lblEndTime_ = nullptr;
    QSlider* sdrTime_ = nullptr;
    QComboBox* cmbSpeed_ = nullptr;
    QLabel* lblZoom_ = nullptr;
    QLabel* lblPointer_ = nullptr;
    QAction* mnuChangeTimePlan_ = nullptr;
    QAction* mnuStart_ = nullptr;
    QAction* mnuPause_ = nullptr;
    QAction* mnuEnd_ = nullptr;
    QAction* mnuStepBack_ = nullptr;
    QAction* mnuStepForward_ = nullptr;
    QAction* mnuSpeed_ = nullptr;
    QPointer<SpeedDialog> speedDialog_;
};

}  // namespace talvo::display
