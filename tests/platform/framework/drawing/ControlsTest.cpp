// Control wrappers on real child windows of a framework window.
#include <gtest/gtest.h>
#include "tests/platform/framework/drawing/ControlTestSupport.h"
#include "tests/platform/framework/drawing/DrawingSupport.h"

#include <algorithm>
#include <cstring>

using kvctl::CHostWnd;

namespace {

const DWORD kChild = WS_CHILD | WS_VISIBLE;

class Controls : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(host.CreateHost()); }
    void TearDown() override
    {
        host.DestroyWindow();
        CWnd::DeleteTempMap();
        CGdiObject::DeleteTempMap();
        CDC::DeleteTempMap();
    }
    CHostWnd host;
};

} // namespace

TEST_F(Controls, ComboBoxItemsTextsDataAndSelection)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(kChild | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(10, 10, 200, 200), &host, 101));
    EXPECT_EQ(CWnd::FromHandle(combo.m_hWnd), &combo);
    EXPECT_EQ(combo.AddString("Pipes"), 0);
    EXPECT_EQ(combo.AddString("Valves"), 1);
    EXPECT_EQ(combo.AddString("Pumps"), 2);
    EXPECT_NE(combo.SetItemData(1, 42), CB_ERR);
    EXPECT_EQ(combo.InsertString(0, "Bends"), 0);
    EXPECT_EQ(combo.GetCount(), 4);
    EXPECT_EQ(combo.GetItemData(2), 42u);           // the data moved with its item

    EXPECT_EQ(combo.FindStringExact(-1, "valves"), 2);
    EXPECT_EQ(combo.FindStringExact(-1, "Valve"), CB_ERR);
    EXPECT_EQ(combo.SelectString(-1, "pu"), 3);     // first entry starting so, any case
    EXPECT_EQ(combo.GetCurSel(), 3);
    CString text;
    combo.GetLBText(3, text);
    EXPECT_EQ(text, "Pumps");
    EXPECT_EQ(combo.GetLBTextLen(3), 5);
    combo.GetWindowText(text);
    EXPECT_EQ(text, "Pumps");
    // An index out of range gives an empty text, not a stale or broken one.
    combo.GetLBText(17, text);
    EXPECT_TRUE(text.IsEmpty());

    EXPECT_EQ(combo.SetCurSel(-1), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    combo.SetDroppedWidth(300);
    EXPECT_EQ(combo.GetDroppedWidth(), 300);

    EXPECT_EQ(combo.DeleteString(0), 3);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);

    // The edit field of a drop-down combo.
    CComboBox edit;
    ASSERT_TRUE(edit.Create(kChild | CBS_DROPDOWN | CBS_AUTOHSCROLL, CRect(10, 40, 200, 200), &host, 102));
    edit.LimitText(4);
    edit.SetWindowText("abcdefgh");
    edit.GetWindowText(text);
    EXPECT_EQ(text, "abcdefgh");   // the limit binds typing, not the program
    edit.SetEditSel(1, 3);
    DWORD sel = edit.GetEditSel();
    EXPECT_EQ(LOWORD(sel), 1);
    EXPECT_EQ(HIWORD(sel), 3);
}

