#pragma once
// Writes report, plan, occupancy and plot records with edit-descriptor lists such as
// "(I5,5X,F10.2)" or "(1X,'No.',4X,'Name')", and free-format (list-directed) records.
// Every record ends with CR LF.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include "CompiledFormat.h"
#include "FormatValue.h"

namespace talvo {

class RecordWriter {
  public:
    explicit RecordWriter(std::ostream& out);

    // Writes `values` under the edit-descriptor list `format` (with its parentheses).
    // Descriptors: 'text' (a doubled quote stands for one quote), Iw, Fw.d, A, Aw, nX,
    // repeat counts on descriptors and on parenthesised groups, and a trailing backslash
    // that keeps the next record on the same line. When values remain after the last
    // descriptor, a new line begins and the list is used again from its last opening
    // parenthesis (the last group at the outer level, with its count; the whole list when
    // it has no group). A value too wide for its field is written as w asterisks. Fw.d
    // rounds the exact value once, halves away from zero, and writes a value that rounds
    // to zero without a minus sign.
    // Throws std::invalid_argument on a malformed list or a value of the wrong kind.
    // Each list is parsed once per writer; later calls with the same text reuse it.
    // Output stops at the first data descriptor left without a value; blanks of nX that
    // nothing follows are not written. Also: Iw.m, "text", nHtext, '/' (new record),
    // ':' (stop when no values remain) and '$' (same as the backslash).
    void write(std::string_view format, const FormatValues& values = {});

    // The same with a list parsed beforehand, for callers that keep one.
    void write(const CompiledFormat& format, const FormatValues& values = {});

    // As write, but an integer too wide for its Iw field widens the field instead of
    // turning into asterisks: for records of indices and times (cells past 999 in I3,
    // seconds past 99999 in I5), which only networks and runs beyond the classic table
    // sizes reach. Everything that fits is written exactly as write writes it.
    void writeWidening(std::string_view format, const FormatValues& values = {});

    // A free-format record: each item preceded by one blank. A text item is written as
    // it stands, an integer in its shortest form, a real in a compact decimal form.
    void writeListDirected(const FormatValues& values = {});

    // " " followed by text, then each value as in a free-format record.
    void writeText(std::string_view text, const FormatValues& values = {});

    // Ends a record left open by a backslash; does nothing when no record is open.
    void endRecord();

    // True while the last list ended with a backslash and its line is still open.
    bool recordOpen() const { return open_; }

    // A failing stream (disk full, closed file) is left in the stream's state for the
    // owner of the file to check and report.

  private:
    const CompiledFormat& compiled(std::string_view format);
    void flush();

    std::ostream& out_;
    RecordState state_;
    bool open_ = false;
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, std::shared_ptr<const CompiledFormat>, TextHash,
                       std::equal_to<>>
        formats_;
};

// The text that `RecordWriter::write` produces for one call, with "\r\n" after each
// completed record and none after a record left open by a trailing backslash.
std::string FormatRecord(std::string_view format, const FormatValues& values = {});

// The items of a free-format record, each preceded by one blank, without a line end
// (for console lines, which end as the console expects).
std::string ListDirectedText(const FormatValues& values);

}  // namespace talvo
