#pragma once

#include <QDialog>

#include "platform/Prompter.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace talvo {

// dlgCell: the defaults for cells that the cell tool adds.
class CellDialog : public QDialog {
    Q_OBJECT
  public:
    struct Defaults {
        int laneNum = 1;
        int speed = 65;
        int orientation = 1;
    };

    CellDialog(Prompter& prompter, QWidget* parent = nullptr);
    // The chosen defaults, valid after OK.
    const Defaults& defaults() const { return chosen_; }

  private:
    Prompter& prompter_;
    Defaults chosen_;
    int acceptedSpeed_ = 65;
    QLineEdit* speed_;
    QSpinBox* lanes_;
    QLineEdit* lanesText_;
    QComboBox* orientation_;
};

}  // namespace talvo
