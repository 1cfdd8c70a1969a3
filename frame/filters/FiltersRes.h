// Resource ids of the message filters: the texts of the window-state menu
// of the extended system commands.
#pragma once

#define IDS_SCX_DOCKED          21009   // "&Docked"
#define IDS_SCX_FLOATING        21076   // "&Floating"
#define IDS_SCX_MDICHILD        21077   // "&MDI Child"
#define IDS_SCX_DOCK_TOP        21078   // "&Top"
#define IDS_SCX_DOCK_LEFT       21079   // "&Left"
#define IDS_SCX_DOCK_BOTTOM     21080   // "&Bottom"
#define IDS_SCX_DOCK_RIGHT      21081   // "&Right"
#define IDS_SCX_DOCKED_TO       21082   // "D&ocked to"
#define IDS_SCX_MINIMIZED       21083   // "Mi&nimized"
#define IDS_SCX_MAXIMIZED       21084   // "Ma&ximized"
#define IDS_SCX_RESTORED        21085   // "&Restored"
#define IDS_SCX_MDICHILD_AS     21086   // "MD&I Child as"
