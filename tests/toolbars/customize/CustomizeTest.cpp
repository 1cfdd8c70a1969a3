// The customise sheet: the Toolbars page (the list of toolbars, showing and
// hiding, renaming, new, reset and delete, the settings), the Commands page
// (categories, palettes, descriptions, dragging from them) and the
// stand-alone Toolbars dialog.
#include "tests/support/TimerScript.h"
#include "tests/toolbars/bar/ToolBarTestSupport.h"
#include "toolbars/buttons/ComboBtn.h"
#include "toolbars/menubar/OZWMenuBar.h"
#include "toolbars/menus/OZWTBMenuBtn.h"
#include "toolbars/customize/OZWToolBarCmdPage.h"
#include "toolbars/customize/OZWToolBarsPage.h"
#include "toolbars/model/ToolBarIds.h"

using namespace toolbartest;

namespace {

std::string ItemText(CListBox* pList, int nIndex)
{
    CString text;
    pList->GetText(nIndex, text);
    return (LPCTSTR)text;
}

std::string WindowText(HWND hWnd)
{
    char text[256] = {};
    ::GetWindowTextA(hWnd, text, sizeof(text));
    return text;
}

// Menu commands: menu buttons with their captions.
const UINT kMenuTools = 0x80000001, kMenuWindow = 0x80000002, kMenuNoCaption = 0x80000003;

const OZWBtnMapEntry kBoxMap[] = {
    {OZWBTN_CLASS(OZWComboBtn), ID_TEST_BOX, TBB_KEEPENABLED, {IDC_TEST_BOX, CBS_DROPDOWN, 0x2800C8, 0xC8, 0}},
    {OZWBTN_CLASS(OZWTBMenuBtn), kMenuTools, 0x30000000, {100, 0, (UINT_PTR) "&Tools", 1, 0}},
    {OZWBTN_CLASS(OZWTBMenuBtn), kMenuWindow, 0x30000000, {101, 1, (UINT_PTR) "&Window", 2, 0}},
    {OZWBTN_CLASS(OZWTBMenuBtn), kMenuNoCaption, 0x30000000, {100, 2, 0, 1, 0}},
    {nullptr, 0, 0, {0, 0, 0, 0, 0}},
};

UINT g_find[3] = {ID_TEST_A, ID_TEST_B, ID_TEST_BOX};
// A menu category: commands that are no menu buttons, or have no caption,
// are left out of its list.
UINT g_menus[4] = {kMenuTools, ID_TEST_A, kMenuNoCaption, kMenuWindow};

// The part of a window's client area it can paint is all of it.
void ExpectPaintsWholeClient(CWnd* pWnd, LPCTSTR what)
{
    CRect client, box, common;
    pWnd->GetClientRect(&client);
    CClientDC dc(pWnd);
    ::GetClipBox(dc.GetSafeHdc(), &box);
    common.IntersectRect(&client, &box);
    EXPECT_TRUE(common == client) << what << ": paints " << box.left << "," << box.top << "-" << box.right << ","
                                  << box.bottom << " of " << client.right << "x" << client.bottom;
}

} // namespace

class CustomizeTest : public ToolBarTest
{
protected:
    OZWToolBarSheet* sheet = nullptr;
    OZWToolBarsPage* toolbars = nullptr;
    OZWToolBarCmdPage* commands = nullptr;
    // More categories, defined after the test's own.
    std::function<void()> defineMore;

