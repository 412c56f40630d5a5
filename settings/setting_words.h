#pragma once
// The words the command-line programs (xrender, the Linux display mode) take for the render
// settings, read into the values the settings store. Each returns false for any other word and
// leaves the value as it was.

#include <cstdint>
#include <string>

bool ShadeFromWord(const std::string& word, int32_t& shade);          // flat, gouraud, phong
bool FillFromWord(const std::string& word, int32_t& fill);            // points, wireframe, solid
bool ColorsFromWord(const std::string& word, int32_t& colors);        // mono, rgb
bool FilteringFromWord(const std::string& word, int32_t& filtering);  // nearest (0), linear (1)
