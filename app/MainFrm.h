// The application's main window, of the window class a second start looks
// for: the toolkit's MDI frame with the status line (the message pane and
// the Caps, Num and Scroll Lock indicators), the curve-fit bar docked on the
// right, the find list kept in the profile, the window placement kept in
// the profile, the close that asks once for all open databases, and the
// frame's commands (merge, clean fields, options, units, language, help,
// curve fit). It also serves the rest of the program: the merge and clean
// step their progress through it, the grids put search texts into its find
// list, the view and the child frames feed the curve-fit bar through it,
// and the application shows status texts through it.
#pragma once

#include "app/ViewClipboard.h"
#include "app/state/CopiedComponents.h"
#include "app/state/ViewState.h"
#include "editors/curvefit/bar/CurveFitDlgBar.h"
#include "editors/curvefit/bar/CurveFitHost.h"
#include "frame/mdi/OZWMDIFrameWnd.h"
#include "frame/stdbars/OZWStatusBar.h"
#include "grids/window/GridView.h"
#include "platform/framework/Framework.h"

#include <vector>

class CMergeDialog;
class CCleanDialog;
class CKelvaronView;
class OZWToolBarManager;

class CMainFrame : public OZWMDIFrameWnd, public CGridFrame, public CCurveFitHost, public CPasteProgress
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // Ids of the frame's bars and its profile entries.
    static constexpr UINT kCurveFitBarBaseID = 256;
    static constexpr const char* kBarLayoutName = "KelvaronMDI";
    static constexpr const char* kFindListSection = "FindList";
    static constexpr const char* kPlacementSection = "MainFrame";
    static constexpr const char* kPlacementEntry = "WP";

    // Steps the progress bar of the merge dialog while one runs, else of the
    // clean dialog while one runs, else does nothing.
    void StepProgress();

    // The dialogs that run modally from the Merge and Clean Fields commands
    // (null otherwise); not owned beyond those commands.
    CMergeDialog* m_pMergeDialog;
    CCleanDialog* m_pCleanDialog;

    // The database path of the active view's document ("" when none).
    virtual CString GetActiveDatabasePath();
    // The main view of the active database window (null when none).
    CKelvaronView* GetActiveDatabaseView() const;
    // The working state of that view (null when none).
    const CViewState* GetActiveViewState() const;

    // Shows the text in the message pane (when the status line exists).
    void SetStatusText(LPCTSTR lpszText);
    OZWStatusBar& GetStatusBar() { return m_wndStatusBar; }

    // The find list: the texts searched, newest first, at most 15. A text
    // already in the list stays where it is.
    void AddFindText(LPCTSTR lpszText) override;
    // Entry nIndex of the find list; "" outside the list.
    CString GetFindText(int nIndex) const;
    int GetFindTextCount() const { return (int)m_findList.size(); }
    static const int MaxFindTexts = 15;

    // The manager of the frame's toolbars, the frame's control-bar manager
    // (made and deleted by the frame).
    OZWToolBarManager* GetToolBarManager() const;

    // The curve-fit bar and what it is told: the curve type of the tab
    // shown (unless the option keeps it), the component now current, the
    // open editor dialog.
    CCurveFitDlgBar& GetCurveFitBar() { return m_wndCurveFitBar; }
    void NotifyComponentChanged(CRecordset* pRecord) override;
    virtual void SetCurveType(int nCurveType);
    void SetCurveFitDialog(CWnd* pDialog);
    BOOL KeepCurveFitUnits() const override;
    // Shows the curve-fit bar when hidden, hides it when shown.
    void ToggleCurveFitBar();

    // Copy and paste of components between databases: the database the
    // copied components come from ("" when none), their keys, and the paste
    // target, the database of the window activated last. They are the
    // program's copied components, which the frame owns.
    const CCopiedComponents& GetCopiedComponents() const { return m_copied; }
    const CString& GetCopySourcePath() const { return m_copied.GetSourcePath(); }
    void SetCopySourcePath(LPCTSTR lpszPath) { m_copied.SetSourcePath(lpszPath != nullptr ? lpszPath : ""); }
    void ClearCopiedComponents() { m_copied.ClearKeys(); }
    const CString& GetPasteTargetPath() const { return m_copied.GetTargetPath(); }
    void SetActiveDatabasePath(LPCTSTR lpszPath) { m_copied.SetTargetPath(lpszPath != nullptr ? lpszPath : ""); }
    // The first main view (over all templates and documents) of the
    // database of exactly this path; null when none.
    CKelvaronView* FindViewByPath(const CString& path);
    // Pastes the component of a source key into another open database (with
    // its Tapes row, items and nozzles); its key there (an equal component's
    // when the target has one), -1 when the source has no such component or
    // the paste failed (the user has been told why).
    long PasteComponent(CKelvaronView* pSource, CKelvaronView* pTarget, long nKey);

    // Whether help opens as HTML help (found at creation).
    BOOL HasHtmlHelp() const { return m_bHtmlHelp; }

    // A stored window placement is used only when it is whole (its length
    // and size are those of a WINDOWPLACEMENT) and its normal rectangle
    // lies at least partly on a screen.
    static BOOL IsUsablePlacement(const BYTE* pData, UINT nBytes, WINDOWPLACEMENT* pPlacement);
    // How start-up shows the frame: as the saved placement left it when the
    // placement was put on the frame before it was first shown, else nShow.
    int StartShowCommand(int nShow) const { return m_nPlacementShow >= 0 ? m_nPlacementShow : nShow; }

    // While the layout is held (the frame, still hidden, makes its dock bars,
    // docks its curve-fit bar and reads the saved bar layout) the layouts
    // asked for wait for one when it is let go.
    void RecalcLayout(BOOL bNotify = TRUE) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void GetMessageString(UINT nID, CString& rMessage) const override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);

    // The toolbars (MainFrmToolBars.cpp). The manager is given the images,
    // the find box's button map and the four default toolbars, and makes
    // them; FALSE when it cannot.
    BOOL CreateToolBars();
    // Sends a message to the find box of every toolbar.
    void SendToFindBoxes(UINT message, WPARAM wParam, LPARAM lParam);
    // The find box was made (its font and the find list go in) or Enter
    // was pressed in it (its text is searched in the active database).
    afx_msg LRESULT OnToolBarWndNotify(WPARAM wParam, LPARAM lParam);
    afx_msg void OnFindBoxKillFocus();
    afx_msg void OnFindBoxSelChange();
    // The find box is offered while the menu's third popup has Find.
    afx_msg void OnUpdateFindBox(CCmdUI* pCmdUI);
    // Customize: the sheet with the Toolbars and Commands pages.
    afx_msg void OnCustomize();
    // On a dock bar: the toolbars, checked while shown, then Customize.
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    // The tool tip of a toolbar button: Add, Edit and Delete name the kind
    // of component shown, Edit Nozzles says when it finishes the editing;
    // other buttons have their command's tip.
    CString GetToolTipText(UINT nID) const;
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    // Closing the application: with a database window open, asks once for
    // all databases whether to save the changes. Yes closes every database
    // keeping its changes, No puts every backup back, Cancel leaves
    // everything open and writes nothing. The changed records of the grids
    // are settled before any database closes, so a Cancel there leaves them
    // all open too. Then the find list and the bar layout are written and
    // the frame closes.
    afx_msg void OnClose();
    // The saved window placement is applied at the first activation; the
    // placement is saved when the window goes.
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnDestroy();
    afx_msg BOOL OnNcActivate(BOOL bActive);

    // Options: the Setup Options dialog; a changed character set goes to the
    // grids of every open database; the Query tab follows its option.
    afx_msg void OnOptions();
    // Units: the Units dialog; on OK every open database shows its column
    // titles in the new units.
    afx_msg void OnUnits();
    // Clean Fields, Options and Units are offered while no editor is open.
    afx_msg void OnUpdateSettingsCommand(CCmdUI* pCmdUI);
    // The Language menu and its entries, filled by the language manager.
    afx_msg void OnUpdateLanguage(CCmdUI* pCmdUI);
    afx_msg void OnLanguage(UINT nID);
    // Help Contents and Help: the HTML help file, else the Windows help file.
    afx_msg void OnHelp();
    // Curve Fit: shows or hides the bar; checked while it shows.
    afx_msg void OnCurveFit();
    afx_msg void OnUpdateCurveFit(CCmdUI* pCmdUI);
    // The toolbar commands show or hide the bar of that id.
    afx_msg BOOL OnToolBarCommand(UINT nID);

    // Calls f(view) for the main view of every open database.
    template <class F> void ForEachDatabaseView(F f);

    // Merge: runs the merge dialog on the active database, then brings the
    // active view up to date.
    afx_msg void OnMerge();
    // Clean Fields: runs the clean dialog on the active database.
    afx_msg void OnCleanFields();
    // After a merge: the active document's views show the database again.
    virtual void OnDatabaseMerged();

    // Copy Component: the keys of the active grid's selected rows (the
    // current row's when none is selected) and their database. Offered while
    // no editor is open.
    afx_msg void OnCopyComponent();
    afx_msg void OnUpdateCopyComponent(CCmdUI* pCmdUI);
    // Paste Component: the copied components into the database of the
    // window activated last. Offered while there are copied keys and no
    // editor is open.
    afx_msg void OnPasteComponent();
    afx_msg void OnUpdatePasteComponent(CCmdUI* pCmdUI);
    // "Pasting components: n of N" on the status line while more than one
    // component is pasted; the idle text once nDone reaches nCount.
    void ShowPasteProgress(size_t nDone, size_t nCount) override;
    // The same for rows of text, with the key that stops the paste.
    void ShowRowPasteProgress(size_t nDone, size_t nCount) override;
    // Escape pressed since the last call; other keys pressed during a paste
    // are dropped, not typed into the grid after it.
    BOOL IsPasteStopped() override;

    // A paste's progress on the status line: nFormatID formats the place
    // (nDone + 1) and nCount.
    void ShowProgressText(UINT nFormatID, size_t nDone, size_t nCount);

    // Reads whether HTML help can be used (the HTML engine's version key).
    void CheckHtmlHelp();
    // Holds the layout (TRUE), or lets it go and lays the frame out once when
    // one was asked for meanwhile.
    void HoldLayout(BOOL bHold);
    void LoadFindList();
    void SaveFindList();

    OZWStatusBar m_wndStatusBar;
    CCurveFitDlgBar m_wndCurveFitBar;
    HFONT m_hFindFont = nullptr;
    char m_szToolTip[2049] = {};
    std::vector<CString> m_findList;
    BOOL m_bHtmlHelp = FALSE;
    // The saved placement waits for the first activation that finds one (the
    // program makes one main frame).
    BOOL m_bPlacementPending = TRUE;
    // The saved placement's show command, kept when the placement came
    // before the frame was first shown (-1: none).
    int m_nPlacementShow = -1;
    // Whether the layout is held, and whether one was asked for meanwhile.
    BOOL m_bHoldLayout = FALSE;
    BOOL m_bLayoutDue = FALSE;
    CCopiedComponents m_copied;

    DECLARE_MESSAGE_MAP()
};
