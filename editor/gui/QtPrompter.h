#pragma once

#include "model/Prompter.h"

class QWidget;

namespace talvo {

// Real modal message boxes: refusals as critical "Caution!" boxes (a text's second line
// shown as the box's detail), questions as "Warning!" boxes with OK and Cancel.
class QtPrompter : public Prompter {
  public:
    explicit QtPrompter(QWidget* parent) : parent_(parent) {}
    void caution(const std::string& text) override;
    bool warning(const std::string& text) override;

  private:
    QWidget* parent_;
};

}  // namespace talvo
