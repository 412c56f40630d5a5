#include "shell/saver_shell.h"

namespace {

bool IsBlank(char c) {
    const unsigned char code = static_cast<unsigned char>(c);
    return code >= 0x01 && code <= 0x20;
}

}  // namespace

int WINAPI SaverEntry(HINSTANCE, HINSTANCE, LPSTR, int) { StartFromCommandLine(); }

const char* SkipProgramName(const char* commandLine) {
    const char* p = commandLine;
    if (*p == '"') {
        p = CharNextA(p);
        while (*p != '\0' && *p != '"') p = CharNextA(p);
        if (*p == '"') p = CharNextA(p);
    } else if (!IsBlank(*p)) {
        while (*p != '\0' && !IsBlank(*p)) p = CharNextA(p);
    }
    while (*p != '\0' && IsBlank(*p)) p = CharNextA(p);
    return p;
}

void StartFromCommandLine() {
    const char* switchText = SkipProgramName(GetCommandLineA());
    ExitProcess(static_cast<UINT>(DispatchMode(GetModuleHandleA(nullptr), switchText)));
}
