#pragma once
// Answers the common dialogs from queues the test sets up, and records how they were asked.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/Dialogs.h"

namespace talvo::test {

class ScriptedDialogs : public Dialogs {
  public:
    struct Asked {
        std::string title;
        std::string filter;
        int filterIndex = 0;
        std::string initialName;
    };

    std::string OpenFileName(const std::string& title, const std::string& filter, int index,
                             const std::string& initialName) override {
        asked.push_back({title, filter, index, initialName});
        titles.push_back(title);
        return Pop(openNames);
    }
    std::string SaveFileName(const std::string& title, const std::string& filter, int index,
                             const std::string& initialName) override {
        asked.push_back({title, filter, index, initialName});
        titles.push_back(title);
        return Pop(saveNames);
    }
    std::optional<ColourValue> ChooseColour(ColourValue) override {
        if (colours.empty()) {
            return std::nullopt;
        }
        const ColourValue c = colours.front();
        colours.pop_front();
        return c;
    }
    SaveChoice AskSaveChanges(const std::string& text) override {
        questions.push_back(text);
        return saveChoice;
    }

    std::deque<std::string> openNames;
    std::deque<std::string> saveNames;
    std::deque<ColourValue> colours;
    std::vector<std::string> titles;
    std::vector<Asked> asked;
    std::vector<std::string> questions;
    SaveChoice saveChoice = SaveChoice::Cancel;

  private:
    static std::string Pop(std::deque<std::string>& q) {
        if (q.empty()) {
            return {};
        }
        std::string s = q.front();
        q.pop_front();
        return s;
    }
};

}  // namespace talvo::test
