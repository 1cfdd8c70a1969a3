#include "toolbars/menubar/OZWMenuBar.h"

#include "frame/doctemplate/OZWDocTemplateUtils.h"
#include "toolbars/menus/MenuRules.h"
#include "toolbars/menus/OZWTBMenuBtn.h"

IMPLEMENT_DYNCREATE(OZWMenuBar, OZWCustomToolBar)

BEGIN_MESSAGE_MAP(OZWMenuBar, OZWCustomToolBar)
    ON_WM_SETTINGCHANGE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

const UINT kFirstMenuCommand = 0x80000001;
const DWORD kMenuButtonStyle = 0x30000000;
const UINT kDefaultFrameMenu = 20514;

// The top-level level of a menu resource; null when it is missing or not a
// standard menu template.
const BYTE* MenuLevel(UINT nMenuID)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCEA(nMenuID), (LPCSTR)RT_MENU);
    if (hRes == nullptr)
        return nullptr;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    const BYTE* p = hGlobal != nullptr ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    if (p == nullptr || ::SizeofResource(hInst, hRes) < 4)
        return nullptr;
    const WORD wVersion = (WORD)(p[0] | (p[1] << 8));
    const WORD wOffset = (WORD)(p[2] | (p[3] << 8));
    return wVersion == 0 ? p + 4 + wOffset : nullptr;
}

} // namespace

OZWMenuBar::OZWMenuBar()
{
    CreateMenuFont();
}

OZWMenuBar::~OZWMenuBar()
{
    if (m_hMenuFont != nullptr)
        ::DeleteObject(m_hMenuFont);
}

void OZWMenuBar::CreateMenuFont()
{
    if (m_hMenuFont != nullptr)
        ::DeleteObject(m_hMenuFont);
    m_hMenuFont = nullptr;
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        m_hMenuFont = ::CreateFontIndirectA(&ncm.lfMenuFont);
}

BOOL OZWMenuBar::Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID,
                        CCreateContext* pContext)
{
    return OZWCustomToolBar::Create(pParentWnd, lpszWindowName, dwStyle | 0x80, dwExStyle | 8, nID, pContext);
}

BOOL OZWMenuBar::SetMenuInfo(int nCount, const UINT* pMenuIDs)
{
    m_mapMenuBits.clear();
    m_arrTexts.clear();
    m_generatedIDs.clear();
    std::vector<OZWBtnMapEntry> entries;
    int nBit = 0;
    for (int i = 0; i < nCount; ++i) {
        const BYTE* p = MenuLevel(pMenuIDs[i]);
        // A menu that cannot be read gets no bit; past 32 menus none is left.
        if (p == nullptr || nBit >= 32)
            continue;
        const DWORD dwBit = 1UL << nBit++;
        m_mapMenuBits[pMenuIDs[i]] = dwBit;
        const std::vector<std::string> captions = ozwmenu::LevelCaptions(p);
        for (size_t nPos = 0; nPos < captions.size(); ++nPos) {
            m_arrTexts.push_back(captions[nPos].c_str());
            OZWBtnMapEntry entry = {};
            entry.pClass = OZWBTN_CLASS(OZWTBMenuBtn);
            entry.nID = kFirstMenuCommand + (UINT)entries.size();
            entry.dwStyle = kMenuButtonStyle;
            entry.params[0] = pMenuIDs[i];
            entry.params[1] = nPos;
            entry.params[2] = (UINT_PTR)(LPCSTR)m_arrTexts.back();
            entry.params[3] = dwBit;
            entries.push_back(entry);
            m_generatedIDs.push_back(entry.nID);
        }
    }
    if (entries.empty()) {
        SetSecondButtonMap(nullptr);
        return FALSE;
    }
    auto* pMap = new OZWBtnMapEntry[entries.size() + 1];
    std::copy(entries.begin(), entries.end(), pMap);
    pMap[entries.size()] = OZWBtnMapEntry {};
    SetSecondButtonMap(pMap);
    SetButtons(m_generatedIDs.data(), (int)m_generatedIDs.size());
    return TRUE;
}

