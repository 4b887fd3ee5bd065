#include "core/NumberValidator.h"

namespace talvo {

QValidator::State NumberValidator::validate(QString& input, int&) const {
    switch (CheckTyping(rule_, input.toStdString()).state) {
        case EntryState::Refused:
            return Invalid;
        case EntryState::Incomplete:
            return Intermediate;
        case EntryState::Complete:
            break;
    }
    return Acceptable;
}

}  // namespace talvo
