// stb's image writer, compiled once for the tests and the fuzz seed writer. Its JPEG
// encoder shifts negative values, which the undefined-behaviour sanitizer reports, so this
// file is built without that check (see CMakeLists.txt).
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