BOOL OZWMenuBar::LoadMenuBar(UINT nMenuID)
{
    RemoveAllButtons();
    const BYTE* p = MenuLevel(nMenuID);
    if (p == nullptr)
        return FALSE;
    m_arrTexts.clear();
    for (int nPos = 0;; ++nPos) {
        const WORD flags = ozwmenu::GetMenuItemFlags(p);
        const std::string caption = ozwmenu::GetMenuItemText(p);
        ozwmenu::SkipMenuItem(p);
        if ((flags & MF_POPUP) == 0) {
            if (flags & MF_END)
                break;
            continue;
        }
        const BYTE* pLevel = p;
        HMENU hCheck = ozwmenu::BuildPopupMenu(p);
        if (hCheck == nullptr)
            break;
        ::DestroyMenu(hCheck);
        (void)pLevel;
        m_arrTexts.push_back(caption.c_str());
        auto* pButton = new OZWTBMenuBtn;
        pButton->m_nID = (UINT)nPos | 0x80000000;
        pButton->m_nImage = 0;
        pButton->SetStyle(kMenuButtonStyle);
        const UINT_PTR params[] = {nMenuID, (UINT_PTR)nPos, (UINT_PTR)(LPCSTR)m_arrTexts.back(), 0, 0};
        pButton->Init(this, params);
        pButton->SetMode(IsVertical());
        m_arrButtons.push_back(pButton);
        if (flags & MF_END)
            break;
    }
    MarkLayoutDirty();
    return !m_arrButtons.empty();
}

void OZWMenuBar::ResetButtons(BOOL bNoRedraw)
{
    RemoveAllButtons();
    SetButtons(m_generatedIDs.data(), (int)m_generatedIDs.size());
    SetMenuBits(m_nMenuBits, FALSE);
    if (!bNoRedraw) {
        RecalcDockingFrame();
        if (GetSafeHwnd() != nullptr)
            Invalidate();
    }
}

void OZWMenuBar::SetMenuBits(DWORD dwBits, BOOL bRedraw)
{
    m_nMenuBits = dwBits;
    for (int i = 0; i < GetButtonCount(); ++i) {
        auto* pButton = dynamic_cast<OZWTBMenuBtn*>(GetButton(i));
        if (pButton == nullptr || pButton->m_nType != OZWStdBtn::typeMenu)
            continue;
        HideButton(i, (pButton->m_nMenuParam4 & dwBits) == 0);
    }
    if (bRedraw) {
        RecalcDockingFrame();
        if (GetSafeHwnd() != nullptr)
            UpdateWindow();
    }
}

DWORD OZWMenuBar::GetMenuBit(UINT nMenuID) const
{
    auto it = m_mapMenuBits.find(nMenuID);
    return it != m_mapMenuBits.end() ? it->second : 0;
}

BOOL OZWMenuBar::SwitchMenu(UINT nMenuID)
{
    DWORD dwBit = GetMenuBit(nMenuID);
    if (dwBit == 0 && nMenuID == kDefaultFrameMenu) {
        CFrameWnd* pFrame = GetTopLevelFrame();
        CFrameWnd* pActive = pFrame != nullptr ? pFrame->GetActiveFrame() : nullptr;
        OZWDocTemplateUtils utils;
        dwBit = GetMenuBit(utils.GetFrameMenuID(pActive));
    }
    if (dwBit == 0)
        return FALSE;
    SetMenuBits(dwBit, FALSE);
    m_nCurMenuID = nMenuID;
    return TRUE;
}

void OZWMenuBar::SetMenuBitMap(const std::vector<std::pair<UINT, DWORD>>& pairs)
{
    m_mapMenuBits.clear();
    for (const auto& pair : pairs)
        m_mapMenuBits[pair.first] = pair.second;
}

