#include "NumberField.h"

#include <QLineEdit>

#include "FieldText.h"
#include "platform/Prompter.h"

namespace talvo {

NumberField::NumberField(QLineEdit* edit, NumberRule rule, Prompter& prompter,
                         std::function<QString()> committedText, Commit commit)
    : QObject(edit),
      edit_(edit),
      validator_(std::move(rule)),
      prompter_(prompter),
      committedText_(std::move(committedText)),
      commit_(std::move(commit)) {
    connect(edit_, &QLineEdit::textChanged, this, &NumberField::TextChanged);
    connect(edit_, &QLineEdit::editingFinished, this, [this] { CommitPending(); });
}

void NumberField::Revert() {
    SetTextUnchecked(edit_, committedText_());
}

void NumberField::Refuse(const std::string& message) {
    // The committed value is back before the message shows, so that the focus moving to
    // the message box finds nothing left to commit.
    Revert();
    if (!message.empty()) {
        prompter_.caution(message);
    }
}

void NumberField::TextChanged(const QString& text) {
    QString input = text;
    int position = 0;
    if (validator_.validate(input, position) == QValidator::Invalid) {
        Refuse(CheckTyping(validator_.rule(), text.toStdString()).message);
    }
}

bool NumberField::CommitPending() {
    const QString text = edit_->text();
    if (text == committedText_()) {
        return true;
    }
    const EntryCheck entry = CheckEntry(validator_.rule(), text.toStdString());
    if (entry.state != EntryState::Complete) {
        Refuse(entry.message);
        return false;
    }
    const EditResult stored = commit_(entry.value);
    if (!stored) {
        Refuse(stored.message());
        return false;
    }
    return true;
}

}  // namespace talvo

namespace talvo {

NumberField* BindToValue(QLineEdit* edit, const NumberRule& rule, Prompter& prompter, int& value) {
    SetTextUnchecked(edit, QString::number(value));
    return new NumberField(
        edit, rule, prompter, [&value] { return QString::number(value); },
        [&value](double entry) {
            value = static_cast<int>(entry);
            return EditResult::Done();
        });
}

NumberField* BindToValue(QLineEdit* edit, const NumberRule& rule, Prompter& prompter,
                         double& value) {
    SetTextUnchecked(edit, FormatRealField(value));
    return new NumberField(
        edit, rule, prompter, [&value] { return FormatRealField(value); },
        [&value](double entry) {
            value = entry;
            return EditResult::Done();
        });
}

bool CommitAll(const std::vector<NumberField*>& fields) {
    for (NumberField* field : fields) {
        if (!field->CommitPending()) {
            return false;
        }
    }
    return true;
}

}  // namespace talvo
