#include "systems/posix/IniDocument.h"

#include <ini.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "core/ports/ProfileText.h"

namespace vireluna {
namespace {

// inih keeps at most this many bytes of a section name, and of the name a continued line
// belongs to.
constexpr std::size_t MaxNameBytes = 49;
constexpr char CommentMark = ';';
constexpr std::string_view SeparatorChars = "=:";
constexpr std::string_view NameForbiddenChars = "=:;#[]";

// inih's blanks (isspace in the C locale).
bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// inih's value rule, for text that starts just after the separator (or at the first
// non-blank of a continuation line): cut at ';' after a blank, then trim.
std::string_view ValueFrom(std::string_view text) {
    bool afterBlank = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (afterBlank && text[i] == CommentMark) {
            text = text.substr(0, i);
            break;
        }
        afterBlank = IsBlank(text[i]);
    }
    return Trim(text);
}

bool IsStorableName(std::string_view name) {
    if (name.empty() || name.size() > MaxNameBytes) return false;
    if (IsBlank(name.front()) || IsBlank(name.back())) return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F || NameForbiddenChars.find(c) != std::string_view::npos;
    });
}

bool IsStorableValue(std::string_view value) {
    if (value.empty()) return true;
    if (IsBlank(value.front()) || IsBlank(value.back())) return false;
    if (value.find_first_of(std::string_view("\0\n\r", 3)) != std::string_view::npos) return false;
    for (std::size_t i = 1; i < value.size(); ++i) {
        if (value[i] == CommentMark && IsBlank(value[i - 1])) return false;
    }
    return true;
}

std::string Key(std::string_view section, std::string_view entry) {
    return FoldProfileName(section) + '\n' + FoldProfileName(entry);
}

// A section header too long for inih's buffer: inih would keep only the first bytes of
// its name anyway, so it is handed a header of just those.
std::string ShortenedHeader(std::string_view raw) {
    const std::string_view name = raw.substr(1);
    const std::size_t close = name.find(']');
    if (close == std::string_view::npos) return std::string(raw);
    // inih also ends a header at a comment; such a header has no ']' in its view either.
    for (std::size_t i = 1; i < close; ++i) {
        if (name[i] == CommentMark && IsBlank(name[i - 1])) return std::string(raw);
    }
    return "[" + std::string(name.substr(0, std::min(close, MaxNameBytes))) + "]";
}

}  // namespace

// Feeds the text to inih line by line and remembers the whole of the current line, so that
// a value on a line longer than inih's buffer can be read in full.
struct IniParseContext {
    explicit IniParseContext(IniDocument& parsed) : document(parsed) {}

    IniDocument& document;
    std::size_t next = 0;          // where the next line begins
    std::string_view raw;          // the current line, up to a NUL byte if it has one
    const char* buffer = nullptr;  // inih's copy of it
    std::size_t delivered = 0;     // how much of it inih got

    static char* ReadLine(char* buffer, int capacity, void* stream);
    static int OnEntry(void* user, const char* section, const char* name, const char* value);
    std::string WholeValue(const char* value) const;
};

char* IniParseContext::ReadLine(char* buffer, int capacity, void* stream) {
    auto& context = *static_cast<IniParseContext*>(stream);
    const std::string& text = context.document.text_;
    if (context.next >= text.size() || capacity < 2) return nullptr;
    std::size_t end = text.find('\n', context.next);
    if (end == std::string::npos) end = text.size();
    context.document.lines_.push_back({context.next, end});
    const std::string_view line(text.data() + context.next, end - context.next);
    context.raw = line.substr(0, line.find('\0'));
    context.next = end + 1;

    const auto room = static_cast<std::size_t>(capacity - 1);
    std::string shortened;
    std::string_view handed = context.raw;
    // Only a header at the start of the line: an indented one may continue a value.
    if (handed.size() > room && handed.front() == '[') {
        shortened = ShortenedHeader(handed);
        handed = shortened;
    }
    context.delivered = std::min(handed.size(), room);
    std::memcpy(buffer, handed.data(), context.delivered);
    buffer[context.delivered] = '\0';
    context.buffer = buffer;
    return buffer;
}

