#include "EditorCommandLine.h"

#include <iostream>
#include <string>
#include <vector>

#include "model/BatchExport.h"
#include "platform/ProgramCommandLine.h"

namespace talvo {

namespace {

constexpr const char* kUsage =
    "Usage: Editor [PROJECT.tin]\n"
    "       Editor --export PROJECT.tin RUN_DIR";

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
    ProgramCommandLine common(
        "Editor", kUsage,
        "Draws a signalised road network, keeps it in a project file (.tin), writes the\n"
        "engine's input and starts the engine.");
    QCommandLineParser& parser = common.parser();
    const QCommandLineOption exportFiles(
        "export",
        "Run the export checks on PROJECT.tin (printing each warning and going on) and write "
        "input.fin and plan.tpl into the existing directory RUN_DIR, without a window. Exit "
        "status 0 when written, 1 when a check, the project or a file stops it.");
    parser.addOption(exportFiles);
    parser.addPositionalArgument("PROJECT.tin", "The project file to open (or to export).",
                                 "[PROJECT.tin]");
    parser.addPositionalArgument("RUN_DIR", "With --export: the run directory.", "[RUN_DIR]");

    if (const auto answered = common.answered<EditorCommandLine>(arguments)) {
        return *answered;
    }
    EditorCommandLine line;
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(exportFiles)) {
        if (files.size() != 2) {
            return common.errorLine<EditorCommandLine>(
                "--export takes a project file and a run directory.");
        }
        line.action = EditorCommandLine::Action::Export;
        line.projectFile = files[0];
        line.runDirectory = files[1];
        return line;
    }
    if (files.size() > 1) {
        return common.errorLine<EditorCommandLine>(
            QString("one project file at most, but %1 were given.").arg(files.size()));
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
        case EditorCommandLine::Action::Help:
        case EditorCommandLine::Action::Version:
            return PrintCommandLineText(line.text, line.action == EditorCommandLine::Action::Error);
    }
    return 2;
}

int AnswerBeforeWindow(int argc, char* argv[]) {
    return talvo::AnswerBeforeWindow(argc, argv, ParseEditorCommandLine, AnswerCommandLine);
}

}  // namespace talvo
