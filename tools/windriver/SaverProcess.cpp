#include "tools/windriver/SaverProcess.h"

#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "tools/windriver/TestPaths.h"

namespace vireluna::e2e {

namespace {

// The environment block of the driver with the extra variables added or replaced.
std::wstring EnvironmentBlock(const std::map<std::string, std::string>& extra) {
    std::map<std::wstring, std::wstring> variables;
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* entry = block; *entry != L'\0'; entry += std::wcslen(entry) + 1) {
        const std::wstring text(entry);
        const std::size_t equals = text.find(L'=', 1);  // "=C:" style entries start with '='
        if (equals == std::wstring::npos) continue;
        variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    FreeEnvironmentStringsW(block);
    for (const auto& [name, value] : extra) variables[Widen(name)] = Widen(value);
    std::wstring result;
    for (const auto& [name, value] : variables) result += name + L"=" + value + L'\0';
    result += L'\0';
    return result;
}

struct WindowSearch {
    DWORD process;
    bool visibleTopLevelOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM parameter) {
    reinterpret_cast<WindowSearch*>(parameter)->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process) return TRUE;
    if (search->visibleTopLevelOnly) {
        if (IsWindowVisible(window)) search->found.push_back(window);
    } else {
        search->found.push_back(window);
        EnumChildWindows(window, CollectChild, parameter);
    }
    return TRUE;
}

// One entry of the per-process GDI handle table that the system maps into each process.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t userPointer;
};
constexpr std::size_t GdiHandleTableEntries = 0x10000;
// Where the table's address is kept: in the 64-bit process environment block; a 32-bit
// process on 32-bit Windows has only a 32-bit block. Under Wine a 32-bit process on 64-bit
// Windows has both, the 64-bit one a page below its own, and only that one names the table.
// Wine's entries have the layout above in every case.
constexpr std::size_t Peb64GdiSharedHandleTableOffset = 0xF8;
constexpr std::size_t Peb32GdiSharedHandleTableOffset = 0x94;
constexpr std::ptrdiff_t WinePeb64BelowPeb32 = 0x1000;

// The table's address in the process, 0 when it cannot be read.
std::uint64_t GdiTableAddress(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                  &length) != 0)
        return 0;
    const char* block = reinterpret_cast<const char*>(basic.PebBaseAddress);
    std::size_t offset = Peb64GdiSharedHandleTableOffset;
    std::size_t size = sizeof(std::uint64_t);
    if (sizeof(void*) == 4) {
        BOOL onWindows64 = FALSE;
        IsWow64Process(process, &onWindows64);
        if (onWindows64) {
            block -= WinePeb64BelowPeb32;
        } else {
            offset = Peb32GdiSharedHandleTableOffset;
            size = sizeof(std::uint32_t);
        }
    }
    std::uint64_t table = 0;  // little-endian: a 32-bit address fills its low half
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, block + offset, &table, size, &read)) return 0;
    return table;
}

int CountGdiTableEntries(HANDLE process) {
    const std::uint64_t table = GdiTableAddress(process);
    if (table == 0) return -1;
    SIZE_T read = 0;
    std::vector<GdiHandleEntry> entries(GdiHandleTableEntries);
    if (!ReadProcessMemory(process,
                           reinterpret_cast<const void*>(static_cast<std::uintptr_t>(table)),
                           entries.data(), entries.size() * sizeof(GdiHandleEntry), &read))
        return -1;
    int used = 0;
    for (const GdiHandleEntry& entry : entries) used += entry.type != 0 ? 1 : 0;
    return used;
}

// The system's handle list (SystemHandleInformation), one entry per handle of any process.
constexpr auto SystemHandleInformationClass = static_cast<SYSTEM_INFORMATION_CLASS>(16);
constexpr NTSTATUS InfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
constexpr std::size_t FirstHandleListBytes = 1 << 20;
constexpr std::size_t MostHandleListBytes = 1 << 28;
struct SystemHandleEntry {
    ULONG process;
    UCHAR objectType;
    UCHAR flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};
struct SystemHandleList {
    ULONG count;
    SystemHandleEntry handles[1];
};

int CountHandlesOf(DWORD process) {
    std::vector<char> buffer(FirstHandleListBytes);
    NTSTATUS status = 0;
    while ((status = NtQuerySystemInformation(SystemHandleInformationClass, buffer.data(),
                                              static_cast<ULONG>(buffer.size()), nullptr)) ==
               InfoLengthMismatch &&
           buffer.size() < MostHandleListBytes) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) return -1;
    const auto* list = reinterpret_cast<const SystemHandleList*>(buffer.data());
    return static_cast<int>(std::count_if(
        list->handles, list->handles + list->count,
        [process](const SystemHandleEntry& entry) { return entry.process == process; }));
}

constexpr int SettledLooks = 5;

}  // namespace

SaverProcess::SaverProcess(const std::wstring& arguments,
                           const std::map<std::string, std::string>& environment) {
    const std::wstring program = WindowsPath(Paths().saver);
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    std::wstring block = EnvironmentBlock(environment);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION information{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, block.data(), nullptr, &startup, &information))
        return;
    CloseHandle(information.hThread);
    process_ = information.hProcess;
    id_ = information.dwProcessId;
}

SaverProcess::~SaverProcess() {
    if (process_ == nullptr) return;
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, INFINITE);
    }
    CloseHandle(process_);
}

bool SaverProcess::Running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> SaverProcess::WaitForExit(Clock::duration limit) {
    if (process_ == nullptr) return std::nullopt;
    if (!WaitUntil([this] { return !Running(); }, limit)) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

std::vector<HWND> SaverProcess::TopLevelWindows() const {
    WindowSearch search{id_, true, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int SaverProcess::WindowCount() const {
    WindowSearch search{id_, false, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return static_cast<int>(search.found.size());
}

HWND SaverProcess::WaitForWindow(const std::wstring& className, Clock::duration limit) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows()) {
                wchar_t name[256] = {};
                GetClassNameW(window, name, 256);
                if (className.empty() || className == name) {
                    found = window;
                    return true;
                }
            }
            return !Running();
        },
        limit);
    return found;
}

int SaverProcess::GdiObjectCount() const {
    const DWORD reported = GetGuiResources(process_, GR_GDIOBJECTS);
    if (reported != 0) return static_cast<int>(reported);
    return CountGdiTableEntries(process_);
}

int SaverProcess::SettledGdiObjectCount() const {
    int fewest = INT32_MAX;
    for (int look = 0; look < SettledLooks; ++look) {
        fewest = std::min(fewest, GdiObjectCount());
        Sleep(static_cast<DWORD>(std::chrono::milliseconds(PollInterval).count()));
    }
    return fewest;
}

int SaverProcess::HandleCount() const {
    return CountHandlesOf(id_);
}

}  // namespace vireluna::e2e
