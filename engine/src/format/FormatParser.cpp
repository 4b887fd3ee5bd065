#include "FormatParser.h"

#include <cctype>
#include <stdexcept>
#include <string>

namespace talvo {
namespace {

// Bounds that keep a mistyped list from asking for gigabytes of blanks or a deep recursion.
constexpr int kMaxCount = 10000;
constexpr int kMaxWidth = 1000;
constexpr int kMaxDecimals = 100;
constexpr int kMaxDepth = 32;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

class Parser {
  public:
    explicit Parser(std::string_view format) : format_(format) {}

    std::vector<FormatItem> parse() {
        skipBlanks();
        if (atEnd() || format_[pos_] != '(') {
            fail("the list must begin with '('");
        }
        ++pos_;
        auto items = parseGroupBody(1);
        skipBlanks();
        if (!atEnd()) {
            fail("text after the closing parenthesis");
        }
        return items;
    }

  private:
    [[noreturn]] void fail(const std::string& fault) const {
        throw std::invalid_argument("edit-descriptor list \"" + std::string(format_) +
                                    "\": " + fault + " at column " + std::to_string(pos_ + 1));
    }

    bool atEnd() const { return pos_ >= format_.size(); }

    void skipBlanks() {
        while (!atEnd() && (format_[pos_] == ' ' || format_[pos_] == '\t')) {
            ++pos_;
        }
    }

    // A run of digits; -1 when there is none.
    int readNumber(int limit, const char* what) {
        if (atEnd() || !IsDigit(format_[pos_])) {
            return -1;
        }
        long value = 0;
        while (!atEnd() && IsDigit(format_[pos_])) {
            value = value * 10 + (format_[pos_] - '0');
            if (value > limit) {
                fail(std::string(what) + " larger than " + std::to_string(limit));
            }
            ++pos_;
        }
        return static_cast<int>(value);
    }

    // The items up to the matching ')', which is consumed.
    std::vector<FormatItem> parseGroupBody(int depth) {
        if (depth > kMaxDepth) {
            fail("groups nested deeper than " + std::to_string(kMaxDepth));
        }
        std::vector<FormatItem> items;
        bool afterComma = false;
        bool needComma = false;
        for (;;) {
            skipBlanks();
            if (atEnd()) {
                fail("missing ')'");
            }
            const char c = format_[pos_];
            if (c == ')') {
                if (afterComma) {
                    fail("a comma before ')'");
                }
                ++pos_;
                return items;
            }
            if (c == ',') {
                if (afterComma || items.empty()) {
                    fail("a misplaced comma");
                }
                ++pos_;
                afterComma = true;
                needComma = false;
                continue;
            }
            // Record and control descriptors need no commas around them.
            if (c == '/' || c == ':' || c == '\\' || c == '$') {
                items.push_back(controlItem(c));
                afterComma = false;
                needComma = false;
                continue;
            }
            const bool quoted = c == '\'' || c == '"';
            if (needComma && !quoted) {
                fail("a missing comma");
            }
            FormatItem item = parseItem(depth);
            // Quoted text may stand next to other items without a comma.
            needComma = item.kind != FormatItem::Kind::Text;
            afterComma = false;
            items.push_back(std::move(item));
        }
    }

    FormatItem controlItem(char c) {
        ++pos_;
        FormatItem item;
        if (c == '/') {
            item.kind = FormatItem::Kind::NewRecord;
        } else if (c == ':') {
            item.kind = FormatItem::Kind::StopIfDone;
        } else {
            item.kind = FormatItem::Kind::KeepOpen;
            // Lists quoted with the backslash doubled mean one backslash descriptor.
            if (c == '\\' && !atEnd() && format_[pos_] == '\\') {
                ++pos_;
            }
        }
        return item;
    }

    FormatItem parseItem(int depth) {
        const int count = readNumber(kMaxCount, "a count");
        if (count == 0) {
            fail("a count of 0");
        }
        skipBlanks();
        if (atEnd()) {
            fail("a descriptor missing");
        }
        FormatItem item;
        item.repeat = count > 0 ? count : 1;
        const char c = format_[pos_];
        if (c == '(') {
            ++pos_;
            item.kind = FormatItem::Kind::Group;
            item.group = parseGroupBody(depth + 1);
            for (const auto& inner : item.group) {
                item.takesValues = item.takesValues || inner.takesValues;
            }
            return item;
        }
        if (c == '\'' || c == '"') {
            item.kind = FormatItem::Kind::Text;
            item.text = readQuoted(c);
            return item;
        }
        ++pos_;
        switch (Upper(c)) {
            case 'X':
                // nX: the count is the number of columns, not a repeat.
                item.kind = FormatItem::Kind::Skip;
                item.width = item.repeat;
                item.repeat = 1;
                return item;
            case 'H':
                if (count < 0) {
                    fail("H without a character count");
                }
                if (format_.size() - pos_ < static_cast<size_t>(count)) {
                    fail("H text runs past the end of the list");
                }
                item.kind = FormatItem::Kind::Text;
                item.text = std::string(format_.substr(pos_, static_cast<size_t>(count)));
                item.repeat = 1;
                pos_ += static_cast<size_t>(count);
                return item;
            case 'I':
                item.kind = FormatItem::Kind::Integer;
                item.width = requiredWidth('I');
                if (!atEnd() && format_[pos_] == '.') {
                    ++pos_;
                    item.digits = readNumber(kMaxWidth, "a digit count");
                    if (item.digits < 0) {
                        fail("I with '.' but no digit count");
                    }
                }
                item.takesValues = true;
                return item;
            case 'F':
                item.kind = FormatItem::Kind::Real;
                item.width = requiredWidth('F');
                if (atEnd() || format_[pos_] != '.') {
                    fail("F without '.d'");
                }
                ++pos_;
                item.digits = readNumber(kMaxDecimals, "a decimal count");
                if (item.digits < 0) {
                    fail("F without a decimal count");
                }
                item.takesValues = true;
                return item;
            case 'A':
                item.kind = FormatItem::Kind::Characters;
                item.width = readNumber(kMaxWidth, "a width");
                if (item.width == 0) {
                    fail("A with width 0");
                }
                item.takesValues = true;
                return item;
            default:
                --pos_;
                fail(std::string("an unknown descriptor '") + c + "'");
        }
    }

    int requiredWidth(char descriptor) {
        const int width = readNumber(kMaxWidth, "a width");
        if (width < 0) {
            fail(std::string(1, descriptor) + " without a width");
        }
        return width;
    }

    // 'text' with a doubled quote standing for one quote.
    std::string readQuoted(char quote) {
        ++pos_;
        std::string text;
        for (;;) {
            if (atEnd()) {
                fail("text without its closing quote");
            }
            const char c = format_[pos_++];
            if (c != quote) {
                text += c;
                continue;
            }
            if (!atEnd() && format_[pos_] == quote) {
                text += quote;
                ++pos_;
                continue;
            }
            return text;
        }
    }

    std::string_view format_;
    size_t pos_ = 0;
};

}  // namespace

std::vector<FormatItem> ParseFormat(std::string_view format) {
    return Parser(format).parse();
}

}  // namespace talvo
