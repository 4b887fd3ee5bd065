#pragma once

#include <QString>

class QLineEdit;

namespace talvo {

// Puts text into a text box without running its check.
void SetTextUnchecked(QLineEdit* edit, const QString& text);
// A box that only shows a value (beside its spin box, or a link's ends): no frame and the
// window's own background, so that it does not look like a field to type in.
void ShowAsReadOnly(QLineEdit* edit);

// Real values shown with two decimals ("0.00").
QString FormatReal2(double value);

// A real for a box whose text is stored again on OK: two decimals ("0.25") unless that
// would change the value (0.333), which is then shown whole.
QString FormatRealField(double value);

}  // namespace talvo