    void SetUp() override
    {
        ToolBarTest::SetUp();
        MakeFrameWithToolBars();
        manager->SetButtonMap(kBoxMap);
    }
    void TearDown() override
    {
        delete sheet;
        delete toolbars;
        delete commands;
        ToolBarTest::TearDown();
    }
    // Runs the sheet (the Toolbars page, then the Commands page) with the
    // steps; a sheet still up after them is cancelled.
    INT_PTR RunSheet(std::vector<std::function<void()>> steps)
    {
        sheet = new OZWToolBarSheet(IDS_OZW_TB_CUSTOMIZE, frame);
        sheet->SetManager(manager);
        toolbars = new OZWToolBarsPage;
        toolbars->SetManager(manager);
        commands = new OZWToolBarCmdPage;
        commands->SetManager(manager);
        commands->DefineBtnGroup("Bar", 5, g_bar1);
        commands->DefineBtnGroup("Find", 3, g_find);
        commands->DefineMenuBtnGroup("Menus", 4, g_menus);
        if (defineMore)
            defineMore();
        sheet->AddPage(toolbars);
        sheet->AddPage(commands);
        kvtest::TimerScript script([this] {
            if (HWND hNew = ::FindWindowA(nullptr, "New Toolbar"))
                ::PostMessageA(hNew, WM_COMMAND, IDCANCEL, 0);
            if (sheet->GetSafeHwnd() != nullptr)
                sheet->PostMessage(WM_COMMAND, IDCANCEL, 0);
        });
        for (auto& step : steps)
            script.Add(step);
        script.Add([this] {
            if (sheet->GetSafeHwnd() != nullptr)
                sheet->PostMessage(WM_COMMAND, IDCANCEL, 0);
        });
        script.Start();
        const INT_PTR nResult = sheet->DoModal();
        EXPECT_FALSE(script.Overran());
        return nResult;
    }
    CCheckListBox* List() { return static_cast<CCheckListBox*>(toolbars->GetDlgItem(IDC_OZW_TB_LIST)); }
    void Select(int nItem)
    {
        List()->SetCurSel(nItem);
        toolbars->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OZW_TB_LIST, LBN_SELCHANGE), (LPARAM)List()->m_hWnd);
    }
    void Press(CWnd* pPage, UINT nID)
    {
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)pPage->GetDlgItem(nID)->m_hWnd);
    }
};

TEST_F(CustomizeTest, TheToolbarsPageListsEveryToolBarWithItsVisibility)
{
    RunSheet({[&] {
        CCheckListBox* pList = List();
        ASSERT_EQ(3, pList->GetCount());
        EXPECT_EQ("First", ItemText(pList, 0));
        EXPECT_EQ("Third", ItemText(pList, 2));
        EXPECT_EQ(IDW_TEST_BAR2, (UINT)pList->GetItemData(1));
        EXPECT_EQ(1, pList->GetCheck(0));
        EXPECT_EQ(0, pList->GetCheck(2));
        EXPECT_EQ(0, pList->GetCurSel());
        // A default toolbar: no renaming, its button resets.
        EXPECT_FALSE(toolbars->GetDlgItem(IDC_OZW_TB_NAME)->IsWindowEnabled());
        EXPECT_EQ("&Reset", WindowText(toolbars->GetDlgItem(IDC_OZW_TB_RESET)->m_hWnd));
        EXPECT_EQ("First", WindowText(toolbars->GetDlgItem(IDC_OZW_TB_NAME)->m_hWnd));
        // The frame is being customised.
        EXPECT_TRUE(manager->IsInCustomizeMode());
        EXPECT_TRUE(manager->IsConfigMode());
        EXPECT_TRUE(Bar(IDW_TEST_BAR1)->IsConfigMode());
        EXPECT_EQ(sheet, manager->GetCustomizeDlg());
    }});
    EXPECT_FALSE(manager->IsInCustomizeMode());
    EXPECT_FALSE(Bar(IDW_TEST_BAR1)->IsConfigMode());
}

TEST_F(CustomizeTest, CheckingAnItemShowsOrHidesItsToolBar)
{
    RunSheet({[&] {
        List()->SetCheck(2, 1);
        toolbars->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OZW_TB_LIST, CLBN_CHKCHANGE), (LPARAM)List()->m_hWnd);
        List()->SetCheck(0, 0);
        toolbars->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OZW_TB_LIST, CLBN_CHKCHANGE), (LPARAM)List()->m_hWnd);
    }});
    EXPECT_TRUE(Bar(IDW_TEST_BAR3)->IsWindowVisible());
    EXPECT_FALSE(Bar(IDW_TEST_BAR1)->IsWindowVisible());
}