TEST_F(Controls, EditLinesSelectionAndLimits)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(kChild | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                            CRect(10, 10, 300, 200), &host, 103));
    edit.SetWindowText("alpha\r\nbeta\r\ngamma");
    EXPECT_EQ(edit.GetLineCount(), 3);
    EXPECT_EQ(edit.LineIndex(1), 7);
    EXPECT_EQ(edit.LineLength(edit.LineIndex(1)), 4);
    EXPECT_EQ(edit.LineFromChar(8), 1);

    char buf[16] = {};
    EXPECT_EQ(edit.GetLine(2, buf, sizeof(buf)), 5);
    EXPECT_EQ(std::string(buf, 5), "gamma");
    char tiny[1] = { 'x' };
    EXPECT_EQ(edit.GetLine(2, tiny, 1), 0);   // too small even for the size word
    EXPECT_EQ(tiny[0], 'x');

    edit.SetSel(0, 5);
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 5);
    edit.ReplaceSel("ALPHA", TRUE);
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text.Left(7), "ALPHA\r\n");
    EXPECT_TRUE(edit.CanUndo());
    EXPECT_TRUE(edit.Undo());
    edit.GetWindowText(text);
    EXPECT_EQ(text.Left(5), "alpha");

    edit.SetModify(TRUE);
    EXPECT_TRUE(edit.GetModify());
    edit.SetModify(FALSE);
    EXPECT_FALSE(edit.GetModify());
    edit.SetLimitText(12);
    EXPECT_EQ(edit.GetLimitText(), 12u);
    EXPECT_TRUE(edit.SetReadOnly(TRUE));
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
}

TEST_F(Controls, ListBoxTextsDataAndMultipleSelection)
{
    CListBox list;
    ASSERT_TRUE(list.Create(kChild | LBS_NOTIFY | LBS_EXTENDEDSEL, CRect(10, 10, 200, 200), &host, 104));
    const char* names[] = { "Nozzles", "Outlets", "Tapes", "Wires" };
    for (const char* n : names)
        list.AddString(n);
    int value = 7;
    EXPECT_NE(list.SetItemDataPtr(2, &value), LB_ERR);
    EXPECT_EQ(list.GetItemDataPtr(2), &value);

    CString text;
    list.GetText(1, text);
    EXPECT_EQ(text, "Outlets");
    EXPECT_EQ(list.GetTextLen(3), 5);
    list.GetText(9, text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(list.FindString(-1, "ta"), 2);

    EXPECT_NE(list.SetSel(0), LB_ERR);
    EXPECT_NE(list.SetSel(3), LB_ERR);
    EXPECT_EQ(list.GetSelCount(), 2);
    int selected[4] = {};
    EXPECT_EQ(list.GetSelItems(4, selected), 2);
    EXPECT_EQ(selected[0], 0);
    EXPECT_EQ(selected[1], 3);
    EXPECT_NE(list.SelItemRange(TRUE, 1, 2), LB_ERR);
    EXPECT_EQ(list.GetSelCount(), 4);
    EXPECT_NE(list.SetSel(-1, FALSE), LB_ERR);
    EXPECT_EQ(list.GetSelCount(), 0);

    CRect item;
    ASSERT_NE(list.GetItemRect(1, item), LB_ERR);
    BOOL outside = TRUE;
    EXPECT_EQ(list.ItemFromPoint(item.CenterPoint(), outside), 1u);
    EXPECT_FALSE(outside);

    EXPECT_EQ(list.DeleteString(0), 3);
    EXPECT_EQ(list.GetItemDataPtr(1), &value);
}

namespace {

class CRecordingCheckList : public CCheckListBox
{
public:
    std::vector<DWORD_PTR> deleted;
    void DeleteItem(LPDELETEITEMSTRUCT lpDIS) override { deleted.push_back(lpDIS->itemData); }
};

// Dark pixels inside a rectangle of a canvas.
int DarkPixels(const kvdraw::Canvas& c, const CRect& r)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            COLORREF p = c.At(x, y);
            n += GetRValue(p) + GetGValue(p) + GetBValue(p) < 200;
        }
    return n;
}

} // namespace

