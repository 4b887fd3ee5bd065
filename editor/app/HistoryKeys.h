#pragma once

#include <QObject>

class QAction;
class QWidget;

namespace talvo {

// The keys of Undo and Redo mean the project's history anywhere in the window, also while
// a text box or spin box of the panel has the focus, whose own undo of a few typed
// characters would otherwise take them. Typing not stored yet is stored first, so that the
// undo takes exactly that typing back.
class HistoryKeys : public QObject {
  public:
    HistoryKeys(QWidget* window, QAction* undo, QAction* redo);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool IsHistoryKey(const QKeySequence& keys) const;

    QWidget* window_;
    QAction* undo_;
    QAction* redo_;
};

}  // namespace talvo
