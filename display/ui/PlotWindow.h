#pragma once

#include <QMainWindow>
#include <QPointer>

#include "model/PlotChart.h"
#include "model/PlotData.h"
#include "ui/PlotConfDialog.h"
#include "ui/QtPlatform.h"

namespace talvo::display {

class PlotChartWidget;

// frmPlot: one CTM plot file as a shaded time-space diagram, with its own settings.
class PlotWindow : public QMainWindow {
    Q_OBJECT
  public:
    PlotWindow(const DisplayPlatform& platform, const QString& fileName, QWidget* parent);

    int NInterval() const { return settings_.nInterval; }
    void setNInterval(int value) { settings_.nInterval = value; }
    int Range() const { return settings_.range; }
    void setRange(int value) { settings_.range = value; }
    int Step() const { return settings_.step; }
    void setStep(int value) { settings_.step = value; }
    int ColorRange() const { return settings_.colorRange; }
    QString Title() const { return QString::fromStdString(settings_.title); }
    void setTitle(const QString& title) { settings_.title = title.toStdString(); }

    const PlotData& data() const { return data_; }
    // What the rows and columns stand for (the plot group's cells and seconds); the caption
    // names the group.
    const PlotAxes& axes() const { return axes_; }
    void setAxes(PlotAxes axes);
    PlotChartWidget* chart() const { return chart_; }
    PlotConfDialog* settingsDialog() const { return settingsDialog_; }

    // Reads the plot file into the data; shows the format message and returns false when it
    // does not read.
    bool readPlotFile();
    // Redraws the data already read with the current settings.
    void PlotChart();
    QImage picture() const;

  public slots:
    void mnuConfigure_Click();
    void mnuPrint_Click();
    void mnuSavePng_Click();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    DisplayPlatform platform_;
    QString fileName_;
    PlotSettings settings_;
    PlotAxes axes_;
    PlotData data_;
    PlotChartWidget* chart_ = nullptr;
    QPointer<PlotConfDialog> settingsDialog_;
};

}  // namespace talvo::display
