#include "settings/color_chooser.h"

#include <commdlg.h>

#include <cstdint>

#include "resources/resource_ids.h"
#include "retained/d3drm_api.h"
#include "shell/platform_calls.h"

int chooserAlpha = 0;

namespace {

constexpr int AlphaFieldLength = 3;

BYTE ByteOf(D3DVALUE component) { return static_cast<BYTE>(static_cast<int>(component * 255)); }

uint32_t ReadUnsigned(const char* text) {
    while (*text == ' ' || *text == '\t') ++text;
    bool negative = false;
    if (*text == '-' || *text == '+') negative = *text++ == '-';
    uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) value = value * 10u + static_cast<uint32_t>(*text - '0');
    return negative ? 0u - value : value;
}

}  // namespace

void ShowAlphaValue(HWND dialog, int value) {
    char text[16];
    wsprintfA(text, "%d", value);
    SendDlgItemMessageA(dialog, AlphaEditId, EM_SETSEL, 0, -1);
    SendDlgItemMessageA(dialog, AlphaEditId, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
    SendDlgItemMessageA(dialog, AlphaEditId, EM_SETSEL, 0, 0);  // the value from its first digit
}

int ReadAlphaValue(HWND dialog, int& value) {
    HWND field = GetDlgItem(dialog, AlphaEditId);
    const LRESULT length = SendMessageA(field, EM_LINELENGTH, 0, 0);
    if (length > AlphaFieldLength) return 1;
    if (length == 0) return 2;
    char text[AlphaFieldLength + 2] = {};
    *reinterpret_cast<WORD*>(text) = sizeof text - 1;  // EM_GETLINE takes the room in its first word
    SendMessageA(field, EM_GETLINE, 0, reinterpret_cast<LPARAM>(text));
    text[length] = '\0';
    const uint32_t read = ReadUnsigned(text);
    if (read > 255) return 1;
    value = static_cast<int>(read);
    return 0;
}

UINT_PTR CALLBACK ColorChooserHook(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        ShowAlphaValue(dialog, chooserAlpha);
    } else if (message == WM_COMMAND && wParam == IDOK) {
        int value = 0;
        switch (ReadAlphaValue(dialog, value)) {
            case 0:
                chooserAlpha = value;
                break;
            case 1:
                ShowAlphaValue(dialog, chooserAlpha);
                break;
        }
    }
    return FALSE;
}

int ChooseBackgroundColor(HWND owner, D3DCOLOR& color) {
    COLORREF customColors[16];
    for (COLORREF& custom : customColors) custom = RGB(255, 255, 255);
    chooserAlpha = ByteOf(D3DRMColorGetAlpha(color));
    CHOOSECOLORA chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = owner;
    chooser.hInstance = reinterpret_cast<HWND>(GetModuleHandleA(nullptr));
    chooser.rgbResult =
        RGB(ByteOf(D3DRMColorGetRed(color)), ByteOf(D3DRMColorGetGreen(color)), ByteOf(D3DRMColorGetBlue(color)));
    chooser.lpCustColors = customColors;
    chooser.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK | CC_ENABLETEMPLATE;
    chooser.lpfnHook = ColorChooserHook;
    chooser.lpTemplateName = "ViewerChooseColor";
    if (!platform.ChooseColorA(&chooser)) return 0;
    color = D3DRMCreateColorRGBA(GetRValue(chooser.rgbResult) / 255.0f, GetGValue(chooser.rgbResult) / 255.0f,
                                 GetBValue(chooser.rgbResult) / 255.0f, chooserAlpha / 255.0f);
    return 1;
}
