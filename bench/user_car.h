#pragma once
// A car as a user might bring one: a textured, shiny ellipsoid of a chosen number of triangles,
// written as a .glb file by our model generator's writer.

#include <string>

namespace bench {

// The file's bytes: rings x segments quads, two triangles each, about as large as our cars.
std::string UserCarGlb(int rings, int segments);

// The file written where the loaders can read it, removed again when this goes.
class UserCarFile {
public:
    UserCarFile(int rings, int segments);
    ~UserCarFile();
    UserCarFile(const UserCarFile&) = delete;
    UserCarFile& operator=(const UserCarFile&) = delete;

    const std::string& Path() const { return path_; }
    bool Written() const { return written_; }

private:
    std::string path_;
    bool written_ = false;
};

}  // namespace bench
