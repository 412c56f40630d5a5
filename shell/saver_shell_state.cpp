#include "shell/saver_shell.h"

SaverShellState saverShellState = [] {
    SaverShellState state{};
    state.mouseMoveLimit = 4;
    state.lastVerifyTick = NoVerifyYet;
    return state;
}();
