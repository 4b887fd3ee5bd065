#pragma once

#include <QDialog>
#include <vector>

#include "common/ProjectRecords.h"
#include "platform/Prompter.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace talvo {

class NumberField;

// dlgOptimization: the GA parameters and the control strategy, edited on the dialog's
// own copy until OK.
class OptimizationDialog : public QDialog {
    Q_OBJECT
  public:
    OptimizationDialog(const GlobalParameters& params, Prompter& prompter,
                       QWidget* parent = nullptr);

    // After OK: writes this dialog's values (and only these) into params.
    void ApplyTo(GlobalParameters& params) const;

    // "Refine the GA's best plan": a run setting, not a project value (see EditorCommands).
    void setRefine(bool refine);
    // After OK: the check box as it was accepted.
    bool refine() const { return refine_; }

  private:
    GlobalParameters values_;
    std::vector<NumberField*> fields_;
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
    QCheckBox* refineBox_;
    bool refine_ = false;
};

}  // namespace talvo
