#include "shell/mDirectoryBrowse.h"

namespace marvok::mDirectoryBrowse {

std::string GetShortPath(const platform::FileSystem& fs, std::string_view path) {
    std::string shortPath = fs.ShortPath(path);
    return shortPath.size() <= 164 ? shortPath : std::string();
}

}  // namespace marvok::mDirectoryBrowse
