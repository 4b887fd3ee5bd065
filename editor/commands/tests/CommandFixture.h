#pragma once

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "EditorCommands.h"
#include "MainWindow.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "platform/RecordingPrompter.h"

namespace talvo::test {

inline std::string DataPath(const std::string& name) {
    return std::string(TALVO_COMMANDS_TEST_DATA) + "/" + name;
}

// The main window with the commands installed, messages recorded, dialogs answered by the
// test, and a program directory of its own.
struct CommandFixture {
    CommandFixture() : window(&prompter, &dialogs, QString::fromStdString(programDir().string())) {
        dialogs.saveChoice = SaveChoice::Discard;
        commands = &window.commands();
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
    const Project& project() { return window.model().project(); }
    const NetworkTables& tables() { return project().tables; }
    // Changes the group tables as a grouping dialog would, in one step.
    void EditGroups(const std::function<void(NetworkTables&)>& change) {
        NetworkTables edited = tables();
        change(edited);
        ASSERT_TRUE(window.model().SetGroups(edited, "Grouping").ok());
    }
    bool Open(const std::string& name) {
        return window.OpenProjectFile(DataPath(name), ProjectLayout::Current);
    }
    void Select(std::vector<int> cellIDs) { window.editor().SelectCells(std::move(cellIDs)); }

    TempDir temp;
    RecordingPrompter prompter;
    ScriptedDialogs dialogs;
    MainWindow window;
    EditorCommands* commands = nullptr;
    std::function<void(QDialog&)> answerDialog;
    int dialogsShown = 0;
};

}  // namespace talvo::test
