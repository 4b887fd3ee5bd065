#pragma once
// Driving text boxes as a user does: what is typed, then Enter.

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace talvo::test {

// Replaces the box's text and presses Enter: a complete entry.
inline void Type(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
}

}  // namespace talvo::test
