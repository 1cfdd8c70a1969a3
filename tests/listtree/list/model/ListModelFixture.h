// A list model without a window: a fixed client rectangle, rows that measure
// to a fixed height unless a test set one, and a parent that records every
// notification and can answer it.
#pragma once

#include "listtree/list/model/ListModel.h"

#include <functional>
#include <string>
#include <vector>

namespace lmtest {

struct Notice
{
    UINT code = 0;
    int item = -1;
    int subItem = -1;
    LPARAM lParam = 0;
    UINT mask = 0;
    std::string text;
};

class TestModel : public OZWListModel
{
public:
    TestModel()
    {
        m_dwListStyle = OZWLS_REPORT;
    }

    // The client rectangle and the height new rows measure to.
    CRect client{ 0, 0, 200, 120 };
    int rowHeight = 10;
    BOOL focused = FALSE;
    BOOL enabled = TRUE;
    std::vector<Notice> notices;
    // Answers a notification (default 0); may fill the structure.
    std::function<LRESULT(NMHDR*)> answer;
    std::vector<LVITEMA> setDispInfo;
    int changingAnswer = 0;
    int beeps = 0;
    std::vector<std::pair<UINT, WPARAM>> posted;

    void GetInsideRect(RECT* pRect) override { *pRect = client; }
    BOOL IsWindowFocused() override { return focused; }
    BOOL IsWindowEnabledState() override { return enabled; }
    int GetVScrollWidth() override { return 16; }
    int GetHScrollHeight() override { return 16; }
    void MeasureRow(int nItem, BOOL) override
    {
        OZWListItem* pItem = GetItemRecord(nItem);
        if (pItem->m_nHeight <= 0 || pItem->m_bNeedsMeasure)
            pItem->m_nHeight = pItem->m_nHeight > 0 ? pItem->m_nHeight : rowHeight;
        pItem->m_bNeedsMeasure = FALSE;
    }
    LRESULT SendNotify(NMHDR* pHdr) override
    {
        Notice n;
        n.code = pHdr->code;
        switch (n.code) {
        case LVN_DELETEITEM:
        case LVN_COLUMNCLICK: {
            auto* p = reinterpret_cast<NMLISTVIEW*>(pHdr);
            n.item = p->iItem;
            n.subItem = p->iSubItem;
            n.lParam = p->lParam;
            break;
        }
        case LVN_GETDISPINFOA:
        case LVN_BEGINLABELEDITA:
        case LVN_ENDLABELEDITA: {
            auto* p = reinterpret_cast<NMLVDISPINFOA*>(pHdr);
            n.item = p->item.iItem;
            n.subItem = p->item.iSubItem;
            n.lParam = p->item.lParam;
            n.mask = p->item.mask;
            if (n.code == (UINT)LVN_ENDLABELEDITA && p->item.pszText)
                n.text = p->item.pszText;
            break;
        }
        case LVN_KEYDOWN:
            n.item = reinterpret_cast<NMLVKEYDOWN*>(pHdr)->wVKey;
            break;
        default:
            break;
        }
        notices.push_back(n);
        return answer ? answer(pHdr) : 0;
    }
    void OnSetDispInfo(LVITEMA* pInfo) override { setDispInfo.push_back(*pInfo); }
    int OnSelectionChanging(int, int, BOOL) override { return changingAnswer; }
    void Beep() override { ++beeps; }
    void PostToParent(UINT nMsg, WPARAM wParam, LPARAM) override { posted.emplace_back(nMsg, wParam); }

    // Codes of the notifications seen so far.
    std::vector<UINT> Codes() const
    {
        std::vector<UINT> codes;
        for (const Notice& n : notices)
            codes.push_back(n.code);
        return codes;
    }
    // Adds items "0", "1", ... (with item data 100 + i).
    void Fill(int nCount)
    {
        for (int i = 0; i < nCount; ++i) {
            const std::string text = std::to_string(i);
            InsertItem(LVIF_TEXT | LVIF_PARAM, GetItemCount(), text.c_str(), 0, 0, 0, 100 + i);
        }
    }
    std::string Text(int nItem, int nSubItem = 0) { return std::string(GetItemText(nItem, nSubItem)); }
};

} // namespace lmtest
