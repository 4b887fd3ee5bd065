#include "FieldText.h"

#include <QLineEdit>
#include <QPalette>
#include <QSignalBlocker>

#include "common/NumberText.h"

namespace talvo {

void SetTextUnchecked(QLineEdit* edit, const QString& text) {
    const QSignalBlocker blocker(edit);
    edit->setText(text);
}

void ShowAsReadOnly(QLineEdit* edit) {
    edit->setReadOnly(true);
    edit->setFrame(false);
    edit->setFocusPolicy(Qt::NoFocus);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    edit->setPalette(palette);
}

QString FormatReal2(double value) {
    return QString::number(value, 'f', 2);
}

QString FormatRealField(double value) {
    const QString twoDecimals = FormatReal2(value);
    if (twoDecimals.toDouble() == value) {
        return twoDecimals;
    }
    return QString::fromStdString(FormatReal(value));
}

}  // namespace talvo
