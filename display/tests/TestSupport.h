#pragma once

#include <deque>
#include <string>
#include <vector>

#include "model/Platform.h"
#include "platform/RecordingPrompter.h"

namespace talvo::display::test {

using talvo::test::RecordingPrompter;

// Answers file dialogs from a queue (an empty answer when it runs dry) and records them.
class ScriptedChooser : public FileChooser {
  public:
    std::string openFileName(const FileDialogRequest& request) override { return answer(request); }
    std::string saveFileName(const FileDialogRequest& request) override { return answer(request); }

    std::deque<std::string> answers;
    std::vector<FileDialogRequest> requests;

  private:
    std::string answer(const FileDialogRequest& request) {
        requests.push_back(request);
        if (answers.empty()) {
            return {};
        }
        std::string next = answers.front();
        answers.pop_front();
        return next;
    }
};

// A file of the test data folder.
std::string DataFile(const std::string& name);
// A file of the bundled examples ("arterial/arterial.tin").
std::string ExampleFile(const std::string& name);
// The text of a file.
std::string ReadText(const std::string& path);
// Writes text into a fresh file under the test's temporary folder and returns its path.
std::string WriteTempFile(const std::string& name, const std::string& text);

}  // namespace talvo::display::test
