#pragma once

#include <QWidget>
#include <functional>

#include "PanelContext.h"
#include "model/FieldRules.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace talvo {

class NumberField;

// The "&Cell" tab: frmCellProp, the signal query frmSignalProp and cmdORProp.
class CellPage : public QWidget {
    Q_OBJECT
  public:
    explicit CellPage(PanelContext& context, QWidget* parent = nullptr);

    void ShowCell(int cellID);
    void Clear();

  private:
    const CellRecord* Cell() const;
    void Set(CellField field, double value);
    void SetSignalChecked(bool checked);
    void FillSignalList();
    void ChooseSignal(int comboIndex);
    NumberField* Field(QLineEdit* edit, CellField field, std::function<QString()> text);

    PanelContext& ctx_;
    int id_ = kNoRecord;  // the cell shown, by ID
    bool filling_ = false;
    QComboBox* orientation_;
    QSpinBox* lanes_;
    QLineEdit* lanesText_;
    QLineEdit* speed_;
    QCheckBox* ownOccupancy_;
    QLabel* carNumLabel_;
    QLineEdit* carNum_;
    QLabel* carNumUnit_;
    QLineEdit* capacityFactor_;
    QLineEdit* capacity_;
    QCheckBox* dummy_;
    QCheckBox* signal_;
    QComboBox* signalID_;
    QPushButton* orProp_;
};

}  // namespace talvo