TEST_F(Controls, CheckListBoxKeepsChecksAndCallerDataAndTellsItsParent)
{
    CRecordingCheckList list;
    ASSERT_TRUE(list.Create(kChild | LBS_NOTIFY | WS_BORDER, CRect(10, 10, 200, 200), &host,
                            kvctl::ID_CHECKLIST));
    EXPECT_TRUE(list.GetStyle() & LBS_OWNERDRAWFIXED);
    EXPECT_TRUE(list.GetStyle() & LBS_HASSTRINGS);
    EXPECT_GE(list.GetItemHeight(0), 15);
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(list.AddString(i == 0 ? "Standard" : i == 1 ? "Editing" : "Curve fit"), i);
        list.SetItemData(i, 100 + i);
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list.GetItemData(i), static_cast<DWORD_PTR>(100 + i)) << i;
    CString text;
    list.GetText(2, text);
    EXPECT_EQ(text, "Curve fit");

    list.SetCheck(1, 1);
    EXPECT_EQ(list.GetCheck(1), 1);
    EXPECT_EQ(list.GetCheck(0), 0);
    EXPECT_EQ(list.GetCheck(17), 0);

    // A click on an item's box toggles it and tells the parent; a click on
    // its text only selects.
    CRect item;
    list.GetItemRect(2, item);
    CPoint onBox(item.left + 7, item.CenterPoint().y);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onBox.x, onBox.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(onBox.x, onBox.y));
    EXPECT_EQ(list.GetCheck(2), 1);
    ASSERT_EQ(host.log.size(), 1u);
    EXPECT_EQ(host.log[0], "chkchange");
    CPoint onText(item.left + 100, item.CenterPoint().y);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onText.x, onText.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(onText.x, onText.y));
    EXPECT_EQ(list.GetCheck(2), 1);
    EXPECT_EQ(host.log.size(), 1u);

    // A disabled item ignores clicks.
    list.Enable(0, FALSE);
    EXPECT_FALSE(list.IsEnabled(0));
    list.GetItemRect(0, item);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.left + 7, item.CenterPoint().y));
    EXPECT_EQ(list.GetCheck(0), 0);
    EXPECT_EQ(host.log.size(), 1u);

    // Three-state boxes cycle on the space bar.
    list.SetCheckStyle(BS_AUTO3STATE);
    list.SetCurSel(1);
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(list.GetCheck(1), 2);
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(list.GetCheck(1), 0);
    EXPECT_EQ(host.log.size(), 3u);

    // States travel with their items; deletion hands back the caller's data.
    ASSERT_EQ(list.InsertString(0, "New"), 0);
    EXPECT_EQ(list.GetItemData(1), 100u);
    EXPECT_EQ(list.GetCheck(3), 1);
    EXPECT_EQ(list.GetItemData(0), 0u);
    ASSERT_EQ(list.DeleteString(1), 3);
    ASSERT_EQ(list.deleted.size(), 1u);
    EXPECT_EQ(list.deleted[0], 100u);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.deleted.size(), 4u);
}

TEST_F(Controls, CheckListBoxDrawsItsBoxes)
{
    CCheckListBox list;
    ASSERT_TRUE(list.Create(kChild, CRect(0, 0, 150, 100), &host, kvctl::ID_CHECKLIST));
    list.AddString("checked");
    list.AddString("clear");
    list.SetCheck(0, 1);

    kvdraw::Canvas c(150, 100);
    list.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.dc.m_hDC), PRF_CLIENT);
    CRect r0, r1;
    list.GetItemRect(0, r0);
    list.GetItemRect(1, r1);
    CRect box0(r0.left, r0.top, r0.left + 15, r0.bottom);
    CRect box1(r1.left, r1.top, r1.left + 15, r1.bottom);
    EXPECT_GT(DarkPixels(c, box0), DarkPixels(c, box1) + 5);   // the check mark
    EXPECT_GT(DarkPixels(c, CRect(r0.left + 20, r0.top, r0.right, r0.bottom)), 5);   // the text
}

namespace {

class CMeasuredCombo : public CComboBox
{
public:
    int drawn = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override { lpMIS->itemHeight = 23; }
    void DrawItem(LPDRAWITEMSTRUCT) override { ++drawn; }
};

} // namespace

