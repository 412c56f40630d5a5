#pragma once
// Failures of the 3D layer, shown to the user in a box captioned "Viewer Message".

#include <cstdarg>

constexpr int ReportBufferSize = 256;

// Formats in the manner of printf, ends the text with "\r\n" and shows it. A message that would
// not fit the buffer is cut, and still ends with "\r\n".
void ReportError(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

void ComposeReport(char (&text)[ReportBufferSize], const char* format, va_list arguments);
