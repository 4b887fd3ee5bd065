#include "run/OutputFile.h"

#include <cerrno>
#include <cstring>

#include "run/ResultStaging.h"

namespace talvo {

void OutputFile::Buffer::noteFailure() {
    if (error == 0) {
        error = errno != 0 ? errno : EIO;
    }
}

OutputFile::Buffer::int_type OutputFile::Buffer::overflow(int_type c) {
    errno = 0;
    const int_type result = std::filebuf::overflow(c);
    if (traits_type::eq_int_type(result, traits_type::eof())) {
        noteFailure();
    }
    return result;
}

std::streamsize OutputFile::Buffer::xsputn(const char* text, std::streamsize count) {
    errno = 0;
    const std::streamsize written = std::filebuf::xsputn(text, count);
    if (written < count) {
        noteFailure();
    }
    return written;
}

int OutputFile::Buffer::sync() {
    errno = 0;
    const int result = std::filebuf::sync();
    if (result != 0) {
        noteFailure();
    }
    return result;
}

OutputFile::OutputFile(std::string path) : path_(std::move(path)), stream_(&buffer_) {
    errno = 0;
    if (buffer_.open(path_, std::ios::out | std::ios::binary | std::ios::trunc) == nullptr) {
        throw OutputFileError("Cannot create " + ResultNameOf(path_) + " (" +
                              std::strerror(errno != 0 ? errno : EIO) + ")");
    }
}

void OutputFile::flush() {
    stream_.flush();
    if (!stream_ || buffer_.error != 0) {
        failWrite();
    }
}

void OutputFile::close() {
    flush();
    errno = 0;
    if (buffer_.close() == nullptr) {
        buffer_.error = errno != 0 ? errno : EIO;
        failWrite();
    }
}

void OutputFile::failWrite() const {
    throw OutputFileError("Cannot write " + ResultNameOf(path_) + " (" +
                          std::strerror(buffer_.error != 0 ? buffer_.error : EIO) + ")");
}

}  // namespace talvo
