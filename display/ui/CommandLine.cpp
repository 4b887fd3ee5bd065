#include "ui/CommandLine.h"

#include "model/DisplayMessages.h"
#include "platform/ProgramCommandLine.h"
#include "ui/GraphicDisplayWindow.h"

namespace talvo::display {

namespace {

constexpr const char* kUsage =
    "Usage: Display [PROJECT.tin OCCUPANCY.occ PLAN.tpl]\n"
    "       Display --plot FILE.plt...";

}  // namespace

DisplayCommandLine ParseDisplayCommandLine(const QStringList& arguments) {
    ProgramCommandLine common(
        "Display", kUsage,
        "Plays an engine run back on the project's map and draws time-space occupancy plots.");
    QCommandLineParser& parser = common.parser();
    const QCommandLineOption plot("plot", "Open each FILE.plt in a time-space plot window.");
    parser.addOption(plot);
    parser.addPositionalArgument(
        "files",
        "PROJECT.tin OCCUPANCY.occ PLAN.tpl: a project with an occupancy and a timing plan "
        "file of one of its runs, opened as File > Open does; with --plot, plot files.",
        "[PROJECT.tin OCCUPANCY.occ PLAN.tpl | --plot FILE.plt...]");

    if (const auto answered = common.answered<DisplayCommandLine>(arguments)) {
        return *answered;
    }
    DisplayCommandLine line;
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(plot)) {
        if (files.isEmpty()) {
            return common.errorLine<DisplayCommandLine>("--plot needs at least one plot file.");
        }
        line.plotFiles = files;
    } else if (!files.isEmpty() && files.size() != 3) {
        // Fewer than three would open a window only to say that a file is not specified.
        return common.errorLine<DisplayCommandLine>(
            QString("three files (project, occupancy, timing plan) or none, "
                    "but %1 were given.")
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
    return PrintCommandLineText(line.text, line.action == DisplayCommandLine::Action::Error);
}

int AnswerBeforeWindow(int argc, char* argv[]) {
    return talvo::AnswerBeforeWindow(argc, argv, ParseDisplayCommandLine, AnswerCommandLine);
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
