// Dialog data exchange: UpdateData, CDataExchange and the DDX_/DDV_
// functions.
#include "platform/framework/base/Collections.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/File.h"
#include "platform/framework/window/CmdTarget.h"
#include "platform/framework/window/Dialog.h"
#include "platform/framework/window/Gdi.h"
#include "platform/framework/window/Menu.h"
#include "platform/framework/window/WinApp.h"
#include "platform/framework/window/Wnd.h"
#include "platform/framework/window/WndState.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <string>

/////////////////////////////////////////////////////////////////////////////
// UpdateData

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);

    // Control notifications (EN_CHANGE while the texts are set...) are not
    // handled while the exchange runs.
    kvwnd::ThreadState& st = kvwnd::State();
    HWND hWndOldLockout = st.hLockoutNotifyWindow;
    st.hLockoutNotifyWindow = m_hWnd;

    BOOL bOK = FALSE;
    try {
        DoDataExchange(&dx);
        bOK = TRUE;
    } catch (CUserException* e) {
        e->Delete(); // the user has been told already
    } catch (CException* e) {
        char szText[512] = {};
        if (e->GetErrorMessage(szText, sizeof(szText)) && szText[0] != '\0')
            AfxMessageBox(szText, MB_ICONEXCLAMATION, AFX_IDP_INTERNAL_FAILURE);
        else
            AfxMessageBox(AFX_IDP_INTERNAL_FAILURE, MB_ICONEXCLAMATION);
        e->Delete();
    }

    st.hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

void CWnd::DoDataExchange(CDataExchange*) {}

/////////////////////////////////////////////////////////////////////////////
// CDataExchange

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = nullptr;
    if (m_pDlgWnd != nullptr)
        m_pDlgWnd->GetDlgItem(nIDC, &hWndCtrl);
    if (hWndCtrl == nullptr)
        AfxThrowNotSupportedException(); // no such control: a program error
    m_idLastControl = (UINT)nIDC;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_idLastControl != 0 && m_pDlgWnd != nullptr) {
        HWND hWndLastControl = nullptr;
        m_pDlgWnd->GetDlgItem((int)m_idLastControl, &hWndLastControl);
        if (hWndLastControl != nullptr) {
            ::SetFocus(hWndLastControl);
            if (m_bEditLastControl)
                ::SendMessage(hWndLastControl, EM_SETSEL, 0, -1);
        }
    }
    AfxThrowUserException();
}

/////////////////////////////////////////////////////////////////////////////
// Helpers

int AFXAPI AfxCountChars(LPCTSTR lpsz)
{
    if (lpsz == nullptr)
        return 0;
    int nChars = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(lpsz); *p; ++p) {
        if ((*p & 0xC0) != 0x80) // not a continuation byte
            ++nChars;
    }
    return nChars;
}

void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew)
{
    if (hWndCtrl == nullptr)
        return;
    if (lpszNew == nullptr)
        lpszNew = "";
    const int nNewLen = (int)strlen(lpszNew);
    const int nOldLen = ::GetWindowTextLength(hWndCtrl);
    if (nOldLen == nNewLen) {
        std::string old((size_t)nOldLen + 1, '\0');
        int nGot = ::GetWindowText(hWndCtrl, old.data(), nOldLen + 1);
        if (nGot == nNewLen && memcmp(old.data(), lpszNew, (size_t)nNewLen) == 0)
            return;
    }
    ::SetWindowText(hWndCtrl, lpszNew);
}

