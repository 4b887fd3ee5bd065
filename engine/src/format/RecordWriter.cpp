#include "RecordWriter.h"

#include "FieldEditing.h"

namespace talvo {
namespace {

std::string ListDirectedItem(const FormatValue& value) {
    if (const auto* integer = std::get_if<int32_t>(&value)) {
        return ListDirectedInteger(*integer);
    }
    if (const auto* single = std::get_if<float>(&value)) {
        return ListDirectedReal(*single);
    }
    if (const auto* wide = std::get_if<double>(&value)) {
        return ListDirectedReal(*wide);
    }
    return std::get<std::string>(value);
}

void AppendListDirected(std::string& out, const FormatValues& values) {
    for (const auto& value : values) {
        out += ' ';
        out += ListDirectedItem(value);
    }
}

}  // namespace

RecordWriter::RecordWriter(std::ostream& out) : out_(out) {}

void RecordWriter::write(std::string_view format, const FormatValues& values) {
    write(compiled(format), values);
}

void RecordWriter::writeWidening(std::string_view format, const FormatValues& values) {
    state_.widenIntegers = true;
    try {
        write(compiled(format), values);
    } catch (...) {
        state_.widenIntegers = false;
        throw;
    }
    state_.widenIntegers = false;
}

void RecordWriter::write(const CompiledFormat& format, const FormatValues& values) {
    open_ = format.apply(values, state_);
    flush();
}

void RecordWriter::writeListDirected(const FormatValues& values) {
    if (!values.empty()) {
        // Columns skipped at the end of an open record come before the first item.
        state_.text.append(static_cast<size_t>(state_.pendingBlanks), ' ');
    }
    state_.pendingBlanks = 0;
    AppendListDirected(state_.text, values);
    state_.text += "\r\n";
    open_ = false;
    flush();
}

void RecordWriter::writeText(std::string_view text, const FormatValues& values) {
    state_.text.append(static_cast<size_t>(state_.pendingBlanks), ' ');
    state_.pendingBlanks = 0;
    state_.text += ' ';
    state_.text += text;
    AppendListDirected(state_.text, values);
    state_.text += "\r\n";
    open_ = false;
    flush();
}

void RecordWriter::endRecord() {
    if (!open_) {
        return;
    }
    state_.pendingBlanks = 0;
    state_.text += "\r\n";
    open_ = false;
    flush();
}

const CompiledFormat& RecordWriter::compiled(std::string_view format) {
    if (const auto found = formats_.find(format); found != formats_.end()) {
        return *found->second;
    }
    auto compiledFormat = CompileFormatCached(format);
    constexpr size_t kMaxOwnLists = 256;
    if (formats_.size() >= kMaxOwnLists) {
        formats_.clear();
    }
    return *formats_.emplace(std::string(format), std::move(compiledFormat)).first->second;
}

void RecordWriter::flush() {
    out_.write(state_.text.data(), static_cast<std::streamsize>(state_.text.size()));
    state_.text.clear();
}

std::string FormatRecord(std::string_view format, const FormatValues& values) {
    RecordState state;
    CompileFormatCached(format)->apply(values, state);
    return state.text;
}

std::string ListDirectedText(const FormatValues& values) {
    std::string text;
    AppendListDirected(text, values);
    return text;
}

}  // namespace talvo
