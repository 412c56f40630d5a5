// The Windows test programs' entry. Their output reaches ctest through a pipe, which the C runtime
// buffers whole: a program that crashed under Wine took everything it had printed with it, and
// ctest showed a failure with no output at all. Unbuffered, the output shows how far it got.
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
