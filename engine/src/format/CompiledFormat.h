#pragma once
// An edit-descriptor list such as "(I5,5X,2(F10.2,1X),'veh')", parsed once and then applied
// to any number of output lists. Report writers that write the same layout thousands of
// times (the occupancy file) keep one and never re-parse.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FormatValue.h"

namespace talvo {

// One descriptor of a list, or a parenthesised group of them.
struct FormatItem {
    enum class Kind {
        Text,        // 'text', "text" or nHtext: written as it stands
        Skip,        // nX: n columns, written as blanks only when something follows
        Integer,     // Iw or Iw.m
        Real,        // Fw.d
        Characters,  // A or Aw
        NewRecord,   // /
        KeepOpen,    // \ or $: the last record of the list is left open
        StopIfDone,  // :  stops the list when no values remain
        Group,       // n(...)
    };
    Kind kind = Kind::Text;
    int repeat = 1;
    int width = 0;    // Iw, Fw, Aw (-1: A alone), nX
    int digits = -1;  // d of Fw.d, m of Iw.m (-1: none)
    std::string text;
    std::vector<FormatItem> group;
    bool takesValues = false;  // a data descriptor, or a group holding one
};

// The output side of a record writer: the text written so far and the columns that nX
// moved over without anything written after them yet.
struct RecordState {
    std::string text;
    int pendingBlanks = 0;
    bool widenIntegers = false;  // Iw fields too narrow for their value widen to fit
};

class CompiledFormat {
  public:
    // Parses `format`, which must stand in parentheses. Throws std::invalid_argument naming
    // the list, the column and the fault when it is malformed.
    explicit CompiledFormat(std::string_view format);

    const std::string& text() const { return text_; }
    bool takesValues() const { return takesValues_; }

    // Appends to `state.text` the records that the list writes for `values`, each completed
    // record ending with CR LF. Returns true when the last record is left open (the list
    // reached a backslash). Throws std::invalid_argument when a value does not suit its
    // descriptor or when values remain that the list can never take; `state` is then left
    // as it was.
    bool apply(const FormatValues& values, RecordState& state) const;

  private:
    std::string text_;
    std::vector<FormatItem> items_;
    size_t reversionStart_ = 0;
    bool takesValues_ = false;
    bool reversionTakesValues_ = false;
};

// A parsed list for `format`, from a process-wide cache keyed by the list's text.
std::shared_ptr<const CompiledFormat> CompileFormatCached(std::string_view format);

}  // namespace talvo