TEST_F(CustomizeTest, AUserToolBarIsRenamedAndDeleted)
{
    OZWCustomToolBar* pUser = manager->CreateUserToolBar(nullptr);
    pUser->InsertButton(0, ID_TEST_A);
    frame->FloatControlBar(pUser, CPoint(400, 400));
    const UINT nUser = (UINT)pUser->GetDlgCtrlID();
    RunSheet({[&] {
        ASSERT_EQ(4, List()->GetCount());
        Select(3);
        EXPECT_EQ("ToolBar1", ItemText(List(), 3));
        CEdit* pName = static_cast<CEdit*>(toolbars->GetDlgItem(IDC_OZW_TB_NAME));
        EXPECT_TRUE(pName->IsWindowEnabled());
        EXPECT_EQ("&Delete", WindowText(toolbars->GetDlgItem(IDC_OZW_TB_RESET)->m_hWnd));
        pName->SetWindowText("Pumps");
        pName->SetModify(TRUE);
        toolbars->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OZW_TB_NAME, EN_KILLFOCUS), (LPARAM)pName->m_hWnd);
        EXPECT_EQ("Pumps", ItemText(List(), 3));
        EXPECT_EQ(3, List()->GetCurSel());
        EXPECT_EQ(nUser, (UINT)List()->GetItemData(3));
        CString title;
        Bar(nUser)->GetWindowText(title);
        EXPECT_EQ(CString("Pumps"), title);
        // Its floating frame takes the name too.
        EXPECT_EQ("Pumps", WindowText(Bar(nUser)->GetParentFrame()->m_hWnd));
        // Delete: the item goes when the toolbar does.
        Press(toolbars, IDC_OZW_TB_RESET);
        EXPECT_EQ(nullptr, Bar(nUser));
        EXPECT_EQ(3, List()->GetCount());
        EXPECT_EQ(2, List()->GetCurSel());
    }});
}

TEST_F(CustomizeTest, ResetPutsADefaultToolBarsButtonsBack)
{
    Bar(IDW_TEST_BAR1)->RemoveButton(0);
    Bar(IDW_TEST_BAR1)->InsertButton(0, ID_TEST_C);
    RunSheet({[&] {
        Select(0);
        Press(toolbars, IDC_OZW_TB_RESET);
    }});
    EXPECT_EQ((std::vector<UINT>{ID_TEST_A, ID_TEST_B, 0, ID_TEST_C, ID_TEST_D}), Ids(Bar(IDW_TEST_BAR1)));
}

TEST_F(CustomizeTest, NewMakesAFloatingToolBarOfTheNameGiven)
{
    BOOL bOkWhenEmpty = TRUE;
    // New is posted: its dialog then runs inside the sheet's loop, where the
    // next steps answer it.
    RunSheet({[&] { toolbars->PostMessage(WM_COMMAND, MAKEWPARAM(IDC_OZW_TB_NEW, BN_CLICKED),
                                          (LPARAM)toolbars->GetDlgItem(IDC_OZW_TB_NEW)->m_hWnd); },
              [&] {
                  HWND hNew = ::FindWindowA(nullptr, "New Toolbar");
                  ASSERT_NE(nullptr, hNew);
                  bOkWhenEmpty = ::IsWindowEnabled(::GetDlgItem(hNew, IDOK));
                  ::SetDlgItemTextA(hNew, IDC_OZW_TB_NEW_NAME, "Pumps");
                  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hNew, IDOK)));
                  ::PostMessageA(hNew, WM_COMMAND, IDOK, 0);
              },
              [&] {
                  ASSERT_EQ(nullptr, ::FindWindowA(nullptr, "New Toolbar"));
                  ASSERT_EQ(4, List()->GetCount());
                  EXPECT_EQ("Pumps", ItemText(List(), 3));
                  EXPECT_EQ(1, List()->GetCheck(3));
                  EXPECT_TRUE(manager->IsInCustomizeMode());
              }});
    EXPECT_FALSE(bOkWhenEmpty);
    OZWCustomToolBar* pNew = Bar(ozwtb::kFirstUserBarId);
    ASSERT_NE(nullptr, pNew);
    EXPECT_TRUE(pNew->IsFloating());
    CRect top, floating;
    frame->GetDlgItem(AFX_IDW_DOCKBAR_TOP)->GetWindowRect(&top);
    pNew->GetParentFrame()->GetWindowRect(&floating);
    EXPECT_LE(std::abs(floating.left - (top.left + 5)), 8);
    EXPECT_LE(std::abs(floating.top - (top.bottom + 5)), 8);
}

