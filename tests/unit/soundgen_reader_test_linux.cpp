// SPDX-License-Identifier: GPL-3.0-or-later
// The generated files as a WAV reader we did not write sees them: Python's
// wave module.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>

#include "soundgen/program_sounds.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

constexpr const char* kReader = R"(
import os, sys, wave
root = sys.argv[1]
for folder, _, files in os.walk(root):
    for name in files:
        path = os.path.join(folder, name)
        with wave.open(path, 'rb') as w:
            frames = w.readframes(w.getnframes())
            print(os.path.relpath(path, root), w.getnchannels(), w.getsampwidth(),
                  w.getframerate(), w.getnframes(), len(frames), sep='\t')
)";

std::string OutputOf(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return output;
    char buffer[4096];
    std::size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, got);
    const int status = pclose(pipe);
    if (status != 0)
        output += "\nexit status " + std::to_string(status);
    return output;
}

TEST(ProgramSoundsReadByPython, EveryFileOpensAsMono16Bit22050) {
    testing::TempDir appDir;
    ASSERT_FALSE(soundgen::WriteProgramSounds(appDir.Path()).has_value());
    testing::TempDir scripts;
    const auto reader = scripts.Path() / "reader.py";
    testing::WriteFile(reader, kReader);

    const std::string output =
        OutputOf("python3 '" + reader.string() + "' '" + appDir.Path().string() + "' 2>&1");

    std::istringstream lines(output);
    std::string line;
    int files = 0;
    while (std::getline(lines, line)) {
        SCOPED_TRACE(line);
        std::istringstream fields(line);
        std::string name;
        int channels = 0, width = 0, rate = 0, frames = 0, bytes = 0;
        std::getline(fields, name, '\t');
        ASSERT_TRUE(fields >> channels >> width >> rate >> frames >> bytes) << output;
        EXPECT_EQ(channels, 1);
        EXPECT_EQ(width, 2);
        EXPECT_EQ(rate, 22050);
        EXPECT_EQ(bytes, 2 * frames);
        EXPECT_GE(frames, 22050 * 3 / 10);
        ++files;
    }
    EXPECT_EQ(files, static_cast<int>(soundgen::ShippedSoundPaths().size())) << output;
}

}  // namespace
}  // namespace sonatrix