namespace {

std::string WindowText(HWND hWnd)
{
    int nLen = ::GetWindowTextLength(hWnd);
    std::string text((size_t)nLen + 1, '\0');
    int nGot = ::GetWindowText(hWnd, text.data(), nLen + 1);
    text.resize(nGot > 0 ? (size_t)nGot : 0);
    return text;
}

// The text without blanks at either end.
std::string Trimmed(const std::string& text)
{
    size_t b = 0, e = text.size();
    while (b < e && isspace((unsigned char)text[b]))
        ++b;
    while (e > b && isspace((unsigned char)text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

[[noreturn]] void FailWithMessage(CDataExchange* pDX, UINT nIDPrompt)
{
    AfxMessageBox(nIDPrompt, MB_ICONEXCLAMATION);
    pDX->Fail();
}

// Reads a whole number of the control; fails (with nIDPrompt) when the text
// is not one or lies outside minVal..maxVal.
long long ReadSigned(CDataExchange* pDX, HWND hWnd, long long minVal, long long maxVal, UINT nIDPrompt)
{
    std::string text = Trimmed(WindowText(hWnd));
    if (text.empty())
        FailWithMessage(pDX, nIDPrompt);
    errno = 0;
    char* pEnd = nullptr;
    long long value = strtoll(text.c_str(), &pEnd, 10);
    if (errno == ERANGE || pEnd == text.c_str() || *pEnd != '\0' || value < minVal || value > maxVal)
        FailWithMessage(pDX, nIDPrompt);
    return value;
}

unsigned long long ReadUnsigned(CDataExchange* pDX, HWND hWnd, unsigned long long maxVal, UINT nIDPrompt)
{
    std::string text = Trimmed(WindowText(hWnd));
    if (text.empty() || text[0] == '-')
        FailWithMessage(pDX, nIDPrompt);
    errno = 0;
    char* pEnd = nullptr;
    unsigned long long value = strtoull(text.c_str(), &pEnd, 10);
    if (errno == ERANGE || pEnd == text.c_str() || *pEnd != '\0' || value > maxVal)
        FailWithMessage(pDX, nIDPrompt);
    return value;
}

double ReadReal(CDataExchange* pDX, HWND hWnd, double maxMagnitude)
{
    std::string text = Trimmed(WindowText(hWnd));
    if (text.empty())
        FailWithMessage(pDX, AFX_IDP_PARSE_REAL);
    errno = 0;
    char* pEnd = nullptr;
    double value = strtod(text.c_str(), &pEnd);
    if (pEnd == text.c_str() || *pEnd != '\0' || !std::isfinite(value) || std::fabs(value) > maxMagnitude ||
        (errno == ERANGE && std::fabs(value) > 1.0))
        FailWithMessage(pDX, AFX_IDP_PARSE_REAL);
    return value;
}

// The fewest significant digits (from the type's usual precision up) that
// read back to exactly the same value.
std::string FormatDouble(double value)
{
    char buffer[64];
    for (int nDigits = DBL_DIG; nDigits <= 17; nDigits++) {
        snprintf(buffer, sizeof(buffer), "%.*g", nDigits, value);
        if (strtod(buffer, nullptr) == value)
            break;
    }
    return buffer;
}

std::string FormatFloat(float value)
{
    char buffer[64];
    for (int nDigits = FLT_DIG; nDigits <= 9; nDigits++) {
        snprintf(buffer, sizeof(buffer), "%.*g", nDigits, (double)value);
        if ((float)strtod(buffer, nullptr) == value)
            break;
    }
    return buffer;
}

template <class T> void ExchangeSigned(CDataExchange* pDX, int nIDC, T& value, long long minVal, long long maxVal)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (T)ReadSigned(pDX, hWnd, minVal, maxVal, AFX_IDP_PARSE_INT);
    else
        AfxSetWindowText(hWnd, std::to_string((long long)value).c_str());
}

template <class T> void ExchangeUnsigned(CDataExchange* pDX, int nIDC, T& value, unsigned long long maxVal,
                                         UINT nIDPrompt)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (T)ReadUnsigned(pDX, hWnd, maxVal, nIDPrompt);
    else
        AfxSetWindowText(hWnd, std::to_string((unsigned long long)value).c_str());
}

template <class T> void CheckRange(CDataExchange* pDX, T value, T minVal, T maxVal, UINT nIDPrompt,
                                   const std::string& strMin, const std::string& strMax)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString strPrompt;
    AfxFormatString2(strPrompt, nIDPrompt, strMin.c_str(), strMax.c_str());
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

template <class T> void CheckIntRange(CDataExchange* pDX, T value, T minVal, T maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE, std::to_string(minVal), std::to_string(maxVal));
}

bool IsComboWithEdit(HWND hWnd)
{
    return (::GetWindowLong(hWnd, GWL_STYLE) & 0x3) != CBS_DROPDOWNLIST;
}

std::string ItemText(HWND hWnd, int nIndex, UINT nLenMsg, UINT nTextMsg)
{
    LRESULT nLen = ::SendMessage(hWnd, nLenMsg, (WPARAM)nIndex, 0);
    if (nLen < 0)
        return std::string();
    std::string text((size_t)nLen + 1, '\0');
    LRESULT nGot = ::SendMessage(hWnd, nTextMsg, (WPARAM)nIndex, (LPARAM)text.data());
    text.resize(nGot > 0 ? (size_t)nGot : 0);
    return text;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// DDX_Text

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = CString(WindowText(hWnd).c_str());
    else
        AfxSetWindowText(hWnd, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LPTSTR value, int nMaxLen)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        if (nMaxLen > 0)
            ::GetWindowText(hWnd, value, nMaxLen);
    } else {
        AfxSetWindowText(hWnd, value);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeSigned(pDX, nIDC, value, INT_MIN, INT_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeSigned(pDX, nIDC, value, LONG_MIN, LONG_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    ExchangeSigned(pDX, nIDC, value, SHRT_MIN, SHRT_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LONGLONG& value)
{
    ExchangeSigned(pDX, nIDC, value, LLONG_MIN, LLONG_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeUnsigned(pDX, nIDC, value, UINT_MAX, AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    ExchangeUnsigned(pDX, nIDC, value, ULONG_MAX, AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    ExchangeUnsigned(pDX, nIDC, value, 255, AFX_IDP_PARSE_BYTE);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, ULONGLONG& value)
{
    ExchangeUnsigned(pDX, nIDC, value, ULLONG_MAX, AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ReadReal(pDX, hWnd, DBL_MAX);
    else
        AfxSetWindowText(hWnd, FormatDouble(value).c_str());
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (float)ReadReal(pDX, hWnd, FLT_MAX);
    else
        AfxSetWindowText(hWnd, FormatFloat(value).c_str());
}

/////////////////////////////////////////////////////////////////////////////
// Buttons

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = (int)::SendMessage(hWnd, BM_GETCHECK, 0, 0);
    } else {
        if (value < 0 || value > 2)
            value = 0; // not a check state: shown unchecked
        ::SendMessage(hWnd, BM_SETCHECK, (WPARAM)value, 0);
    }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int iButton = 0;
    do {
        if (::SendMessage(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessage(hWnd, BM_GETCHECK, 0, 0) != 0)
                    value = iButton;
            } else {
                ::SendMessage(hWnd, BM_SETCHECK, (WPARAM)(iButton == value), 0);
            }
            iButton++;
        }
        hWnd = ::GetWindow(hWnd, GW_HWNDNEXT);
    } while (hWnd != nullptr && !(::GetWindowLong(hWnd, GWL_STYLE) & WS_GROUP));
}

/////////////////////////////////////////////////////////////////////////////
// Combo and list boxes

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWnd, CB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWnd, CB_SETCURSEL, (WPARAM)index, 0);
}

namespace {
void ExchangeComboString(CDataExchange* pDX, int nIDC, CString& value, bool bExact)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    const bool bEdit = IsComboWithEdit(hWnd);
    if (pDX->m_bSaveAndValidate) {
        if (bEdit) {
            value = CString(WindowText(hWnd).c_str());
        } else {
            int nIndex = (int)::SendMessage(hWnd, CB_GETCURSEL, 0, 0);
            value = nIndex == CB_ERR ? CString() : CString(ItemText(hWnd, nIndex, CB_GETLBTEXTLEN, CB_GETLBTEXT).c_str());
        }
        return;
    }

    // An item equal to the text is selected. Only a drop-down list (which
    // cannot show other text) takes the first item starting with it; an
    // empty text selects nothing.
    LRESULT nIndex = CB_ERR;
    if (!value.IsEmpty()) {
        nIndex = ::SendMessage(hWnd, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
        if (nIndex == CB_ERR && !bExact && !bEdit)
            nIndex = ::SendMessage(hWnd, CB_FINDSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
    }
    ::SendMessage(hWnd, CB_SETCURSEL, (WPARAM)nIndex, 0);
    if (bEdit && nIndex == CB_ERR)
        AfxSetWindowText(hWnd, value);
}

void ExchangeListString(CDataExchange* pDX, int nIDC, CString& value, bool bExact)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int nIndex = (int)::SendMessage(hWnd, LB_GETCURSEL, 0, 0);
        value = nIndex == LB_ERR ? CString() : CString(ItemText(hWnd, nIndex, LB_GETTEXTLEN, LB_GETTEXT).c_str());
        return;
    }
    LRESULT nIndex = LB_ERR;
    if (!value.IsEmpty()) {
        nIndex = ::SendMessage(hWnd, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
        if (nIndex == LB_ERR && !bExact)
            nIndex = ::SendMessage(hWnd, LB_FINDSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
    }
    ::SendMessage(hWnd, LB_SETCURSEL, (WPARAM)nIndex, 0);
}
} // namespace

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    ExchangeComboString(pDX, nIDC, value, false);
}

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    ExchangeComboString(pDX, nIDC, value, true);
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWnd, LB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWnd, LB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    ExchangeListString(pDX, nIDC, value, false);
}

void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    ExchangeListString(pDX, nIDC, value, true);
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return; // subclassed by an earlier exchange
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();
}

/////////////////////////////////////////////////////////////////////////////
// DDV_

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    CheckIntRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    CheckIntRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    CheckIntRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    CheckIntRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal)
{
    CheckIntRange(pDX, (int)value, (int)minVal, (int)maxVal);
}

