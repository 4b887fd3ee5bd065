#include "FieldParsers.h"

#include "model/NumberParsers.h"

namespace talvo {

int ParseIntegerField(const QString& text, Prompter& prompter) {
    return ParseInteger(text.toStdString(), prompter);
}

double ParseRealField(const QString& text, Prompter& prompter) {
    return ParseReal(text.toStdString(), prompter);
}

}  // namespace talvo
