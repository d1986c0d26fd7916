// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows installer's round trip under Wine, as a user meets it: a
// silent install, the Start-menu shortcut and the Add/Remove Programs entry,
// the installed program started from the shortcut's target beside a running
// QQ, and a silent uninstall through the registered uninstall string that
// removes the program and keeps the user's own folder. The installer comes
// from the folder SONATRIX_WINDOWS_PACKAGES names (scripts/test-windows.sh
// makes it from the release build).
#include <windows.h>

#include <gtest/gtest.h>
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <filesystem>
#include <optional>
#include <string>

#include "catalogue/catalogue.h"
#include "running_program.h"
#include "standin_process.h"
#include "temp_dir.h"

namespace sonatrix::testing {
namespace {

constexpr const wchar_t* kUninstallKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sonatrix";

std::filesystem::path KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::filesystem::path result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)))
        result = path;
    CoTaskMemFree(path);
    return result;
}

std::optional<std::wstring> RegistryText(HKEY root, const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(root, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

std::optional<DWORD> RegistryNumber(HKEY root, const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(root, kUninstallKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

bool KeyExists(HKEY root) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// What a shortcut starts, as the shell reads it.
std::filesystem::path ShortcutTarget(const std::filesystem::path& shortcut) {
    std::filesystem::path target;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)))
            target = path;
        file->Release();
    }
    link->Release();
    return target;
}

// The program and arguments of an uninstall string: "C:\...\Uninstall.exe" /CurrentUser.
std::pair<std::filesystem::path, std::wstring> SplitCommand(const std::wstring& command) {
    const size_t end = command.find(L'"', 1);
    if (command.empty() || command.front() != L'"' || end == std::wstring::npos)
        return {command, L""};
    std::wstring arguments = command.substr(end + 1);
    arguments.erase(0, arguments.find_first_not_of(L' '));
    return {command.substr(1, end - 1), arguments};
}

struct ModeRow {
    const char* name;
    const wchar_t* arguments;
    HKEY root;
    std::filesystem::path (*folder)();     // where the program goes
    std::filesystem::path (*shortcuts)();  // the Start menu's programs
};

class InstallerTest : public ::testing::TestWithParam<ModeRow> {
  protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const auto packages = FolderFromEnvironment("SONATRIX_WINDOWS_PACKAGES");
        if (!packages)
            GTEST_SKIP() << "SONATRIX_WINDOWS_PACKAGES is not set: scripts/test-windows.sh makes "
                            "the installer and names its folder";
        installer = *packages / ("Sonatrix-" SONATRIX_VERSION "-setup.exe");
        ASSERT_TRUE(std::filesystem::exists(installer)) << installer;
    }
    void TearDown() override {
        std::filesystem::remove_all(userSounds);
        CoUninitialize();
    }

    std::filesystem::path installer;
    // A sound the user added to the per-user library.
    std::filesystem::path userSounds =
        KnownFolder(FOLDERID_LocalAppData) / "Sonatrix" / "newsounds" / "test-installer";
};

TEST_P(InstallerTest, InstallsStartsAndUninstallsKeepingTheUsersSounds) {
    const ModeRow& row = GetParam();
    const std::filesystem::path folder = row.folder();
    const std::filesystem::path program = folder / "sonatrix.exe";
    const std::filesystem::path shortcut = row.shortcuts() / "Sonatrix.lnk";

    RunningProgram setup(installer, row.arguments);
    ASSERT_EQ(setup.WaitForExit(), std::optional<DWORD>(0)) << "the silent install failed";

    ASSERT_TRUE(std::filesystem::exists(program)) << program;
    // Its folder is the installed program's, although the user may write there.
    EXPECT_TRUE(std::filesystem::exists(folder / kInstalledMarker));
    EXPECT_EQ(ShortcutTarget(shortcut), program) << shortcut;
    EXPECT_EQ(RegistryText(row.root, L"DisplayName"), L"Sonatrix");
    EXPECT_EQ(RegistryText(row.root, L"DisplayVersion"), L"" SONATRIX_VERSION);
    EXPECT_EQ(RegistryText(row.root, L"Publisher"), L"Sonatrix maintainers");
    EXPECT_EQ(RegistryText(row.root, L"DisplayIcon"), program.wstring());
    EXPECT_GT(RegistryNumber(row.root, L"EstimatedSize").value_or(0), 1000u) << "size in KB";
    const auto uninstall = RegistryText(row.root, L"UninstallString");
    ASSERT_TRUE(uninstall.has_value());

    {
        const TempDir qqDir;
        StandInProcess client(LayOutQQ(qqDir.Path(), folder));
        RunningProgram sonatrix(ShortcutTarget(shortcut));
        EXPECT_TRUE(sonatrix.WaitForWindows(MainWindowUsable))
            << "the installed program never came up beside QQ";
    }

    WriteFile(userSounds / "mine.wav", "the user's own sound");
    const auto [uninstaller, arguments] = SplitCommand(*uninstall);
    // Started elsewhere, as Windows starts it: a folder in use cannot go.
    RunningProgram uninstalling(uninstaller, arguments + L" /S",
                                KnownFolder(FOLDERID_LocalAppData));
    // The uninstaller hands over to a copy of itself and ends at once.
    EXPECT_TRUE(WaitUntil([&] {
        return !std::filesystem::exists(folder) && !KeyExists(row.root) &&
               !std::filesystem::exists(shortcut);
    })) << "the uninstall left the folder, the entry or the shortcut";
    EXPECT_EQ(ReadFile(userSounds / "mine.wav"), "the user's own sound");
}

INSTANTIATE_TEST_SUITE_P(
    Modes, InstallerTest,
    ::testing::Values(ModeRow{"ForTheUser", L"/S", HKEY_CURRENT_USER,
                              [] {
                                  return KnownFolder(FOLDERID_LocalAppData) / "Programs" /
                                         "Sonatrix";
                              },
                              [] { return KnownFolder(FOLDERID_Programs); }},
                      // Wine's user is an administrator: no consent is asked for.
                      ModeRow{"ForEveryone", L"/S /AllUsers", HKEY_LOCAL_MACHINE,
                              [] { return KnownFolder(FOLDERID_ProgramFiles) / "Sonatrix"; },
                              [] { return KnownFolder(FOLDERID_CommonPrograms); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sonatrix::testing
