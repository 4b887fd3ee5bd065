#include <gtest/gtest.h>

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include "platform/FileDialogs.h"

namespace talvo {
namespace {

TEST(FileDialogs, FilterListsBecomeQtFilters) {
    const std::string filter = "Talvo Input (*.tin)|*.tin|Text File (*.txt)|*.txt";
    EXPECT_EQ(QtFilterList(filter), "Talvo Input (*.tin);;Text File (*.txt)");
    EXPECT_EQ(QtSelectedFilter(filter, 1), "Talvo Input (*.tin)");
    EXPECT_EQ(QtSelectedFilter(filter, 2), "Text File (*.txt)");
    EXPECT_EQ(QtSelectedFilter(filter, 3), "");
    EXPECT_EQ(QtFilterList("Bitmap|*.bmp"), "Bitmap (*.bmp)");
}

TEST(FileDialogs, DialogsStartInTheLastFolderUsed) {
    const QString program = "PlatformTest";
    QSettings("TALVO", program).clear();
    const QTemporaryDir chosen;
    const LastFolder folder(program, QDir::currentPath());
    EXPECT_EQ(folder.folder(), QDir::currentPath());
    folder.remember(chosen.filePath("network.tin"));
    EXPECT_EQ(folder.folder(), QDir(chosen.path()).absolutePath());
    folder.remember("");  // a cancelled dialog
    EXPECT_EQ(folder.folder(), QDir(chosen.path()).absolutePath());
    QSettings("TALVO", program).clear();
}

}  // namespace
}  // namespace talvo
