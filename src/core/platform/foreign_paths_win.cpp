#include "platform/foreign_paths.h"

namespace sonatrix {

// A Windows path names itself here.
std::string NativePathFromWindows(const std::string& windowsPath, const std::string&) {
    return windowsPath;
}

}  // namespace sonatrix