TEST_F(Controls, OwnerDrawnComboIsMeasuredAndDrawnByItsObject)
{
    CMeasuredCombo combo;
    ASSERT_TRUE(combo.Create(kChild | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             CRect(10, 10, 200, 200), &host, 105));
    EXPECT_EQ(combo.GetItemHeight(0), 23);
    combo.AddString("one");
    combo.SetCurSel(0);
    kvdraw::Canvas c(200, 40);
    combo.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.dc.m_hDC), PRF_CLIENT);
    combo.UpdateWindow();
    combo.RedrawWindow();
    EXPECT_GT(combo.drawn, 0);
}

TEST_F(Controls, TabsProgressScrollBarButtonsAndStatics)
{
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(kChild, CRect(0, 0, 300, 200), &host, 106));
    EXPECT_EQ(tabs.InsertItem(0, "Pipes"), 0);
    EXPECT_EQ(tabs.InsertItem(1, "Valves"), 1);
    EXPECT_EQ(tabs.InsertItem(TCIF_TEXT | TCIF_PARAM, 2, "Pumps", 0, 77), 2);
    EXPECT_EQ(tabs.GetItemCount(), 3);
    EXPECT_EQ(tabs.SetCurSel(1), 0);
    EXPECT_EQ(tabs.GetCurSel(), 1);
    char buf[32] = {};
    TCITEM item = {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = buf;
    item.cchTextMax = sizeof(buf);
    ASSERT_TRUE(tabs.GetItem(2, &item));
    EXPECT_STREQ(buf, "Pumps");
    EXPECT_EQ(item.lParam, 77);

    CRect window(0, 0, 300, 200), display = window;
    tabs.AdjustRect(FALSE, display);
    EXPECT_GT(display.top, window.top);
    EXPECT_TRUE(CRect().IntersectRect(display, window));
    tabs.AdjustRect(TRUE, display);
    EXPECT_EQ(display, window);

    CRect tab;
    ASSERT_TRUE(tabs.GetItemRect(2, tab));
    TCHITTESTINFO hit = { tab.CenterPoint(), 0 };
    EXPECT_EQ(tabs.HitTest(&hit), 2);
    EXPECT_TRUE(tabs.DeleteItem(0));
    EXPECT_EQ(tabs.GetItemCount(), 2);

    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(kChild, CRect(0, 210, 300, 230), &host, 107));
    progress.SetRange(0, 200);
    int lo = -1, hi = -1;
    progress.GetRange(lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 200);
    EXPECT_EQ(progress.SetPos(50), 0);
    progress.SetStep(10);
    EXPECT_EQ(progress.StepIt(), 50);
    EXPECT_EQ(progress.OffsetPos(5), 60);
    EXPECT_EQ(progress.GetPos(), 65);

    CScrollBar bar;
    ASSERT_TRUE(bar.Create(kChild | SBS_HORZ, CRect(0, 240, 300, 256), &host, 108));
    SCROLLINFO si = {};
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 100;
    si.nPage = 10;
    si.nPos = 20;
    bar.SetScrollInfo(&si);
    EXPECT_EQ(bar.GetScrollPos(), 20);
    EXPECT_EQ(bar.GetScrollLimit(), 91);
    bar.SetScrollPos(95);
    EXPECT_EQ(bar.GetScrollPos(), 91);

    CButton check;
    ASSERT_TRUE(check.Create("Use symbol colours", kChild | BS_AUTOCHECKBOX, CRect(0, 260, 200, 280), &host, 109));
    EXPECT_EQ(check.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_AUTOCHECKBOX));
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    EXPECT_EQ(host.IsDlgButtonChecked(109), static_cast<UINT>(BST_CHECKED));

    CStatic icon;
    ASSERT_TRUE(icon.Create(nullptr, kChild | SS_ICON, CRect(250, 260, 282, 292), &host));
    HICON hIcon = ::LoadIcon(nullptr, IDI_INFORMATION);
    icon.SetIcon(hIcon);
    EXPECT_EQ(icon.GetIcon(), hIcon);
}

