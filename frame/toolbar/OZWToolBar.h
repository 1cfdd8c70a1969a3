// OZWToolBar: a dockable bar of the toolkit whose window is the system's
// common toolbar control ("ToolbarWindow32"). It loads a toolbar resource
// (the image strip and its command list), keeps the control's button and
// image sizes, lays the buttons out in rows for its docked, floating and
// sized places (frame/toolbarmodel), answers tool-tip hit tests and follows
// the command state of its buttons at idle time through OZWToolCmdUI.
//
// Button styles are read and written in the framework's form: style |
// state << 16, where the control's "enabled" state bit is turned into a
// "disabled" bit (0x40000).
//
// OZWFrameBar: a bar of the toolkit that hosts a frame window; a floating
// one activates its own frame when clicked.
#pragma once

#include "frame/bars/OZWControlBar.h"
#include "frame/toolbarmodel/OZWToolBarRows.h"

#include <vector>

class OZWToolBar;

// The command-state question for one button of an OZWToolBar.
class OZWToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR) override {}
};

class OZWToolBar : public OZWControlBar
{
    DECLARE_DYNAMIC(OZWToolBar)
public:
    OZWToolBar();
    ~OZWToolBar() override;

    // ---- Creation
    // The control with the bar style dwStyle (its CBRS_ bits), the toolkit's
    // extended style dwExStyle and the control id.
    BOOL Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID,
                CCreateContext* pContext = nullptr) override;
    using OZWControlBar::CreateEx;
    // The control with its own styles dwCtrlStyle (TBSTYLE_) beside the
    // bar's, the border rectangle and the sizes set before.
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);

    // ---- Content
    // The buttons and sizes of toolbar resource lpszResourceName and its
    // image strip; FALSE (nothing changed of the images) on any failure.
    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCE(nIDResource)); }
    // The image strip of that name, its greys in the system colours.
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
    // Gives the control the strip (the bar owns it from then on).
    BOOL SetBitmap(HBITMAP hbmImageWell);
    // One button per id (0: a separator), images numbered from 0; with no
    // ids, nCount empty buttons.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    // Button = image + 7 in each direction for the resources; any sizes here.
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    CSize GetButtonSize() const { return m_sizeButton; }
    CSize GetImageSize() const { return m_sizeImage; }

    // ---- Buttons
    int GetCount() const;
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);

    // ---- The control bar's part
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    // The common controls' version, (major << 16) | minor (4.0 when the
    // library does not say), and the width of a drop-down arrow; both read
    // once for the program.
    static DWORD GetComCtlVersion();
    static int GetDropDownWidth();

    // Set by every change that needs a new layout; cleared when the control
    // paints or is asked for a button's rectangle.
    BOOL m_bDelayedButtonLayout = TRUE;

protected:
    // The control's button records, read and written whole.
    std::vector<TBBUTTON> ReadButtons() const;
    void WriteButtons(const std::vector<TBBUTTON>& buttons);
    ozwccbar::Metrics GetMetrics() const;
    // Creates the control: the bar keeps the CBRS_ bits of dwStyle, the
    // window gets the rest with the control's styles.
    BOOL CreateControl(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwCtrlStyle,
                       DWORD dwExStyle, UINT nID, CCreateContext* pContext);
    // The layout for a mode (LM_ bits) and a length; the size stored for it.
    CSize CalcLayout(DWORD dwMode, int nLength = -1);
    void GetButton(int nIndex, TBBUTTON* pButton) const;
    void SetButton(int nIndex, TBBUTTON* pButton);
    void MarkLayoutOutOfDate();

    HINSTANCE m_hInstImageWell = nullptr;
    HRSRC m_hRsrcImageWell = nullptr;
    HBITMAP m_hbmImageWell = nullptr;
    // The strip's resource name, for loading it again in new colours.
    CString m_strImageWell;
    UINT_PTR m_nImageWell = 0;
    BOOL m_bDirtyFixed = TRUE;
    BOOL m_bDirtyVertDock = TRUE;
    BOOL m_bDirtyHorzDock = TRUE;
    CSize m_sizeImage = CSize(16, 15);
    CSize m_sizeButton = CSize(23, 22);
    CSize m_sizeFixedLayout = CSize(0, 0);
    CSize m_sizeMRU = CSize(0, 0);
    CSize m_sizeHorzLayout = CSize(0, 0);
    CSize m_sizeVertLayout = CSize(0, 0);

    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnWindowPosChanging(LPWINDOWPOS lpWndPos);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnSetBitmapSize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetButtonSize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPreserveFlatStyle(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class OZWFrameBar : public OZWControlBar
{
    DECLARE_DYNCREATE(OZWFrameBar)
public:
    OZWFrameBar();
    ~OZWFrameBar() override;
    // The window's own handling: the bar's filtering of keys is skipped.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()
};
