// Print preview: CView::OnFilePrintPreview shows the pages a view would
// print, one at a time, in place of the view inside its frame.
//
// The preview asks the view for the default printer without a dialog
// (OnPreparePrinting with m_bPreview set); with no printer it says so and
// leaves everything as it was. It then starts the job (OnBeginPrinting with
// the printer's DC), records each page it shows into an enhanced metafile
// made for the printer (OnPrepareDC and OnPrint with m_nCurPage set, in any
// order) and plays the picture scaled into a white page. While it shows,
// the frame's control bars, menu and accelerators are put away
// (CFrameWnd::OnSetPreviewMode), the view is hidden and the preview takes
// its place and its pane id. Print closes the preview and runs the view's
// Print command; Close, Escape and closing the view give everything back
// and end the job (OnEndPrinting).
#pragma once

#include "platform/framework/docview/AfxPreviewRes.h"
#include "platform/framework/drawing/Controls.h"
#include "platform/framework/docview/DocView.h"
#include "platform/framework/window/Gdi.h"

#include <vector>

class CPreviewView : public CView
{
    DECLARE_DYNCREATE(CPreviewView)
public:
    CPreviewView();
    ~CPreviewView() override;

    // Starts the preview of pPrintView in pFrame. Takes pInfo (whose m_pd
    // holds the printer's DC) and pState; FALSE when the preview could not
    // start (the view is then shown as before).
    BOOL StartPreview(CView* pPrintView, CFrameWnd* pFrame, CPrintInfo* pInfo, CPrintPreviewState* pState);
    // Gives the view back and ends the job; destroys the preview.
    virtual void ClosePreview();

    // Pages: the count the view gave (at least 1) and the one shown.
    UINT GetPageCount() const;
    UINT GetCurrentPage() const { return m_nCurrentPage; }
    void SetCurrentPage(UINT nPage);
    // The recorded picture of a page (recorded on first use), or null.
    HENHMETAFILE GetPagePicture(UINT nPage);
    // Where the page shows in the client area.
    CRect GetPageRect() const;
    CView* GetPrintView() const { return m_pPrintView; }
    CPrintInfo* GetPreviewInfo() const { return m_pPreviewInfo; }

    void OnDraw(CDC* pDC) override;

    afx_msg void OnPreviewClose();
    afx_msg void OnPreviewPrint();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnDestroy();

    // Height of the strip of buttons at the top.
    enum { ButtonBarHeight = 30 };

protected:
    void UpdateButtons();
    // Ends the job and gives the view, the frame's bars and menu back.
    void EndPreview();
    void FreePages();

    CView* m_pPrintView = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    CPrintInfo* m_pPreviewInfo = nullptr;
    CPrintPreviewState* m_pPreviewState = nullptr;
    CDC m_dcPrint;            // the printer's DC: the job's DC and the pages' reference
    UINT m_nCurrentPage = 1;
    std::vector<HENHMETAFILE> m_pages;
    CButton m_buttons[4];     // Print, Next, Prev, Close
    CStatic m_pageText;
    CFont m_font;
    BOOL m_bClosing = FALSE;

    DECLARE_MESSAGE_MAP()
};
