// SPDX-License-Identifier: GPL-3.0-or-later
// Reading HKEY_LOCAL_MACHINE under the real registry. The test writes the
// values itself; the program only reads.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/registry.h"

namespace sonatrix {
namespace {

using Status = RegistryValue::Status;

class WindowsRegistry : public ::testing::Test {
  protected:
    void SetUp() override {
        key_ = "Software\\SonatrixTest\\" + std::to_string(GetCurrentProcessId()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
    }
    void TearDown() override {
        for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
            HKEY parent = nullptr;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\SonatrixTest", 0,
                              KEY_ALL_ACCESS | view, &parent) == ERROR_SUCCESS) {
                RegDeleteTreeA(parent, key_.substr(sizeof "Software\\SonatrixTest").c_str());
                RegCloseKey(parent);
            }
        }
    }
    void Set(const char* name, DWORD type, const void* data, DWORD size,
             REGSAM view = KEY_WOW64_64KEY) {
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key_.c_str(), 0, nullptr, 0, KEY_WRITE | view,
                                  nullptr, &handle, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
        RegCloseKey(handle);
    }
    void SetText(const char* name, const std::string& text, DWORD type = REG_SZ,
                 REGSAM view = KEY_WOW64_64KEY) {
        Set(name, type, text.c_str(), static_cast<DWORD>(text.size() + 1), view);
    }
    RegistryValue Read(const char* name) { return registry->ReadLocalMachineString(key_, name); }

    std::string key_;
    std::unique_ptr<Registry> registry = MakeNativeRegistry();
};

TEST_F(WindowsRegistry, StringValuesAreReadAsWritten) {
    SetText("Install", "C:\\Program Files\\Tencent\\QQ\\");
    SetText("Path", "%ProgramFiles%\\MSN Messenger\\", REG_EXPAND_SZ);
    SetText("Empty", "");
    // Stored without its terminating zero.
    Set("Bare", REG_SZ, "D:\\QQ\\", 6);

    const RegistryValue install = Read("Install");
    EXPECT_EQ(install.status, Status::String);
    EXPECT_EQ(install.text, "C:\\Program Files\\Tencent\\QQ\\");
    const RegistryValue path = Read("Path");
    EXPECT_EQ(path.status, Status::String);
    EXPECT_EQ(path.text, "%ProgramFiles%\\MSN Messenger\\");  // not expanded
    const RegistryValue empty = Read("Empty");
    EXPECT_EQ(empty.status, Status::String);
    EXPECT_EQ(empty.text, "");
    EXPECT_EQ(Read("Bare").text, "D:\\QQ\\");
}

TEST_F(WindowsRegistry, MissingAndOtherTypesAreToldApart) {
    SetText("Install", "C:\\QQ\\");
    const DWORD number = 7;
    Set("Version", REG_DWORD, &number, sizeof number);

    EXPECT_EQ(Read("InstallationDirectory").status, Status::ValueMissing);
    const RegistryValue version = Read("Version");
    EXPECT_EQ(version.status, Status::OtherType);
    EXPECT_EQ(version.text, "");
    EXPECT_EQ(registry->ReadLocalMachineString(key_ + "\\Absent", "Install").status,
              Status::KeyMissing);
    EXPECT_EQ(InvalidDataTypeText("Version"), "Invalid data type for 'Version'");
}

TEST_F(WindowsRegistry, ThirtyTwoBitClientsKeysAreFound) {
    // Where a 32-bit installer writes on a 64-bit system.
    SetText("Install", "C:\\Program Files (x86)\\Tencent\\QQ\\", REG_SZ, KEY_WOW64_32KEY);
    const RegistryValue install = Read("Install");
    EXPECT_EQ(install.status, Status::String);
    EXPECT_EQ(install.text, "C:\\Program Files (x86)\\Tencent\\QQ\\");
}

}  // namespace
}  // namespace sonatrix
