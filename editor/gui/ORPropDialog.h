#pragma once

#include <QDialog>
#include <vector>

#include "common/ProjectRecords.h"
#include "model/Prompter.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace talvo {

// dlgORProp: the origin demand intervals of one cell, edited on a private copy that
// reaches the cell only when OK finds every interval sound.
class ORPropDialog : public QDialog {
    Q_OBJECT
  public:
    ORPropDialog(CellRecord& cell, const GlobalParameters& params, Prompter& prompter,
                 QWidget* parent = nullptr);

  private:
    void SetTotal(int total);
    void ShowInterval(int index);
    bool Apply();

    CellRecord& cell_;
    const GlobalParameters& params_;
    Prompter& prompter_;
    std::vector<OriginInterval> copy_;
    int current_ = -1;
    QSpinBox* total_;
    QLineEdit* totalText_;
    QComboBox* intervalNo_;
    QLineEdit* vehiclePerHr_;
    QLineEdit* start_;
    QLineEdit* end_;
};

}  // namespace talvo
