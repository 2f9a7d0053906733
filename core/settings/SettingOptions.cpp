#include "core/settings/SettingOptions.h"

#include <string>

namespace vireluna {

std::string NamesText(const SettingOption& option, std::string_view between,
                      std::string_view last) {
    std::string text;
    for (std::size_t i = 0; i < option.names.size(); ++i) {
        if (i > 0) text += i + 1 == option.names.size() ? last : between;
        text += option.names[i];
    }
    return text;
}

}  // namespace vireluna
