// A stand-in toolbar for the button tests: a plain window that hosts the
// buttons, with the settings a test sets and a record of what the buttons
// asked of it.
#pragma once

#include "tests/support/HostWindow.h"
#include "tests/toolbars/buttons/ToolBarButtonTestRes.h"
#include "toolbars/buttons/BmpMgr.h"
#include "toolbars/buttons/ToolBarButton.h"

#include <algorithm>
#include <vector>

namespace buttontest {

class FakeToolBar : public CWnd, public OZWBtnHost
{
public:
    struct Inform
    {
        UINT nID;
        int nCode;
        DWORD set;
        DWORD clear;
        BOOL bAllBars;
    };

    FakeToolBar() { m_pBmpMgr->AddToolBarResource(IDR_TEST_TOOLBAR, 0, FALSE); }
    ~FakeToolBar() override
    {
        for (OZWStdBtn* pButton : buttons)
            delete pButton;
        if (GetSafeHwnd() != nullptr)
            DestroyWindow();
        m_pBmpMgr->Release();
    }

    // A child window of pOwner, whose notifications it gets.
    BOOL CreateBar(CWnd* pOwner, int cx = 300, int cy = 40)
    {
        return CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + cx, 10 + cy), pOwner,
                        1234);
    }
    // A button of the given class (plain by default) for command nID, laid at (x, y).
    OZWStdBtn* Add(UINT nID, DWORD dwStyle = 0, int x = 0, int y = 0, const OZWBtnClass* pClass = nullptr,
                   const UINT_PTR* pParams = nullptr)
    {
        OZWStdBtn* pButton = pClass != nullptr ? pClass->pfnCreate() : new OZWStdBtn;
        pButton->m_nID = nID;
        pButton->SetStyle(dwStyle);
        HBITMAP hBitmap = nullptr;
        int nIndex = 0;
        if (m_pBmpMgr->GetImage(nID, &hBitmap, &nIndex))
            pButton->m_nImage = nIndex;
        buttons.push_back(pButton);
        pButton->Init(this, pParams);
        pButton->SetMode(vertical);
        pButton->SetPos(x, y);
        return pButton;
    }

    CWnd* GetHostWnd() override { return this; }
    BOOL IsConfigMode() const override { return config; }
    BOOL IsVertical() const override { return vertical; }
    DWORD GetExBarStyle() const override { return exStyle; }
    OZWBmpMgr* GetBmpMgr() const override { return m_pBmpMgr; }
    int GetImageWidth() const override { return m_pBmpMgr->GetImageSize().cx; }
    int GetImageHeight() const override { return m_pBmpMgr->GetImageSize().cy; }
    void RaiseMaxButtonSize(int cx, int cy) override
    {
        maxSize.cx = std::max((int)maxSize.cx, cx);
        maxSize.cy = std::max((int)maxSize.cy, cy);
    }
    int FindButton(const OZWStdBtn* pButton) const override
    {
        auto it = std::find(buttons.begin(), buttons.end(), pButton);
        return it == buttons.end() ? -1 : (int)(it - buttons.begin());
    }
    CWnd* GetNotifyOwner() override { return GetParent(); }
    void InformBtn(UINT nID, int nCode, void* pData, BOOL bAllBars) override
    {
        const DWORD* bits = nCode == OZWINFORM_STYLE ? static_cast<const DWORD*>(pData) : nullptr;
        informs.push_back({nID, nCode, bits ? bits[0] : 0, bits ? bits[1] : 0, bAllBars});
        for (OZWStdBtn* pButton : buttons)
            if (pButton->m_nID == nID)
                pButton->InformBtn(nCode, pData);
    }
    void RefreshHotButton() override { hotRefreshes++; }
    BOOL IsCustomizePalette() const override { return palette; }
    BOOL TrackButtonWidth(CWnd*, CRect& rect, int nMinWidth) override
    {
        trackedMinWidth = nMinWidth;
        if (trackTo < 0)
            return FALSE;
        rect.right = rect.left + std::max(trackTo, nMinWidth);
        return TRUE;
    }
    void RecalcHostLayout() override { layouts++; }

    // Presses the toolbar window got (forwarded by window buttons).
    std::vector<CPoint> presses;

    std::vector<OZWStdBtn*> buttons;
    std::vector<Inform> informs;
    BOOL config = FALSE;
    BOOL vertical = FALSE;
    DWORD exStyle = 0;
    BOOL palette = FALSE;
    CSize maxSize;
    int hotRefreshes = 0;
    int trackTo = -1;         // the width a resize drag ends at; -1 cancels it
    int trackedMinWidth = -1;
    int layouts = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONDOWN)
            presses.push_back(CPoint(lParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }

    OZWBmpMgr* m_pBmpMgr = new OZWBmpMgr;
};

} // namespace buttontest
