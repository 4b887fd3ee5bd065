#include "HistoryKeys.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace talvo {

HistoryKeys::HistoryKeys(QWidget* window, QAction* undo, QAction* redo)
    : QObject(window), window_(window), undo_(undo), redo_(redo) {
    // The focus widget is asked first whether it takes a shortcut itself; only an
    // application filter sees that question for every field of the window.
    qApp->installEventFilter(this);
}

bool HistoryKeys::IsHistoryKey(const QKeySequence& keys) const {
    for (const QAction* action : {undo_, redo_}) {
        if (action->shortcuts().contains(keys)) {
            return true;
        }
    }
    return false;
}

bool HistoryKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || !window_->isAncestorOf(widget)) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!IsHistoryKey(QKeySequence(key->keyCombination()))) {
        return false;
    }
    auto* spin = qobject_cast<QAbstractSpinBox*>(widget);
    if (spin == nullptr) {
        spin = qobject_cast<QAbstractSpinBox*>(widget->parentWidget());
    }
    if (spin != nullptr) {
        spin->interpretText();
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        emit edit->editingFinished();  // stores what was typed, as leaving the field does
    } else {
        return false;
    }
    // Not taken by the field: the window's Undo or Redo runs.
    return true;
}

}  // namespace talvo
