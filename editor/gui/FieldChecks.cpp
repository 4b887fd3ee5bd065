#include "FieldChecks.h"

#include <QLineEdit>

#include "CheckedField.h"
#include "FieldParsers.h"

namespace talvo {

void BindIntegerField(QLineEdit* edit, Prompter& prompter, std::function<int()> stored,
                      std::function<void(int)> store, int low, int high, QString rangeMessage) {
    BindIntegerFieldText(
        edit, prompter, [stored] { return QString::number(stored()); }, std::move(store), low, high,
        std::move(rangeMessage));
}

void BindIntegerFieldText(QLineEdit* edit, Prompter& prompter, std::function<QString()> storedText,
                          std::function<void(int)> store, int low, int high, QString rangeMessage) {
    BindCheckedField(
        edit,
        [&prompter, store, low, high, rangeMessage](const QString& text) {
            const int value = ParseIntegerField(text, prompter);
            if (value == -1) {
                return false;
            }
            if (value < low || value > high) {
                if (!rangeMessage.isEmpty()) {
                    prompter.caution(rangeMessage.toStdString());
                }
                return false;
            }
            if (store) {
                store(value);
            }
            return true;
        },
        std::move(storedText));
}

void BindRealField(QLineEdit* edit, Prompter& prompter, std::function<double()> stored,
                   std::function<void(double)> store, double low, std::optional<double> high,
                   QString rangeMessage) {
    BindCheckedField(
        edit,
        [&prompter, store, low, high, rangeMessage](const QString& text) {
            const double value = ParseRealField(text, prompter);
            if (value == -1.0) {
                return false;
            }
            if (value < low || (high && value > *high)) {
                if (!rangeMessage.isEmpty()) {
                    prompter.caution(rangeMessage.toStdString());
                }
                return false;
            }
            if (store) {
                store(value);
            }
            return true;
        },
        [stored] { return FormatRealField(stored()); });
}

}  // namespace talvo
