#pragma once

#include <QValidator>

#include "model/FieldRules.h"

namespace talvo {

// A numeric text box's rule in Qt's terms: Invalid for a text the parser refuses,
// Intermediate for one that may still become acceptable (blank, a number short of its
// range), Acceptable for a complete entry within the range.
class NumberValidator : public QValidator {
    Q_OBJECT

  public:
    explicit NumberValidator(NumberRule rule, QObject* parent = nullptr)
        : QValidator(parent), rule_(std::move(rule)) {}

    State validate(QString& input, int& position) const override;
    const NumberRule& rule() const { return rule_; }

  private:
    NumberRule rule_;
};

}  // namespace talvo
