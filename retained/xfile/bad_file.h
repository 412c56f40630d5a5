#pragma once

namespace varnoka::xfile {

// Thrown inside the reader when the bytes break the format; caught where reading starts.
struct BadFile {};

[[noreturn]] inline void FailBadFile() { throw BadFile{}; }

}  // namespace varnoka::xfile
