#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "systems/win32/RegistryProfileStore.h"
#include "systems/win32/WideText.h"

namespace vireluna::win32 {
namespace {

// Each test gets a company key of its own under HKEY_CURRENT_USER\Software, removed afterwards.
class RegistryProfileStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        company = std::string("VirelunaTest-") + info->name() + "-" +
                  std::to_string(GetCurrentProcessId());
        RegDeleteTreeW(HKEY_CURRENT_USER, CompanyPath().c_str());
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, CompanyPath().c_str()); }

    std::wstring CompanyPath() const { return L"Software\\" + Wide(company); }
    std::wstring SectionPath(const std::string& section) const {
        return CompanyPath() + L"\\App\\" + Wide(section);
    }
    RegistryProfileStore Store() const { return RegistryProfileStore(company, "App"); }

    bool SectionExists(const std::string& section) const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key) !=
            ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }
    DWORD ValueCount(const std::string& section) const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key) !=
            ERROR_SUCCESS) {
            return 0;
        }
        DWORD values = 0;
        RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr);
        RegCloseKey(key);
        return values;
    }
    // Stores raw data of any type, as a hand edit or another program might.
    void Put(const std::string& section, const std::string& entry, DWORD type, const void* data,
             DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0,
                                  KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(
            RegSetValueExW(key, Wide(entry).c_str(), 0, type, static_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void PutDword(const std::string& entry, DWORD value) {
        Put("Config", entry, REG_DWORD, &value, sizeof value);
    }
    void PutText(const std::string& entry, const std::wstring& text, DWORD type = REG_SZ) {
        Put("Config", entry, type, text.c_str(),
            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    std::pair<DWORD, std::vector<BYTE>> Get(const std::string& section, const std::string& entry) {
        HKEY key = nullptr;
        std::vector<BYTE> data(256);
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegQueryValueExW(key, Wide(entry).c_str(), nullptr, &type, data.data(), &size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        data.resize(size);
        return {type, data};
    }

    std::string company;
};

TEST_F(RegistryProfileStoreTest, ReadingAMissingSectionCreatesItsKeyButWritesNoValue) {
    RegistryProfileStore store = Store();
    EXPECT_FALSE(SectionExists("Config"));
    EXPECT_EQ(store.ReadInteger("Config", "PenSize", 1), 1);
    EXPECT_TRUE(SectionExists("Config"));
    EXPECT_EQ(store.ReadString("Display File List", "File01", "C:\\x.pxs"), "C:\\x.pxs");
    EXPECT_TRUE(SectionExists("Display File List"));
    EXPECT_EQ(ValueCount("Config"), 0u);
    EXPECT_EQ(ValueCount("Display File List"), 0u);
}

TEST_F(RegistryProfileStoreTest, DwordValuesReadAsSigned32BitIntegers) {
    PutDword("HoldTime", 250);
    PutDword("Rotation", 0xFFFFFFFFu);
    PutDword("Reduction", 0x80000000u);
    RegistryProfileStore store = Store();
    EXPECT_EQ(store.ReadInteger("Config", "HoldTime", 100), 250);
    EXPECT_EQ(store.ReadInteger("Config", "Rotation", 2), -1);
    EXPECT_EQ(store.ReadInteger("Config", "Reduction", 80), INT32_MIN);
    // Entry names match whatever their case, as registry value names do.
    EXPECT_EQ(store.ReadInteger("config", "HOLDTIME", 100), 250);
}

TEST_F(RegistryProfileStoreTest, AnIntegerStoredAsAnythingButADwordGivesTheDefault) {
    PutText("PenSize", L"2");
    const BYTE binary[4] = {2, 0, 0, 0};
    Put("Config", "Rotation", REG_BINARY, binary, sizeof binary);
    const unsigned long long wide = 5;
    Put("Config", "DrawSpeed", REG_QWORD, &wide, sizeof wide);
    const WORD shortDword = 7;
    Put("Config", "DrawStep", REG_DWORD, &shortDword, sizeof shortDword);
    Put("Config", "HoldTime", REG_DWORD, nullptr, 0);
    RegistryProfileStore store = Store();
    EXPECT_EQ(store.ReadInteger("Config", "PenSize", 1), 1);
    EXPECT_EQ(store.ReadInteger("Config", "Rotation", 2), 2);
    EXPECT_EQ(store.ReadInteger("Config", "DrawSpeed", 3), 3);
    EXPECT_EQ(store.ReadInteger("Config", "DrawStep", 2), 2);
    EXPECT_EQ(store.ReadInteger("Config", "HoldTime", 100), 100);
}

TEST_F(RegistryProfileStoreTest, StringsReadAsUtf8AndAnEmptyStringIsNotMissing) {
    PutText("File01", L"C:\\\x30c7\x30b6\x30a4\x30f3\\\x9df9.pxs");  // デザイン\鷹
    PutText("File02", L"");
    RegistryProfileStore store = Store();
    EXPECT_EQ(store.ReadString("Config", "File01", "default"),
              "C:\\\xE3\x83\x87\xE3\x82\xB6\xE3\x82\xA4\xE3\x83\xB3\\\xE9\xB7\xB9.pxs");
    EXPECT_EQ(store.ReadString("Config", "File02", "default"), "");
    EXPECT_EQ(store.ReadString("Config", "File03", "default"), "default");
}

TEST_F(RegistryProfileStoreTest, AStringStoredBadlyGivesTheDefaultOrItsTextUpToTheFirstZero) {
    PutDword("File01", 5);
    const BYTE binary[] = {'C', 0, ':', 0};
    Put("Config", "File02", REG_BINARY, binary, sizeof binary);
    PutText("File03", std::wstring(40000, L'a'));
    // Written without its terminating zero, and with text after an inner zero.
    const std::wstring unterminated = L"C:\\a.pxs";
    Put("Config", "File04", REG_SZ, unterminated.data(),
        static_cast<DWORD>(unterminated.size() * sizeof(wchar_t)));
    const wchar_t inner[] = L"C:\\b.pxs\0junk";
    Put("Config", "File05", REG_SZ, inner, sizeof inner);
    // An odd byte count cannot be UTF-16 text in full; the whole units still read.
    Put("Config", "File06", REG_SZ, unterminated.data(), 5);
    const wchar_t loneSurrogate[] = {L'a', static_cast<wchar_t>(0xD800), L'\0'};
    Put("Config", "File07", REG_SZ, loneSurrogate, sizeof loneSurrogate);
    PutText("File08", L"%TEMP%\\c.pxs", REG_EXPAND_SZ);
    RegistryProfileStore store = Store();
    EXPECT_EQ(store.ReadString("Config", "File01", "d"), "d");
    EXPECT_EQ(store.ReadString("Config", "File02", "d"), "d");
    EXPECT_EQ(store.ReadString("Config", "File03", "d"), "d");
    EXPECT_EQ(store.ReadString("Config", "File04", "d"), "C:\\a.pxs");
    EXPECT_EQ(store.ReadString("Config", "File05", "d"), "C:\\b.pxs");
    EXPECT_EQ(store.ReadString("Config", "File06", "d"), "C:");
    EXPECT_EQ(store.ReadString("Config", "File07", "d"), "d");
    EXPECT_EQ(store.ReadString("Config", "File08", "d"), "d");
}

TEST_F(RegistryProfileStoreTest, WritesStoreDwordsAndStringsThatReadBack) {
    RegistryProfileStore store = Store();
    ASSERT_TRUE(store.WriteInteger("Config", "HoldTime", -5));
    ASSERT_TRUE(store.WriteString("Display File List", "File01", "C:\\\xE9\xB7\xB9.pxs"));
    ASSERT_TRUE(store.WriteString("Display File List", "File02", ""));
    EXPECT_EQ(store.ReadInteger("Config", "HoldTime", 100), -5);
    EXPECT_EQ(store.ReadString("Display File List", "File01", ""), "C:\\\xE9\xB7\xB9.pxs");
    EXPECT_EQ(store.ReadString("Display File List", "File02", "d"), "");

    const auto [dwordType, dword] = Get("Config", "HoldTime");
    EXPECT_EQ(dwordType, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(dword.size(), sizeof(DWORD));
    const auto [textType, text] = Get("Display File List", "File01");
    EXPECT_EQ(textType, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(text.size(), 9 * sizeof(wchar_t));  // eight units and the terminating zero

    // Text that is not UTF-8 is refused rather than stored mangled.
    EXPECT_FALSE(store.WriteString("Display File List", "File03", "C:\\\xFF.pxs"));
    EXPECT_EQ(store.ReadString("Display File List", "File03", "missing"), "missing");
}

TEST_F(RegistryProfileStoreTest, LocationNamesTheKeyForPeople) {
    EXPECT_EQ(Store().Location(), "HKEY_CURRENT_USER\\Software\\" + company + "\\App");
}

}  // namespace
}  // namespace vireluna::win32
