#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vireluna::e2e {

// One line of picture-cases.txt: the saver is run with these settings, seed and tick count,
// and must show what the native tool drew for the same.
struct PictureCase {
    std::string name;
    std::string screen;  // WIDTHxHEIGHT, or the monitors WxH+X+Y,... the saver is to cover
    std::string seed;
    std::string ticks;
    std::vector<std::pair<std::wstring, unsigned long>> settings;  // "Config" entries
    std::vector<std::string> designs;  // "test/NAME" for a test design, else a sample
};

std::vector<PictureCase> ReadPictureCases(const std::string& path);

}  // namespace vireluna::e2e
