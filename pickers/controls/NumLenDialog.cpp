#include "pickers/controls/NumLenDialog.h"
#include "pickers/controls/PickersRes.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CNumLenDialog, OZU_BaseDialog)
END_MESSAGE_MAP()

namespace {
// The range a quantity may take, in metres or as a number: an assembly
// holds none or more of an item, never less than none.
const double kLowest = 0.0;
const double kLimit = 9999999.0;
// Margin of the layout, in pixels.
const int kMargin = 4;
} // namespace

CNumLenDialog::CNumLenDialog(BOOL bLength, LPCTSTR lpszItemName, float fQuantity, OZU_UnitSettings* pUnitSettings,
                             CWnd* pParentWnd)
    : OZU_BaseDialog(pUnitSettings, IDD_NUMLEN, pParentWnd), m_bLength(bLength),
      m_strItemName(lpszItemName ? lpszItemName : ""), m_length(fQuantity, LENGTH_M), m_fNumber(fQuantity)
{
    m_strItemName.Trim();
}

CNumLenDialog::~CNumLenDialog() = default;

float CNumLenDialog::GetQuantity() const
{
    return m_bLength ? (float)m_length.GetValueIn(LENGTH_M) : m_fNumber;
}

BOOL CNumLenDialog::OnInitDialog()
{
    CString first, last;
    first.LoadString(m_bLength ? IDS_NUMLEN_LENGTH_OF : IDS_NUMLEN_NUMBER_OF);
    last.LoadString(IDS_NUMLEN_TO_ADD);
    m_strMessage.Format("%s\r\n%s\r\n%s", (LPCTSTR)first, (LPCTSTR)m_strItemName, (LPCTSTR)last);
    m_strUnit.Empty();
    if (m_bLength && m_pUnitSettings)
    {
        OZU_LengthUnit unit;
        m_strUnit = m_pUnitSettings->GetLengthUnit(unit).GetName();
    }
    OZU_BaseDialog::OnInitDialog();
    if (!m_bLength)
    {
        if (CWnd* pUnit = GetDlgItem(IDC_NUMLEN_UNIT))
            pUnit->ShowWindow(SW_HIDE);
    }
    Arrange();
    return TRUE;
}

void CNumLenDialog::Arrange()
{
    CWnd* pMessage = GetDlgItem(IDC_NUMLEN_MESSAGE);
    CWnd* pValue = GetDlgItem(IDC_NUMLEN_VALUE);
    CWnd* pUnit = GetDlgItem(IDC_NUMLEN_UNIT);
    CWnd* pOk = GetDlgItem(IDOK);
    CWnd* pCancel = GetDlgItem(IDCANCEL);
    if (!pMessage || !pValue || !pUnit || !pOk || !pCancel)
        return;
    const int m = kMargin;

    // The three lines as the message edit draws them.
    int width = 0, height = 0;
    {
        CClientDC dc(pMessage);
        CFont* pFont = pMessage->GetFont();
        CFont* pOld = pFont ? dc.SelectObject(pFont) : nullptr;
        int start = 0;
        while (start <= m_strMessage.GetLength())
        {
            int end = m_strMessage.Find("\r\n", start);
            CString line = end < 0 ? m_strMessage.Mid(start) : m_strMessage.Mid(start, end - start);
            CSize size = dc.GetTextExtent(line.IsEmpty() ? CString(" ") : line);
            width = std::max(width, (int)size.cx);
            height = size.cy;
            if (end < 0)
                break;
            start = end + 2;
        }
        if (pOld)
            dc.SelectObject(pOld);
    }

    // The edit's own margins keep the longest line from wrapping.
    DWORD margins = (DWORD)pMessage->SendMessage(EM_GETMARGINS);
    width += LOWORD(margins) + HIWORD(margins) + 2;

    auto sizeOf = [](CWnd* pWnd) {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        return rect.Size();
    };
    const CSize valueSize = sizeOf(pValue), unitSize = sizeOf(pUnit), buttonSize = sizeOf(pOk);
    // The client area: the message, the value below it, the buttons at the
    // foot, all centred.
    const int clientWidth = std::max(width + 2 * m, 4 * m + 2 * (int)buttonSize.cx);
    const int clientHeight = 3 * height + 8 * m + valueSize.cy + buttonSize.cy;

    pMessage->MoveWindow(m, m, width, 3 * height);
    const int groupWidth = valueSize.cx + (m_bLength ? m + unitSize.cx : 0);
    const int x = clientWidth / 2 - groupWidth / 2;
    const int y = 3 * height + 2 * m;
    pValue->MoveWindow(x, y, valueSize.cx, valueSize.cy);
    pUnit->MoveWindow(x + valueSize.cx + m, y + (valueSize.cy - unitSize.cy) / 2, unitSize.cx, unitSize.cy);
    const int buttonY = clientHeight - 2 * m - buttonSize.cy;
    pOk->MoveWindow(clientWidth / 2 - buttonSize.cx - m, buttonY, buttonSize.cx, buttonSize.cy);
    pCancel->MoveWindow(clientWidth / 2 + m, buttonY, buttonSize.cx, buttonSize.cy);

    CRect frame(0, 0, clientWidth, clientHeight);
    ::AdjustWindowRectEx(&frame, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, frame.Width(), frame.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow();
}

void CNumLenDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_BaseDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NUMLEN_MESSAGE, m_strMessage);
    DDX_Text(pDX, IDC_NUMLEN_UNIT, m_strUnit);
    if (m_bLength)
    {
        const OZU_LengthValue low(kLowest, LENGTH_M), high(kLimit, LENGTH_M);
        DDX_Length(this, pDX, IDC_NUMLEN_VALUE, m_length, low, high, low, high);
    }
    else
    {
        DDX_Text(pDX, IDC_NUMLEN_VALUE, m_fNumber);
        DDV_MinMaxFloat(pDX, m_fNumber, (float)kLowest, (float)kLimit);
    }
}
