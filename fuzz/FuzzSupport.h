#pragma once
// What the fuzz targets share: a stream that swallows what is written to it, and the
// rule that a reader's run ends in a result or in its own error type, nothing else.

#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <streambuf>

namespace talvo::fuzz {

// Accepts every character, so that writers run their whole formatting path.
class DiscardBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

class DiscardStream : public std::ostream {
  public:
    DiscardStream() : std::ostream(&buffer_) {}

  private:
    DiscardBuffer buffer_;
};

// Stops the run as a finding: libFuzzer saves the input that led here.
[[noreturn]] inline void Finding(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

}  // namespace talvo::fuzz
