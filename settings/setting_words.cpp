#include "settings/setting_words.h"

#include <initializer_list>

#include "settings/saver_settings.h"

namespace {

struct Word {
    const char* text;
    int32_t value;
};

bool FromWord(const std::string& word, std::initializer_list<Word> words, int32_t& value) {
    for (const Word& known : words) {
        if (word == known.text) {
            value = known.value;
            return true;
        }
    }
    return false;
}

}  // namespace

bool ShadeFromWord(const std::string& word, int32_t& shade) {
    return FromWord(word, {{"flat", FlatShading}, {"gouraud", GouraudShading}, {"phong", PhongShading}}, shade);
}

bool FillFromWord(const std::string& word, int32_t& fill) {
    return FromWord(word, {{"points", PointsFill}, {"wireframe", WireframeFill}, {"solid", SolidFill}}, fill);
}

bool ColorsFromWord(const std::string& word, int32_t& colors) {
    return FromWord(word, {{"mono", MonoColors}, {"rgb", RgbColors}}, colors);
}

bool FilteringFromWord(const std::string& word, int32_t& filtering) {
    return FromWord(word, {{"nearest", 0}, {"linear", 1}}, filtering);
}
