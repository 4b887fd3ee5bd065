#pragma once

#include <QString>

#include "model/Prompter.h"

namespace talvo {

// The shared number checks for text boxes: -1 (and the checker's message through the
// prompter) when the text is refused; blank text reads 0.
int ParseIntegerField(const QString& text, Prompter& prompter);
double ParseRealField(const QString& text, Prompter& prompter);

}  // namespace talvo