TEST_F(CustomizeTest, OkKeepsTheSettingsAndCancelPutsThemBack)
{
    RunSheet({[&] {
        toolbars->CheckDlgButton(IDC_OZW_TB_LARGE, BST_CHECKED);
        Press(toolbars, IDC_OZW_TB_LARGE);
        EXPECT_TRUE(manager->IsLargeBtnsEnabled());
        sheet->PostMessage(WM_COMMAND, IDCANCEL, 0);
    }});
    EXPECT_FALSE(manager->IsLargeBtnsEnabled());

    delete sheet;
    delete toolbars;
    delete commands;
    sheet = nullptr;
    RunSheet({[&] {
        toolbars->CheckDlgButton(IDC_OZW_TB_COOLLOOK, BST_UNCHECKED);
        Press(toolbars, IDC_OZW_TB_COOLLOOK);
        sheet->PostMessage(WM_COMMAND, IDOK, 0);
    }});
    EXPECT_FALSE(manager->IsCoolLookEnabled());
    EXPECT_EQ(0u, Bar(IDW_TEST_BAR1)->GetExBarStyle() & 0x300);
}

TEST_F(CustomizeTest, TheCommandsPageShowsACategorysPaletteAndDescriptions)
{
    RunSheet({[&] {
        sheet->SetActivePage(1);
        CListBox* pCategories = static_cast<CListBox*>(commands->GetDlgItem(IDC_OZW_TB_LIST));
        ASSERT_EQ(3, pCategories->GetCount());
        EXPECT_EQ("Find", ItemText(pCategories, 1));
        pCategories->SetCurSel(1);
        commands->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OZW_TB_LIST, LBN_SELCHANGE), (LPARAM)pCategories->m_hWnd);
        OZWTBBtnGroup* pFind = static_cast<OZWTBBtnGroup*>(commands->GetGroup(1));
        OZWCustomizeToolBar* pPalette = pFind->GetPalette();
        ASSERT_NE(nullptr, pPalette);
        EXPECT_TRUE(pPalette->IsWindowVisible());
        EXPECT_FALSE(commands->GetGroup(0)->m_pControl->IsWindowVisible());
        EXPECT_TRUE(pPalette->IsConfigMode());
        EXPECT_NE(nullptr, dynamic_cast<OZWComboBtn*>(pPalette->GetButton(2)));
        // Palettes are no toolbars of the frame.
        EXPECT_EQ(3u, manager->GetToolBars().size());
        // A selected button's description; none for a command without a string.
        pPalette->SelectButton(0);
        EXPECT_EQ("Command A", WindowText(commands->GetDlgItem(IDC_OZW_TB_DESCRIPTION)->m_hWnd));
        Bar(IDW_TEST_BAR1)->SelectButton(3);
        EXPECT_EQ("", WindowText(commands->GetDlgItem(IDC_OZW_TB_DESCRIPTION)->m_hWnd));
        // A drag from the palette always copies; the palette stays as it was.
        pPalette->SelectButton(1);
        CRect target;
        Bar(IDW_TEST_BAR2)->GetButtonRect(1, &target);
        Bar(IDW_TEST_BAR2)->ClientToScreen(&target);
        target.OffsetRect(2, 0);
        OZWCustomToolBar::DropButtonAt(manager, pPalette->GetButton(1), 1, target, pPalette,
                                       pPalette->IsCopyModifier());
        EXPECT_EQ(3, pPalette->GetButtonCount());
        // Nothing is dropped on a palette.
        EXPECT_FALSE(pPalette->AcceptsDrop());
    }});
    EXPECT_EQ((std::vector<UINT>{ID_TEST_A, ID_TEST_D, ID_TEST_B}), Ids(Bar(IDW_TEST_BAR2)));
}

