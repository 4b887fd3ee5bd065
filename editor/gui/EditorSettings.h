#pragma once
// What the Editor remembers between sessions (QSettings, per user): the main window's size
// and docks, the recent projects, and the last folder of a file dialog.

#include <QString>
#include <QStringList>

class QMainWindow;

namespace talvo {

inline constexpr int kMaxRecentProjects = 8;

// Puts back the window's size, place and docks; false when nothing was stored yet.
bool RestoreWindowState(QMainWindow& window);
void SaveWindowState(const QMainWindow& window);

// Most recent first, only files that still exist.
QStringList RecentProjects();
// Puts the project first in the list (once), keeping at most kMaxRecentProjects.
void AddRecentProject(const QString& path);

// The folder a file dialog starts in: the last one a file was chosen in, else the home
// folder.
QString LastFileFolder();
void SetLastFileFolder(const QString& chosenFile);

}  // namespace talvo
