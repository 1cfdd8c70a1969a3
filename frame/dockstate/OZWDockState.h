// The docking layout of a frame: which control bars exist, where they are
// docked or floating, their sizes, styles and extra settings. OZWDockState
// captures it from a frame (GetState), applies it again (SetState), and keeps
// it in the application's profile, in a settings tree or in an archive; each
// bar's record is an OZWControlBarInfo.
//
// Profile form under a profile name P: section "P-Summary" ("Bars",
// "ScreenCX", "ScreenCY") and one section "P-Bar<n>" per bar, n counted
// densely from 0, with the framework's keys of a bar record followed by
// "Style", "ExStyle", "PrevFloating", "MDIChild", "MDIChildWindowPlacement"
// (binary, only for an MDI-child bar), "PctWidth" (the row share in
// millionths, as text), "MRUFloatCX"/"CY", "MRUHorzDockCX"/"CY",
// "MRUVertDockCX"/"CY", "MRUDockingState", "DockingStyle", "TypeID",
// "ClassName", "WindowName", "ResourceID", "AutoHide", "AutoHidePinned",
// "LastAlignedDocking", then whatever the bar's extra record writes.
// Tree form: a node "DockState" ("Bars", "ScreenCX", "ScreenCY") with one
// child "Bar-<n>" per bar holding the same keys. Archive form: a version,
// the screen size, a count and the records in a fixed order (no MDI-child
// placement, names, resource id, auto-hide flags or last aligned side).
//
// A saved layout is applied as far as it is sound: a bar that is neither
// found, nor made by the frame's manager, nor creatable by its class name is
// left out; damaged counts and values are kept within bounds.
#pragma once

#include "platform/framework/Framework.h"

class OZWControlBarManager;
class OZWControlBarInfo;
class OZWDockState;
class OZWPersistentTreeNode;
class OZWPTNFactory;

// The hook by which a bar manager keeps settings of its own with a bar's
// record (the toolbars keep their buttons this way). The base stores nothing.
class OZWControlBarInfoEx : public CObject
{
    DECLARE_DYNCREATE(OZWControlBarInfoEx)
public:
    using CObject::Serialize;
    virtual void Serialize(CArchive& ar, OZWDockState* pDockState);
    virtual BOOL LoadState(OZWPersistentTreeNode* pNode);
    virtual BOOL LoadState(LPCTSTR lpszSection, OZWDockState* pDockState);
    virtual BOOL SaveState(OZWPTNFactory* pFactory, OZWPersistentTreeNode* pNode);
    virtual BOOL SaveState(LPCTSTR lpszSection);
};

class OZWControlBarInfo : public CControlBarInfo
{
public:
    explicit OZWControlBarInfo(OZWControlBarManager* pManager = nullptr);
    // Deletes the extra record.
    virtual ~OZWControlBarInfo();

    // Profile form (the framework's SaveState and LoadState): section
    // "P-Bar<nIndex>" with the framework's keys and then the added ones.
    // Saving answers FALSE, writing nothing, for a record the layout leaves
    // out (a docked, visible, unplaced dock bar holding at most one entry).
    // Loading answers FALSE for a section that names no bar.
    using CControlBarInfo::LoadState;
    using CControlBarInfo::SaveState;
    void SaveExtraState(LPCTSTR lpszSection) override;
    void LoadExtraState(LPCTSTR lpszSection, CDockState* pDockState) override;
    // Tree form: a child "Bar-<nIndex>" of pParent.
    virtual BOOL LoadState(OZWPersistentTreeNode* pNode, OZWDockState* pDockState);
    virtual BOOL SaveState(OZWPTNFactory* pFactory, OZWPersistentTreeNode* pParent, int nIndex);
    // Tree form in parts: the framework's keys and the added ones.
    virtual BOOL LoadBaseState(OZWPersistentTreeNode* pNode, OZWDockState* pDockState);
    virtual BOOL LoadExtState(OZWPersistentTreeNode* pNode);
    virtual BOOL SaveBaseState(OZWPTNFactory* pFactory, OZWPersistentTreeNode* pNode);
    virtual BOOL SaveExtState(OZWPTNFactory* pFactory, OZWPersistentTreeNode* pNode);
    // Archive form (the framework's Serialize): the added fields and the
    // extra record stand between the framework's fields and a dock bar's
    // entries. A short or damaged archive raises CArchiveException.
    void SerializeExtra(CArchive& ar, CDockState* pDockState) override;

    // The record is one the layout need not keep.
    BOOL IsLeftOut() const;

