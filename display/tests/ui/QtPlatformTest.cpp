#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMessageBox>
#include <QSettings>

#include "mapview/ScreenFit.h"
#include "ui/QtPlatform.h"

namespace talvo::display {
namespace {

TEST(QtPlatform, FilterListsBecomeQtFilters) {
    const std::string filter = "Talvo Input (*.tin)|*.tin|Text File (*.txt)|*.txt";
    EXPECT_EQ(QtFilterList(filter), "Talvo Input (*.tin);;Text File (*.txt)");
    EXPECT_EQ(QtSelectedFilter(filter, 1), "Talvo Input (*.tin)");
    EXPECT_EQ(QtSelectedFilter(filter, 2), "Text File (*.txt)");
    EXPECT_EQ(QtSelectedFilter(filter, 3), "");
    EXPECT_EQ(QtFilterList("Plots|*.plt"), "Plots (*.plt)");
}

TEST(QtPlatform, FileDialogsStartInTheLastFolderUsed) {
    QSettings("TALVO", "Display").clear();
    EXPECT_EQ(LastFileFolder(), QDir::currentPath());
    RememberFileFolder(TALVO_DISPLAY_TEST_DATA "/arterial.tin");
    EXPECT_EQ(LastFileFolder(), QFileInfo(TALVO_DISPLAY_TEST_DATA).absoluteFilePath());
    RememberFileFolder("");  // a cancelled dialog
    EXPECT_EQ(LastFileFolder(), QFileInfo(TALVO_DISPLAY_TEST_DATA).absoluteFilePath());
    QSettings("TALVO", "Display").clear();
}

TEST(QtPlatform, AShortMessageLeavesItsTitleWhole) {
    QMessageBox box(QMessageBox::Critical, "Caution!", "x", QMessageBox::Ok);
    mapview::KeepTitleWhole(box);
    box.show();
    QFont bold = box.font();
    bold.setBold(true);
    // The title and the title bar's buttons, which take well over 100 pixels.
    EXPECT_GE(box.width(), QFontMetrics(bold).horizontalAdvance("Caution!") + 100);
}

}  // namespace
}  // namespace talvo::display
