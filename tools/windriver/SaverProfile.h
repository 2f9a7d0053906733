#pragma once

#include <map>
#include <string>
#include <vector>

namespace vireluna::e2e {

// The saver's profile in the registry of the test prefix:
// HKCU\Software\TessoranVireluna\VirelunaLogo\{Config, Display File List}.
class SaverProfile {
  public:
    // Removes the whole company key, so each test starts from an empty profile.
    static void Reset();
    static void SetNumber(const std::wstring& entry, unsigned long value);
    // File01, File02 ... in order.
    static void SetPlaylist(const std::vector<std::wstring>& paths);
    static void SetString(const std::wstring& section, const std::wstring& entry,
                          const std::wstring& value);

    // Every value under the company key: "key path\value name" to "type:data".
    using Snapshot = std::map<std::wstring, std::wstring>;
    static Snapshot TakeSnapshot();
};

}  // namespace vireluna::e2e
