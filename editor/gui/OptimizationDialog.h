#pragma once

#include <QDialog>

#include "common/ProjectRecords.h"
#include "model/Prompter.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace talvo {

// dlgOptimization: the GA parameters and the control strategy.
class OptimizationDialog : public QDialog {
    Q_OBJECT
  public:
    OptimizationDialog(GlobalParameters& params, Prompter& prompter, QWidget* parent = nullptr);

  private:
    void Store();

    GlobalParameters& params_;
    Prompter& prompter_;
    QLineEdit* maxCycleTime_;
    QLineEdit* minGreenTime_;
    QLineEdit* lostTime_;
    QLineEdit* populationSize_;
    QLineEdit* generationNum_;
    QLineEdit* terminationNum_;
    QLineEdit* mutationRate_;
    QLineEdit* fitnessIndex_;
    QLineEdit* volMultiplier_;
    QCheckBox* adaptWebster_;
    QCheckBox* initialSeed_;
    QRadioButton* strategies_[3];
};

}  // namespace talvo
