// The "Commands" page of the customise sheet: the commands the program lets
// the user put on toolbars, in categories. Picking a category shows its
// buttons as a palette; clicking a button shows its description (the first
// part of its string), dragging it drops a copy on a toolbar (the palette
// itself never changes). The sheet (OZWToolBarSheet) holds it beside the
// Toolbars page.
#pragma once

#include "toolbars/bar/OZWCustomToolBar.h"
#include "toolbars/customize/CustomizeRes.h"

#include <list>
#include <vector>

class OZWToolBarManager;

// The palette of a category: a toolbar that always copies what is dragged
// from it, takes nothing dropped on it, and does not balance its rows.
class OZWCustomizeToolBar : public OZWCustomToolBar
{
    DECLARE_DYNCREATE(OZWCustomizeToolBar)
public:
    OZWCustomizeToolBar();
    BOOL DoesBalanceRows() const override { return FALSE; }
    BOOL IsCopyModifier() override { return TRUE; }
    BOOL AcceptsDrop() override { return FALSE; }
    BOOL IsCustomizePalette() const override { return TRUE; }
    // Lays the buttons out across the rectangle's width and puts the
    // palette there.
    void FitToRect(const RECT* pRect);
};

// One category of the page.
class OZWBtnGroup : public CObject
{
    DECLARE_DYNAMIC(OZWBtnGroup)
public:
    OZWBtnGroup(LPCTSTR lpszTitle, int nCount, UINT* pIDs);
    ~OZWBtnGroup() override;

    virtual BOOL Create(CWnd* pParent, OZWToolBarManager* pManager, UINT nID) = 0;
    virtual void FitToRect(const RECT*) {}
    virtual void EnableConfig(BOOL) {}

    CWnd* m_pControl = nullptr;   // owned
    CString m_strTitle;
    int m_nCount;
    UINT* m_pIDs;                 // not copied
};

// A category shown as a palette of buttons.
class OZWTBBtnGroup : public OZWBtnGroup
{
    DECLARE_DYNAMIC(OZWTBBtnGroup)
public:
    using OZWBtnGroup::OZWBtnGroup;
    // FALSE when the palette cannot be made or holds no button.
    BOOL Create(CWnd* pParent, OZWToolBarManager* pManager, UINT nID) override;
    void FitToRect(const RECT* pRect) override;
    void EnableConfig(BOOL bEnable) override;
    OZWCustomizeToolBar* GetPalette() const { return static_cast<OZWCustomizeToolBar*>(m_pControl); }
};

// The list of a menu category: the menu commands by their captions (item
// data: the command id). A click shows the command's description and drags
// a copy of it onto a toolbar.
class OZWMenuListBox : public CListBox
{
    DECLARE_DYNAMIC(OZWMenuListBox)
public:
    void SetManager(OZWToolBarManager* pManager) { m_pManager = pManager; }
    OZWToolBarManager* GetManager() const { return m_pManager; }
    // The item under a client point; -1 when none.
    int ItemAtPoint(CPoint point);

protected:
    OZWToolBarManager* m_pManager = nullptr;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

// A category shown as a list of menu commands (those of the commands given
// that the button maps make menu buttons with a caption).
class OZWMenuBtnGroup : public OZWBtnGroup
{
    DECLARE_DYNAMIC(OZWMenuBtnGroup)
public:
    using OZWBtnGroup::OZWBtnGroup;
    BOOL Create(CWnd* pParent, OZWToolBarManager* pManager, UINT nID) override;
    // The list takes the rectangle, 2 pixels lower.
    void FitToRect(const RECT* pRect) override;
    OZWMenuListBox* GetList() const { return static_cast<OZWMenuListBox*>(m_pControl); }
};

// The button-map entry of a command (the manager's first map, then its
// second); null when neither names it.
const OZWBtnMapEntry* OZWFindBtnMapEntry(const OZWToolBarManager* pManager, UINT nID);
// The caption of a menu-button entry; null for an entry of another kind or
// one without a caption.
LPCTSTR OZWMenuEntryCaption(const OZWBtnMapEntry* pEntry);

class OZWToolBarCmdPage : public CPropertyPage
{
    DECLARE_DYNAMIC(OZWToolBarCmdPage)
public:
    explicit OZWToolBarCmdPage(UINT nIDTemplate = IDD_OZW_TB_COMMANDS, UINT nIDCaption = 0);
    ~OZWToolBarCmdPage() override;

    // Binds the page to the manager (it hears of the toolbars' events).
    void SetManager(OZWToolBarManager* pManager);
    // A category of buttons (the ids are not copied; 0 for a separator).
    void DefineBtnGroup(LPCTSTR lpszTitle, int nCount, UINT* pIDs);
    // A category of menu commands, shown as a list.
    void DefineMenuBtnGroup(LPCTSTR lpszTitle, int nCount, UINT* pIDs);
    // A category of the menu buttons of the frame's menu bar that belong to
    // the menu it shows; nothing without a menu bar or such buttons.
    void DefineMenuGroup(LPCTSTR lpszTitle);
    // The description of a command: its string up to the first line break;
    // empty for -1 or a command without a string.
    virtual void ShowDescription(UINT nID);

    int GetGroupCount() const { return (int)m_groups.GetSize(); }
    OZWBtnGroup* GetGroup(int nIndex) const { return static_cast<OZWBtnGroup*>(m_groups.GetAt(nIndex)); }
    int GetCurrentGroup() const { return m_nCurrent; }
    // Shows group nIndex (what choosing its category does).
    void ShowGroup(int nIndex);

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void OnReset() override;

protected:
    // The room of the groups: the "Buttons" frame less 3 dialog units left
    // and right and 8 above and below.
    CRect GroupArea();

    afx_msg void OnCategoryChange();
    afx_msg LRESULT OnBarNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolBarStyleChanging(WPARAM wParam, LPARAM lParam);

    CObArray m_groups;   // owned
    // The ids of the menu groups, one buffer per group (the groups keep
    // pointers into them).
    std::list<std::vector<UINT>> m_menuIDs;
    OZWToolBarManager* m_pManager = nullptr;
    int m_nCurrent = -1;

    DECLARE_MESSAGE_MAP()
};

// The customise sheet (no Apply button). Its caption is string 20538.
class OZWToolBarSheet : public CPropertySheet
{
    DECLARE_DYNAMIC(OZWToolBarSheet)
public:
    explicit OZWToolBarSheet(UINT nIDCaption = IDS_OZW_TB_CUSTOMIZE, CWnd* pParent = nullptr, UINT iSelectPage = 0);
    // The frame whose floating toolbars share the sheet's active caption.
    void SetManager(OZWToolBarManager* pManager) { m_pManager = pManager; }
    // The sheet opens centred on the frame, moved off its docked toolbars.
    BOOL OnInitDialog() override;
    // Puts the sheet where it covers none of the frame's docked toolbars.
    void PlaceClearOfToolBars();
    // Brings the sheet back to the top when its frame came above it, or
    // with bRaise in any case (the frame was just activated).
    void KeepAboveFrame(BOOL bRaise);

protected:
    OZWToolBarManager* m_pManager = nullptr;
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnKeepAboveFrame(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