void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    CheckIntRange(pDX, (int)value, (int)minVal, (int)maxVal);
}

void AFXAPI DDV_MinMaxLongLong(CDataExchange* pDX, LONGLONG value, LONGLONG minVal, LONGLONG maxVal)
{
    CheckIntRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, AFX_IDP_PARSE_REAL_RANGE, FormatFloat(minVal), FormatFloat(maxVal));
}

void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, AFX_IDP_PARSE_REAL_RANGE, FormatDouble(minVal), FormatDouble(maxVal));
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate) {
        if (AfxCountChars(value) > nChars) {
            CString strPrompt;
            AfxFormatString1(strPrompt, AFX_IDP_PARSE_STRING_SIZE, std::to_string(nChars).c_str());
            AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_STRING_SIZE);
            pDX->Fail();
        }
        return;
    }
    // Loading: the control itself refuses longer input.
    if (pDX->m_idLastControl == 0 || pDX->m_pDlgWnd == nullptr)
        return;
    HWND hWndCtrl = nullptr;
    pDX->m_pDlgWnd->GetDlgItem((int)pDX->m_idLastControl, &hWndCtrl);
    if (hWndCtrl == nullptr)
        return;
    if (pDX->m_bEditLastControl) {
        ::SendMessage(hWndCtrl, EM_LIMITTEXT, (WPARAM)nChars, 0);
        return;
    }
    char szClass[16] = {};
    ::GetClassNameA(hWndCtrl, szClass, (int)sizeof(szClass));
    if (lstrcmpiA(szClass, "ComboBox") == 0 && IsComboWithEdit(hWndCtrl))
        ::SendMessage(hWndCtrl, CB_LIMITTEXT, (WPARAM)nChars, 0);
}
