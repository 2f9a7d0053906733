#pragma once

#include <string>

namespace vireluna::e2e {

// A Unix path as a program in the Wine prefix sees it (drive Z: is the Unix root).
std::wstring WindowsPath(const std::string& unixPath);
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& text);

// The folders and programs the test run names in its environment.
struct TestPaths {
    std::string saver;        // VirelunaLogo.scr
    std::string designs;      // the bundled sample designs
    std::string testDesigns;  // designs made for the tests
    std::string references;   // pictures drawn by the native tool, one per picture case
    std::string cases;        // the picture cases
    std::string output;       // where failing tests leave their screenshots
};

// From VIRELUNA_E2E_*; an empty member when the variable is missing.
const TestPaths& Paths();

}  // namespace vireluna::e2e
