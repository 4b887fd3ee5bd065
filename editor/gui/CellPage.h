#pragma once

#include <QWidget>

#include "PanelContext.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace talvo {

// The "&Cell" tab: frmCellProp, the signal query frmSignalProp and cmdORProp.
class CellPage : public QWidget {
    Q_OBJECT
  public:
    explicit CellPage(PanelContext& context, QWidget* parent = nullptr);

    void ShowCell(int position);
    void Clear();
    // After the global occupancy changed: a cell without its own value shows it.
    void RefreshOccupancy();

  private:
    CellRecord* Cell();
    void SetSignalChecked(bool checked);
    void FillSignalList();
    void ChooseSignal(int comboIndex);
    bool MovementInUse(int movement, int* nodeID) const;

    PanelContext& ctx_;
    int position_ = -1;
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
