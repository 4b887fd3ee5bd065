#pragma once

#include <QString>
#include <QStringList>

namespace talvo {

// The program's command line:
//   Editor [PROJECT.tin]                    the window, with the project opened in it
//   Editor --export PROJECT.tin RUN_DIR     the engine's input written without a window
// with --help and --version.
struct EditorCommandLine {
    enum class Action { OpenWindow, Export, Help, Version, Error };
    Action action = Action::OpenWindow;
    QString projectFile;   // OpenWindow (may be empty) and Export
    QString runDirectory;  // Export
    QString text;          // the help or version text, or the error with the usage line
};

// `arguments` as QCoreApplication gives them, the program's name first.
EditorCommandLine ParseEditorCommandLine(const QStringList& arguments);

// Prints the texts (help and version on standard output, errors on standard error) or runs
// the export. Returns the exit status, or -1 when the line opens the window.
int AnswerCommandLine(const EditorCommandLine& line);

// The command line read before any window system is needed, so that the texts, the errors
// and the export work on a machine without a display: the exit status, or -1 when the
// window is to open. An error that may come from one of Qt's own options ("-platform
// offscreen", which only QApplication takes away) is left to the parse after QApplication.
int AnswerBeforeWindow(int argc, char* argv[]);

}  // namespace talvo
