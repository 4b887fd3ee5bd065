#include "EditorSettings.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QSettings>

namespace talvo {

namespace {

QSettings Store() {
    return QSettings("TALVO", "Editor");
}

}  // namespace

bool RestoreWindowState(QMainWindow& window) {
    const QSettings settings = Store();
    const QByteArray geometry = settings.value("window/geometry").toByteArray();
    if (geometry.isEmpty() || !window.restoreGeometry(geometry)) {
        return false;
    }
    window.restoreState(settings.value("window/state").toByteArray());
    return true;
}

void SaveWindowState(const QMainWindow& window) {
    QSettings settings = Store();
    settings.setValue("window/geometry", window.saveGeometry());
    settings.setValue("window/state", window.saveState());
}

QStringList RecentProjects() {
    QStringList existing;
    for (const QString& path : Store().value("recentProjects").toStringList()) {
        if (QFileInfo(path).isFile()) {
            existing << path;
        }
    }
    return existing;
}

void AddRecentProject(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList recent = Store().value("recentProjects").toStringList();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > kMaxRecentProjects) {
        recent.removeLast();
    }
    QSettings settings = Store();
    settings.setValue("recentProjects", recent);
}

}  // namespace talvo
