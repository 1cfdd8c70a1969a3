// The saved layout of a frame's control bars: one CControlBarInfo per bar
// (and per dock bar) in a CDockState, written to and read from the profile
// or an archive.
//
// Profile form, under a profile name P:
//   section "P-Summary": "Bars" (the number of bar sections), "ScreenCX",
//     "ScreenCY" (the screen size the layout was saved on);
//   section "P-Bar<n>" for n = 0 .. Bars-1, one bar each, with these values
//     (written only when they differ from the value a reader assumes):
//     "BarID" always; "Visible" 0 for a hidden bar (default 1); "Horz" and
//     "Floating" for a floating dock bar (defaults 1 and 0); "XPos", "YPos"
//     (default -1); "MRUWidth" (default 32767); "Docking" 1 when the bar has
//     a dock context, and then "MRUDockID", "MRUDockLeftPos",
//     "MRUDockTopPos", "MRUDockRightPos", "MRUDockBottomPos",
//     "MRUFloatStyle", "MRUFloatXPos", "MRUFloatYPos"; for a dock bar that
//     holds bars "Bars" and "Bar#<i>" (the ids of its entries in order, 0
//     for a row end, a place kept for a bar as its id plus 0x10000).
//   A dock bar that shows nothing worth keeping (docked, visible, not placed,
//   no bars) gets no section.
// Positions are scaled to the current screen when it differs from the one
// the layout was saved on, and kept within it.
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/Object.h"
#include "platform/framework/base/String.h"
#include "platform/framework/base/Geometry.h"
#include "platform/framework/base/Collections.h"

class CArchive;
class CControlBar;
class CDockState;

// The place a bar entry of a dock bar keeps for a bar that left it.
#define AFX_DOCKSTATE_PLACEHOLDER 0x10000UL

class CControlBarInfo
{
public:
    CControlBarInfo();
    virtual ~CControlBarInfo() = default;
    CControlBarInfo(const CControlBarInfo&) = delete;
    CControlBarInfo& operator=(const CControlBarInfo&) = delete;

    UINT m_nBarID = 0;          // control id of the bar
    BOOL m_bVisible = TRUE;     // the bar shows (pending shows count)
    BOOL m_bFloating = FALSE;   // a dock bar of a floating frame
    BOOL m_bHorz = FALSE;       // ... arranged horizontally
    BOOL m_bDockBar = FALSE;    // the record is a dock bar's
    CPoint m_pointPos;          // top-left in the parent's client area (floating dock
                                // bar: the floating frame's, in screen coordinates)
    int m_nMRUWidth = 32767;    // width when it last floated
    BOOL m_bDocking = FALSE;    // the bar has a dock context (the MRU values below)
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos;
    CPtrArray m_arrBarID;       // a dock bar's entries (ids, 0, id | placeholder bit)
    CControlBar* m_pBar = nullptr; // the live bar (not stored)

    // Writes the record into section "P-Bar<nIndex>"; FALSE, writing
    // nothing, for a dock bar record that need not be kept.
    BOOL SaveState(LPCTSTR lpszProfileName, int nIndex);
    // Reads section "P-Bar<nIndex>"; positions go through pDockState's
    // scaling. FALSE when the section holds no bar (no "BarID").
    BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState);
    // The same record in an archive (pDockState scales loaded positions).
    // A damaged archive raises CArchiveException.
    BOOL Serialize(CArchive& ar, CDockState* pDockState);

    // Positions read from a layout saved on another screen, scaled to this one.
    void ScaleToScreen(CDockState* pDockState);

    // What a derived record keeps beside the framework's values: in the
    // profile section lpszSection after them (saved only when the record
    // is), and in an archive between them and a dock bar's entries. The
    // framework's record keeps nothing more.
    virtual void SaveExtraState(LPCTSTR lpszSection);
    virtual void LoadExtraState(LPCTSTR lpszSection, CDockState* pDockState);
    virtual void SerializeExtra(CArchive& ar, CDockState* pDockState);

    // The contained ids of a dock bar as numbers.
    UINT GetBarID(int nIndex) const { return (UINT)(UINT_PTR)m_arrBarID[nIndex]; }
    void AddBarID(UINT nID) { m_arrBarID.Add((void*)(UINT_PTR)nID); }
};

class CDockState : public CObject
{
    DECLARE_SERIAL(CDockState)
public:
    CDockState();
    ~CDockState() override; // deletes the records

    CPtrArray m_arrBarInfo;   // CControlBarInfo* records, owned

    // Profile form (see above). Loading appends to the records; a damaged
    // or partial section gives a record with the defaults, a missing one
    // none.
    virtual void SaveState(LPCTSTR lpszProfileName);
    virtual void LoadState(LPCTSTR lpszProfileName);
    void Serialize(CArchive& ar) override;
    // Deletes every record.
    virtual void Clear();
    // A new empty record, of the kind this layout keeps.
    virtual CControlBarInfo* NewBarInfo();

    DWORD GetVersion() const { return m_dwVersion; }

    // The screen size the layout was saved on; positions read after
    // SetScreenSize are scaled from it to this screen.
    CSize GetScreenSize();
    void SetScreenSize(CSize& size);
    // Scales a position of the saved screen to this one, kept within the
    // screen's clip rectangle; ScaleRectPos moves the rectangle so that its
    // top-left scales, its size stays.
    void ScalePoint(CPoint& pt);
    void ScaleRectPos(CRect& rect);

    DWORD m_dwVersion = 2;    // version of the archive form
    BOOL m_bScaling = FALSE;  // the saved screen differs from this one
    CRect m_rectDevice;       // this screen (the virtual desktop)
    CRect m_rectClip;         // where positions are kept on this screen
    CSize m_sizeLogical;      // the screen the layout was saved on
};
