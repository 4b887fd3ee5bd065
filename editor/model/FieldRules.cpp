#include "model/FieldRules.h"

#include "model/NumberParsers.h"

namespace talvo {

namespace {

struct Parsed {
    bool refused = false;
    double value = 0;
    std::string message;
};

Parsed Parse(const NumberRule& rule, const std::string& text) {
    if (rule.kind == NumberKind::Integer) {
        // A field that holds more than 16 bits takes whole numbers up to its top.
        const int largest = rule.high > kLargest16Bit ? static_cast<int>(rule.high) : kLargest16Bit;
        const ParsedInteger p = ParseInteger(text, largest);
        return {p.refused(), double(p.value), p.message};
    }
    const ParsedReal p = ParseReal(text);
    return {p.refused(), p.value, p.message};
}

bool Blank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

EntryCheck CheckTyping(const NumberRule& rule, const std::string& text) {
    // A lone sign is the start of a number, not a refusal.
    if (Blank(text) || text == "+") {
        return {EntryState::Incomplete, 0, {}};
    }
    const Parsed parsed = Parse(rule, text);
    if (parsed.refused) {
        return {EntryState::Refused, 0, parsed.message};
    }
    if (parsed.value < rule.low || parsed.value > rule.high) {
        return {EntryState::Incomplete, parsed.value, {}};
    }
    return {EntryState::Complete, parsed.value, {}};
}

EntryCheck CheckEntry(const NumberRule& rule, const std::string& text) {
    const Parsed parsed = Parse(rule, text);
    if (parsed.refused) {
        return {EntryState::Refused, 0, parsed.message};
    }
    return CheckValue(rule, parsed.value);
}

EntryCheck CheckValue(const NumberRule& rule, double value) {
    if (value < rule.low) {
        return {EntryState::Refused, value, rule.belowMessage};
    }
    if (value > rule.high) {
        return {EntryState::Refused, value, rule.aboveMessage};
    }
    return {EntryState::Complete, value, {}};
}

const NumberRule& RuleFor(CellField field) {
    static const NumberRule orientation = NumberRule::Integer(kHorizontal, kVertical);
    static const NumberRule lanes = NumberRule::Integer(
        1, kMaxLanes,
        "The number of lanes must be between 1 and " + std::to_string(kMaxLanes) + ".");
    static const NumberRule flag = NumberRule::Integer(0, 1);
    static const NumberRule factor =
        NumberRule::Real(0, 1, "The speed deduction must be between 0 to 1.");
    static const NumberRule capacity =
        NumberRule::Real(0, 1, "The capacity must be between 0 to 1.");
    switch (field) {
        case CellField::Orientation:
            return orientation;
        case CellField::LaneNum:
            return lanes;
        case CellField::Speed:
            return rules::kSpeed;
        case CellField::InitialCarNum:
            return rules::kPercent;
        case CellField::CapacityFactor:
            return factor;
        case CellField::Capacity:
            return capacity;
        case CellField::OwnOccupancy:
        case CellField::Dummy:
            break;
    }
    return flag;
}

void SetValue(CellRecord& cell, CellField field, double value) {
    switch (field) {
        case CellField::Orientation:
            cell.orientation = static_cast<int>(value);
            return;
        case CellField::LaneNum:
            cell.laneNum = static_cast<int>(value);
            return;
        case CellField::Speed:
            cell.speed = value;
            return;
        case CellField::OwnOccupancy:
            cell.ownOccupancy = value != 0;
            return;
        case CellField::InitialCarNum:
            cell.initialCarNum = static_cast<int>(value);
            return;
        case CellField::CapacityFactor:
            cell.capacityFactor = value;
            return;
        case CellField::Capacity:
            cell.capacity = value;
            return;
        case CellField::Dummy:
            cell.isDummy = value != 0;
            return;
    }
}

}  // namespace talvo
