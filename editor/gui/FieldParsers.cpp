// TEMPORARY bodies until the model library's parsers land; then these forward.
#include "FieldParsers.h"

#include <cmath>

namespace talvo {

int ParseIntegerField(const QString& text, Prompter& prompter) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return 0;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || std::trunc(v) > 32767 || std::trunc(v) < -32768) {
        prompter.caution("You must enter a number in this field.");
        return -1;
    }
    if (v < 0) {
        prompter.caution("You must enter a positive number in this field.");
        return -1;
    }
    if (t.contains('.')) {
        prompter.caution("You cannot enter a decimal number in this field.");
        return -1;
    }
    return static_cast<int>(std::trunc(v));
}

double ParseRealField(const QString& text, Prompter& prompter) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return 0;
    if (t.contains('-')) {
        prompter.caution("You must enter a positive number in this field.");
        return -1.0;
    }
    bool ok = false;
    const double v = ("0" + t).toDouble(&ok);
    if (!ok) {
        prompter.caution("You must enter a number in this field.");
        return -1.0;
    }
    return v;
}

}  // namespace talvo
