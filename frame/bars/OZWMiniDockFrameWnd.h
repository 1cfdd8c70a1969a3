// OZWMiniDockFrameWnd: the floating frame of the toolkit's bars. It holds a
// toolkit dock bar (id AFX_IDW_DOCKBAR_FLOAT), so that bars floating
// together get rows and splitters, and hands clicks on its caption and edges
// to the dock context of the first bar it holds. Closing it hides its bars;
// it goes when its last bar leaves.
#pragma once

#include "frame/bars/OZWDockBar.h"
#include "platform/framework/Framework.h"

class OZWMiniDockFrameWnd : public CMiniDockFrameWnd
{
    DECLARE_DYNCREATE(OZWMiniDockFrameWnd)
public:
    OZWMiniDockFrameWnd();
    ~OZWMiniDockFrameWnd() override;

    // The frame (style 0x80C83300 for a bar that sizes itself, 0x80C83B00
    // else) and its dock bar, made in pParent and moved in here.
    BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
    using CMiniDockFrameWnd::Create;
    // Moves the frame's top-left to (x, y): a frame that takes its bars'
    // size is sized to them and kept below the top of the screen; any other
    // lays its bars out in its client area.
    virtual void PositionFrame(int x, int y, BOOL bFlag = TRUE);

    // The toolkit's dock bar, which serves in place of the framework's.
    OZWDockBar& GetDockBar() override { return m_wndOZWDockBar; }

    OZWDockBar m_wndOZWDockBar;

protected:
    DWORD m_dwReserved = 0;

    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
