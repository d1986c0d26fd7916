// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/settings_program.h"

#include "platform/path_pieces.h"

namespace sonatrix {

const ProgramEvent* SettingsProgram::EventNamed(std::string_view eventName) const {
    for (const ProgramEvent& event : events) {
        if (event.name == eventName)
            return &event;
    }
    return nullptr;
}

std::string FileNameSafe(std::string_view name) {
    std::string safe;
    for (const char c : name) {
        const bool refused = (c >= 0 && c < 0x20) ||
                             std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
        safe += refused ? '_' : c;
    }
    for (std::size_t end = safe.size(); end > 0 && (safe[end - 1] == '.' || safe[end - 1] == ' ');)
        safe[--end] = '_';
    return safe.empty() ? "_" : safe;
}

std::string ProgramSoundFolder(const std::string& dataFolder, const SettingsProgram& program) {
    if (dataFolder.empty())
        return {};
    return dataFolder + kProgramSoundsFolder + kSep + FileNameSafe(program.folderName) + kSep;
}

std::string ProgramSoundFile(const std::string& dataFolder, const SettingsProgram& program,
                             const ProgramEvent& event) {
    const std::string folder = ProgramSoundFolder(dataFolder, program);
    return folder.empty() ? folder : folder + FileNameSafe(event.id) + ".wav";
}

}  // namespace sonatrix
