#pragma once
// Writes report, plan, occupancy and plot records with edit-descriptor lists such as
// "(I5,5X,F10.2)" or "(1X,'No.',4X,'Name')", and free-format (list-directed) records.
// Every record ends with CR LF.

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace talvo {

// One item of an output list: an integer, a 32-bit real (as the engine keeps its reals),
// a double (for values formed in extended precision) or a text.
using FormatValue = std::variant<int32_t, float, double, std::string>;
using FormatValues = std::vector<FormatValue>;

class RecordWriter {
public:
    explicit RecordWriter(std::ostream& out);

    // Writes `values` under the edit-descriptor list `format` (with its parentheses).
    // Descriptors: 'text' (a doubled quote stands for one quote), Iw, Fw.d, A, Aw, nX,
    // repeat counts on descriptors and on parenthesised groups, and a trailing backslash
    // that keeps the next record on the same line. When values remain after the last
    // descriptor, a new line begins and the list is used again from its last opening
    // parenthesis. A value too wide for its field is written as w asterisks.
    // Throws std::invalid_argument on a malformed list or a value of the wrong kind.
    void write(std::string_view format, const FormatValues& values = {});

    // A free-format record: each item preceded by one blank. A text item is written as
    // it stands, an integer in its shortest form, a real in a compact decimal form.
    void writeListDirected(const FormatValues& values = {});

    // " " followed by text, then each value as in a free-format record.
    void writeText(std::string_view text, const FormatValues& values = {});

private:
    std::ostream& out_;
};

// The text that `RecordWriter::write` produces for one call, with "\r\n" after each
// completed record and none after a record left open by a trailing backslash.
std::string FormatRecord(std::string_view format, const FormatValues& values = {});

}  // namespace talvo
