#include "drivers/win32/config/Win32FileOpenDialog.h"

#include <cderr.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "systems/win32/WideText.h"

namespace vireluna::win32 {
namespace {

// Pairs of name and pattern, each ended by a zero; the list by one more.
// The saver's own format stays the first filter, as the dialog has always opened with it.
constexpr wchar_t DesignFilter[] =
    L"PXS Files (*.pxs)\0*.pxs\0"
    L"Embroidery designs (*.pxs;*.dst;*.exp;*.pes;*.vp3;*.hus;*.vip;*.xxx;*.pcs)\0"
    L"*.pxs;*.dst;*.exp;*.pes;*.vp3;*.hus;*.vip;*.xxx;*.pcs\0"
    L"All Files (*.*)\0*.*\0";

// The buffer holds either one full path, or the folder followed by the names chosen in it,
// each ended by a zero and the list by one more.
std::vector<std::string> FullPaths(const std::vector<wchar_t>& buffer) {
    std::vector<std::wstring> parts;
    for (const wchar_t* part = buffer.data(); *part != L'\0'; part += parts.back().size() + 1) {
        parts.emplace_back(part);
    }
    std::vector<std::string> paths;
    if (parts.size() == 1) {
        paths.push_back(Utf8(parts.front()));
        return paths;
    }
    std::wstring folder = parts.empty() ? std::wstring() : parts.front();
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    for (std::size_t i = 1; i < parts.size(); ++i) paths.push_back(Utf8(folder + parts[i]));
    return paths;
}

}  // namespace

FileChoice Win32FileOpenDialog::Choose() {
    std::vector<wchar_t> buffer(ResultBufferCharacters, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = DesignFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = ResultBufferCharacters - 1;
    dialog.Flags =
        OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_LONGNAMES;
    FileChoice choice;
    if (GetOpenFileNameW(&dialog)) {
        choice.outcome = FileChoice::Outcome::Chosen;
        choice.utf8Paths = FullPaths(buffer);
    } else if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) {
        choice.outcome = FileChoice::Outcome::TooManyFiles;
    }
    return choice;
}

}  // namespace vireluna::win32
