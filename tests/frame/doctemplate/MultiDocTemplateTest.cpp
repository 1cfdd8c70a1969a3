// The docking document template: its option flags, and documents moving
// between MDI child frames and docking frames.
#include "tests/frame/doctemplate/TemplateTestApp.h"
#include "tests/support/TestSupport.h"

TEST(DockingTemplate, OptionFlags)
{
    struct Step { void (OZWMultiDocTemplate::*enable)(BOOL, BOOL); BOOL on; DWORD expected; } steps[] = {
        { &OZWMultiDocTemplate::EnableOption2, TRUE, 0xB },   // option 2 on: options 1 and 3 off
        { &OZWMultiDocTemplate::EnableOption2, TRUE, 0xB },   // already on: nothing changes
        { &OZWMultiDocTemplate::EnableOption3, TRUE, 0x7 },   // option 3 on switches option 2 off
        { &OZWMultiDocTemplate::EnableOption1, TRUE, 0x5 },
        { &OZWMultiDocTemplate::EnableOption1, FALSE, 0x7 },
        { &OZWMultiDocTemplate::EnableOption3, FALSE, 0xF },
    };
    OZWMultiDocTemplate tmpl(1, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestView));
    EXPECT_EQ(tmpl.m_dwMDIChildFlags, 7u);
    EXPECT_EQ(tmpl.m_dwDockFrameFlags, 7u);
    EXPECT_EQ(tmpl.m_nDockMenuID, 1u);
    EXPECT_FALSE(tmpl.IsOption1Enabled());
    EXPECT_FALSE(tmpl.IsOption2Enabled());
    EXPECT_TRUE(tmpl.IsOption3Enabled());
    for (const Step& s : steps) {
        (tmpl.*s.enable)(s.on, FALSE);
        EXPECT_EQ(tmpl.m_dwMDIChildFlags, s.expected);
        EXPECT_EQ(tmpl.m_dwDockFrameFlags, s.expected);
    }
    EXPECT_FALSE(tmpl.IsOption2Enabled() && tmpl.IsOption3Enabled());
    OZWMultiDocTemplate other(1, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestView), 0x3);
    EXPECT_EQ(other.m_dwMDIChildFlags, 3u);
}

TEST_F(DockingTemplateTest, AnMDIChildFrameGetsTheFlagsAndHasNoDockSide)
{
    CTestView* pView = OpenInChild();
    ASSERT_NE(pView, nullptr);
    auto* pChild = static_cast<CTestChildFrame*>(pView->GetParentFrame());
    ASSERT_TRUE(pChild->IsKindOf(RUNTIME_CLASS(CTestChildFrame)));
    EXPECT_EQ(pChild->flags, 7u);
    EXPECT_FALSE(m_pTemplate->IsDockedFrame(pChild));
    EXPECT_EQ(m_pTemplate->GetDockSide(pChild), -1);
    EXPECT_EQ(m_pTemplate->FloatFrame(pChild), nullptr);
}

TEST_F(DockingTemplateTest, DockingAndFloatingMoveTheSameViewBetweenFrames)
{
    CTestView* pView = OpenInChild();
    ASSERT_NE(pView, nullptr);
    CDocument* pDoc = pView->GetDocument();
    CFrameWnd* pChild = pView->GetParentFrame();
    HWND hChild = pChild->m_hWnd;

    const float share = 0.5f;
    const CSize size(0, 120);
    CFrameWnd* pDocked = m_pTemplate->DockFrame(pChild, AFX_IDW_DOCKBAR_TOP + 1, &size, &share);
    ASSERT_NE(pDocked, nullptr);
    EXPECT_TRUE(pDocked->IsKindOf(RUNTIME_CLASS(OZWDockableFrame)));
    EXPECT_EQ(pView->GetParentFrame(), pDocked);
    EXPECT_EQ(pDocked->GetActiveView(), pView);
    EXPECT_EQ(pView->GetDocument(), pDoc);
    EXPECT_FALSE(::IsWindow(hChild));
    EXPECT_EQ(static_cast<OZWDockableFrame*>(pDocked)->flags, 7u);
    EXPECT_EQ(m_pTemplate->GetDockSide(pDocked), 1);   // left
    EXPECT_EQ(m_pTemplate->DockFrame(pDocked), nullptr);   // docked already
    ASSERT_EQ(m_pMain->docked.size(), 1u);
    const CTestMainFrame::Docked& d = m_pMain->docked[0];
    EXPECT_EQ(d.id, 0x100u);
    EXPECT_EQ(d.dockBar, (UINT)AFX_IDW_DOCKBAR_TOP + 1);
    EXPECT_EQ(d.style, 0x1400u | 0x50000004u);
    EXPECT_EQ(d.size.cy, 120);
    EXPECT_FLOAT_EQ(d.share, 0.5f);
    EXPECT_EQ(d.title, pDoc->GetTitle());
    EXPECT_EQ(m_pTemplate->m_nIDResource, 1u);

    CFrameWnd* pFloating = m_pTemplate->ToggleDocking(pDocked);
    ASSERT_NE(pFloating, nullptr);
    EXPECT_TRUE(pFloating->IsKindOf(RUNTIME_CLASS(CTestChildFrame)));
    EXPECT_EQ(pView->GetParentFrame(), pFloating);
    EXPECT_EQ(pFloating->GetActiveView(), pView);
    EXPECT_EQ(pView->moves, (std::vector<std::string> { "before docking", "after docking",
                                                       "before floating", "after floating" }));

    // Docked again without a place: the main frame's default side, the next free id.
    CFrameWnd* pAgain = m_pTemplate->ToggleDocking(pFloating);
    ASSERT_NE(pAgain, nullptr);
    EXPECT_EQ(m_pTemplate->GetDockSide(pAgain), 2);   // bottom
    ASSERT_EQ(m_pMain->docked.size(), 2u);
    EXPECT_EQ(m_pMain->docked[1].id, 0x101u);
    EXPECT_EQ(m_pMain->docked[1].style, 0x8200u | 0x50000004u);
}

