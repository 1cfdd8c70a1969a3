// The "Toolbars" page of the customise sheet and the stand-alone "Toolbars"
// dialog: a list of every customisable toolbar of the frame with a check box
// for its visibility; a user toolbar renamed in place, made ("New..."),
// deleted; a default toolbar reset to its buttons; the three settings (tool
// tips, cool look, large buttons). While either is open the frame is in
// customise and config mode, so toolbar buttons can be dragged. The list
// follows the toolbars through "WM_BARNOTIFY".
#pragma once

#include "platform/framework/Framework.h"
#include "toolbars/customize/CustomizeRes.h"

class OZWToolBarManager;
class OZWCustomToolBar;

// What the page and the dialog share.
class OZWToolBarsBase
{
public:
    OZWToolBarsBase() = default;
    virtual ~OZWToolBarsBase() = default;

    // Takes the manager's three settings as the current and saved values.
    void SetManager(OZWToolBarManager* pManager);
    OZWToolBarManager* GetManager() const { return m_pManager; }
    // The current values to the manager; the saved ones back.
    void Apply();
    void Restore();

    BOOL m_bToolTips = TRUE;
    BOOL m_bCoolLook = FALSE;
    BOOL m_bLargeButtons = FALSE;

protected:
    // The list of toolbars, the name field, the first toolbar selected.
    void InitBase(CWnd* pDialog);
    void FillList();
    // The selected toolbar's name; only a user toolbar may be renamed or
    // deleted (the button says "&Delete" for it, "&Reset" otherwise).
    void UpdateNameField();
    OZWCustomToolBar* SelectedBar() const;
    int FindItem(UINT nBarID) const;
    void OnNameKillFocus();
    void OnCheckChange();
    void OnResetOrDelete();
    // The New Toolbar dialog; a toolbar of the name entered floats below
    // the frame's top dock bar. TRUE when one was made.
    BOOL OnNewToolBar();
    void OnBarNotify(UINT nBarID, LPARAM nCode);
    // The dialog and the frame's floating toolbars share an active caption.
    void OnActivateBase(UINT nState);
    void OnFloatStatusBase(WPARAM wParam);
    static BOOL IsUserBar(UINT nID);

    BOOL m_bSavedToolTips = TRUE;
    BOOL m_bSavedCoolLook = FALSE;
    BOOL m_bSavedLargeButtons = FALSE;
    OZWToolBarManager* m_pManager = nullptr;
    CCheckListBox m_list;
    CWnd* m_pDialog = nullptr;
};

// What a page of the customise sheet does when it is left: the manager
// leaves its configuration and customise modes and the sheet is enabled
// again.
void OZWLeaveCustomizePage(OZWToolBarManager* pManager, CPropertySheet* pSheet);

// The window half the page and the dialog share (TWnd is CPropertyPage or
// CDialog): the list's, the name field's and the Reset button's notices,
// the manager's toolbar notices and the floating windows' shared caption go
// to OZWToolBarsBase; the three settings are exchanged with their boxes.
template <class TWnd>
class OZWToolBarsWnd : public TWnd, public OZWToolBarsBase
{
public:
    using TWnd::TWnd;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnSelChange();
    afx_msg void OnCheckChangeMsg();
    afx_msg void OnNameKillFocusMsg();
    afx_msg void OnResetOrDeleteMsg();
    afx_msg LRESULT OnBarNotifyMsg(WPARAM wParam, LPARAM lParam);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class OZWToolBarsPage : public OZWToolBarsWnd<CPropertyPage>
{
    DECLARE_DYNAMIC(OZWToolBarsPage)
public:
    enum { IDD = IDD_OZW_TB_TOOLBARS };
    OZWToolBarsPage();
    ~OZWToolBarsPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void OnReset() override;
    void OnOK() override;

protected:
    // A style change the other pages of the sheet hear of
    // ("WM_TOOLBARSTYLECHANGING": 1 large buttons, 2 cool look).
    void TellSiblings(WPARAM nWhat);

    afx_msg void OnNewMsg();
    afx_msg void OnToolTips();
    afx_msg void OnCoolLook();
    afx_msg void OnLargeButtons();
    DECLARE_MESSAGE_MAP()
};

class OZWToolBarsDlg : public OZWToolBarsWnd<CDialog>
{
    DECLARE_DYNAMIC(OZWToolBarsDlg)
public:
    enum { IDD = IDD_OZW_TB_TOOLBARS_DLG };
    explicit OZWToolBarsDlg(CWnd* pParent = nullptr);
    ~OZWToolBarsDlg() override;

    BOOL OnInitDialog() override;

protected:
    void OnOK() override;
    void OnCancel() override;
    // Leaves customise mode and ends with nResult (the values apply unless
    // it is IDCANCEL, which puts the saved ones back).
    void Close(int nResult);

    afx_msg void OnNewMsg();
    afx_msg void OnCustomize();
    afx_msg void OnSetting();
    DECLARE_MESSAGE_MAP()
};

// "New Toolbar": the name of a new toolbar (OK only with one).
class OZWNewToolBar : public CDialog
{
    DECLARE_DYNAMIC(OZWNewToolBar)
public:
    enum { IDD = IDD_OZW_TB_NEW };
    explicit OZWNewToolBar(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    CString m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnNameChange();
    DECLARE_MESSAGE_MAP()
};