int OZWMenuBar::FindMnemonic(char ch) const
{
    const char upper = (unsigned char)ch < 0x80 ? (char)::toupper((unsigned char)ch) : ch;
    for (int i = 0; i < GetButtonCount(); ++i) {
        auto* pButton = dynamic_cast<const OZWTBMenuBtn*>(GetButton(i));
        if (pButton != nullptr && !pButton->IsHidden() && pButton->m_cMnemonic != 0 && pButton->m_cMnemonic == upper)
            return i;
    }
    return -1;
}

// ---- Dropping menus

void OZWMenuBar::DropButtonMenu(OZWStdBtn* pButton)
{
    auto* pMenuButton = dynamic_cast<OZWTBMenuBtn*>(pButton);
    if (pMenuButton == nullptr)
        return;
    // Moving on from an open menu: its button is no longer shown pressed.
    const int nIndex = FindButton(pButton);
    if (m_nDropped >= 0 && m_nDropped != nIndex) {
        if (OZWStdBtn* pOld = GetButton(m_nDropped)) {
            pOld->SetStyle(pOld->GetStyle() & ~TBB_PRESSED);
            InvalidateButton(m_nDropped);
        }
    }
    m_nDropped = nIndex;
    RefreshHotButton();
    // Menu handles are 32-bit values on 64-bit Windows too: the record's
    // 32-bit word carries one whole.
    pMenuButton->SendNotify(OZWNM_MENU_DROP, (DWORD)pMenuButton->m_nMenuParam1, (DWORD)pMenuButton->m_nMenuParam2);
}

void OZWMenuBar::EndDrop()
{
    if (OZWStdBtn* pButton = GetButton(m_nDropped)) {
        pButton->SetStyle(pButton->GetStyle() & ~TBB_PRESSED);
        InvalidateButton(m_nDropped);
    }
    m_nDropped = -1;
    RefreshHotButton();
}

