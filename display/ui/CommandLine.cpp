#include "ui/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>
#include <cstdio>

#include "model/DisplayMessages.h"
#include "ui/GraphicDisplayWindow.h"

#ifndef TALVO_VERSION
#define TALVO_VERSION "unknown"
#endif

namespace talvo::display {

namespace {

constexpr const char* kUsage =
    "Usage: Display [PROJECT.tin OCCUPANCY.occ PLAN.tpl]\n"
    "       Display --plot FILE.plt...";

DisplayCommandLine Error(const QString& what) {
    DisplayCommandLine line;
    line.action = DisplayCommandLine::Action::Error;
    line.text = "Display: " + what + "\n" + kUsage + "\nTry 'Display --help' for more.\n";
    return line;
}

}  // namespace

DisplayCommandLine ParseDisplayCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Plays an engine run back on the project's map and draws time-space occupancy plots.");
    const QCommandLineOption help({"h", "help"}, "Print this text and exit.");
    const QCommandLineOption version("version", "Print the version and exit.");
    const QCommandLineOption plot("plot", "Open each FILE.plt in a time-space plot window.");
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(plot);
    parser.addPositionalArgument(
        "files",
        "PROJECT.tin OCCUPANCY.occ PLAN.tpl: a project with an occupancy and a timing plan "
        "file of one of its runs, opened as File > Open does; with --plot, plot files.",
        "[PROJECT.tin OCCUPANCY.occ PLAN.tpl | --plot FILE.plt...]");

    if (!parser.parse(arguments)) {
        return Error(parser.errorText());
    }
    DisplayCommandLine line;
    if (parser.isSet(help)) {
        line.action = DisplayCommandLine::Action::Help;
        line.text = QString(kUsage) + "\n\n" + parser.helpText().section('\n', 1);
        return line;
    }
    if (parser.isSet(version)) {
        line.action = DisplayCommandLine::Action::Version;
        line.text = QString("Display ") + TALVO_VERSION + "\n";
        return line;
    }
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(plot)) {
        if (files.isEmpty()) {
            return Error("--plot needs at least one plot file.");
        }
        line.plotFiles = files;
    } else if (!files.isEmpty() && files.size() != 3) {
        // Fewer than three would open a window only to say that a file is not specified.
        return Error(QString("three files (project, occupancy, timing plan) or none, but %1 "
                             "were given.")
                         .arg(files.size()));
    } else {
        line.runFiles = files;
    }
    return line;
}

int AnswerCommandLine(const DisplayCommandLine& line) {
    if (line.action == DisplayCommandLine::Action::OpenWindow) {
        return -1;
    }
    const bool error = line.action == DisplayCommandLine::Action::Error;
    std::fputs(line.text.toLocal8Bit().constData(), error ? stderr : stdout);
    return error ? 2 : 0;
}

int AnswerBeforeWindow(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const DisplayCommandLine line = ParseDisplayCommandLine(arguments);
    const bool mayBeQtOption = std::any_of(arguments.begin() + 1, arguments.end(), [](auto& a) {
        return a.size() > 2 && a.startsWith('-') && !a.startsWith("--");
    });
    if (line.action == DisplayCommandLine::Action::Error && mayBeQtOption) {
        return -1;
    }
    return AnswerCommandLine(line);
}

void OpenFromCommandLine(GraphicDisplayWindow& window, const DisplayCommandLine& line) {
    for (const QString& path : line.plotFiles) {
        if (FileExists(path.toStdString())) {
            window.openPlotWindow(path);
        } else {
            window.prompter().caution(msg::kFileNotFound, path.toStdString());
        }
    }
    if (!line.runFiles.isEmpty()) {
        window.openFiles(line.runFiles.value(0), line.runFiles.value(1), line.runFiles.value(2));
    }
}

void OpenFromArguments(GraphicDisplayWindow& window, const QStringList& arguments) {
    OpenFromCommandLine(window, ParseDisplayCommandLine(QStringList{"Display"} + arguments));
}

}  // namespace talvo::display
