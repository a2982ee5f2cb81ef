// Resource identifiers of ResultPane.dll.
#pragma once

#define IDB_RESULTPANE 106   // toolbox bitmap
#define IDD_RESULTPANE 108   // the control window
#define IDD_INITDLG 201      // start panel
#define IDD_SNAPSHOTDLG 202  // snapshot panel
#define IDD_VIDEOPLAYDLG 203 // playback panel

// Playback panel items.
#define IDC_VIDEO_WINDOW 203
#define IDC_PROGRESS_SLIDER 204
#define IDC_PLAY_PAUSE 205
#define IDC_STOP 208
#define IDC_TIME_TOGGLE 202
#define IDC_OBJECT_TOGGLE 109
#define IDC_CAPTURE 110
#define IDC_DOWNLOAD 209
#define IDC_CUT 229
#define IDC_FULL_SCREEN 210
#define IDC_TIME_LABEL 211
#define IDC_FILE_LABEL 212

// Snapshot panel items.
#define IDC_SNAP_BROWSER 201
#define IDC_SNAP_COLUMN1 202
#define IDC_SNAP_COLUMN2 203
#define IDC_SNAP_COLUMN3 204
#define IDC_SNAP_COLUMN4 205
#define IDC_SNAP_DOWNLOAD 209
#define IDC_SNAP_SEARCH 239
