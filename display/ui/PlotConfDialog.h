#pragma once

#include <QDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

#include "model/Platform.h"

namespace talvo::display {

class PlotWindow;

// frmPlotConf, "Chart Settings": edits one plot window's shades, resolution, aggregation and
// title; modeless, owned by that window.
class PlotConfDialog : public QDialog {
    Q_OBJECT
  public:
    PlotConfDialog(PlotWindow& parent, Prompter& prompter);

    int intIntervalNum = 10;
    int intIntervalRange = 1;
    int intDataNumPerRegion = 1;
    QString strTitle;

  public slots:
    void cmdOK_Click();

  private:
    QSpinBox* addNumber(QFormLayout* layout, const char* caption, const char* textName,
                        const char* upDownName, int minimum, int maximum, int value,
                        QLineEdit*& text);

    PlotWindow& frmParent_;
    Prompter& prompter_;
    QLineEdit* txtIntervalNum_ = nullptr;
    QLineEdit* txtIntervalRange_ = nullptr;
    QLineEdit* txtDataNumPerRegion_ = nullptr;
    QLineEdit* txtTitle_ = nullptr;
};

}  // namespace talvo::display
