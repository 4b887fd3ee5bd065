#pragma once

#include <QDialog>
#include <vector>

#include "common/ProjectRecords.h"
#include "platform/Prompter.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace talvo {

class NumberField;

// dlgORProp: the origin demand intervals of one cell, edited on a private copy that the
// window hands to the model only when OK finds every interval sound.
class ORPropDialog : public QDialog {
    Q_OBJECT
  public:
    ORPropDialog(const CellRecord& cell, const GlobalParameters& params, Prompter& prompter,
                 QWidget* parent = nullptr);

    // The intervals as OK accepted them.
    const std::vector<OriginInterval>& intervals() const { return copy_; }

  private:
    void SetTotal(int total);
    void ShowInterval(int index);
    bool Apply();
    bool HasCurrent() const { return current_ >= 0 && current_ < static_cast<int>(copy_.size()); }

    Prompter& prompter_;
    std::vector<NumberField*> fields_;
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
