#pragma once

#include <QString>
#include <QStringList>

namespace talvo::display {

class GraphicDisplayWindow;

// The program's command line:
//   Display [PROJECT.tin OCCUPANCY.occ PLAN.tpl]   the three files, opened as "&Open" does
//   Display --plot FILE.plt...                     a plot window for each plot file
// with --help and --version.
struct DisplayCommandLine {
    enum class Action { OpenWindow, Help, Version, Error };
    Action action = Action::OpenWindow;
    QStringList runFiles;   // up to three: project, occupancy, timing plan
    QStringList plotFiles;  // with --plot
    QString text;           // the help or version text, or the error with the usage line
};

// `arguments` as QCoreApplication gives them, the program's name first.
DisplayCommandLine ParseDisplayCommandLine(const QStringList& arguments);

// Prints the help or version text (standard output) or the error (standard error). Returns
// the exit status, or -1 when the line opens the window.
int AnswerCommandLine(const DisplayCommandLine& line);

// The command line read before any window system is needed, so that the texts and errors
// print on a machine without a display: the exit status, or -1 when the window is to open.
// An error that may come from one of Qt's own options ("-platform offscreen", which only
// QApplication takes away) is left to the parse that follows QApplication.
int AnswerBeforeWindow(int argc, char* argv[]);

// Opens what the command line names. No files open nothing.
void OpenFromCommandLine(GraphicDisplayWindow& window, const DisplayCommandLine& line);

// The same for the arguments after the program's name.
void OpenFromArguments(GraphicDisplayWindow& window, const QStringList& arguments);

}  // namespace talvo::display
