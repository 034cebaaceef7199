#include "web/browser_emulation_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace tavimo::win32 {
namespace {

// Works on a scratch key of its own, never the real one.
class BrowserEmulationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        key_ = {HKEY_CURRENT_USER,
                L"Software\\TavimoTests\\Emulation" + std::to_wstring(::GetCurrentProcessId())};
        ::RegDeleteTreeW(HKEY_CURRENT_USER, key_.path.c_str());
    }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, key_.path.c_str()); }

    void Put(DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(::RegSetKeyValueW(key_.root, key_.path.c_str(), L"tavimo.exe", type, data, size),
                  ERROR_SUCCESS);
    }
    // The stored value, or ~0 when it is missing or not a DWORD.
    DWORD Stored() {
        DWORD value = 0, size = sizeof value;
        if (::RegGetValueW(key_.root, key_.path.c_str(), L"tavimo.exe", RRF_RT_REG_DWORD, nullptr,
                           &value, &size) != ERROR_SUCCESS)
            return ~0u;
        return value;
    }

    RegistryKey key_;
};

TEST_F(BrowserEmulationTest, WritesTheModeOnlyWhenMissingOrDifferent) {
    EXPECT_EQ(EnsureBrowserEmulation(key_, L"tavimo.exe"), EmulationWrite::Written);
    EXPECT_EQ(Stored(), 11001u);
    EXPECT_EQ(EnsureBrowserEmulation(key_, L"tavimo.exe"), EmulationWrite::Unchanged);
    EXPECT_EQ(Stored(), 11001u);

    const DWORD old = 7000;
    Put(REG_DWORD, &old, sizeof old);
    EXPECT_EQ(EnsureBrowserEmulation(key_, L"tavimo.exe"), EmulationWrite::Written);
    EXPECT_EQ(Stored(), 11001u);

    const wchar_t text[] = L"11001";
    Put(REG_SZ, text, sizeof text);
    EXPECT_EQ(EnsureBrowserEmulation(key_, L"tavimo.exe"), EmulationWrite::Written);
    EXPECT_EQ(Stored(), 11001u);
}

TEST_F(BrowserEmulationTest, NamesTheRunningExecutable) {
    EXPECT_EQ(OwnExecutableName(), L"web_win32_tests.exe");
    EXPECT_EQ(BrowserEmulationKey().root, HKEY_CURRENT_USER);
    EXPECT_EQ(BrowserEmulationKey().path,
              L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\"
              L"FEATURE_BROWSER_EMULATION");
}

TEST_F(BrowserEmulationTest, ReportsAFailedWrite) {
    EXPECT_EQ(EnsureBrowserEmulation(key_, L""), EmulationWrite::Failed);
    // A root that is no open key: nothing can be made under it.
    const RegistryKey broken{reinterpret_cast<HKEY>(static_cast<INT_PTR>(0x5A5A0)), key_.path};
    EXPECT_EQ(EnsureBrowserEmulation(broken, L"tavimo.exe"), EmulationWrite::Failed);
    EXPECT_EQ(Stored(), ~0u);
}

}  // namespace
}  // namespace tavimo::win32
