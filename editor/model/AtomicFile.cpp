#include "model/AtomicFile.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>
#include <memory>
#include <optional>
#include <string>

namespace talvo {

namespace {

std::string Failure(const std::string& path, const std::string& reason) {
    return "The file \"" + path + "\" could not be written: " + reason + ".";
}

// The file that replacing `path` replaces: a symbolic link is followed to its target, as
// QSaveFile does, so that the link stays and its target gets the new content.
QString FinalTarget(const QString& path) {
    QFileInfo info(path);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth) {
        info.setFile(info.symLinkTarget());
    }
    return info.filePath();
}

// A target the user protected against writing is refused, even where the system would
// let this process replace it (a privileged user may replace any file).
std::optional<std::string> Refusal(const std::string& path) {
    const QFileInfo info(QString::fromStdString(path));
    if (info.isDir()) {
        return Failure(path, "it is a directory");
    }
    // The mode bits themselves (WriteUser would be the system's answer for this process).
    const auto anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (info.exists() && (!info.isWritable() || (info.permissions() & anyWrite) == 0)) {
        return Failure(path, "it is write-protected");
    }
    return std::nullopt;
}

// The previous content of a file about to be replaced, kept under another name until
// every file of the set is in place.
class Previous {
  public:
    explicit Previous(const QString& target) : target_(target) {
        if (!QFileInfo::exists(target_)) {
            return;
        }
        kept_ = target_ + ".~" + QString::number(::getpid()) + ".old";
        QFile::remove(kept_);
        // A second name for the same file costs nothing and keeps it exactly; a file
        // system without hard links gets a copy.
        if (::link(QFile::encodeName(target_).constData(), QFile::encodeName(kept_).constData()) !=
                0 &&
            !QFile::copy(target_, kept_)) {
            kept_.clear();
            failed_ = true;
        }
    }
    ~Previous() {
        if (!kept_.isEmpty()) {
            QFile::remove(kept_);
        }
    }
    Previous(const Previous&) = delete;
    Previous& operator=(const Previous&) = delete;

    bool failed() const { return failed_; }

    // Puts the previous content (or absence) of the target back.
    void restore() {
        if (kept_.isEmpty()) {
            QFile::remove(target_);
            return;
        }
        if (::rename(QFile::encodeName(kept_).constData(),
                     QFile::encodeName(target_).constData()) == 0) {
            kept_.clear();
        }
    }

  private:
    QString target_;
    QString kept_;
    bool failed_ = false;
};

}  // namespace

std::string WriteFileReplacing(const std::string& path, const std::string& text) {
    return WriteFilesReplacing({{path, text}});
}

std::string WriteFilesReplacing(const std::vector<std::pair<std::string, std::string>>& files) {
    for (const auto& file : files) {
        if (auto refused = Refusal(file.first)) {
            return *refused;
        }
    }
    // Every text goes to its temporary file beside its target first; nothing is replaced
    // before all of them are complete. A QSaveFile that is not committed removes its
    // temporary file.
    std::vector<std::unique_ptr<QSaveFile>> saves;
    for (const auto& [path, text] : files) {
        auto save = std::make_unique<QSaveFile>(QString::fromStdString(path));
        if (!save->open(QIODevice::WriteOnly)) {
            return Failure(path, save->errorString().toStdString());
        }
        if (save->write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size())) {
            return Failure(path, save->errorString().toStdString());
        }
        saves.push_back(std::move(save));
    }
    // Then one rename after the other; should a later one fail, the files already
    // replaced get their previous content back, so the set is either all new or all old.
    std::vector<std::unique_ptr<Previous>> replaced;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& path = files[i].first;
        // The last file is never put back: nothing is renamed after it.
        const bool last = i + 1 == files.size();
        auto previous =
            last ? nullptr : std::make_unique<Previous>(FinalTarget(QString::fromStdString(path)));
        std::string failure;
        if (previous && previous->failed()) {
            failure = Failure(path, "its previous content could not be kept aside");
        } else if (!saves[i]->commit()) {
            failure = Failure(path, saves[i]->errorString().toStdString());
        }
        if (!failure.empty()) {
            for (auto& done : replaced) {
                done->restore();
            }
            return failure;
        }
        replaced.push_back(std::move(previous));
    }
    return {};
}

}  // namespace talvo
