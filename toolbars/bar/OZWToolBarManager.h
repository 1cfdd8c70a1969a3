// OZWToolBarManager: the frame's control-bar manager for customisable
// toolbars. It makes every toolbar (the frame's defaults, the user's own,
// and those a saved layout names), shares the image store and the buttons'
// drawing context with them, applies the three user settings (tool tips,
// cool look, large buttons) to all of them and keeps those settings in the
// profile ("<name>-ToolBarManager": "ToolTips", "CoolLook", "LargeButtons"),
// tells the customise dialogs about toolbar events ("WM_BARNOTIFY"), and
// switches the frame in and out of customise mode.
#pragma once

#include "frame/dockstate/OZWControlBarManager.h"
#include "toolbars/buttons/BmpMgr.h"
#include "toolbars/buttons/ToolBarButton.h"

#include <vector>

class OZWCustomToolBar;

// "WM_BARNOTIFY": wParam the toolbar's id, lParam the event.
UINT OZWGetBarNotifyMessage();
enum
{
    OZWBAR_SHOWN = 0,
    OZWBAR_HIDDEN = 1,
    OZWBAR_CREATED = 2,
    OZWBAR_DESTROYED = 3,
    OZWBAR_SELCHANGED = 4,
};
// "WM_TOOLBARSTYLECHANGING": wParam 1 large buttons, 2 cool look.
UINT OZWGetToolBarStyleChangingMessage();

// Where the button whose command is being sent lies (screen coordinates),
// while it is sent; command handlers find it there.
class OZWCurrentCommand
{
public:
    OZWCurrentCommand() = default;
    virtual ~OZWCurrentCommand() = default;
    void AddRef() { m_nRefCount++; }
    void Release()
    {
        if (--m_nRefCount <= 0)
            delete this;
    }

    CRect m_rectButton;
    BOOL m_bActive = FALSE;

private:
    int m_nRefCount = 1;
};

class OZWToolBarManager : public OZWControlBarManager
{
    DECLARE_DYNAMIC(OZWToolBarManager)
public:
    // A toolbar the frame always has.
    struct DefaultToolBar
    {
        UINT nID;
        CString strTitle;
        int nCount;
        UINT* pIDs;        // 0 for a separator; not copied (owned when read from a resource)
        BOOL bOwnIDs;
        DWORD dwDockStyle;
        UINT nDockBarID;
        UINT nDockNextToID; // 0: none
        BOOL bDocked;       // FALSE: it starts floating
        BOOL bVisible;
    };

    OZWToolBarManager(CFrameWnd* pFrame, CWnd* pOwner = nullptr);
    ~OZWToolBarManager() override;

    // ---- Settings
    // Sets or clears dwExStyle on every toolbar; the frame lays out later.
    void EnableCoolLook(BOOL bEnable, DWORD dwExStyle);
    void EnableToolTips(BOOL bEnable);
    void EnableFlyBy(BOOL bEnable);
    void EnableLargeBtns(BOOL bEnable);
    BOOL IsToolTipsEnabled() const { return m_bToolTips; }
    BOOL IsFlyByEnabled() const { return m_bFlyBy; }
    BOOL IsCoolLookEnabled() const { return m_bCoolLook; }
    BOOL IsLargeBtnsEnabled() const { return m_bLargeButtons; }

    // ---- Images, button maps, default toolbars
    OZWBmpMgr* GetBmpMgr() const { return m_pBmpMgr; }
    // Adds a pair of toolbar resources (small, large) to the image store;
    // TRUE when it added at least one image.
    BOOL LoadToolBarResource(UINT nSmallID, UINT nLargeID);
    void SetButtonMap(const OZWBtnMapEntry* pMap) { m_pButtonMap = pMap; }
    const OZWBtnMapEntry* GetButtonMap() const { return m_pButtonMap; }
    const OZWBtnMapEntry* GetMenuBarButtonMap() const { return m_pMenuBarButtonMap; }
    void DefineDefaultToolBar(UINT nID, LPCTSTR lpszTitle, int nCount, UINT* pIDs, DWORD dwDockStyle,
                              UINT nDockBarID, UINT nDockNextToID, BOOL bDocked, BOOL bVisible);
    // The same with the ids of toolbar resource nResourceID (separators kept).
    BOOL DefineDefaultToolBar(UINT nID, LPCTSTR lpszTitle, UINT nResourceID, DWORD dwDockStyle, UINT nDockBarID,
                              UINT nDockNextToID, BOOL bDocked, BOOL bVisible);
    BOOL GetDefaultToolBarButtons(UINT nID, int* pnCount, UINT** ppIDs) const;
    // The class toolbars are made of (OZWCustomToolBar by default).
    void SetToolBarClass(CRuntimeClass* pClass) { m_pToolBarClass = pClass; }

