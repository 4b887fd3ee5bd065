#pragma once
// What the Editor remembers between sessions (QSettings, per user): the main window's size
// and docks, and the recent projects. The file dialogs keep their last folder themselves
// (QtDialogs).

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

}  // namespace talvo