    CSize m_szMRUHorzDock;
    CSize m_szMRUVertDock;
    CSize m_szMRUFloat;
    DWORD m_dwMRUDockingState = 0;
    DWORD m_dwDockingStyle = 0;
    float m_fPctWidth = 0.0f;
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
    BOOL m_bPrevFloating = FALSE;
    BOOL m_bMDIChild = FALSE;
    WINDOWPLACEMENT m_wpMDIChild;
    CString m_strClassName;
    CString m_strWindowName;
    UINT m_nResourceID = 0;
    BOOL m_bAutoHide = FALSE;
    BOOL m_bAutoHidePinned = FALSE;
    UINT m_nLastAlignedDocking = 0;
    OZWControlBarInfoEx* m_pBarInfoEx = nullptr;
    DWORD m_dwTypeID = 0;
    OZWControlBarManager* m_pManager;

protected:
    // A new extra record from the manager, in place of any before.
    void MakeBarInfoEx();
};

// What the layout needs of the toolkit's control bars, which lie in a higher
// layer: OZWControlBar implements it (and OZWDockBar the pending list).
class IOZWDockStateBar
{
public:
    virtual ~IOZWDockStateBar() = default;
    // Fills the whole record from the live bar (the framework's part, the
    // added fields, the type id from the manager, the class name).
    virtual void GetBarInfoEx(OZWControlBarInfo* pInfo) = 0;
    // Applies the record and docks or floats the bar.
    virtual void SetBarInfoEx(OZWControlBarInfo* pInfo, CFrameWnd* pFrame) = 0;
    // Sets the extended bar style without laying out again.
    virtual void SetExtendedStyle(DWORD dwExStyle) = 0;
    // Creates the window of a bar made by class name, from the record
    // (a dialog bar from its dialog resource); FALSE when it cannot.
    virtual BOOL CreateFromInfo(CFrameWnd* pParent, OZWControlBarInfo* pInfo) = 0;
    // A bar hosting a frame (left out of the layout while floating).
    virtual BOOL IsFrameHost() const { return FALSE; }
    // Dock bars: takes a bar to place at the next layout.
    virtual void AddPendingBar(CControlBar*) {}
};

// What the layout needs of the toolkit's frames.
class IOZWDockStateFrame
{
public:
    virtual ~IOZWDockStateFrame() = default;
    virtual OZWControlBarManager* GetControlBarManager() = 0;
    // An MDI frame's floating frame that lives as an MDI child (null when it
    // cannot be made); other frames have none.
    virtual CFrameWnd* CreateMDIFloatingFrame(DWORD) { return nullptr; }
};

class OZWDockState : public CDockState
{
    DECLARE_DYNCREATE(OZWDockState)
public:
    explicit OZWDockState(OZWControlBarManager* pManager = nullptr);

    // The profile and archive forms are the framework's, with records of
    // this layout (NewBarInfo); the tree form is this layout's own.
    using CDockState::SaveState;
    using CDockState::LoadState;
    virtual BOOL SaveState(OZWPTNFactory* pFactory, OZWPersistentTreeNode* pParent);
    virtual BOOL LoadState(OZWPersistentTreeNode* pParent);
    CControlBarInfo* NewBarInfo() override;

    // Captures the frame's bars; FALSE for a null frame.
    virtual BOOL GetState(CFrameWnd* pFrame);
    // Applies the records to the frame; FALSE for a null frame.
    virtual BOOL SetState(CFrameWnd* pFrame);
    virtual OZWControlBarInfo* CreateBarInfo(OZWControlBarManager* pManager);
    // Finds or makes the bar of each record; records of no bar are dropped.
    virtual void CreateBars(CFrameWnd* pFrame, BOOL bMDI);
    virtual void PositionBars();
    virtual void RestoreMDIChildPlacements(CFrameWnd* pFrame);
    // A bar of the registered class of that name, created from the record
    // under pParent; null when there is no such creatable bar class.
    virtual CControlBar* CreateControlBar(LPCTSTR lpszClassName, CFrameWnd* pParent, OZWControlBarInfo* pInfo);
    virtual CRuntimeClass* FindRuntimeClass(LPCTSTR lpszClassName);

    OZWControlBarInfo* GetBarInfo(INT_PTR nIndex) const
    {
        return static_cast<OZWControlBarInfo*>(m_arrBarInfo[nIndex]);
    }

    OZWControlBarManager* m_pManager;
    CPtrList* m_pCreatedBars = nullptr;   // receives the bars SetState creates

protected:
    void TakeManagerFrom(CFrameWnd* pFrame);
    // Destroys the floating frames of the frame that hold no bar once the
    // records are applied, and forgets the records of their dock bars.
    void DestroyEmptyFloatingFrames(CFrameWnd* pFrame);
};

// Keys of one record and of the summary, kept in one place.
namespace ozwdockstate {
const int kMaxBars = 1024;        // more than any frame holds: a larger count is damage
const float kShareUnit = 1e-6f;   // "PctWidth" counts millionths of a row
int ShareToText(float fShare);
float ShareFromText(LPCTSTR lpszText);
} // namespace ozwdockstate