TEST_F(Controls, ToolTipToolsAndTheirTexts)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(kChild, CRect(10, 10, 100, 30), &host, 110));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&host, TTS_ALWAYSTIP | TTS_NOPREFIX));
    EXPECT_EQ(tip.GetOwner(), &host);

    ASSERT_TRUE(tip.AddTool(&edit, "Edit tip"));
    ASSERT_TRUE(tip.AddTool(&host, "Corner", CRect(0, 0, 10, 10), 5));
    ASSERT_TRUE(tip.AddTool(&host, AFX_IDS_APP_TITLE, CRect(20, 20, 30, 30), 6));
    EXPECT_EQ(tip.GetToolCount(), 3);

    CString text;
    tip.GetText(text, &edit);
    EXPECT_EQ(text, "Edit tip");
    tip.GetText(text, &host, 5);
    EXPECT_EQ(text, "Corner");
    tip.GetText(text, &host, 6);
    EXPECT_EQ(text, "Kelvaron");
    tip.UpdateTipText("Changed", &edit);
    tip.GetText(text, &edit);
    EXPECT_EQ(text, "Changed");

    TOOLINFO ti = {};
    ASSERT_TRUE(tip.HitTest(&host, CPoint(3, 3), &ti));
    EXPECT_EQ(ti.uId, 5u);
    EXPECT_FALSE(tip.HitTest(&host, CPoint(15, 15), &ti));

    tip.SetMaxTipWidth(32767);
    EXPECT_EQ(tip.GetMaxTipWidth(), 32767);
    tip.SetTipBkColor(RGB(1, 2, 3));
    EXPECT_EQ(tip.GetTipBkColor(), RGB(1, 2, 3));

    tip.DelTool(&edit);
    EXPECT_EQ(tip.GetToolCount(), 2);
}

namespace {

struct RtfSource
{
    const char* text;
    size_t pos;
};

DWORD CALLBACK ReadRtf(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* pcb)
{
    auto* src = reinterpret_cast<RtfSource*>(cookie);
    LONG n = std::min<LONG>(cb, static_cast<LONG>(std::strlen(src->text + src->pos)));
    std::memcpy(buf, src->text + src->pos, n);
    src->pos += n;
    *pcb = n;
    return 0;
}

} // namespace

TEST_F(Controls, RichEditTakesRtfAndColours)
{
    CRichEditCtrl rich;
    ASSERT_TRUE(rich.Create(kChild | ES_MULTILINE | ES_READONLY, CRect(0, 0, 300, 100), &host, 111));
    RtfSource src = { "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\qc\\fs28 Q = K {\\b P}{\\super n}}", 0 };
    EDITSTREAM es = { reinterpret_cast<DWORD_PTR>(&src), 0, ReadRtf };
    EXPECT_GT(rich.StreamIn(SF_RTF, es), 0);
    CString text;
    rich.GetWindowText(text);
    EXPECT_EQ(text, "Q = K Pn");
    EXPECT_EQ(rich.GetTextLength(), 8);
    rich.SetSel(4, 5);
    EXPECT_EQ(rich.GetSelText(), "K");
    rich.GetTextRange(6, 8, text);
    EXPECT_EQ(text, "Pn");

    EXPECT_EQ(rich.SetBackgroundColor(FALSE, RGB(10, 20, 30)), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(rich.SetBackgroundColor(TRUE, 0), RGB(10, 20, 30));
}

TEST_F(Controls, PaintAndClientDCsOfAWindow)
{
    host.Invalidate(FALSE);
    host.UpdateWindow();
    EXPECT_EQ(host.paints, 1);
    EXPECT_FALSE(host.paintClip.IsRectEmpty());
    // EndPaint validated the window: nothing is left to paint.
    EXPECT_FALSE(host.GetUpdateRect(nullptr));

    CClientDC dc(&host);
    EXPECT_EQ(dc.GetWindow(), &host);
    CRect clip, client;
    dc.GetClipBox(&clip);
    host.GetClientRect(&client);
    EXPECT_EQ(clip, client);
}
