#pragma once
// Settings of the saver process's own, in an application-data folder of the test's.

#include <windows.h>

#include <string>

// Made with no random models, the third car and no switching; removed again with the object.
class SettingsFolder {
public:
    SettingsFolder();
    ~SettingsFolder();
    SettingsFolder(const SettingsFolder&) = delete;
    SettingsFolder& operator=(const SettingsFolder&) = delete;

    // A key of the saver's section, as "KEY=value".
    void Set(const std::string& keyAndValue);
    int Get(const char* key) const;

private:
    std::string folder_;
    std::string file_;
};
