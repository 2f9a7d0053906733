#pragma once

#include <string>

namespace vireluna {

enum class ProfileFileState {
    Missing,     // no file there: every entry has its default
    Read,        // read whole
    Unreadable,  // there, but not a readable regular file of sensible size
};

// Reads the whole file into contents (left empty unless the result is Read).
ProfileFileState ReadProfileFile(const std::string& path, std::string& contents);

// Replaces the file's contents all at once: a new file beside it, flushed to disk and then
// renamed over it, so a failure at any point leaves the old file as it was. Creates the
// folder if needed, keeps the old file's permissions, and writes through a symbolic link
// to its target. False on any failure.
bool ReplaceProfileFile(const std::string& path, const std::string& contents);

}  // namespace vireluna
