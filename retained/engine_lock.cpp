#include "retained/engine_lock.h"

namespace varnoka::rm {

std::recursive_mutex& EngineMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

}  // namespace varnoka::rm
