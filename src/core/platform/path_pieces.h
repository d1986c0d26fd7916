// SPDX-License-Identifier: GPL-3.0-or-later
// Pieces of a path: folder part, parent folder, file name and extension.
// Paths are byte strings in the platform's narrow encoding; nothing here
// re-encodes or normalises them.
#pragma once

#include <string>
#include <string_view>

namespace sonatrix {

// How the bytes of a path are to be read.
struct PathRules {
    char separator;           // '\\' on Windows, '/' elsewhere
    bool colonEndsFolder;     // a drive colon ends a folder part (Windows)
    bool doubleByteCodePage;  // a 0x5C trail byte of a double-byte character is no separator
};

// The rules of the platform the program runs on.
const PathRules& NativeRules();
// The rules of a Windows system on a GBK code page: for bytes written by
// such a system (the contents of a QQ settings file).
const PathRules& GbkWindowsRules();

inline constexpr char kSep =
#ifdef _WIN32
    '\\';
#else
    '/';
#endif

// True for the first byte of a two-byte GBK character.
inline bool IsGbkLeadByte(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}

// Position just after the last separator (or drive colon) of `path`, 0 when
// there is none. Double-byte characters are stepped over as a whole.
std::size_t FolderPartLength(std::string_view path, const PathRules& rules = NativeRules());

// Everything up to and including the last separator or drive colon.
std::string FolderPart(std::string_view path, const PathRules& rules = NativeRules());

// The part after the last separator or drive colon.
std::string FileNameOf(std::string_view path, const PathRules& rules = NativeRules());

// From the last "." of the file name on, the dot included; empty without a dot.
std::string ExtensionOf(std::string_view path, const PathRules& rules = NativeRules());

// The folder of `path` without its final separator (a drive root keeps it),
// followed by "..": names the folder above the executable's folder, literally.
std::string ParentFolderOf(std::string_view path, const PathRules& rules = NativeRules());

// Equal length and every byte equal after folding the ASCII letters A to Z.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

// A relative path written with backslashes ("Misc\\sound\\") in the
// platform's separator.
std::string NativePath(std::string_view backslashed);

// `folder` with a separator at its end.
std::string WithTrailingSeparator(std::string folder);

}  // namespace sonatrix
