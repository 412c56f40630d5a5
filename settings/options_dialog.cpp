#include "settings/options_dialog.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "retained/d3drm_api.h"
#include "settings/color_chooser.h"
#include "settings/model_files.h"
#include "settings/music.h"
#include "settings/own_cars.h"
#include "settings/saver_folders.h"
#include "settings/saver_settings.h"
#include "shell/platform_calls.h"

namespace {

constexpr int MinimumDelay = 10;
constexpr int MaximumDelay = 1000;

RECT swatchRect{};
COLORREF swatchColor = RGB(0, 0, 0);

// The inside of the swatch frame, in the dialog's client coordinates, from the frame's real
// rectangle so that it holds at any scaling.
void UpdateSwatch(HWND dialog) {
    RECT frame{};
    GetWindowRect(GetDlgItem(dialog, SwatchFrameId), &frame);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&frame), 2);
    InflateRect(&frame, -1, -1);
    swatchRect = frame;
    const SaverSettings& settings = saverSettings;
    swatchColor = RGB(settings.backgroundRed, settings.backgroundGreen, settings.backgroundBlue);
    InvalidateRect(dialog, &swatchRect, TRUE);
}

// A group of radio buttons, one for each value a setting stores, in the order of the values.
struct ButtonGroup {
    int first;
    int32_t count;
    int Last() const { return first + count - 1; }
};
constexpr ButtonGroup ShadeButtons{FlatButtonId, ShadeSettingCount};
constexpr ButtonGroup FillButtons{PointsButtonId, FillSettingCount};
constexpr ButtonGroup ColorButtons{MonoButtonId, ColorSettingCount};
static_assert(GouraudButtonId == FlatButtonId + GouraudShading && PhongButtonId == FlatButtonId + PhongShading);
static_assert(WireframeButtonId == PointsButtonId + WireframeFill && SolidButtonId == PointsButtonId + SolidFill);
static_assert(RgbButtonId == MonoButtonId + RgbColors);

// Checks the button of a value; a value outside the group leaves the group unchecked.
void CheckInGroup(HWND dialog, ButtonGroup group, int32_t value) {
    if (value >= 0 && value < group.count) CheckRadioButton(dialog, group.first, group.Last(), group.first + value);
}

void CheckBox(HWND dialog, int id, bool on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }

void ShowStoredChoices(HWND dialog) {
    const SettingsNames& names = settingsNames;
    const SaverSettings defaults = DefaultSaverSettings();
    CheckInGroup(dialog, ShadeButtons, ReadSettingKey(names.render, defaults.shadeMode));
    CheckInGroup(dialog, FillButtons, ReadSettingKey(names.objects, defaults.fillMode));
    CheckInGroup(dialog, ColorButtons, ReadSettingKey(names.colors, defaults.colorModel));
    CheckBox(dialog, DitheredBoxId, ReadSettingKey(names.dithered, defaults.dithered) != 0);
    CheckBox(dialog, FilteringBoxId, ReadSettingKey(names.filtering, defaults.textureFiltering) != 0);
    CheckBox(dialog, RandomBoxId, ReadSettingKey(names.random, defaults.randomModels) != 0);
    CheckBox(dialog, SwitchBoxId, ReadSettingKey(names.switchModels, defaults.switchModels) != 0);
}

// The user's own cars as the model list shows them, after the nine.
std::vector<OwnCar> listedOwnCars;

// The list's entry for an own car by its file name, else for one of the nine (-1: neither).
int ListEntryFor(int32_t modelIndex, const std::string& ownCar) {
    for (size_t i = 0; i < listedOwnCars.size() && !ownCar.empty(); ++i)
        if (listedOwnCars[i].fileName == ownCar) return ModelCount + static_cast<int>(i);
    return modelIndex >= 0 && modelIndex < ModelCount ? modelIndex : -1;
}

// The nine in table order, then the own cars in the folder, sorted, with the own car named
// selected when it is in the folder, else the entry of `modelIndex`.
void FillModelList(HWND dialog, int32_t modelIndex, const std::string& ownCar) {
    HWND list = GetDlgItem(dialog, ModelListId);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (const ModelFile& model : ModelFiles)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(model.label));
    listedOwnCars = ListOwnCars(OwnCarsFolder());
    for (const OwnCar& car : listedOwnCars)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(car.label.c_str()));
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(ListEntryFor(modelIndex, ownCar)), 0);
}

