#include "CompiledFormat.h"

#include <functional>
#include <mutex>
#include <stdexcept>
#include <unordered_map>

#include "FieldEditing.h"
#include "FormatParser.h"

namespace talvo {
namespace {

using Kind = FormatItem::Kind;

const char* KindName(const FormatValue& value) {
    switch (value.index()) {
        case 0:
            return "an integer";
        case 1:
        case 2:
            return "a real";
        default:
            return "a text";
    }
}

std::string DescriptorName(const FormatItem& item) {
    switch (item.kind) {
        case Kind::Integer:
            return "I" + std::to_string(item.width);
        case Kind::Real:
            return "F" + std::to_string(item.width) + "." + std::to_string(item.digits);
        default:
            return item.width < 0 ? "A" : "A" + std::to_string(item.width);
    }
}

// One application of a list to one output list.
class ListRun {
  public:
    ListRun(const std::string& format, const FormatValues& values, RecordState& state)
        : format_(format), values_(values), state_(state) {}

    bool valuesRemain() const { return next_ < values_.size(); }
    bool keepOpen() const { return keepOpen_; }

    // Runs items[from..]; false when the list stopped for want of values.
    bool runItems(const std::vector<FormatItem>& items, size_t from) {
        for (size_t i = from; i < items.size(); ++i) {
            const FormatItem& item = items[i];
            for (int r = 0; r < item.repeat; ++r) {
                if (!runItem(item)) {
                    return false;
                }
            }
        }
        return true;
    }

    void endRecord() {
        state_.pendingBlanks = 0;
        state_.text += "\r\n";
    }

  private:
    bool runItem(const FormatItem& item) {
        switch (item.kind) {
            case Kind::Text:
                startField();
                state_.text += item.text;
                return true;
            case Kind::Skip:
                state_.pendingBlanks += item.width;
                return true;
            case Kind::NewRecord:
                endRecord();
                return true;
            case Kind::KeepOpen:
                keepOpen_ = true;
                return true;
            case Kind::StopIfDone:
                return valuesRemain();
            case Kind::Group:
                return runItems(item.group, 0);
            case Kind::Integer:
            case Kind::Real:
            case Kind::Characters:
                if (!valuesRemain()) {
                    return false;
                }
                writeValue(item, values_[next_]);
                ++next_;
                return true;
        }
        return true;
    }

    void startField() {
        if (state_.pendingBlanks > 0) {
            state_.text.append(static_cast<size_t>(state_.pendingBlanks), ' ');
            state_.pendingBlanks = 0;
        }
    }

    void writeValue(const FormatItem& item, const FormatValue& value) {
        if (item.kind == Kind::Integer) {
            if (const auto* integer = std::get_if<int32_t>(&value)) {
                startField();
                AppendIntegerField(state_.text, *integer, item.width, item.digits,
                                   state_.widenIntegers);
                return;
            }
        } else if (item.kind == Kind::Real) {
            const auto* single = std::get_if<float>(&value);
            const auto* wide = std::get_if<double>(&value);
            if (single != nullptr || wide != nullptr) {
                startField();
                // A float widens to double exactly; the rounding happens once, to d decimals.
                AppendRealField(state_.text, single ? static_cast<double>(*single) : *wide,
                                item.width, item.digits);
                return;
            }
        } else if (const auto* text = std::get_if<std::string>(&value)) {
            startField();
            AppendTextField(state_.text, *text, item.width);
            return;
        }
        throw std::invalid_argument("edit-descriptor list \"" + format_ + "\": value " +
                                    std::to_string(next_ + 1) + " is " + KindName(value) +
                                    ", which " + DescriptorName(item) + " cannot write");
    }

    const std::string& format_;
    const FormatValues& values_;
    RecordState& state_;
    size_t next_ = 0;
    bool keepOpen_ = false;
};

struct TransparentHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

}  // namespace

CompiledFormat::CompiledFormat(std::string_view format)
    : text_(format), items_(ParseFormat(format)) {
    // When values remain at the end of the list, it is used again from its last
    // parenthesised group at the outer level (with that group's count), or from the start.
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].kind == Kind::Group) {
            reversionStart_ = i;
        }
    }
    for (size_t i = 0; i < items_.size(); ++i) {
        takesValues_ = takesValues_ || items_[i].takesValues;
        if (i >= reversionStart_) {
            reversionTakesValues_ = reversionTakesValues_ || items_[i].takesValues;
        }
    }
}

bool CompiledFormat::apply(const FormatValues& values, RecordState& state) const {
    if (!values.empty() && !reversionTakesValues_) {
        throw std::invalid_argument("edit-descriptor list \"" + text_ + "\" cannot write " +
                                    std::to_string(values.size()) +
                                    " values: it has no descriptor that takes a value" +
                                    (takesValues_ ? " in the part used again" : ""));
    }
    const size_t mark = state.text.size();
    const int pendingBefore = state.pendingBlanks;
    try {
        ListRun run(text_, values, state);
        bool completed = run.runItems(items_, 0);
        // Every pass over the used-again part takes at least one value, so this ends.
        while (completed && run.valuesRemain()) {
            run.endRecord();
            completed = run.runItems(items_, reversionStart_);
        }
        if (run.keepOpen()) {
            return true;
        }
        run.endRecord();
        return false;
    } catch (...) {
        state.text.resize(mark);
        state.pendingBlanks = pendingBefore;
        throw;
    }
}

std::shared_ptr<const CompiledFormat> CompileFormatCached(std::string_view format) {
    static std::mutex mutex;
    static std::unordered_map<std::string, std::shared_ptr<const CompiledFormat>, TransparentHash,
                              std::equal_to<>>
        cache;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (const auto found = cache.find(format); found != cache.end()) {
            return found->second;
        }
    }
    // Parsed outside the lock; a malformed list throws and is not kept.
    auto compiled = std::make_shared<const CompiledFormat>(format);
    const std::lock_guard<std::mutex> lock(mutex);
    // Lists are literals in the report writers; a caller that builds them on the fly must
    // not make the cache grow without end.
    constexpr size_t kMaxCachedLists = 4096;
    if (cache.size() >= kMaxCachedLists) {
        cache.clear();
    }
    return cache.emplace(std::string(format), std::move(compiled)).first->second;
}

}  // namespace talvo
