// A frame of the toolkit's kind for the bar tests: dock bars of the toolkit
// on every side, an auto-hide strip per side, a client window, and bars of
// the toolkit to dock, float, hide and destroy.
#pragma once

#include "frame/bars/OZWAutoHideBar.h"
#include "frame/bars/OZWControlBar.h"
#include "frame/bars/OZWDockBar.h"
#include "frame/bars/OZWDockContext.h"
#include "frame/bars/OZWDockingFrame.h"
#include "frame/bars/OZWMiniDockFrameWnd.h"
#include "platform/framework/Framework.h"
#include "tests/support/DockLayout.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowPoints.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

class CBarsTestApp : public CWinApp
{
public:
    CBarsTestApp() : CWinApp("Bars Test") {}
};

extern CBarsTestApp theApp;

class CBarsTestFrame : public CFrameWnd, public IOZWDockingFrame
{
public:
    OZWAutoHideBar m_strips[4]; // left, top, right, bottom

    OZWAutoHideBar* GetAutoHideBar(DWORD dwSide) override;
    using IOZWDockingFrame::DockControlBar;
    using IOZWDockingFrame::DockControlBarEx;
    using IOZWDockingFrame::ReDockControlBar;
    void EnableDocking(DWORD dwDockStyle) override;
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP) override;
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
};

// A toolkit bar that counts refusals and can refuse its close button.
class CTestBar : public OZWControlBar
{
public:
    BOOL m_bCanClose = TRUE;
    BOOL CanClose() override { return m_bCanClose; }
};

// A bar whose extended style bits mean something else (as a toolbar's do):
// it has no caption buttons.
class CNoButtonsBar : public OZWControlBar
{
public:
    BOOL HasCaptionButtons() const override { return FALSE; }
};

namespace barstest {

// Handles every message waiting in the queue.
void Pump();
using kvtest::ChildRect;
using kvtest::PostMouse;
using kvtest::ScreenRect;
// The rows of a dock bar as ids (a kept place as "#id", "|" ending a row).
inline std::string RowsOf(const CDockBar* pDockBar)
{
    return kvtest::DockRowsText(pDockBar);
}
// Sends a click (down and up) at a point of the window's client area.
void Click(CWnd* pWnd, CPoint ptClient);

} // namespace barstest

// Each test gets a shown 800 x 600 frame with toolkit dock bars and strips.
class BarsTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A new bar of the toolkit in the frame (deleted with the fixture).
    template <class T = CTestBar>
    T* NewBar(UINT nID, LPCTSTR lpszTitle, DWORD dwExStyle, DWORD dwStyle = CBRS_RIGHT, CFrameWnd* pFrame = nullptr)
    {
        T* pBar = new T;
        const BOOL bMade = pBar->Create(pFrame != nullptr ? pFrame : m_pFrame, lpszTitle,
                                        WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC | dwStyle, dwExStyle, nID);
        EXPECT_TRUE(bMade);
        pBar->m_nSlideTime = 0;
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_bars.push_back(pBar);
        return pBar;
    }
    OZWDockBar* DockBar(UINT nID, CFrameWnd* pFrame = nullptr) const;
    void Layout();
    // Another shown frame like the first, destroyed with the fixture.
    CBarsTestFrame* NewFrame();

    CBarsTestFrame* m_pFrame = nullptr;
    HWND m_hWndFrame = nullptr;
    CWnd* m_pClient = nullptr;
    std::vector<OZWControlBar*> m_bars;
    std::vector<HWND> m_otherFrames;
    std::vector<CWnd*> m_otherClients;
};
