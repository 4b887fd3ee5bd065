#pragma once

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "EditorCommands.h"
#include "InstallEditorCommands.h"
#include "MainWindow.h"
#include "TempDir.h"
#include "model/Prompter.h"

namespace talvo::test {

// Records every message box; warnings answer with warningAnswer.
class RecordingPrompter : public Prompter {
  public:
    void caution(const std::string& text) override { cautions.push_back(text); }
    bool warning(const std::string& text) override {
        warnings.push_back(text);
        return warningAnswer;
    }
    std::vector<std::string> cautions;
    std::vector<std::string> warnings;
    bool warningAnswer = true;
};

// Answers the save dialogs from a queue and records how each was asked.
class RecordingDialogs : public Dialogs {
  public:
    struct Asked {
        std::string title;
        std::string filter;
        int filterIndex;
        std::string initialName;
    };

    std::string OpenFileName(const std::string&, const std::string&, int,
                             const std::string&) override {
        return {};
    }
    std::string SaveFileName(const std::string& title, const std::string& filter, int filterIndex,
                             const std::string& initialName) override {
        asked.push_back({title, filter, filterIndex, initialName});
        if (saveNames.empty()) {
            return {};
        }
        std::string name = saveNames.front();
        saveNames.pop_front();
        return name;
    }
    std::optional<ColourValue> ChooseColour(ColourValue) override { return std::nullopt; }
    SaveChoice AskSaveChanges(const std::string&) override { return SaveChoice::Discard; }

    std::deque<std::string> saveNames;
    std::vector<Asked> asked;
};

inline std::string DataPath(const std::string& name) {
    return std::string(TALVO_COMMANDS_TEST_DATA) + "/" + name;
}

// The main window with the commands installed, messages recorded, dialogs answered by the
// test, and a program directory of its own.
struct CommandFixture {
    CommandFixture() : window(&prompter, &dialogs, QString::fromStdString(programDir().string())) {
        commands = InstallEditorCommands(window, prompter, dialogs,
                                         QString::fromStdString(programDir().string()));
        commands->runDialog = [this](QDialog& dialog) {
            ++dialogsShown;
            if (answerDialog) {
                answerDialog(dialog);
            }
            return dialog.result();
        };
    }

    std::filesystem::path programDir() const { return temp.path(); }
    void Trigger(const char* name) { window.findChild<QAction*>(name)->trigger(); }
    Project& project() { return window.document().project(); }
    NetworkTables& tables() { return project().tables; }
    bool Open(const std::string& name) {
        return window.OpenProjectFile(DataPath(name), ProjectLayout::Current);
    }
    void Select(std::vector<int> positions) {
        window.editor().selection().multiSelection = std::move(positions);
    }

    TempDir temp;
    RecordingPrompter prompter;
    RecordingDialogs dialogs;
    MainWindow window;
    EditorCommands* commands = nullptr;
    std::function<void(QDialog&)> answerDialog;
    int dialogsShown = 0;
};

}  // namespace talvo::test