TEST_F(CustomizeTest, TheToolbarsDialogPutsTheSettingsBackOnEscape)
{
    OZWToolBarsDlg dialog(frame);
    dialog.SetManager(manager);
    kvtest::TimerScript script([&] {
        if (dialog.GetSafeHwnd() != nullptr)
            dialog.PostMessage(WM_COMMAND, IDCANCEL, 0);
    });
    script.Add([&] {
        EXPECT_TRUE(manager->IsInCustomizeMode());
        EXPECT_EQ(&dialog, manager->GetCustomizeDlg());
        dialog.CheckDlgButton(IDC_OZW_TB_TOOLTIPS, BST_UNCHECKED);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OZW_TB_TOOLTIPS, BN_CLICKED),
                           (LPARAM)dialog.GetDlgItem(IDC_OZW_TB_TOOLTIPS)->m_hWnd);
        EXPECT_FALSE(manager->IsToolTipsEnabled());
        dialog.PostMessage(WM_COMMAND, IDCANCEL, 0);
    });
    script.Start();
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_FALSE(script.Overran());
    EXPECT_TRUE(manager->IsToolTipsEnabled());
    EXPECT_FALSE(manager->IsInCustomizeMode());
    EXPECT_EQ(nullptr, manager->GetCustomizeDlg());
}

TEST_F(CustomizeTest, EveryCategorysControlIsDrawnInsideTheButtonsFrame)
{
    RunSheet({[&] {
        sheet->SetActivePage(1);
        CWnd* pFrame = commands->GetDlgItem(IDC_OZW_TB_BUTTONS);
        CRect rectFrame;
        pFrame->GetWindowRect(&rectFrame);
        for (int i = 0; i < commands->GetGroupCount(); ++i) {
            commands->ShowGroup(i);
            CWnd* pControl = commands->GetGroup(i)->m_pControl;
            ASSERT_TRUE(pControl->IsWindowVisible());
            CRect rect;
            pControl->GetWindowRect(&rect);
            CRect common;
            common.IntersectRect(&rect, &rectFrame);
            EXPECT_EQ(rect, common) << "category " << i;
            // Nothing of it is hidden by the frame drawn around it (a palette
            // is a bar that clips its siblings: under the frame it drew
            // nothing, though a click found its buttons).
            ExpectPaintsWholeClient(pControl, commands->GetGroup(i)->m_strTitle);
        }
    }});
}

TEST_F(CustomizeTest, AMenuCategoryListsItsCommandsAndDragsOneOntoAToolBar)
{
    OZWCustomToolBar* pTarget = Bar(IDW_TEST_BAR2);
    RunSheet({[&] {
                  sheet->SetActivePage(1);
                  commands->ShowGroup(2);
                  OZWMenuListBox* pList = dynamic_cast<OZWMenuListBox*>(commands->GetGroup(2)->m_pControl);
                  ASSERT_NE(nullptr, pList);
                  ASSERT_EQ(2, pList->GetCount());
                  EXPECT_EQ("Tools", ItemText(pList, 0));
                  EXPECT_EQ("Window", ItemText(pList, 1));
                  EXPECT_EQ(kMenuWindow, (UINT)pList->GetItemData(1));
                  // Pressed on "Window": the drag starts.
                  CRect item;
                  pList->GetItemRect(1, &item);
                  CPoint point = item.CenterPoint();
                  pList->ClientToScreen(&point);
                  kvtest::SendMouseInput(point);
                  kvtest::SendMouseInput(point, MOUSEEVENTF_LEFTDOWN);
              },
              // Inside the drag's own loop: released with the button's left
              // edge on the target bar's first button.
              [&] {
                  EXPECT_EQ(1, static_cast<CListBox*>(commands->GetGroup(2)->m_pControl)->GetCurSel());
                  CPoint point = ScreenCentre(pTarget, 0);
                  kvtest::SendMouseInput(point);
                  kvtest::SendMouseInput(point, MOUSEEVENTF_LEFTUP);
              },
              [&] {}});
    // A copy of the menu command, a menu button, now stands after the first button.
    EXPECT_EQ((std::vector<UINT>{ID_TEST_A, kMenuWindow, ID_TEST_D}), Ids(pTarget));
    EXPECT_NE(nullptr, dynamic_cast<OZWTBMenuBtn*>(pTarget->GetButton(1)));
}

