#include "tests/toolbars/bar/ToolBarTestSupport.h"

CWinApp theApp("Toolbar Tests");

namespace toolbartest {

UINT g_bar1[5] = {ID_TEST_A, ID_TEST_B, 0, ID_TEST_C, ID_TEST_D};
UINT g_bar2[2] = {ID_TEST_A, ID_TEST_D};
UINT g_bar3[1] = {ID_TEST_C};

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_A, OnCommandA)
    ON_COMMAND(ID_TEST_B, OnCommandB)
    ON_COMMAND(ID_TEST_D, OnCommandD)
    ON_COMMAND(ID_TEST_BOX, OnCommandBox)
    ON_UPDATE_COMMAND_UI(ID_TEST_B, OnUpdateB)
    ON_UPDATE_COMMAND_UI(ID_TEST_D, OnUpdateD)
END_MESSAGE_MAP()

BOOL CTestFrame::CreateFrame()
{
    if (!Create(nullptr, "Toolbar test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 750, 550)))
        return FALSE;
    EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

LRESULT CNotifyWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == OZWGetBarNotifyMessage()) {
        notices.push_back({wParam, lParam});
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void ToolBarTest::SetUp()
{
    profile = kvtest::ScratchDir(std::string("toolbar_") + kvtest::TestName()) + "\\profile.ini";
    free(const_cast<char*>(theApp.m_pszProfileName));
    theApp.m_pszProfileName = _strdup(profile.c_str());
}

void ToolBarTest::TearDown()
{
    DestroyFrame();
}

void ToolBarTest::MakeFrame()
{
    frame = new CTestFrame;
    ASSERT_TRUE(frame->CreateFrame());
    theApp.m_pMainWnd = frame;
    manager = new OZWToolBarManager(frame);
    manager->EnableCoolLook(TRUE, 0xF00);
    manager->EnableToolTips(TRUE);
    manager->GetBmpMgr()->SetSmallSize(16, 16);
    manager->GetBmpMgr()->SetLargeSize(32, 32);
    ASSERT_TRUE(manager->LoadToolBarResource(IDR_TEST_BAR_IMAGES, 0));
}

void ToolBarTest::MakeFrameWithToolBars()
{
    MakeFrame();
    manager->DefineDefaultToolBar(IDW_TEST_BAR1, "First", 5, g_bar1, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, 0, TRUE,
                                  TRUE);
    manager->DefineDefaultToolBar(IDW_TEST_BAR2, "Second", 2, g_bar2, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP,
                                  IDW_TEST_BAR1, TRUE, TRUE);
    manager->DefineDefaultToolBar(IDW_TEST_BAR3, "Third", 1, g_bar3, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP,
                                  IDW_TEST_BAR2, TRUE, FALSE);
    ASSERT_TRUE(manager->SetupDefaultToolBars());
    frame->RecalcLayout();
    kvtest::PumpMessages();
}

void ToolBarTest::DestroyFrame()
{
    if (frame != nullptr && frame->GetSafeHwnd() != nullptr)
        frame->DestroyWindow();   // the frame deletes itself
    frame = nullptr;
    theApp.m_pMainWnd = nullptr;
    delete manager;
    manager = nullptr;
    kvtest::PumpMessages();
}

CPoint ToolBarTest::ClientCentre(OZWCustomToolBar* pBar, int nIndex)
{
    CRect rect;
    pBar->GetButtonRect(nIndex, &rect);
    return rect.CenterPoint();
}

CPoint ToolBarTest::ScreenCentre(OZWCustomToolBar* pBar, int nIndex)
{
    CPoint point = ClientCentre(pBar, nIndex);
    pBar->ClientToScreen(&point);
    return point;
}

void ToolBarTest::Click(OZWCustomToolBar* pBar, int nIndex)
{
    const CPoint point = ClientCentre(pBar, nIndex);
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

std::vector<UINT> ToolBarTest::Ids(OZWCustomToolBar* pBar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < pBar->GetButtonCount(); ++i)
        ids.push_back(pBar->GetButton(i)->IsSeparator() ? 0 : pBar->GetButtonID(i));
    return ids;
}

std::string ToolBarTest::Ini(const char* section, const char* key) const
{
    char buffer[1024];
    ::GetPrivateProfileStringA(section, key, "<none>", buffer, sizeof(buffer), profile.c_str());
    return buffer;
}

void ToolBarTest::WriteIni(const char* section, const char* key, const char* value) const
{
    ::WritePrivateProfileStringA(section, key, value, profile.c_str());
}

} // namespace toolbartest
