// Values of the owner-drawn list engine: its list style and extended list
// style bits, hit-test flags, timer ids and the sizes it works with. Item
// states, masks, column formats and notification codes are the platform
// list view's (commctrl.h), so a parent written for a list view can drive it.
#pragma once

#include <windows.h>
#include <commctrl.h>

// List style (the low word of the window style at creation, mask 0xF3FF).
enum : DWORD
{
    OZWLS_VIEWMASK        = 0x0003, // 0 icon view, 1 report view, 2/3 rows without header
    OZWLS_ICON            = 0x0000,
    OZWLS_REPORT          = 0x0001,
    OZWLS_SINGLESEL       = 0x0004,
    OZWLS_SHOWSELALWAYS   = 0x0008,
    OZWLS_SHAREIMAGELISTS = 0x0040,
    OZWLS_NOLABELWRAP     = 0x0080,
    OZWLS_EDITLABELS      = 0x0200,
    OZWLS_NOSCROLL        = 0x2000,
    OZWLS_NOCOLUMNHEADER  = 0x4000,
    OZWLS_NOSORTHEADER    = 0x8000,
    OZWLS_WINDOWMASK      = 0xF3FF, // the bits taken out of the window style
};

// Extended list style (the extended window style at creation, mask
// 0x1FF00000, plus what is set later).
enum : DWORD
{
    OZWLS_EX_HEADERDRAGDROP = 0x00000010,
    OZWLS_EX_HOVERTIPS      = 0x00100000,
    OZWLS_EX_HORZGRID       = 0x00400000,
    OZWLS_EX_VERTGRID       = 0x00800000,
    OZWLS_EX_FULLROWSELECT  = 0x02000000,
    OZWLS_EX_LASTCOLFILLS   = 0x04000000,
    OZWLS_EX_KEEPDELWIDTH   = 0x08000000, // a deleted column's width is not given to the main column
    OZWLS_EX_BLENDSELIMAGE  = 0x10000000, // used by the tree's painting
    OZWLS_EX_WINDOWMASK     = 0x1FF00000, // the bits taken out of the extended window style
};

// Scroll-bar state bits.
enum : DWORD
{
    OZWSB_HORZSHOWN = 0x100000,
    OZWSB_VERTSHOWN = 0x200000,
};

// Mask bit of LVITEM: store the field even where it holds a callback marker.
enum : UINT { OZWLIF_STOREALWAYS = 0x1000 };

// Row flag of the paint record: draw the row in the grey text colour.
enum : UINT { OZWROW_GRAYED = 0x100 };

// Hit-test flags.
enum : UINT
{
    OZWHT_NOWHERE       = 0x0001,
    OZWHT_ONICON        = 0x0002,
    OZWHT_ONLABEL       = 0x0004,
    OZWHT_ABOVE         = 0x0008, // also: on the state icon
    OZWHT_ONSTATEICON   = 0x0008,
    OZWHT_BELOW         = 0x0010,
    OZWHT_TORIGHT       = 0x0020,
    OZWHT_TOLEFT        = 0x0040,
    OZWHT_ONDIVIDER     = 0x0800,
    OZWHT_ONHEADER      = 0x1000,
    OZWHT_ONROW         = 0x2000,
    OZWHT_LEFTOFLABEL   = 0x4000,
    OZWHT_RIGHTOFLABEL  = 0x8000,
};

// Keyboard modifier flags passed to the selection rule.
enum : UINT
{
    OZWKEY_RBUTTON = MK_RBUTTON, // 0x0002
    OZWKEY_SHIFT   = MK_SHIFT,   // 0x0004
    OZWKEY_CONTROL = MK_CONTROL, // 0x0008
};

// Type-ahead flags.
enum : UINT
{
    OZWTA_RUNNING  = 1,
    OZWTA_ACTIVITY = 2,
    OZWTA_FAILED   = 4,
    OZWTA_OFF      = 8,
};

// Timers of the list window, its editor's child id and its scroll bars.
enum : UINT
{
    OZWTIMER_LABELEDIT = 1,
    OZWTIMER_AUTOSCROLL = 2,
    OZWTIMER_TYPEAHEAD = 3,
    OZWTIMER_TIP = 0xF001,
    OZWLIST_EDIT_ID = 1,
    OZWLIST_HSCROLL_ID = 59904,
    OZWLIST_VSCROLL_ID = 59920,
};

// Size of the engine's text buffer (item texts fetched through callbacks,
// the label-edit exchange with the parent).
enum : int { OZWLIST_TEXTBUFFER = 2048 };
