#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ports/MessageBoxes.h"

// What the configuration pages ask of their controls and of the sheet around them. The
// Windows backend implements these over real controls; unit tests over fakes.
namespace vireluna {

// An unsorted list of text entries with extended multiple selection.
class ListBoxControl {
  public:
    virtual ~ListBoxControl() = default;
    virtual void Append(std::string_view utf8Text) = 0;
    virtual int Count() const = 0;
    virtual std::string Text(int index) const = 0;
    // Ascending.
    virtual std::vector<int> SelectedIndexes() const = 0;
    virtual void DeleteAt(int index) = 0;
    virtual void Clear() = 0;
    virtual void SetHorizontalExtent(int pixels) = 0;
};

class RadioButtonControl {
  public:
    virtual ~RadioButtonControl() = default;
    virtual void SetChecked(bool checked) = 0;
    virtual bool IsChecked() const = 0;
};

// A single-line edit field that accepts any text.
class EditControl {
  public:
    virtual ~EditControl() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(std::string_view utf8Text) = 0;
    // Gives the field the keyboard focus with all of its text selected.
    virtual void FocusAndSelectAll() = 0;
};

// An up-down control attached to the edit field before it.
class SpinControl {
  public:
    virtual ~SpinControl() = default;
    // The Up arrow moves toward upper.
    virtual void SetRange(int lower, int upper) = 0;
};

struct FileChoice {
    enum class Outcome {
        Chosen,
        Cancelled,
        // The names chosen did not fit into the dialog's result buffer.
        TooManyFiles,
    };
    Outcome outcome = Outcome::Cancelled;
    std::vector<std::string> utf8Paths;  // full paths, in the dialog's order
};

// The file-open dialog of the design list: several existing design files at once.
class FileOpenDialog {
  public:
    virtual ~FileOpenDialog() = default;
    virtual FileChoice Choose() = 0;
};

// The system's folder picker, opened at the folder given (none: its own start).
class FolderDialog {
  public:
    virtual ~FolderDialog() = default;
    // The chosen folder's full path; none when cancelled.
    virtual std::optional<std::string> Choose(std::string_view utf8Current) = 0;
};

// The sheet's mark of one page; the Apply button is enabled while any page is marked.
class PageSite {
  public:
    virtual ~PageSite() = default;
    virtual void SetModified(bool modified) = 0;
};

}  // namespace vireluna
