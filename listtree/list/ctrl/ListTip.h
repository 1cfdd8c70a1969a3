// OZWListTip: the popup that shows the whole text of a list cell whose text
// is cut off, laid exactly over the cell in the cell's own colours and font.
// It reaches its list only through OZWListClient, so one tip class serves
// the list control, the list view and the tree.
#pragma once

#include "listtree/list/model/ListClient.h"
#include "platform/framework/Framework.h"

class OZWListTip : public CWnd
{
public:
    explicit OZWListTip(OZWListClient* pClient);
    ~OZWListTip() override;

    // Shows the tip over the cell of (item, column) when its text is cut
    // off; TRUE when the tip shows (or keeps showing) that cell.
    virtual BOOL ShowTip(UINT nHitFlags, int nItem, int nColumn, int x, int y);
    virtual void HideTip();
    // Repaints a visible tip.
    void RefreshTip();

    BOOL PreTranslateMessage(MSG* pMsg) override;

    int m_nItem = -1;
    int m_nSubItem = -1;
    OZWListClient* m_pClient = nullptr;
    CString m_strText;
    CRect m_rcItem;

    // Timer of the tip and its interval; the longest text drawn.
    enum { TimerId = 0xF001, TimerInterval = 500, MaxChars = 259 };

    // Whether the text rectangle of a cell counts as cut off: its right
    // edge beyond the limit (the smaller of the cell's right edge and the
    // inside width), or its start scrolled off to the left while its end is
    // still visible.
    static BOOL IsCutOff(const RECT& rcCell, const RECT& rcText, const RECT& rcInside);
    // The part of a text the tip draws: up to the first line feed, at most
    // MaxChars characters.
    static CString FirstLine(const CString& strText);
    // Client mouse message of a non-client one forwarded to the list, with
    // its real key state.
    static UINT ClientMessageOf(UINT nMsg) { return nMsg + (WM_LBUTTONDOWN - WM_NCLBUTTONDOWN); }

protected:
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);

    DECLARE_MESSAGE_MAP()
};
