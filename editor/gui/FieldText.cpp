#include "FieldText.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include "common/NumberText.h"

namespace talvo {

void SetTextUnchecked(QLineEdit* edit, const QString& text) {
    const QSignalBlocker blocker(edit);
    edit->setText(text);
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
