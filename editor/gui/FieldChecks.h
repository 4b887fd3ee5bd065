#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "model/Prompter.h"

class QLineEdit;

namespace talvo {

// Binds an integer text box: accepted when ParseInteger accepts it and it lies in
// [low, high] (else `rangeMessage`); a refused entry shows `stored()` again.
// `store` (optional) takes each accepted value at once.
void BindIntegerField(QLineEdit* edit, Prompter& prompter, std::function<int()> stored,
                      std::function<void(int)> store = nullptr, int low = 0, int high = 32767,
                      QString rangeMessage = QString());
// The same with the stored value's own text (for a real model value edited as a whole
// number, such as a cell's speed read from a file).
void BindIntegerFieldText(QLineEdit* edit, Prompter& prompter, std::function<QString()> storedText,
                          std::function<void(int)> store, int low, int high, QString rangeMessage);
// The same for reals; the stored value comes back formatted "0.00" (more decimals only
// when the value has them).
void BindRealField(QLineEdit* edit, Prompter& prompter, std::function<double()> stored,
                   std::function<void(double)> store = nullptr, double low = 0.0,
                   std::optional<double> high = std::nullopt, QString rangeMessage = QString());

}  // namespace talvo
