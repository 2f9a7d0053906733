#include "tests/e2e_win32/driver/PictureCases.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/windriver/TestPaths.h"

namespace vireluna::e2e {

namespace {

constexpr char NoSettings[] = "-";

void ReadSettings(const std::string& text, PictureCase& pictureCase) {
    if (text == NoSettings) return;
    std::stringstream pairs(text);
    std::string pair;
    while (std::getline(pairs, pair, ',')) {
        const std::size_t equals = pair.find('=');
        if (equals == std::string::npos) continue;
        pictureCase.settings.emplace_back(Widen(pair.substr(0, equals)),
                                          std::stoul(pair.substr(equals + 1)));
    }
}

}  // namespace

std::vector<PictureCase> ReadPictureCases(const std::string& path) {
    std::vector<PictureCase> cases;
    std::ifstream file(std::filesystem::path(WindowsPath(path)));
    std::string line;
    while (std::getline(file, line)) {
        std::stringstream fields(line);
        PictureCase pictureCase;
        std::string settings;
        if (!(fields >> pictureCase.name) || pictureCase.name[0] == '#') continue;
        fields >> pictureCase.screen >> pictureCase.seed >> pictureCase.ticks >> settings;
        ReadSettings(settings, pictureCase);
        std::string design;
        while (fields >> design) pictureCase.designs.push_back(design);
        cases.push_back(pictureCase);
    }
    return cases;
}

}  // namespace vireluna::e2e
