#pragma once
// What both programs' command lines share: --help (-h) and --version, usage errors
// with the usage lines and a pointer to --help, the texts printed with their exit status
// (0, or 2 for an error), and the reading before any window system is needed.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <optional>
#include <type_traits>

namespace talvo {

// What the shared part makes of a command line: the program's own options decide, or a
// text to print.
enum class CommandLineAnswer { Program, Help, Version, Error };

// A program's command line (a struct with `action` and `text`) for an answer other than
// Program: Help, Version or Error, and the text to print.
template <typename Line>
Line AnsweredLine(CommandLineAnswer answer, const QString& text) {
    using Action = decltype(Line::action);
    Line line;
    line.action = answer == CommandLineAnswer::Help      ? Action::Help
                  : answer == CommandLineAnswer::Version ? Action::Version
                                                         : Action::Error;
    line.text = text;
    return line;
}

class ProgramCommandLine {
  public:
    using Answer = CommandLineAnswer;

    // program: the name the texts begin with; usage: the usage lines; description: the
    // help text's first paragraph.
    ProgramCommandLine(QString program, QString usage, const QString& description);

    // Where the program adds its own options and positional arguments.
    QCommandLineParser& parser() { return parser_; }

    // Parses: the program's command line answered by --help, --version or a parse error,
    // or nothing when the program's own options decide.
    template <typename Line>
    std::optional<Line> answered(const QStringList& arguments) {
        const Answer answer = parse(arguments);
        if (answer == Answer::Program) {
            return std::nullopt;
        }
        return AnsweredLine<Line>(answer, text_);
    }

    // A usage error in the program's own options as the program's command line: the
    // program's name, what, the usage lines and the pointer to --help.
    template <typename Line>
    Line errorLine(const QString& what) const {
        return AnsweredLine<Line>(Answer::Error, usageError(what));
    }

  private:
    // Help, Version or Error with text_ set; Program when the program's options decide.
    Answer parse(const QStringList& arguments);
    QString usageError(const QString& what) const;

    QString program_;
    QString usage_;
    QCommandLineParser parser_;
    QCommandLineOption help_;
    QCommandLineOption version_;
    QString text_;
};

// Prints a help or version text on standard output (exit status 0) or an error on
// standard error (exit status 2).
int PrintCommandLineText(const QString& text, bool error);

// Whether an argument may be one of Qt's own options ("-platform offscreen"), which only
// QApplication takes away.
bool MayBeQtOption(const QStringList& arguments);

// The command line read before any window system is needed, so that the texts, the errors
// and work without a window run on a machine without a display: `answer`'s exit status,
// or -1 when the window is to open. An error that may come from one of Qt's own options is
// left to the parse after QApplication.
template <typename Parse, typename Answer>
int AnswerBeforeWindow(int argc, char* argv[], Parse parse, Answer answer) {
    const QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const auto line = parse(arguments);
    using Action = std::decay_t<decltype(line.action)>;
    if (line.action == Action::Error && MayBeQtOption(arguments)) {
        return -1;
    }
    return answer(line);
}

}  // namespace talvo
