#pragma once

// Resource numbers shared by the resource script and the code.
#define SaverIconId 100
#define OptionsDialogId 2003

#define SaverNameString 1
#define RenderKeyString 9000
#define ObjectsKeyString 9001
#define ColorsKeyString 9002
#define DitheredKeyString 9003
#define FilteringKeyString 9004
#define CarsKeyString 9005
#define RandomKeyString 9006
#define SwitchKeyString 9007
#define DelayKeyString 9008
#define SettingsFileString 9009
#define SettingsSectionString 9011
#define MidiKeyString 9014
#define RedKeyString 9017
#define GreenKeyString 9018
#define BlueKeyString 9019
#define CameraXKeyString 9020
#define CameraYKeyString 9021
#define CameraZKeyString 9022
