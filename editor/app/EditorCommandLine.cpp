#include "EditorCommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "model/BatchExport.h"

#ifndef TALVO_VERSION
#define TALVO_VERSION "unknown"
#endif

namespace talvo {

namespace {

constexpr const char* kUsage =
    "Usage: Editor [PROJECT.tin]\n"
    "       Editor --export PROJECT.tin RUN_DIR";

EditorCommandLine Error(const QString& what) {
    EditorCommandLine line;
    line.action = EditorCommandLine::Action::Error;
    line.text = "Editor: " + what + "\n" + kUsage + "\nTry 'Editor --help' for more.\n";
    return line;
}

int RunExport(const EditorCommandLine& line) {
    std::vector<std::string> arguments{"Editor", "--export", line.projectFile.toStdString(),
                                       line.runDirectory.toStdString()};
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    return RunBatchExport(static_cast<int>(argv.size()), argv.data(), std::cout, std::cerr);
}

}  // namespace

EditorCommandLine ParseEditorCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Draws a signalised road network, keeps it in a project file (.tin), writes the\n"
        "engine's input and starts the engine.");
    const QCommandLineOption help({"h", "help"}, "Print this text and exit.");
    const QCommandLineOption version("version", "Print the version and exit.");
    const QCommandLineOption exportFiles(
        "export",
        "Run the export checks on PROJECT.tin (printing each warning and going on) and write "
        "input.fin and plan.tpl into the existing directory RUN_DIR, without a window. Exit "
        "status 0 when written, 1 when a check, the project or a file stops it.");
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(exportFiles);
    parser.addPositionalArgument("PROJECT.tin", "The project file to open (or to export).",
                                 "[PROJECT.tin]");
    parser.addPositionalArgument("RUN_DIR", "With --export: the run directory.", "[RUN_DIR]");

    if (!parser.parse(arguments)) {
        return Error(parser.errorText());
    }
    EditorCommandLine line;
    if (parser.isSet(help)) {
        line.action = EditorCommandLine::Action::Help;
        line.text = QString(kUsage) + "\n\n" + parser.helpText().section('\n', 1);
        return line;
    }
    if (parser.isSet(version)) {
        line.action = EditorCommandLine::Action::Version;
        line.text = QString("Editor ") + TALVO_VERSION + "\n";
        return line;
    }
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(exportFiles)) {
        if (files.size() != 2) {
            return Error("--export takes a project file and a run directory.");
        }
        line.action = EditorCommandLine::Action::Export;
        line.projectFile = files[0];
        line.runDirectory = files[1];
        return line;
    }
    if (files.size() > 1) {
        return Error(QString("one project file at most, but %1 were given.").arg(files.size()));
    }
    line.projectFile = files.value(0);
    return line;
}

int AnswerCommandLine(const EditorCommandLine& line) {
    switch (line.action) {
        case EditorCommandLine::Action::OpenWindow:
            return -1;
        case EditorCommandLine::Action::Export:
            return RunExport(line);
        case EditorCommandLine::Action::Error:
            std::fputs(line.text.toLocal8Bit().constData(), stderr);
            return 2;
        case EditorCommandLine::Action::Help:
        case EditorCommandLine::Action::Version:
            std::fputs(line.text.toLocal8Bit().constData(), stdout);
            return 0;
    }
    return 2;
}

int AnswerBeforeWindow(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const EditorCommandLine line = ParseEditorCommandLine(arguments);
    const bool mayBeQtOption = std::any_of(arguments.begin() + 1, arguments.end(), [](auto& a) {
        return a.size() > 2 && a.startsWith('-') && !a.startsWith("--");
    });
    if (line.action == EditorCommandLine::Action::Error && mayBeQtOption) {
        return -1;
    }
    return AnswerCommandLine(line);
}

}  // namespace talvo
