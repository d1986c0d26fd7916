// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound_theme.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/files.h"
#include "platform/ini_text.h"

namespace sonatrix {
namespace {

// libcanberra gives up on a chain longer than this.
constexpr std::size_t kMostThemes = 8;
constexpr const char* kOutputProfile = "stereo";

struct ThemeDirectory {
    std::string theme;
    std::string folder;  // "stereo", or "." for the theme's own folder
    std::optional<std::string> profile;
};

std::vector<std::string> ListOf(std::string_view text) {
    std::vector<std::string> items;
    while (!text.empty()) {
        const auto end = text.find_first_of(", ");
        if (end != 0)
            items.emplace_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return items;
}

class ThemeChain {
  public:
    ThemeChain(FileSystem& files, const std::vector<std::string>& roots)
        : files_(&files), roots_(&roots) {}

    // Adds `name` and what it inherits; false when one of them is missing
    // or the chain is too long, which spoils the whole chain.
    bool Load(const std::string& name) {
        if (++loaded_ > kMostThemes)
            return false;
        if (name == kFallbackSoundTheme)
            hasFallback_ = true;
        std::string text;
        if (!ReadIndex(name, text))
            return false;
        for (const std::string& folder :
             ListOf(IniValue(text, "Sound Theme", "Directories").value_or(""))) {
            directories_.push_back({name, folder, IniValue(text, folder, "OutputProfile")});
        }
        for (const std::string& parent :
             ListOf(IniValue(text, "Sound Theme", "Inherits").value_or(""))) {
            if (!Load(parent))
                return false;
        }
        return true;
    }

    bool HasFallback() const { return hasFallback_; }
    const std::vector<ThemeDirectory>& Directories() const { return directories_; }

  private:
    bool ReadIndex(const std::string& name, std::string& text) {
        for (const std::string& root : *roots_) {
            const std::string index = root + name + "/index.theme";
            if (files_->FileExists(index))
                return files_->ReadSharedFile(index, text) == 0;
        }
        return false;
    }

    FileSystem* files_;
    const std::vector<std::string>* roots_;
    std::vector<ThemeDirectory> directories_;
    std::size_t loaded_ = 0;
    bool hasFallback_ = false;
};

// `event` in `folder`, then each shorter name cut at a "-".
std::optional<ThemeSound> FindInFolder(FileSystem& files, const std::string& folder,
                                       std::string name) {
    for (;;) {
        const std::string stem = folder + name;
        if (files.FileExists(stem + ".disabled") || files.FolderExists(stem + ".disabled"))
            return ThemeSound{"", true};
        for (const char* extension : {".oga", ".ogg", ".wav"}) {
            if (files.FileExists(stem + extension))
                return ThemeSound{stem + extension, false};
        }
        const auto dash = name.rfind('-');
        if (dash == std::string::npos || dash == 0)
            return std::nullopt;
        name.resize(dash);
    }
}

std::optional<ThemeSound> FindInRoots(FileSystem& files, const std::vector<std::string>& roots,
                                      const std::string& below, const std::string& event) {
    for (const std::string& root : roots) {
        if (auto found = FindInFolder(files, root + below, event))
            return found;
    }
    return std::nullopt;
}

std::string FolderBelowRoot(const std::string& theme, const std::string& folder) {
    return folder == "." ? theme + "/" : theme + "/" + folder + "/";
}

}  // namespace

ThemeSound FindThemeSound(FileSystem& files, const std::vector<std::string>& roots,
                          const std::string& theme, const std::string& event) {
    ThemeChain chain(files, roots);
    std::string top = theme;
    if (!chain.Load(theme)) {
        chain = ThemeChain(files, roots);
        top = kFallbackSoundTheme;
        if (!chain.Load(top))
            chain = ThemeChain(files, roots);
    }
    if (!chain.HasFallback())
        chain.Load(kFallbackSoundTheme);  // it may not exist; the others stand
    for (const ThemeDirectory& directory : chain.Directories()) {
        if (directory.profile && *directory.profile != kOutputProfile)
            continue;
        if (auto found = FindInRoots(files, roots,
                                     FolderBelowRoot(directory.theme, directory.folder), event))
            return *found;
    }
    if (auto found = FindInRoots(files, roots, top + "/", event))
        return *found;
    return FindInRoots(files, roots, "", event).value_or(ThemeSound{});
}

bool SoundThemeExists(FileSystem& files, const std::vector<std::string>& roots,
                      const std::string& name) {
    return std::any_of(roots.begin(), roots.end(), [&](const std::string& root) {
        return files.FileExists(root + name + "/index.theme");
    });
}

std::string CustomThemeIndex(const std::string& inherited) {
    return "[Sound Theme]\nName=" + std::string(kCustomSoundTheme) + "\nInherits=" + inherited +
           "\nDirectories=.\n\n[.]\nOutputProfile=" + kOutputProfile + "\n";
}

}  // namespace sonatrix
