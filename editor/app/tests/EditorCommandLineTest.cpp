// The Editor program's command line, run as a user runs it, on a machine without a
// display: the texts, the errors and the export need none.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Result {
    int exitCode = -1;
    QString out;
    QString err;
};

Result RunEditor(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(name);
    }
    QProcess editor;
    editor.setProcessEnvironment(environment);
    editor.start(TALVO_EDITOR_EXE, arguments);
    Result result;
    if (!editor.waitForFinished(30000) || editor.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "Editor did not end normally: " << arguments.join(' ').toStdString();
        return result;
    }
    result.exitCode = editor.exitCode();
    result.out = editor.readAllStandardOutput();
    result.err = editor.readAllStandardError();
    return result;
}

TEST(EditorCommandLine, TextsAndErrorsPrintWithoutADisplay) {
    const struct {
        QStringList arguments;
        int exitCode;
        const char* output;  // begins the standard output (exit 0) or is in the error
    } cases[] = {
        {{"--help"},
         0,
         "Usage: Editor [PROJECT.tin]\n       Editor --export PROJECT.tin RUN_DIR\n"},
        {{"--version"}, 0, "Editor 1."},
        {{"--frobnicate"}, 2, "Editor: Unknown option 'frobnicate'.\nUsage: Editor"},
        {{"one.tin", "two.tin"}, 2, "but 2 were given.\nUsage: Editor"},
        {{"--export", "one.tin"}, 2, "--export takes a project file and a run directory."},
    };
    for (const auto& c : cases) {
        const Result result = RunEditor(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
        if (c.exitCode == 0) {
            EXPECT_TRUE(result.out.startsWith(c.output)) << result.out.toStdString();
        } else {
            EXPECT_TRUE(result.err.contains(c.output)) << result.err.toStdString();
        }
    }
}

TEST(EditorCommandLine, ExportWritesTheRunFilesWithoutAWindow) {
    QTemporaryDir runDir;
    const Result result = RunEditor({"--export", TALVO_EXAMPLE_DIR "/arterial.tin", runDir.path()});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    QFile written(QDir(runDir.path()).filePath("input.fin"));
    QFile example(TALVO_EXAMPLE_DIR "/input.fin");
    ASSERT_TRUE(written.open(QIODevice::ReadOnly) && example.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), example.readAll());
    EXPECT_TRUE(QFile::exists(QDir(runDir.path()).filePath("plan.tpl")));
}

}  // namespace