TEST_F(DockingTemplateTest, AFailedDockLeavesTheFrameAsItWas)
{
    CTestView* pView = OpenInChild();
    ASSERT_NE(pView, nullptr);
    CFrameWnd* pChild = pView->GetParentFrame();

    // The main frame gives no bar.
    m_pMain->refuseBars = TRUE;
    EXPECT_EQ(m_pTemplate->DockFrame(pChild), nullptr);
    EXPECT_TRUE(::IsWindow(pChild->m_hWnd));
    EXPECT_EQ(pView->GetParentFrame(), pChild);
    EXPECT_TRUE(pView->moves.empty());
    m_pMain->refuseBars = FALSE;

    // The docking frame cannot be loaded: the host bar made for it goes too,
    // and the template's resource id is as before.
    m_pTemplate->m_pDockFrameClass = RUNTIME_CLASS(CUnloadableFrame);
    m_pTemplate->m_nDockMenuID = 77;
    EXPECT_EQ(m_pTemplate->DockFrame(pChild), nullptr);
    EXPECT_EQ(m_pTemplate->m_nIDResource, 1u);
    EXPECT_TRUE(::IsWindow(pChild->m_hWnd));
    EXPECT_EQ(pView->GetParentFrame(), pChild);
    ASSERT_EQ(m_pMain->docked.size(), 1u);
    EXPECT_EQ(m_pMain->GetDescendantWindow((int)m_pMain->docked[0].id), nullptr);
    EXPECT_EQ(m_pTemplate->m_pViewClass, RUNTIME_CLASS(CTestView));
}

TEST_F(DockingTemplateTest, ListedFramesAreHiddenInsteadOfDestroyed)
{
    CTestView* pView = OpenInChild();
    ASSERT_NE(pView, nullptr);
    CFrameWnd* pChild = pView->GetParentFrame();
    HWND hChild = pChild->m_hWnd;
    m_pTemplate->m_bHideFrames = TRUE;
    m_pTemplate->m_listHiddenFrames.AddTail(hChild);
    ASSERT_NE(m_pTemplate->DockFrame(pChild), nullptr);
    EXPECT_TRUE(::IsWindow(hChild));
    EXPECT_FALSE(::IsWindowVisible(hChild));
    EXPECT_EQ(pChild->GetActiveView(), nullptr);
}

TEST_F(DockingTemplateTest, RefreshFramesHandsEachKindItsFlags)
{
    CTestView* pView = OpenInChild();
    ASSERT_NE(pView, nullptr);
    auto* pChild = static_cast<CTestChildFrame*>(pView->GetParentFrame());
    m_pTemplate->EnableOption1(TRUE, TRUE);
    EXPECT_EQ(pChild->flags, 5u);
    m_pTemplate->m_dwDockFrameFlags = 0x9;
    CFrameWnd* pDocked = m_pTemplate->DockFrame(pChild);
    ASSERT_NE(pDocked, nullptr);
    EXPECT_EQ(static_cast<OZWDockableFrame*>(pDocked)->flags, 0x9u);
    m_pTemplate->ModifyFlags(0, 2, TRUE);
    EXPECT_EQ(static_cast<OZWDockableFrame*>(pDocked)->flags, 0xBu);
}
