#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "core/NumberValidator.h"
#include "model/EditResult.h"

class QLineEdit;

namespace talvo {

class Prompter;

// A numeric text box that stores only complete entries. As the text changes it is checked:
// a text the parser refuses shows its message once and the committed value comes back;
// a text that may still become acceptable (blank, "3" on the way to "300") is left alone.
// The entry is complete on Enter, when the box loses the focus, or when a dialog's OK asks:
// a value out of range then shows the rule's message and the committed value comes back;
// otherwise `commit` stores it, and may still refuse it with a message of its own.
//
// The validator only classifies the text; it is not installed on the box, where it would
// swallow a refused keystroke without the message that says why, and would keep Enter from
// reaching an entry that is out of range.
class NumberField : public QObject {
    Q_OBJECT

  public:
    using Commit = std::function<EditResult(double value)>;

    NumberField(QLineEdit* edit, NumberRule rule, Prompter& prompter,
                std::function<QString()> committedText, Commit commit);

    // Stores the box's text when it differs from the committed one. False when refused.
    bool CommitPending();
    // Shows the committed value again, without a check.
    void Revert();
    QLineEdit* edit() const { return edit_; }

  private:
    void TextChanged(const QString& text);
    void Refuse(const std::string& message);

    QLineEdit* edit_;
    NumberValidator validator_;
    Prompter& prompter_;
    std::function<QString()> committedText_;
    Commit commit_;
};

}  // namespace talvo

namespace talvo {

// A box of a dialog that edits the dialog's own copy of a value: it shows the value (reals
// as FormatRealField does) and stores each complete entry into it.
NumberField* BindToValue(QLineEdit* edit, const NumberRule& rule, Prompter& prompter, int& value);
NumberField* BindToValue(QLineEdit* edit, const NumberRule& rule, Prompter& prompter,
                         double& value);

// A dialog's OK: every field's pending entry, stopping at the first refused one.
bool CommitAll(const std::vector<NumberField*>& fields);

}  // namespace talvo
