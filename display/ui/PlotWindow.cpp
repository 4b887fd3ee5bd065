#include "ui/PlotWindow.h"

#include <fstream>

#include <QDir>
#include <QMenuBar>

#include "model/DisplayMessages.h"
#include "model/ReadError.h"
#include "ui/PlotChartWidget.h"
#include "ui/PlotConfDialog.h"

namespace talvo::display {

PlotWindow::PlotWindow(const DisplayPlatform& platform, const QString& fileName, QWidget* parent)
    : QMainWindow(parent, Qt::Window), platform_(platform), fileName_(fileName) {
    setObjectName("frmPlot");
    setAttribute(Qt::WA_DeleteOnClose);
    settings_.colorRange = 250 / 10;
    settings_.title = "Plot of " + fileName.toStdString();
    setWindowTitle("Occupancy Plot over Time-Space  - " + fileName);
    axes_.group = PlotGroupNumberOf(fileName.toStdString());

    chart_ = new PlotChartWidget(this);
    setCentralWidget(chart_);

    auto addItem = [this](const char* name, const char* text, auto slot) {
        QAction* action = menuBar()->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    addItem("mnuConfigure", "&Configure ...", &PlotWindow::mnuConfigure_Click);
    addItem("mnuPrint", "&Print by Paint ...", &PlotWindow::mnuPrint_Click);
    addItem("mnuSavePng", "Save picture as PNG ...", &PlotWindow::mnuSavePng_Click);
    addItem("mnuExit", "E&xit", &QWidget::close);
}

bool PlotWindow::readPlotFile() {
    try {
        std::ifstream in(fileName_.toStdString(), std::ios::binary);
        if (!in) {
            throw ReadError(fileName_.toStdString() + ": the file cannot be opened");
        }
        data_ = ReadPlotData(in, fileName_.toStdString());
    } catch (const ReadError& error) {
        data_ = PlotData{};
        PlotChart();
        platform_.prompter->caution(msg::kBadPlotFile, error.what());
        return false;
    }
    PlotChart();
    return true;
}

void PlotWindow::setAxes(PlotAxes axes) {
    axes_ = std::move(axes);
    QString caption = "Occupancy Plot over Time-Space  - " + fileName_;
    if (axes_.group > 0) {
        caption += QString(" - plot group %1").arg(axes_.group);
    }
    setWindowTitle(caption);
    PlotChart();
}

void PlotWindow::PlotChart() {
    chart_->setScene(BuildPlotChart(data_, settings_, axes_));
}

void PlotWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    PlotChart();
}

QImage PlotWindow::picture() const {
    return chart_->grab().toImage();
}

void PlotWindow::mnuConfigure_Click() {
    if (settingsDialog_ == nullptr) {
        settingsDialog_ = new PlotConfDialog(*this, *platform_.prompter);
    }
    settingsDialog_->show();
    settingsDialog_->raise();
    settingsDialog_->activateWindow();
}

void PlotWindow::mnuPrint_Click() {
    const QImage image = picture();
    const QString path = QDir(platform_.programDirectory).filePath("ctmplot.bmp");
    // The bitmap is kept for the user; the print works from the picture in memory, so a
    // program folder that cannot take it does not stop the print.
    if (!image.save(path, "BMP")) {
        platform_.prompter->caution("The picture could not be saved.", path.toStdString());
    }
    platform_.printer->print(image);
}

void PlotWindow::mnuSavePng_Click() {
    const std::string path =
        platform_.chooser->saveFileName(FileDialogRequest{msg::kPngTitle, msg::kPngFilter, 1, ""});
    if (path.empty()) {
        return;
    }
    if (!picture().save(QString::fromStdString(path), "PNG")) {
        platform_.prompter->caution("The picture could not be saved.", path);
    }
}

}  // namespace talvo::display
