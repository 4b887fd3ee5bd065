// "&TALVO ..." with an installed tree as the editor's program directory (the directory of
// the installed Editor): the engine beside it, the start script and inout.dir written
// there, the installed example run to its summary. Run by the install test with the
// prefix as its argument.

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "CommandFixture.h"

namespace talvo {
namespace {

namespace fs = std::filesystem;

fs::path prefix;

QString Q(const fs::path& path) {
    return QString::fromStdString(path.string());
}

TEST(InstalledEditor, RunsTheEngineOnTheInstalledExample) {
    const fs::path bin = prefix / "bin";
    const fs::path runDir = prefix / "runs" / "editor";
    fs::create_directories(runDir);
    test::RecordingPrompter prompter;
    test::ScriptedDialogs dialogs;
    MainWindow window(&prompter, &dialogs, Q(bin));
    EditorCommands* commands = &window.commands();
    commands->runDialog = [&](QDialog& dialog) {
        auto* typed = dialog.findChild<QLineEdit*>("txtRunDir");
        typed->setText(Q(runDir));
        emit typed->returnPressed();
        dialog.findChild<QPushButton*>("OKButton")->click();
        return dialog.result();
    };
    ASSERT_TRUE(window.OpenProjectFile(
        (prefix / "share" / "talvo" / "examples" / "arterial" / "arterial.tin").string(),
        ProjectLayout::Current));
    window.findChild<QAction*>("mnuCTM")->trigger();
    ASSERT_TRUE(prompter.cautions.empty()) << prompter.cautions[0];

    RunWindow* run = commands->lastRunWindow();
    ASSERT_NE(run, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return run->hasEnded(); }, 120000));
    EXPECT_EQ(run->findChild<QLabel*>("lblOutcome")->text(), "The run is complete.")
        << run->consoleText().toStdString();
    EXPECT_EQ(run->findChild<QGroupBox*>("grpSummary")->findChild<QLabel*>("lblSummary1")->text(),
              "1.92 h");
    EXPECT_TRUE(fs::exists(bin / "Talvo.sh"));
    EXPECT_TRUE(fs::exists(bin / "inout.dir"));
    EXPECT_TRUE(fs::exists(runDir / "occu_exist.occ"));
}

}  // namespace
}  // namespace talvo

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PREFIX\n", argv[0]);
        return 2;
    }
    talvo::prefix = argv[1];
    return RUN_ALL_TESTS();
}