int IniParseContext::OnEntry(void* user, const char* section, const char* name, const char* value) {
    auto& context = *static_cast<IniParseContext*>(user);
    context.document.Record(section, name, context.WholeValue(value),
                            context.document.lines_.size() - 1);
    return 1;
}

std::string IniParseContext::WholeValue(const char* value) const {
    const std::string_view seen(value);
    if (raw.size() <= delivered) return std::string(seen);
    const auto at = reinterpret_cast<std::uintptr_t>(value);
    const auto first = reinterpret_cast<std::uintptr_t>(buffer);
    if (at < first || at > first + delivered) return std::string(seen);
    const std::size_t offset = at - first;
    // A value that ended before the end of what inih saw was ended by a comment: it is whole.
    if (!Trim(raw.substr(offset + seen.size(), delivered - offset - seen.size())).empty()) {
        return std::string(seen);
    }
    std::size_t start = offset;
    while (start > 0 && IsBlank(raw[start - 1])) --start;
    if (start == 0) return std::string(ValueFrom(raw.substr(offset)));  // a continuation line
    if (SeparatorChars.find(raw[start - 1]) == std::string_view::npos) return std::string(seen);
    return std::string(ValueFrom(raw.substr(start)));
}

IniDocument::IniDocument(std::string text) : text_(std::move(text)) {
    Parse();
}

void IniDocument::Parse() {
    lines_.clear();
    entries_.clear();
    lastEntry_.clear();
    IniParseContext context(*this);
    firstErrorLine_ =
        ini_parse_stream(IniParseContext::ReadLine, &context, IniParseContext::OnEntry, &context);
}

void IniDocument::Record(std::string_view section, std::string_view entry, std::string value,
                         std::size_t line) {
    entries_[Key(section, entry)] = Entry{line, std::move(value)};
    lastEntry_[FoldProfileName(section)] = LastEntry{line, !entry.empty()};
}

const std::string* IniDocument::Find(std::string_view section, std::string_view entry) const {
    const auto found = entries_.find(Key(section, entry));
    return found == entries_.end() ? nullptr : &found->second.value;
}

std::string IniDocument::NewLine() const {
    const std::size_t firstBreak = text_.find('\n');
    return firstBreak != std::string::npos && firstBreak > 0 && text_[firstBreak - 1] == '\r'
               ? "\r\n"
               : "\n";
}

bool IniDocument::Set(std::string_view section, std::string_view entry, std::string_view value) {
    if (!IsStorableName(section) || !IsStorableName(entry) || !IsStorableValue(value)) {
        return false;
    }
    const std::string entryLine = std::string(entry) + "=" + std::string(value);
    const std::string newLine = NewLine();

    const auto found = entries_.find(Key(section, entry));
    const auto last = lastEntry_.find(FoldProfileName(section));
    if (found != entries_.end()) {
        const Line& line = lines_[found->second.line];
        std::size_t end = line.end;
        if (end > line.begin && text_[end - 1] == '\r') --end;  // keep the line's own ending
        text_.replace(line.begin, end - line.begin, entryLine);
    } else if (last != lastEntry_.end() && last->second.named) {
        // Below the section's last entry. Any indented line after it would have continued
        // that entry, so none is there to continue the new one instead.
        const Line& line = lines_[last->second.line];
        if (line.end < text_.size()) {
            text_.insert(line.end + 1, entryLine + newLine);
        } else {
            text_ += newLine + entryLine;
        }
    } else {
        // A new block at the end changes how no earlier line reads; inih joins equal sections.
        if (!text_.empty() && text_.back() != '\n') text_ += newLine;
        if (!text_.empty()) text_ += newLine;
        text_ += "[" + std::string(section) + "]" + newLine + entryLine + newLine;
    }
    Parse();
    return true;
}

}  // namespace vireluna
