#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vireluna {

// The text of an INI profile, parsed by inih and kept whole, so that one entry can be
// changed without disturbing any other line: comments, unknown sections and lines inih
// could not read all stay as they are.
//
// Reading follows inih: names and values are trimmed, ';' after a blank starts a comment,
// an indented line continues the entry before it. Names match regardless of ASCII case,
// and when an entry appears twice the later one counts. Lines longer than inih's buffer
// are read whole.
class IniDocument {
  public:
    explicit IniDocument(std::string text = {});

    const std::string& Text() const { return text_; }
    // Null when the entry or its section is missing; an empty value is not missing.
    const std::string* Find(std::string_view section, std::string_view entry) const;
    // 0 when every line was understood, else the number (from 1) of the first line that was not.
    int FirstErrorLine() const { return firstErrorLine_; }

    // Sets one entry: the line it was read from is replaced, or a line is added to its
    // section, or a block of the section is added at the end. False, with nothing changed, when
    // the name or the value would not read back exactly as given (line breaks, NUL bytes,
    // blanks at either end, "; " comments, characters that mean something in INI).
    bool Set(std::string_view section, std::string_view entry, std::string_view value);

  private:
    struct Line {
        std::size_t begin;
        std::size_t end;  // just before the '\n', or the end of the text
    };
    struct Entry {
        std::size_t line;
        std::string value;
    };
    struct LastEntry {
        std::size_t line;
        bool named;  // an entry without a name leaves a following indented line unclaimed
    };
    friend struct IniParseContext;

    void Parse();
    void Record(std::string_view section, std::string_view entry, std::string value,
                std::size_t line);
    std::string NewLine() const;

    std::string text_;
    std::vector<Line> lines_;
    std::map<std::string, Entry> entries_;        // folded "section\nentry"
    std::map<std::string, LastEntry> lastEntry_;  // folded section
    int firstErrorLine_ = 0;
};

}  // namespace vireluna
