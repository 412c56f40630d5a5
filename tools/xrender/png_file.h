#pragma once

#include <string>

#include "tools/xrender/saver_view.h"

// Writes the picture as an 8-bit RGB PNG file; false when the file cannot be written.
bool WritePng(const std::string& path, const SaverViewImage& image);
