#pragma once
// What a numeric text box accepts: its parser (whole number or real), its range and the
// messages for a value outside it. A box checks its text as it changes, but only a
// complete entry is stored: while typing, a text that may still become acceptable (blank,
// "3" on the way to "300") is incomplete, and only a text the parser refuses is refused.
// The range is checked when the entry is complete (Enter, or the box loses the focus).

#include <limits>
#include <string>

#include "common/ProjectRecords.h"

namespace talvo {

enum class NumberKind { Integer, Real };

struct NumberRule {
    NumberKind kind = NumberKind::Integer;
    double low = 0;
    double high = Capacity::kMaxInt16;
    std::string belowMessage;  // empty: a value out of range is put back without a message
    std::string aboveMessage;

    static NumberRule Integer(int low = 0, int high = Capacity::kMaxInt16,
                              const std::string& message = {}) {
        return {NumberKind::Integer, double(low), double(high), message, message};
    }
    static NumberRule Real(double low = 0, double high = std::numeric_limits<double>::infinity(),
                           const std::string& message = {}) {
        return {NumberKind::Real, low, high, message, message};
    }
};

enum class EntryState { Refused, Incomplete, Complete };

struct EntryCheck {
    EntryState state = EntryState::Incomplete;
    double value = 0;
    std::string message;  // why it was refused (may be empty)
};

// The text as it stands while the user types.
EntryCheck CheckTyping(const NumberRule& rule, const std::string& text);
// The text as a complete entry: blank reads 0, a value out of range is refused.
EntryCheck CheckEntry(const NumberRule& rule, const std::string& text);
// A value about to be stored: only the range.
EntryCheck CheckValue(const NumberRule& rule, double value);

// The rules of the fields that more than one place checks.
namespace rules {
inline const NumberRule kSpeed =
    NumberRule::Integer(1, 200, "The allowable cell speed must be between 1 to 200 Km/H.");
inline const NumberRule kPercent =
    NumberRule::Integer(0, 100, "You must enter a number between 0 and 100 in this field.");
inline const NumberRule kWVRatio = NumberRule::Real(0, 1, "The W/V Ratio must be between 0 to 1.");
inline const NumberRule kMutationRate =
    NumberRule::Real(0, 1, "The Mutation Rate must be between 0 to 1.");
// Seconds of a run, as far as a project file holds them.
inline const NumberRule kTime =
    NumberRule::Integer(0, Capacity::kTimeLimit,
                        "You must enter a number between 0 and " +
                            std::to_string(Capacity::kTimeLimit) + " in this field.");
inline const NumberRule kMergeDivert =
    NumberRule::Real(0, 1, "The Merge/Divert proportion must be between 0 to 1.");
}  // namespace rules

// The values of a cell that the configuration panel edits one at a time. Check boxes
// are 0 (false) or 1 (true), the orientation 1 or 2.
enum class CellField {
    Orientation,
    LaneNum,
    Speed,
    OwnOccupancy,
    InitialCarNum,
    CapacityFactor,
    Capacity,
    Dummy
};

inline constexpr int kMaxLanes = 20;

const NumberRule& RuleFor(CellField field);
void SetValue(CellRecord& cell, CellField field, double value);

}  // namespace talvo
