#include "e2e/settings_folder.h"

SettingsFolder::SettingsFolder() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    folder_ = std::string(temp) + "varnoka-e2e-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    CreateDirectoryA((folder_ + "\\Varnoka").c_str(), nullptr);
    file_ = folder_ + "\\Varnoka\\control.ini";
    DeleteFileA(file_.c_str());
    SetEnvironmentVariableA("APPDATA", folder_.c_str());
    for (const char* key : {"RANDOM=0", "CARS=2", "SWITCH=0"}) Set(key);
}

SettingsFolder::~SettingsFolder() {
    DeleteFileA(file_.c_str());
    RemoveDirectoryA((folder_ + "\\Varnoka").c_str());
    RemoveDirectoryA(folder_.c_str());
}

void SettingsFolder::Set(const std::string& keyAndValue) {
    const std::string::size_type equals = keyAndValue.find('=');
    WritePrivateProfileStringA("Screen Saver.Varnoka", keyAndValue.substr(0, equals).c_str(),
                               keyAndValue.substr(equals + 1).c_str(), file_.c_str());
}

int SettingsFolder::Get(const char* key) const {
    return static_cast<int>(GetPrivateProfileIntA("Screen Saver.Varnoka", key, -99999, file_.c_str()));
}
