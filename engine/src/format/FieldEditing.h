#pragma once
// The text of one field: Iw, Fw.d and Aw editing, and the items of a free-format record.
// A value that does not fit its field gives a field of asterisks, never a wider field,
// so that the columns of a report stay in place.

#include <cstdint>
#include <string>
#include <string_view>

namespace talvo {

// Iw.m: `value` right-aligned in `width` columns with at least `minDigits` digits
// (minDigits < 0: no minimum). Width 0 means "as narrow as the value allows". With
// `widen`, a value wider than its field takes the columns it needs instead of asterisks
// (for indices and times, which must never be lost).
void AppendIntegerField(std::string& out, int32_t value, int width, int minDigits = -1,
                        bool widen = false);

// Fw.d: `value` rounded to `decimals` decimals, right-aligned in `width` columns. The zero
// before the decimal point of a value below 1 is written only when the field has room.
// A value that rounds to zero is written without a minus sign. Width 0 means "as narrow
// as the value allows". Infinities and NaN are written as "Infinity"/"Inf" and "NaN".
void AppendRealField(std::string& out, double value, int width, int decimals);

// Aw: the first `width` characters of `text`, or `text` right-aligned in `width` columns.
// Width < 0 (A alone) writes the text as it stands.
void AppendTextField(std::string& out, std::string_view text, int width);

// The items of a free-format record: an integer in its shortest form, a real in the
// shortest decimal form that reads back as the same value (always with a decimal point).
std::string ListDirectedInteger(int32_t value);
std::string ListDirectedReal(float value);
std::string ListDirectedReal(double value);

}  // namespace talvo
