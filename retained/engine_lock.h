#pragma once
// One lock for the whole engine: the render thread draws while the window thread moves frames and
// picks, and neither may see the other's work half done. Recursive, because public calls made
// while the lock is held (a release inside a destructor, for instance) take it again.

#include <mutex>

namespace varnoka::rm {

std::recursive_mutex& EngineMutex();

class EngineLock {
public:
    EngineLock() : guard_(EngineMutex()) {}

private:
    std::lock_guard<std::recursive_mutex> guard_;
};

}  // namespace varnoka::rm
