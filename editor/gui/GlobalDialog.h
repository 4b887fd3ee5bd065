#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "common/ProjectRecords.h"
#include "platform/Prompter.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QPushButton;

namespace talvo {

class NumberField;

// dlgGlobal: the global simulation parameters. Every text box is checked as it changes
// and stores its complete entries in the dialog's own copy; nothing reaches the model
// before OK, when the window hands the copy on as one command.
class GlobalDialog : public QDialog {
    Q_OBJECT
  public:
    GlobalDialog(const GlobalParameters& params, Prompter& prompter, QWidget* parent = nullptr);

    // Opens dlgOptimization; the window replaces it in tests to avoid a modal loop.
    std::function<void()> openOptimization;

    // After OK: writes this dialog's values (and only these) into params.
    void ApplyTo(GlobalParameters& params) const;

    // The design speeds of the network's cells, for the warning shown while the entered
    // saturation flow cannot limit a queue's discharge (it does not refuse the value).
    void setCellSpeeds(std::vector<double> speeds);

  private:
    void showSaturationFlowWarning();

    std::vector<double> cellSpeeds_;
    QLabel* saturationFlowWarning_;
    GlobalParameters values_;
    std::vector<NumberField*> fields_;
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
