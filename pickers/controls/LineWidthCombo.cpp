#include "pickers/controls/LineWidthCombo.h"
#include "pickers/controls/PickerItem.h"
#include "pickers/controls/PickerScale.h"

IMPLEMENT_DYNAMIC(CLineWidthCombo, CComboBox)

BEGIN_MESSAGE_MAP(CLineWidthCombo, CComboBox)
    ON_WM_CREATE()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

CLineWidthCombo::CLineWidthCombo()
{
    m_fScale = kvpickers::ReadScreenScale();
    m_nItemHeight = kvpickers::ItemHeightForScale(m_fScale);
}

CLineWidthCombo::~CLineWidthCombo() = default;

void CLineWidthCombo::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    SetItemHeight(-1, (UINT)m_nItemHeight);
}

int CLineWidthCombo::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CComboBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetItemHeight(-1, (UINT)m_nItemHeight);
    return 0;
}

void CLineWidthCombo::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    lpMIS->itemHeight = (UINT)m_nItemHeight;
}

void CLineWidthCombo::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    int count = GetCount();
    if (count <= 0 || (int)lpDIS->itemID < 0 || (int)lpDIS->itemID >= count)
        return;
    CString text;
    GetLBText((int)lpDIS->itemID, text);
    kvpickers::PickerItem item(lpDIS);
    HDC hdc = item.Hdc();
    RECT rc = item.WorkRect();
    int oldMode = ::SetBkMode(hdc, OPAQUE);
    long width = (long)(LONG_PTR)lpDIS->itemData;
    if (width >= 0) {
        HPEN hPen = item.MakePen(PS_SOLID | PS_ENDCAP_FLAT, (DWORD)width);
        HGDIOBJ hOldPen = hPen ? ::SelectObject(hdc, hPen) : nullptr;
        int y = (rc.top + rc.bottom) / 2;
        ::MoveToEx(hdc, rc.left + 2, y, nullptr);
        ::LineTo(hdc, rc.right - 2, y);
        if (hPen) {
            ::SelectObject(hdc, hOldPen);
            ::DeleteObject(hPen);
        }
    }
    CDC::FromHandle(hdc)->DrawText(text, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SetBkMode(hdc, oldMode);
}

BOOL CLineWidthCombo::OnMouseWheel(UINT, short zDelta, CPoint)
{
    if (GetCurSel() < 0)
        return TRUE;
    // Toward the user the next item, away from him the one before.
    SendMessage(WM_KEYDOWN, zDelta < 0 ? VK_DOWN : VK_UP, 0);
    return TRUE;
}
