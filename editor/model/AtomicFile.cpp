#include "model/AtomicFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace talvo {

namespace {

std::string Failure(const std::string& path, const std::string& reason) {
    return "The file \"" + path + "\" could not be written: " + reason + ".";
}

// Beside the target, so that the rename stays on one file system; the process ID keeps
// two programs saving the same file apart.
std::string TemporaryBeside(const std::string& path) {
    return path + ".~" + std::to_string(::getpid()) + ".tmp";
}

// Writes text to temp; empty on success.
std::string WriteTemporary(const std::string& path, const std::string& temp,
                           const std::string& text) {
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (file == nullptr) {
        return Failure(path, std::strerror(errno));
    }
    const std::size_t written = std::fwrite(text.data(), 1, text.size(), file);
    const int writeErrno = errno;
    const bool flushed = std::fflush(file) == 0;
    const int flushErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (written != text.size() || !flushed || !closed) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        const int reason = written != text.size() ? writeErrno : flushErrno;
        return Failure(path, reason != 0 ? std::strerror(reason) : "the disk refused the data");
    }
    return {};
}

}  // namespace

std::string WriteFileReplacing(const std::string& path, const std::string& text) {
    return WriteFilesReplacing({{path, text}});
}

std::string WriteFilesReplacing(const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<std::string> temps;
    const auto removeTemps = [&temps] {
        for (const std::string& temp : temps) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
        }
    };
    for (const auto& [path, text] : files) {
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            removeTemps();
            return Failure(path, "it is a directory");
        }
        const std::string temp = TemporaryBeside(path);
        std::string failure = WriteTemporary(path, temp, text);
        if (!failure.empty()) {
            removeTemps();
            return failure;
        }
        temps.push_back(temp);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::error_code error;
        std::filesystem::rename(temps[i], files[i].first, error);
        if (error) {
            // Files renamed so far are complete; the rest keep their previous content.
            for (std::size_t j = i; j < temps.size(); ++j) {
                std::error_code ignored;
                std::filesystem::remove(temps[j], ignored);
            }
            return Failure(files[i].first, error.message());
        }
    }
    return {};
}

}  // namespace talvo