// Cars dropped into the folder while the dialog was open join its list when it is back in front;
// the entry chosen stays chosen.
void RefreshModelList(HWND dialog) {
    const int selected = static_cast<int>(SendDlgItemMessageA(dialog, ModelListId, CB_GETCURSEL, 0, 0));
    std::string ownCar;
    if (selected >= ModelCount && selected - ModelCount < static_cast<int>(listedOwnCars.size()))
        ownCar = listedOwnCars[selected - ModelCount].fileName;
    FillModelList(dialog, selected >= ModelCount ? -1 : selected, ownCar);
}

void ShowOwnCars(HWND dialog) {
    if (!ShowOwnCarsFolder(dialog)) MessageBeep(MB_ICONWARNING);
}

BOOL OnInitDialog(HWND dialog) {
    LoadSettingsNames();
    LoadSettings();
    SetDlgItemTextA(dialog, MidiEditId, saverSettings.midiPath);
    UpdateSwatch(dialog);
    FillModelList(dialog, saverSettings.modelIndex, saverSettings.ownCar);
    ShowStoredChoices(dialog);
    const int delay = ReadSettingKey(settingsNames.delay, DefaultSaverSettings().switchDelay);
    if (AttachDelaySpinner(dialog, DelayEditId, DelaySpinnerId, MaximumDelay, MinimumDelay, delay) == nullptr)
        MessageBeep(MB_OK);
    return TRUE;
}

void OnPaint(HWND dialog) {
    PAINTSTRUCT paint;
    BeginPaint(dialog, &paint);
    HBRUSH brush = CreateSolidBrush(swatchColor);
    FillRect(paint.hdc, &swatchRect, brush);
    DeleteObject(brush);
    EndPaint(dialog, &paint);
}

void UseDefaults(HWND dialog) {
    saverSettings.backgroundRed = saverSettings.backgroundGreen = saverSettings.backgroundBlue = 0;
    UpdateSwatch(dialog);
    const SaverSettings defaults = DefaultSaverSettings();
    CheckInGroup(dialog, ShadeButtons, defaults.shadeMode);
    CheckInGroup(dialog, FillButtons, defaults.fillMode);
    CheckInGroup(dialog, ColorButtons, defaults.colorModel);
    CheckBox(dialog, DitheredBoxId, defaults.dithered != 0);
    CheckBox(dialog, FilteringBoxId, defaults.textureFiltering != 0);
    CheckBox(dialog, RandomBoxId, defaults.randomModels != 0);
    CheckBox(dialog, SwitchBoxId, defaults.switchModels != 0);
    SendDlgItemMessageA(dialog, DelaySpinnerId, UDM_SETPOS32, 0, defaults.switchDelay);
}

// The value of the checked button of a group, or -1 when none is.
int CheckedInGroup(HWND dialog, ButtonGroup group) {
    for (int32_t value = 0; value < group.count; ++value)
        if (IsDlgButtonChecked(dialog, group.first + value) == BST_CHECKED) return value;
    return -1;
}

void WriteChoice(const char* key, int index) {
    if (index >= 0) WriteSettingInteger(key, index);
}

void WriteChecked(HWND dialog, const char* key, int id) {
    WriteSettingInteger(key, IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0);
}

// Edit texts are stored as typed, at most their first 98 characters.
void WriteEditText(HWND dialog, const char* key, int id) {
    char text[MidiPathLength + 1];
    GetDlgItemTextA(dialog, id, text, sizeof text);
    WriteSettingText(key, text);
}

// One of the nine is stored as CARS, with no own car; an own car by its file name, keeping CARS
// for when its file is gone.
void WriteModelChoice(HWND dialog) {
    const SettingsNames& names = settingsNames;
    const int selected = static_cast<int>(SendDlgItemMessageA(dialog, ModelListId, CB_GETCURSEL, 0, 0));
    if (selected < 0) return;
    if (selected < ModelCount) {
        WriteChoice(names.cars, selected);
        DeleteSettingKey(names.ownCar);
    } else if (selected - ModelCount < static_cast<int>(listedOwnCars.size())) {
        WriteSettingText(names.ownCar, listedOwnCars[selected - ModelCount].fileName.c_str());
    }
}

