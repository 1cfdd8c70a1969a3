// OZWListView: the list engine as the view of a document in a frame. It
// prints and previews its rows: for the length of a print job the engine
// takes the printer page for its window (the page is its client area, the
// printer's DC its measuring DC, printer copies its fonts) and its own
// painting draws each page from the page's first row.
#pragma once

#include "listtree/list/ctrl/ListEngine.h"

class OZWListView : public OZWListBaseV
{
    DECLARE_DYNCREATE(OZWListView)
public:
    OZWListView() = default;
    ~OZWListView() override;

    // The page after the current one: the row after the last that fits
    // completely becomes the top row; FALSE when the current page is the last.
    virtual BOOL NextPrintPage(CDC* pDC);
    // One logical unit of the printer DC is one screen pixel; m_rcPage is
    // the printable page in logical units.
    virtual void PreparePrintDC(CDC* pDC);
    // Lays the engine out for page nPage (from 1).
    virtual BOOL GotoPrintPage(UINT nPage, CDC* pDC);
    virtual BOOL CreatePrintFonts(CDC* pDC);
    virtual BOOL DeletePrintFonts();

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void GetInsideRect(RECT* pRect) override;
    CDC* GetMeasureDC(BOOL* pbOwned) override;

    afx_msg void OnPaint();

    CFont* m_pSavedItemFont = nullptr;
    CFont* m_pSavedHeaderFont = nullptr;
    CFont m_fontPrintItem;
    CFont m_fontPrintHeader;
    CRect m_rcPage;
    BOOL m_bPrinting = FALSE;
    int m_nSavedTopIndex = 0;
    int m_nLayoutPage = 0;
    CDC* m_pPrintDC = nullptr;

protected:
    // The scroll bars and the horizontal offset of the screen, put aside
    // while the page is laid out.
    DWORD m_dwSavedScrollState = 0;
    int m_nSavedHorzOffset = 0;

    DECLARE_MESSAGE_MAP()
};
