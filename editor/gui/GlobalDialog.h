#pragma once

#include <QDialog>
#include <functional>

#include "common/ProjectRecords.h"
#include "model/Prompter.h"

class QLineEdit;
class QRadioButton;
class QPushButton;

namespace talvo {

// dlgGlobal: the global simulation parameters. Every text box is checked as it
// changes; nothing reaches the parameters before OK.
class GlobalDialog : public QDialog {
    Q_OBJECT
  public:
    GlobalDialog(GlobalParameters& params, Prompter& prompter, QWidget* parent = nullptr);

    // Opens dlgOptimization; the window replaces it in tests to avoid a modal loop.
    std::function<void()> openOptimization;

  private:
    void Store();

    GlobalParameters& params_;
    Prompter& prompter_;
    QLineEdit* wvRatio_;
    QLineEdit* jamDensity_;
    QLineEdit* saturationFlow_;
    QLineEdit* initialOccupancy_;
    QLineEdit* timeStep_;
    QLineEdit* endSimulationStep_;
    QLineEdit* startStep_;
    QLineEdit* endStep_;
    QLineEdit* phaseCycle_;
    QLineEdit* networkCycleTime_;
    QLineEdit* cellScaleX_;
    QLineEdit* cellScaleY_;
    QRadioButton* optimization_;
    QRadioButton* simulation_;
    QPushButton* cmdOptimization_;
};

}  // namespace talvo
