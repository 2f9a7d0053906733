#pragma once

#include <map>
#include <string>
#include <vector>

#include "core/ports/ProfileStore.h"

namespace vireluna {

// A profile held in memory, for tests. It logs every read so that a test can see
// which entries were read and in what order.
class MemoryProfileStore final : public ProfileStore {
  public:
    struct Read {
        std::string section;
        std::string entry;
        bool operator==(const Read&) const = default;
    };

    std::int32_t ReadInteger(std::string_view section, std::string_view entry,
                             std::int32_t defaultValue) override;
    std::string ReadString(std::string_view section, std::string_view entry,
                           std::string_view defaultValue) override;
    bool WriteInteger(std::string_view section, std::string_view entry,
                      std::int32_t value) override;
    bool WriteString(std::string_view section, std::string_view entry,
                     std::string_view value) override;
    std::string Location() const override { return "(memory)"; }

    const std::vector<Read>& Reads() const { return reads_; }
    void ClearReads() { reads_.clear(); }
    // Lets a test see how its caller handles a profile that cannot be written.
    void RefuseWrites(bool refuse) { refuseWrites_ = refuse; }

  private:
    const std::string* Find(std::string_view section, std::string_view entry);

    // Key: folded section, a newline, folded entry. Integers are kept as decimal text,
    // so an entry written as one type can be read as the other.
    std::map<std::string, std::string> values_;
    std::vector<Read> reads_;
    bool refuseWrites_ = false;
};

}  // namespace vireluna
