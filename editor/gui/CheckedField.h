#pragma once

#include <QString>
#include <functional>

class QLineEdit;

namespace talvo {

// Checks a text box on every change of its text. `accept` parses the new text, shows
// any message and stores an accepted value; when it returns false the text box gets
// `storedText()` back without checking it again.
void BindCheckedField(QLineEdit* edit, std::function<bool(const QString&)> accept,
                      std::function<QString()> storedText);

// Puts text into a text box without running its check.
void SetTextUnchecked(QLineEdit* edit, const QString& text);

// Real values shown with two decimals ("0.00").
QString FormatReal2(double value);

// A real for a box whose text is stored again on OK: two decimals ("0.25") unless that
// would change the value (0.333), which is then shown whole.
QString FormatRealField(double value);

}  // namespace talvo
