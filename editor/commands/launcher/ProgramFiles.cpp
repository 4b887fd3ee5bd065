#include "ProgramFiles.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace talvo {

namespace fs = std::filesystem;

namespace {

std::string CannotWrite(const fs::path& file, const std::string& reason) {
    return "The file '" + file.string() + "' cannot be written: " + reason + ".";
}

}  // namespace

std::string StartScriptText() {
    const std::string engine = std::string("./") + kEngineFileName;
    // The script changes to the directory it lies in, so that it stays right when the
    // programs are moved: an existing script is never rewritten.
    return "#!/bin/sh\n"
           "# Starts the TALVO engine in the program directory, where it reads inout.dir.\n"
           "cd \"$(dirname \"$0\")\" || exit 1\n"
           "if command -v stdbuf >/dev/null 2>&1; then\n"
           "    exec stdbuf -oL -eL " +
           engine +
           "\n"
           "fi\n"
           "exec " +
           engine + "\n";
}

std::optional<std::string> EnsureStartScript(const fs::path& programDir) {
    const fs::path script = programDir / kStartScriptName;
    std::error_code ec;
    if (fs::exists(script, ec)) {
        return std::nullopt;
    }
    if (auto error = WriteFileWhole(script, StartScriptText())) {
        return error;
    }
    fs::permissions(script, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add, ec);
    return std::nullopt;
}

std::string RunDirectoryLine(const fs::path& runDir) {
    return runDir.string() + static_cast<char>(fs::path::preferred_separator);
}

std::optional<std::string> WriteRunDirectoryFile(const fs::path& programDir,
                                                 const fs::path& runDir) {
    return WriteFileWhole(programDir / kRunDirectoryFileName, RunDirectoryLine(runDir) + "\r\n");
}

bool IsWritableDirectory(const fs::path& dir) {
    std::error_code ec;
    return fs::is_directory(dir, ec) && ::access(dir.c_str(), W_OK | X_OK) == 0;
}

std::optional<std::string> WriteFileWhole(const fs::path& file, const std::string& text) {
    const fs::path temporary = file.string() + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return CannotWrite(file, std::strerror(errno));
        }
        out << text;
        out.close();
        if (!out) {
            const std::string reason = std::strerror(errno);
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return CannotWrite(file, reason);
        }
    }
    std::error_code ec;
    fs::rename(temporary, file, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return CannotWrite(file, ec.message());
    }
    return std::nullopt;
}

}  // namespace talvo