void WriteSettings(HWND dialog) {
    const SettingsNames& names = settingsNames;
    WriteChoice(names.render, CheckedInGroup(dialog, ShadeButtons));
    WriteChoice(names.objects, CheckedInGroup(dialog, FillButtons));
    WriteChoice(names.colors, CheckedInGroup(dialog, ColorButtons));
    WriteModelChoice(dialog);
    WriteChecked(dialog, names.dithered, DitheredBoxId);
    WriteChecked(dialog, names.filtering, FilteringBoxId);
    WriteChecked(dialog, names.random, RandomBoxId);
    WriteSettingInteger(names.red, saverSettings.backgroundRed);
    WriteSettingInteger(names.green, saverSettings.backgroundGreen);
    WriteSettingInteger(names.blue, saverSettings.backgroundBlue);
    WriteChecked(dialog, names.switchModels, SwitchBoxId);
    WriteEditText(dialog, names.delay, DelayEditId);
    WriteEditText(dialog, names.midi, MidiEditId);
}

// Only red, green and blue of the choice are kept; a cancelled choice changes nothing.
void ChangeColor(HWND dialog) {
    SaverSettings& settings = saverSettings;
    D3DCOLOR color = D3DRMCreateColorRGB(settings.backgroundRed / 255.0f, settings.backgroundGreen / 255.0f,
                                         settings.backgroundBlue / 255.0f);
    ChooseBackgroundColor(dialog, color);
    settings.backgroundRed = static_cast<int32_t>(D3DRMColorGetRed(color) * 255);
    settings.backgroundGreen = static_cast<int32_t>(D3DRMColorGetGreen(color) * 255);
    settings.backgroundBlue = static_cast<int32_t>(D3DRMColorGetBlue(color) * 255);
    UpdateSwatch(dialog);
}

void Browse(HWND dialog) {
    const std::string path = ChooseMidiFile(dialog, "Open a MIDI file");
    if (path.empty()) return;
    lstrcpynA(saverSettings.midiPath, path.c_str(), sizeof saverSettings.midiPath);
    SetDlgItemTextA(dialog, MidiEditId, path.c_str());
}

constexpr char HelpPageName[] = "\\varnoka.htm";

// The help page beside the program, else in the folder it was installed in, else in the Windows
// directory.
std::string HelpPage() {
    for (const std::string& folder : {ProgramFolder(), InstalledFolder()}) {
        const std::string page = folder + HelpPageName;
        if (!folder.empty() && GetFileAttributesA(page.c_str()) != INVALID_FILE_ATTRIBUTES) return page;
    }
    char windows[MAX_PATH];
    const UINT length = platform.GetWindowsDirectoryA(windows, sizeof windows);
    return length > 0 && length < sizeof windows ? std::string(windows) + HelpPageName : std::string();
}

void OpenHelp(HWND dialog) {
    platform.ShellExecuteA(dialog, "open", HelpPage().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

HWND AttachDelaySpinner(HWND dialog, int editId, int spinnerId, int maximum, int minimum, int position) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    HWND edit = GetDlgItem(dialog, editId);
    RECT box{};
    GetWindowRect(edit, &box);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
    // Plain digits: with the locale's grouping 1000 would be stored as "1,000" and read back as 1.
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT |
                        UDS_ARROWKEYS | UDS_NOTHOUSANDS;
    HWND spinner =
        CreateWindowExA(0, "msctls_updown32", nullptr, style, box.right, box.top - 1, 10, box.bottom - box.top + 2,
                        dialog, reinterpret_cast<HMENU>(INT_PTR{spinnerId}), GetModuleHandleA(nullptr), nullptr);
    if (spinner == nullptr) return nullptr;
    SendMessageA(spinner, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageA(spinner, UDM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
    SendMessageA(spinner, UDM_SETPOS32, 0, position);
    return spinner;
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(dialog);
        case WM_PAINT:
            OnPaint(dialog);
            return FALSE;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) RefreshModelList(dialog);
            return FALSE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case BrowseButtonId:
                    Browse(dialog);
                    return FALSE;
                case AboutButtonId:
                    DialogBoxParamA(GetModuleHandleA(nullptr), "AboutBox", dialog, AboutDialogProc, 0);
                    return FALSE;
            }
            switch (wParam) {
                case UseDefaultsButtonId:
                    UseDefaults(dialog);
                    return TRUE;
                case ChangeColorButtonId:
                    ChangeColor(dialog);
                    return TRUE;
                case HelpButtonId:
                    OpenHelp(dialog);
                    return TRUE;
                case OwnCarsButtonId:
                    ShowOwnCars(dialog);
                    return TRUE;
                case IDOK:
                    WriteSettings(dialog);
                    EndDialog(dialog, 1);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, 0);
                    return FALSE;
            }
            return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}
