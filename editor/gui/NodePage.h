#pragma once

#include <QWidget>
#include <vector>

#include "PanelContext.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace talvo {

// The "&Node" tab (frmPhaseProp): the stage plan of a signalised node.
class NodePage : public QWidget {
    Q_OBJECT
  public:
    explicit NodePage(PanelContext& context, QWidget* parent = nullptr);

    void ShowNode(int nodeID);
    void Clear();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    const NodeRecord* Node() const;
    const StageRecord* Stage() const;
    void Apply(const EditResult& result);
    void CollectCandidates();
    void FillStageList();
    void ShowStage(int stageIndex);
    void FillMovementLists();
    void SetStageCount(int count);
    void MoveRight();
    void MoveLeft();
    void DeleteStage();
    void HighlightFrom(QListWidget* list);

    PanelContext& ctx_;
    int id_ = kNoRecord;  // the node shown, by ID
    int stage_ = -1;
    bool filling_ = false;
    std::vector<int> candidates_;
    QSpinBox* phaseNum_;
    QLineEdit* phaseNumText_;
    QComboBox* currentPhase_;
    QLineEdit* phaseInterval_;
    QLineEdit* phaseOffset_;
    QCheckBox* phaseOptimization_;
    QListWidget* available_;
    QListWidget* current_;
    QPushButton* right_;
    QPushButton* left_;
    QPushButton* deletePhase_;
    QLabel* conflictHint_;
};

}  // namespace talvo
