#include "platform/ProgramCommandLine.h"

#include <algorithm>
#include <cstdio>

#ifndef TALVO_VERSION
#define TALVO_VERSION "unknown"
#endif

namespace talvo {

ProgramCommandLine::ProgramCommandLine(QString program, QString usage, const QString& description)
    : program_(std::move(program)),
      usage_(std::move(usage)),
      help_({"h", "help"}, "Print this text and exit."),
      version_("version", "Print the version and exit.") {
    parser_.setApplicationDescription(description);
    parser_.addOption(help_);
    parser_.addOption(version_);
}

ProgramCommandLine::Answer ProgramCommandLine::parse(const QStringList& arguments) {
    if (!parser_.parse(arguments)) {
        text_ = usageError(parser_.errorText());
        return Answer::Error;
    }
    if (parser_.isSet(help_)) {
        // Qt's own usage line gives way to the program's.
        text_ = usage_ + "\n\n" + parser_.helpText().section('\n', 1);
        return Answer::Help;
    }
    if (parser_.isSet(version_)) {
        text_ = program_ + " " + TALVO_VERSION + "\n";
        return Answer::Version;
    }
    return Answer::Program;
}

QString ProgramCommandLine::usageError(const QString& what) const {
    return program_ + ": " + what + "\n" + usage_ + "\nTry '" + program_ + " --help' for more.\n";
}

int PrintCommandLineText(const QString& text, bool error) {
    std::fputs(text.toLocal8Bit().constData(), error ? stderr : stdout);
    return error ? 2 : 0;
}

bool MayBeQtOption(const QStringList& arguments) {
    return std::any_of(arguments.begin() + std::min<qsizetype>(1, arguments.size()),
                       arguments.end(), [](const QString& argument) {
                           return argument.size() > 2 && argument.startsWith('-') &&
                                  !argument.startsWith("--");
                       });
}

}  // namespace talvo