void OZWMenuBar::ShowSystemMenu()
{
    if (m_nDropped >= 0)
        EndDrop();
    CWnd* pOwner = GetNotifyOwner();
    if (pOwner == nullptr || GetSafeHwnd() == nullptr)
        return;
    NMTOOLBARA nm = {};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    nm.hdr.code = OZWNM_MENU_DROP;
    nm.iItem = 0;
    nm.rcButton.left = -1;
    nm.rcButton.top = 0;
    nm.rcButton.right = -1;
    pOwner->SendMessage(WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
}

void OZWMenuBar::DropHighlighted()
{
    if (!IsKeyboardMode())
        return;
    const int nSelected = m_nFocus;
    EndKeyboardMode();
    if (nSelected < 0)
        ShowSystemMenu();
    else
        DropByIndex(nSelected);
}

void OZWMenuBar::DropByIndex(int nIndex)
{
    if (IsKeyboardMode()) {
        if (nIndex >= 0)
            SetFocusButton(nIndex);
        return;
    }
    if (nIndex < 0) {
        ShowSystemMenu();
        return;
    }
    OZWStdBtn* pButton = GetButton(nIndex);
    if (pButton == nullptr || pButton->IsHidden())
        return;
    pButton->SetStyle(pButton->GetStyle() | TBB_PRESSED);
    InvalidateButton(nIndex);
    if (auto* pMenuButton = dynamic_cast<OZWTBMenuBtn*>(pButton))
        pMenuButton->DropMenu();
}

int OZWMenuBar::AdjacentIndex(BOOL bNext) const
{
    // Every shown menu, the maximised MDI child's system menu (its icon)
    // included, which sits between the frame's system menu and the first.
    std::vector<bool> visible;
    for (int i = 0; i < GetButtonCount(); ++i) {
        const OZWStdBtn* pButton = GetButton(i);
        visible.push_back(pButton != nullptr && !pButton->IsHidden() &&
                          (pButton->m_nType == OZWStdBtn::typeMenu || pButton->m_nType == OZWStdBtn::typeSysMenu));
    }
    // The keyboard selection moves over the buttons only: the frame's
    // system menu has no button to select.
    CWnd* pFrame = GetTopLevelFrame();
    const bool bSysMenu = !m_bKeyboardMode && pFrame != nullptr && (pFrame->GetStyle() & WS_SYSMENU) != 0;
    const int nCurrent = m_bKeyboardMode ? m_nFocus : m_nDropped;
    return ozwmenu::AdjacentMenu(nCurrent, bNext != FALSE, visible, bSysMenu);
}

BOOL OZWMenuBar::FilterMenuLoopMouse(const MSG* pMsg)
{
    if (pMsg == nullptr || GetSafeHwnd() == nullptr)
        return FALSE;
    POINT pt = {(short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)};
    if (pMsg->hwnd != m_hWnd)
        ::MapWindowPoints(pMsg->hwnd, m_hWnd, &pt, 1);
    const int nIndex = HitTest(pt.x, pt.y);
    const OZWStdBtn* pButton = GetButton(nIndex);
    if (pButton == nullptr || pButton->IsHidden() ||
        (pButton->m_nType != OZWStdBtn::typeMenu && pButton->m_nType != OZWStdBtn::typeSysMenu))
        return FALSE;
    if (pMsg->message == WM_MOUSEMOVE && nIndex != m_nDropped) {
        DropByIndex(nIndex);
        return TRUE;
    }
    if (pMsg->message == WM_LBUTTONDOWN) {
        if (nIndex == m_nDropped)
            const_cast<OZWStdBtn*>(pButton)->SendNotify(OZWNM_MENU_CLOSE, 0, 0);
        else
            DropByIndex(nIndex);
        return TRUE;
    }
    return FALSE;
}

// ---- Layout and looks

int OZWMenuBar::MonitorWidth() const
{
    RECT rect = {0, 0, 0, 0};
    if (GetSafeHwnd() != nullptr)
        ::GetWindowRect(m_hWnd, &rect);
    HMONITOR hMonitor = ::MonitorFromPoint(POINT {rect.left, rect.top}, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    if (hMonitor == nullptr || !::GetMonitorInfoA(hMonitor, &mi))
        return ::GetSystemMetrics(SM_CXSCREEN);
    return mi.rcMonitor.right - mi.rcMonitor.left;
}

CSize OZWMenuBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    CSize size = OZWCustomToolBar::CalcDynamicLayout(nLength, dwMode);
    if (m_bWrapFill && (dwMode & (LM_VERTDOCK | LM_HORZDOCK)) == 0)
        size.cx = MonitorWidth();
    return size;
}

CSize OZWMenuBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = OZWCustomToolBar::CalcFixedLayout(bStretch, bHorz);
    if (m_bWrapFill && IsFloating())
        size.cx = MonitorWidth();
    return size;
}

void OZWMenuBar::RecalcDockingFrame()
{
    RecalcFrameLayout();
}

void OZWMenuBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CreateMenuFont();
    for (int i = 0; i < GetButtonCount(); ++i)
        if (OZWStdBtn* pButton = GetButton(i))
            pButton->AdjustSize();
    if (GetDockingFrame() != nullptr)
        RecalcDockingFrame();
    else if (GetSafeHwnd() != nullptr)
        Invalidate();
    OZWCustomToolBar::OnSettingChange(uFlags, lpszSection);
}

void OZWMenuBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bWrapFill && HitTest(point.x, point.y) < 0) {
        Default();
        return;
    }
    OZWCustomToolBar::OnLButtonDown(nFlags, point);
}

void OZWMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_bWrapFill && HitTest(point.x, point.y) < 0) {
        Default();
        return;
    }
    OZWCustomToolBar::OnLButtonDblClk(nFlags, point);
}
