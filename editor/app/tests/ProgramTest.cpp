#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "QtDialogs.h"

namespace talvo {
namespace {

QByteArray Slurp(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// "Editor --export" needs no display: it runs before any window exists.
TEST(EditorProgram, ExportArgumentWritesTheEngineInputWithoutAWindow) {
    QTemporaryDir run;
    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    editor.setProcessEnvironment(env);
    editor.start(TALVO_EDITOR_EXE, {"--export", TALVO_APP_TEST_DATA "/corridor.tin", run.path()});
    ASSERT_TRUE(editor.waitForFinished(30000));
    EXPECT_EQ(editor.exitCode(), 0) << editor.readAllStandardError().toStdString();
    EXPECT_EQ(Slurp(run.filePath("input.fin")), Slurp(TALVO_APP_TEST_DATA "/corridor/input.fin"));
    EXPECT_EQ(Slurp(run.filePath("plan.tpl")), Slurp(TALVO_APP_TEST_DATA "/corridor/plan.tpl"));
}

TEST(EditorProgram, ExportOfAMissingProjectFails) {
    QTemporaryDir run;
    QProcess editor;
    editor.start(TALVO_EDITOR_EXE, {"--export", run.filePath("none.tin"), run.path()});
    ASSERT_TRUE(editor.waitForFinished(30000));
    EXPECT_NE(editor.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(run.filePath("input.fin")));
}

}  // namespace
}  // namespace talvo
