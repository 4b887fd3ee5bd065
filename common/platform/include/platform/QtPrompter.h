#pragma once

#include "platform/Prompter.h"

class QWidget;

namespace talvo {

// Real modal message boxes: refusals as critical "Caution!" boxes with their detail (or a
// text's second line) beneath, questions as "Warning!" boxes with OK and Cancel.
class QtPrompter : public Prompter {
  public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void caution(const std::string& text, const std::string& detail = {}) override;
    bool warning(const std::string& text) override;

  private:
    QWidget* parent_;
};

}  // namespace talvo
