#include "CheckedField.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include "common/NumberText.h"

namespace talvo {

void BindCheckedField(QLineEdit* edit, std::function<bool(const QString&)> accept,
                      std::function<QString()> storedText) {
    QObject::connect(edit, &QLineEdit::textChanged, edit,
                     [edit, accept = std::move(accept),
                      storedText = std::move(storedText)](const QString& text) {
                         if (!accept(text)) {
                             SetTextUnchecked(edit, storedText());
                         }
                     });
}

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
