#pragma once

#include <QWidget>

#include "PanelContext.h"

class QComboBox;
class QLineEdit;

namespace talvo {

// The "&Link" tab: frmLinkProp (from, to, pass intersection) and frmMergeDivert.
class LinkPage : public QWidget {
    Q_OBJECT
  public:
    explicit LinkPage(PanelContext& context, QWidget* parent = nullptr);

    void ShowLink(int linkID);
    void Clear();

  private:
    const LinkRecord* Link() const;
    void ChoosePassNode(int comboIndex);
    void SelectPassNode(int nodeID);

    PanelContext& ctx_;
    int id_ = kNoRecord;  // the link shown, by ID
    bool filling_ = false;
    QLineEdit* from_;
    QLineEdit* to_;
    QComboBox* passIntersection_;
    QLineEdit* mergeDivert_;
};

}  // namespace talvo