TEST_F(CustomizeTest, TheSheetOpensClearOfTheDockedToolBarsAndStaysAboveTheFrame)
{
    // A frame so small that a sheet centred on it would cover its toolbars.
    frame->SetWindowPos(nullptr, 0, 0, 420, 300, SWP_NOMOVE | SWP_NOZORDER);
    frame->RecalcLayout();
    kvtest::PumpMessages();
    auto isAbove = [](HWND hUpper, HWND hLower) {
        for (HWND h = ::GetWindow(hUpper, GW_HWNDNEXT); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
            if (h == hLower)
                return true;
        return false;
    };
    RunSheet({[&] {
                  CRect rectSheet;
                  sheet->GetWindowRect(&rectSheet);
                  for (OZWCustomToolBar* pBar : manager->GetToolBars()) {
                      if (!pBar->IsWindowVisible())
                          continue;
                      CRect rectBar, common;
                      pBar->GetWindowRect(&rectBar);
                      EXPECT_FALSE(common.IntersectRect(&rectBar, &rectSheet)) << pBar->GetDlgCtrlID();
                  }
                  CRect work;
                  ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
                  CRect common;
                  common.IntersectRect(&rectSheet, &work);
                  EXPECT_EQ(rectSheet, common);
                  // A click on the frame's caption (the frame is enabled
                  // while customising) activates it.
                  CRect rectFrame;
                  frame->GetWindowRect(&rectFrame);
                  const CPoint caption(rectFrame.CenterPoint().x,
                                       rectFrame.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2);
                  kvtest::SendMouseInput(caption);
                  kvtest::SendMouseInput(caption, MOUSEEVENTF_LEFTDOWN);
                  kvtest::SendMouseInput(caption, MOUSEEVENTF_LEFTUP);
              },
              [&] { EXPECT_EQ(frame->m_hWnd, ::GetActiveWindow()); },
              [&] { EXPECT_TRUE(isAbove(sheet->m_hWnd, frame->m_hWnd)); }});
}

TEST_F(CustomizeTest, AMenuGroupListsTheMenuBarsButtonsOfTheMenuItShows)
{
    UINT ids[3] = {kMenuTools, kMenuWindow, kMenuNoCaption};
    int nCategories = 0;
    // Without a menu bar nothing is defined.
    defineMore = [&] { commands->DefineMenuGroup("Menu bar"); };
    RunSheet({[&] {
        sheet->SetActivePage(1);
        nCategories = static_cast<CListBox*>(commands->GetDlgItem(IDC_OZW_TB_LIST))->GetCount();
    }});
    EXPECT_EQ(3, nCategories);
    delete sheet;
    delete toolbars;
    delete commands;
    sheet = nullptr;

    // The menu bar shows the menu of bit 1: Tools (bit 1) is listed, Window
    // (bit 2) is not, nor the button without a caption.
    OZWMenuBar* pMenuBar = new OZWMenuBar;
    pMenuBar->SetManager(manager);
    pMenuBar->SetBmpMgr(manager->GetBmpMgr());
    ASSERT_TRUE(pMenuBar->CreateEx(0, frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, ozwtb::kMenuBarId));
    pMenuBar->m_bAutoDelete = TRUE;
    pMenuBar->SetButtons(ids, 3);
    pMenuBar->SetMenuBits(1, FALSE);
    std::vector<std::string> items;
    RunSheet({[&] {
        sheet->SetActivePage(1);
        ASSERT_EQ(4, commands->GetGroupCount());
        CListBox* pList = dynamic_cast<CListBox*>(commands->GetGroup(3)->m_pControl);
        ASSERT_NE(nullptr, pList);
        for (int i = 0; i < pList->GetCount(); ++i)
            items.push_back(ItemText(pList, i));
    }});
    EXPECT_EQ((std::vector<std::string>{"Tools"}), items);
}
