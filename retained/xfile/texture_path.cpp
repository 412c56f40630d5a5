#include "retained/xfile/texture_path.h"

namespace varnoka::xfile {

std::string TexturePathFromName(const std::string& name) {
    std::string path;
    path.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] != '\\') {
            path += name[i];
            continue;
        }
        if (i + 1 < name.size() && name[i + 1] == '\\') ++i;
        path += '/';
    }
    return path;
}

}  // namespace varnoka::xfile
