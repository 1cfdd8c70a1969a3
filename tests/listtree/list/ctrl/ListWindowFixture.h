// A list control in a parent window that records every notification it
// gets (and can answer them), for tests that drive the list through real
// messages under the null display driver.
#pragma once

#include "listtree/list/ctrl/ListCtrl.h"
#include "tests/support/ChildWindow.h"
#include "tests/support/KeysDown.h"

#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace lctest {

struct Notice
{
    UINT code = 0;
    int item = -1;
    int subItem = -1;
    std::string text;
    int focusAtTime = -1; // the list's focus item when the notice came
};

// The parent: records WM_NOTIFY, WM_COMMAND and WM_NEXTDLGCTL.
class RecordingParent : public CWnd
{
public:
    std::vector<Notice> notices;
    std::vector<std::pair<UINT, WPARAM>> messages;
    std::function<LRESULT(NMHDR*)> answer;
    OZWListModel* list = nullptr;

    BOOL Make()
    {
        LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
        return CreateEx(0, cls, "List test", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 420, 320,
                        nullptr, nullptr);
    }
    std::vector<UINT> Codes() const
    {
        std::vector<UINT> codes;
        for (const Notice& n : notices)
            codes.push_back(n.code);
        return codes;
    }
    // The codes without the focus notices.
    std::vector<UINT> CodesWithoutFocus() const
    {
        std::vector<UINT> codes;
        for (const Notice& n : notices)
            if (n.code != (UINT)NM_SETFOCUS && n.code != (UINT)NM_KILLFOCUS)
                codes.push_back(n.code);
        return codes;
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_NOTIFY) {
            auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
            Notice n;
            n.code = pHdr->code;
            n.focusAtTime = list ? list->GetFocusItem() : -1;
            if (n.code == (UINT)LVN_COLUMNCLICK || n.code == (UINT)LVN_DELETEITEM) {
                auto* p = reinterpret_cast<NMLISTVIEW*>(pHdr);
                n.item = p->iItem;
                n.subItem = p->iSubItem;
            } else if (n.code == (UINT)LVN_BEGINLABELEDITA || n.code == (UINT)LVN_ENDLABELEDITA ||
                       n.code == (UINT)LVN_GETDISPINFOA) {
                auto* p = reinterpret_cast<NMLVDISPINFOA*>(pHdr);
                n.item = p->item.iItem;
                n.subItem = p->item.iSubItem;
                if (n.code == (UINT)LVN_ENDLABELEDITA && p->item.pszText)
                    n.text = p->item.pszText;
            } else if (n.code == (UINT)LVN_KEYDOWN) {
                n.item = reinterpret_cast<NMLVKEYDOWN*>(pHdr)->wVKey;
            }
            notices.push_back(n);
            *pResult = answer ? answer(pHdr) : 0;
            return TRUE;
        }
        if (message == WM_COMMAND || message == WM_NEXTDLGCTL)
            messages.emplace_back(message, wParam);
        return CWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
};

class ListWindowTest : public ::testing::Test
{
protected:
    RecordingParent parent;
    OZWListCtrl* list = nullptr;

    // A report list of 400 x 300 with the given styles and two columns.
    void MakeList(DWORD dwStyle = OZWLS_REPORT, DWORD dwExStyle = 0)
    {
        ASSERT_TRUE(parent.Make());
        ::SetForegroundWindow(parent.m_hWnd);
        ::SetActiveWindow(parent.m_hWnd);
        list = new OZWListCtrl;
        parent.list = list;
        ASSERT_TRUE(list->CreateEx(dwExStyle, WS_CHILD | WS_VISIBLE | dwStyle, CRect(0, 0, 400, 300), &parent, 77));
        list->SetAutoUpdate(TRUE);
        list->AddColumn("Name", LVCFMT_LEFT, 150);
        list->AddColumn("Size", LVCFMT_RIGHT, 100);
    }
    void Fill(int nCount)
    {
        list->SetAutoUpdate(FALSE);
        for (int i = 0; i < nCount; ++i) {
            const std::string text = "Item " + std::to_string(i);
            list->InsertItem(i, text.c_str());
            list->SetItem(i, 1, LVIF_TEXT | OZWLIF_STOREALWAYS, std::to_string(i * 10).c_str(), 0, 0, 0, 0);
        }
        list->SetAutoUpdate(TRUE);
        list->RecalcLayout();
    }
    void TearDown() override
    {
        kvtest::DestroyWithParent(list, parent);
    }
    // The centre of the cell of (item, column) in the list's client area.
    CPoint CellPoint(int nItem, int nColumn, int dx = 0)
    {
        CRect rc;
        EXPECT_TRUE(list->GetSubItemRect(nItem, nColumn, &rc, 0));
        return CPoint(rc.left + 8 + dx, (rc.top + rc.bottom) / 2);
    }
    CPoint LabelPoint(int nItem)
    {
        CRect rc;
        EXPECT_TRUE(list->GetItemRect(nItem, &rc, 2));
        return CPoint(rc.left + 2, (rc.top + rc.bottom) / 2);
    }
    void Click(CPoint pt, UINT nKeys = 0)
    {
        list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | nKeys, MAKELPARAM(pt.x, pt.y));
        list->SendMessage(WM_LBUTTONUP, nKeys, MAKELPARAM(pt.x, pt.y));
    }
    void Key(UINT vk, bool bShift = false, bool bCtrl = false)
    {
        const auto send = [&] { list->SendMessage(WM_KEYDOWN, vk, 1); };
        if (bShift && bCtrl) {
            const kvtest::KeysDown down{ VK_SHIFT, VK_CONTROL };
            send();
        } else if (bShift) {
            const kvtest::KeysDown down{ VK_SHIFT };
            send();
        } else if (bCtrl) {
            const kvtest::KeysDown down{ VK_CONTROL };
            send();
        } else {
            send();
        }
    }
};

} // namespace lctest
