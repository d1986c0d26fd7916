#include "temp_dir.h"

namespace sonatrix::testing {

std::string NarrowPath(const std::filesystem::path& path) {
    return path.string();
}

}  // namespace sonatrix::testing
