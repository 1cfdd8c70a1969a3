// Resource ids of the control bars, dock bars and floating frames.
#pragma once

// Commands of a bar's context menu (their strings are the menu texts).
#define ID_OZW_ALLOW_DOCKING        43040
#define ID_OZW_HIDE_BAR             43041
#define ID_OZW_FLOAT_IN_MAIN_WINDOW 43042

// The status-line prompt while a bar is dragged.
#define IDS_OZW_PREVENT_DOCKING     20535

// Tips of the caption buttons.
#define IDS_OZW_HIDE_DOCKED         23200
#define IDS_OZW_EXPAND_DOCKED       23201
#define IDS_OZW_CONTRACT_DOCKED     23202

// Resize cursors of the dock bars' splitters: west-east over vertical
// splitters, north-south over horizontal ones.
#define IDC_OZW_SPLIT_WE            30980
#define IDC_OZW_SPLIT_NS            30981
