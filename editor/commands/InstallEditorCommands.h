#pragma once

#include <QString>

namespace talvo {

class Dialogs;
class EditorCommands;
class MainWindow;
class Prompter;

// Connects the grouping, export, run and print commands to the main window's menu entries
// and adds "Save Map &Picture ..." after "&Print by Paint ..." in the "&File" menu. The
// commands object is owned by the window. programDir empty: the executable's directory.
EditorCommands* InstallEditorCommands(MainWindow& window, Prompter& prompter, Dialogs& dialogs,
                                      const QString& programDir = QString());

// The same with the real message boxes and file dialogs.
EditorCommands* InstallEditorCommands(MainWindow& window);

}  // namespace talvo
