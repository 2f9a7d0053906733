#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Drives the real VirelunaSettings.exe from another process: finds its windows, sends its
// controls the messages a user's clicks and typing would, and reads what they show.
namespace vireluna::e2e {

inline constexpr std::chrono::milliseconds Deadline{20000};

// Polls until the condition holds or the deadline passes; true when it held.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline = Deadline);

// The icon of a message box as it shows on the screen: the stop icon is red, the
// exclamation icon yellow.
enum class BoxIconSeen { None, Stop, Exclamation, Other };

struct MessageBoxSeen {
    std::wstring caption;
    std::wstring text;
    BoxIconSeen icon;
};

class SettingsProgram {
  public:
    // Starts the program in the working folder and waits for its sheet.
    explicit SettingsProgram(const std::wstring& workingFolder);
    ~SettingsProgram();
    SettingsProgram(const SettingsProgram&) = delete;
    SettingsProgram& operator=(const SettingsProgram&) = delete;

    HWND Sheet() const { return sheet_; }
    HWND Page(int index) const;
    HWND CurrentPage() const;
    HWND Control(int page, int id) const { return GetDlgItem(Page(page), id); }

    // Asks the sheet for another page; posted, since the page in front may refuse with a box.
    void SelectPage(int index) const;
    // Asks for another page and waits until it is in front; false when it does not come.
    bool ShowPage(int index) const;
    void PressOk() const;
    void PressApply() const;
    void PressCancel() const;
    // A click on a button of a page, posted so that a modal box it opens does not block us.
    void Click(int page, int id) const;
    void SetText(int page, int id, const std::wstring& text) const;
    std::wstring Text(int page, int id) const;
    bool IsChecked(int page, int id) const;
    bool IsApplyEnabled() const;

    std::vector<std::wstring> ListEntries() const;
    void SelectListEntries(const std::vector<int>& indexes) const;

    // Waits for a message box of the program, reads it and presses its OK button.
    std::optional<MessageBoxSeen> CloseMessageBox() const;
    // True when no message box of the program shows up within a short while.
    bool NoMessageBox() const;
    // The program's file-open dialog, once it shows.
    HWND WaitForFileDialog() const;
    // Types names into the file-open dialog and confirms, or cancels it.
    void ChooseInFileDialog(HWND dialog, const std::wstring& typedNames) const;
    void CancelFileDialog(HWND dialog) const;

    HWND FocusedWindow() const;
    // Waits for the program to end; its exit status, or nothing after the deadline.
    std::optional<DWORD> WaitForExit() const;

  private:
    HWND FindOwnedDialog(HWND exclude) const;

    PROCESS_INFORMATION process_{};
    HWND sheet_ = nullptr;
};

// The settings program's profile in the registry, for setting up and checking each test.
class Profile {
  public:
    static void Clear();
    static void SetInteger(const wchar_t* entry, DWORD value);
    static void SetFile(int number, const std::wstring& path);
    // The value's type and data, or nothing when the value is absent.
    static std::optional<DWORD> Integer(const wchar_t* entry);
    static std::optional<std::wstring> File(int number);
    // Another string of the "Display File List" section ("Folder").
    static void SetListString(const wchar_t* entry, const std::wstring& text);
    static std::optional<std::wstring> ListString(const wchar_t* entry);
    static bool HasAnyValue();
};

// A folder of design files made for one test.
class DesignFolder {
  public:
    DesignFolder();
    ~DesignFolder();
    const std::wstring& Path() const { return path_; }
    // A file whose header holds the two counts; returns its full path.
    std::wstring Design(const std::wstring& name, int colours, int stitches) const;
    std::wstring FullPath(const std::wstring& name) const { return path_ + L"\\" + name; }

  private:
    std::wstring path_;
};

std::string Narrow(const std::wstring& wide);
// A path of this machine as the Windows programs under wine see it.
std::wstring WindowsPath(const std::string& unixPath);

}  // namespace vireluna::e2e
