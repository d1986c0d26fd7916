// Replacing every listed target sound with a library sound drawn at random
// ("随机换音").
#pragma once

#include <string>
#include <vector>

namespace sonatrix {

class FileSystem;
class MainModel;

// How often a draw that lands on a file other than a ".wav" is repeated
// before that target file is left as it is.
inline constexpr int kRandomDrawTries = 16;

// The files of the library below `folder`, in the order of the walk that
// PickLibraryFile makes: element N - 1 is its file number N.
std::vector<std::string> LibraryFilesInWalkOrder(FileSystem& files, const std::string& folder);

// Asks, then gives each item of the target list its own draw from the
// library; reports the copies that failed, then says it is done.
void Button3Click(MainModel& model);

}  // namespace sonatrix