    // ---- Toolbars
    // The visible toolbar under a screen rectangle: a floating one before a
    // docked one, the topmost of several; null when none.
    virtual OZWCustomToolBar* ToolBarUnderRect(LPCRECT lpRectScreen);
    virtual OZWCustomToolBar* ToolBarFromID(UINT nID);
    // Makes the default toolbars, docked as defined, hidden or floating as
    // defined. FALSE when a toolbar cannot be made (those made stay).
    virtual BOOL SetupDefaultToolBars();
    // Small or large images on every toolbar.
    virtual BOOL OnLargeBtnsChanged();
    // Gives every toolbar of the frame this manager and its images; makes
    // the defaults when there is none.
    virtual void AttachToolBars();
    // A new user toolbar with the first free id (title: lpszTitle, or
    // "ToolBar<n>"), not docked; null when every id is taken.
    OZWCustomToolBar* CreateUserToolBar(LPCTSTR lpszTitle);
    // The frame's customisable toolbars, in the frame's order.
    std::vector<OZWCustomToolBar*> GetToolBars() const;
    // Gives inform code nCode to every button of command nID on every toolbar.
    void InformBtn(UINT nID, int nCode, void* pData);

    // ---- Customise mode
    BOOL IsInCustomizeMode() const { return m_bCustomizeMode; }
    // Enables the frame (the modal dialog disabled it) and disables its
    // other child windows, so that only the toolbars take the mouse.
    void EnterCustomizeMode();
    void ExitCustomizeMode();
    void EnableConfigMode(BOOL bEnable);
    BOOL IsConfigMode() const { return m_bConfigMode; }
    // The open customise dialog: a button dropped on it stays where it was.
    void SetCustomizeDlg(CWnd* pWnd) { m_pCustomizeDlg = pWnd; }
    CWnd* GetCustomizeDlg() const { return m_pCustomizeDlg; }
    void GetCustomizeDlgRect(LPRECT lpRect) const;
    void AddNotifyWnd(CWnd* pWnd);
    void RemoveNotifyWnd(CWnd* pWnd);
    void BroadcastBarNotify(UINT nBarID, LPARAM nCode);
    // The toolbar whose button is the customise selection.
    OZWCustomToolBar* GetSelectionOwner() const { return m_pSelectionOwner; }
    void SetSelectionOwner(OZWCustomToolBar* pBar) { m_pSelectionOwner = pBar; }

    // ---- Shared objects
    // Adds a reference; the caller releases it.
    OZWCurrentCommand* GetCurrentCommand();
    OZWBtnDrawData& GetDrawData() { return *m_pDrawData; }
    // The image size toolbars show and their window styles.
    CSize GetImageSize() const;
    DWORD GetToolBarStyle() const;
    DWORD GetToolBarExStyle() const;

    // ---- Saved settings and the saved layout's needs
    BOOL LoadState(OZWPersistentTreeNode* pParent) override;
    BOOL LoadState(LPCTSTR lpszProfileName) override;
    BOOL SaveState(OZWPTNFactory* pFactory, OZWPersistentTreeNode* pParent) override;
    BOOL SaveState(LPCTSTR lpszProfileName) override;
    UINT GetBarTypeID(CControlBar* pBar) override;
    OZWControlBarInfoEx* CreateBarInfoEx(OZWControlBarInfo* pInfo) override;
    CControlBar* CreateControlBar(OZWControlBarInfo* pInfo) override;

protected:
    // Makes a toolbar of the toolbar class with the manager's styles, images
    // and button size, docking enabled, deleted with its window.
    OZWCustomToolBar* NewToolBar(UINT nID, LPCTSTR lpszTitle);
    void ApplySettings(BOOL bToolTips, BOOL bCoolLook, BOOL bLargeButtons);
    const DefaultToolBar* FindDefault(UINT nID) const;

    std::vector<HWND> m_disabledWindows;
    std::vector<DefaultToolBar*> m_defaults;
    std::vector<CWnd*> m_notifyWindows;
    CWnd* m_pCustomizeDlg = nullptr;
    BOOL m_bCustomizeMode = FALSE;
    BOOL m_bConfigMode = FALSE;
    BOOL m_bToolTips = TRUE;
    BOOL m_bFlyBy = TRUE;
    BOOL m_bCoolLook = FALSE;
    BOOL m_bLargeButtons = FALSE;
    const OZWBtnMapEntry* m_pButtonMap = nullptr;
    OZWBtnMapEntry* m_pMenuBarButtonMap = nullptr;
    OZWCurrentCommand* m_pCurrentCommand;
    UINT* m_pMenuBarIDs = nullptr;
    int m_nMenuBarIDs = 0;
    OZWBmpMgr* m_pBmpMgr;
    OZWBtnDrawData* m_pDrawData;
    CWnd* m_pOwner;
    CRuntimeClass* m_pToolBarClass;
    OZWCustomToolBar* m_pSelectionOwner = nullptr;
};
