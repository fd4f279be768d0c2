// Identifiers of the library's resources, shared by the resource script and
// the code that loads them.
#pragma once

#define PEXA_ICON 1
#define PEXA_CURSOR_FLY 109
#define PEXA_CURSOR_WALK 110
#define PEXA_CURSOR_ROTATE 112

// The context menu (two pop-ups: "3D" and "2D") and its command ids.
#define PEXA_MENU 1
#define PEXA_CMD_SAVE_BITMAP 40010
#define PEXA_CMD_ADD_VIEWPOINT 40012
#define PEXA_CMD_DELETE_VIEWPOINT 40013
#define PEXA_CMD_STOP_MOTION 51685
#define PEXA_CMD_FLY 51686
#define PEXA_CMD_SMOOTH 51688
#define PEXA_CMD_FLAT 51689
#define PEXA_CMD_FILLED 51690
#define PEXA_CMD_HELP_WELCOME 51691
#define PEXA_CMD_PERSPECTIVE 51697
#define PEXA_CMD_VIEW_SETTING 51701
#define PEXA_CMD_WALK 51702
#define PEXA_CMD_LIGHT_SETTING 51703
#define PEXA_CMD_ROTATE 51704
#define PEXA_CMD_LINES 51705
#define PEXA_CMD_POINTS 51706
#define PEXA_CMD_SHADE_NONE 51708
#define PEXA_CMD_HELP_3D 51709
#define PEXA_CMD_ORTHOGONAL 51710
#define PEXA_CMD_HELP_KEYS 51711
#define PEXA_CMD_FIRST_VIEWPOINT 60000 // one item per viewpoint from here

// The name-entry dialog.
#define PEXA_DLG_INPUT 122
#define PEXA_IDC_INPUT_EDIT 1018
#define PEXA_IDC_INPUT_PROMPT 1019
