#pragma once
// A file the run writes: created (or emptied) when opened, written through stream(), and
// finished with a check. A failed write is reported with the system's own reason ("No
// space left on device"), taken when the write failed rather than when it is noticed.

#include <fstream>
#include <ostream>
#include <string>

#include "EngineError.h"

namespace talvo {

// A file the run writes cannot be created or written: unlike an error in the input, it
// leaves no partial report behind.
class OutputFileError : public EngineError {
  public:
    using EngineError::EngineError;
};

class OutputFile {
  public:
    // Throws OutputFileError "Cannot create <path> (<reason>)".
    explicit OutputFile(std::string path);

    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    std::ostream& stream() { return stream_; }
    const std::string& path() const { return path_; }

    // Writes out what is buffered; throws OutputFileError "Cannot write <path> (<reason>)" when
    // this or any earlier write failed.
    void flush();
    // flush(), then closes the file (the system may report a failure only then).
    void close();

  private:
    // Remembers the reason of the first failed write.
    class Buffer : public std::filebuf {
      public:
        int error = 0;

      protected:
        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char* text, std::streamsize count) override;
        int sync() override;

      private:
        void noteFailure();
    };

    [[noreturn]] void failWrite() const;

    std::string path_;
    Buffer buffer_;
    std::ostream stream_;
};

}  // namespace talvo
