#include "scene/report_error.h"

#include <cstdio>
#include <cstring>

#include "scene/scene_host.h"

void ComposeReport(char (&text)[ReportBufferSize], const char* format, va_list arguments) {
    constexpr int LineEndRoom = 2;
    int length = std::vsnprintf(text, sizeof text - LineEndRoom, format, arguments);
    if (length < 0) length = 0;
    if (length > ReportBufferSize - LineEndRoom - 1) length = ReportBufferSize - LineEndRoom - 1;
    std::memcpy(text + length, "\r\n", 3);
}

void ReportError(const char* format, ...) {
    char text[ReportBufferSize];
    va_list arguments;
    va_start(arguments, format);
    ComposeReport(text, format, arguments);
    va_end(arguments);
    ShowReport(text);
}
