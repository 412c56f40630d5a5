#pragma once

// Resource numbers shared by the resource script and the code.
#define SaverIconId 100
#define MusicIconId 118
#define PaletteIconId 119
#define CarsIconId 120
#define BannerBitmapId 124
#define OptionsDialogId 2003

// Controls of the options dialog.
#define BrowseButtonId 11
#define HelpButtonId 12
#define ChangeColorButtonId 13
#define AboutButtonId 14
#define UseDefaultsButtonId 15
#define OwnCarsButtonId 16
#define FlatButtonId 1000
#define GouraudButtonId 1001
#define PhongButtonId 1002
#define PointsButtonId 1003
#define WireframeButtonId 1004
#define SolidButtonId 1005
#define MonoButtonId 1006
#define RgbButtonId 1007
#define DitheredBoxId 1008
#define FilteringBoxId 1009
#define ModelListId 1010
#define RandomBoxId 1011
#define SwitchBoxId 1012
#define DelayEditId 1013
#define SwatchFrameId 1023
#define MidiEditId 1026
#define DelaySpinnerId 1034

// The Alpha field added to the colour dialog.
#define AlphaLabelId 711
#define AlphaEditId 714

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
#define OwnCarKeyString 9023
