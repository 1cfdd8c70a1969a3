#include "editors/components/window/EditorSupport.h"

#include <cstdio>

namespace kvcomponents {

CString CShownTexts::ControlText(CDataExchange* pDX, int nIDC)
{
    CString text;
    if (CWnd* pControl = pDX->m_pDlgWnd->GetDlgItem(nIDC))
        pControl->GetWindowText(text);
    return text;
}

OZU_DiameterValue CViewColumns::ConvertNominal(const OZU_DiameterValue& diameter, int nUnit)
{
    // The view leaves the result as it is (not valid) when it has no
    // document to ask.
    OZU_DiameterValue result;
    if (m_pView != nullptr)
        m_pView->ConvertNominal(result, diameter, nUnit);
    return result;
}

int CViewColumns::GetFieldLength(int nColumn) const
{
    return m_pView != nullptr ? m_pView->GetFieldLength(nColumn) : 0;
}

void ExchangeFloat(CDataExchange* pDX, int nIDC, float& value, float fMin, float fMax)
{
    DDX_Text(pDX, nIDC, value);
    DDV_MinMaxFloat(pDX, value, fMin, fMax);
}

void ExchangeFixedText(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, CString& value, int nWidth)
{
    DDX_Text(pDX, nIDC, value);
    OZU_BaseDialog::DDV_MaxChars(pDlg, pDX, value, nWidth);
}

void ExchangeGender(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, CString& value)
{
    if (!pDX->m_bSaveAndValidate) {
        // The list holds one blank for "no gender"; a gender it lacks joins
        // it, so that saving keeps it.
        CString shown = value.IsEmpty() ? CString(" ") : value;
        HWND hCombo = pDX->PrepareCtrl(nIDC);
        if (::SendMessage(hCombo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)shown) == CB_ERR)
            ::SendMessage(hCombo, CB_ADDSTRING, 0, (LPARAM)(LPCTSTR)shown);
        DDX_CBStringExact(pDX, nIDC, shown);
        return;
    }
    DDX_CBString(pDX, nIDC, value);
    OZU_BaseDialog::DDV_MaxChars(pDlg, pDX, value, CONNECTION_GENDER_WIDTH);
}

void ExchangeConnectionCode(OZU_BaseDialog* pDlg, CDataExchange* pDX, const ConnectionControls& ids,
                            ConnectionParts& parts)
{
    ExchangeFixedText(pDlg, pDX, ids.nCode, parts.code, CONNECTION_CODE_WIDTH);
}

void ExchangeConnectionGender(OZU_BaseDialog* pDlg, CDataExchange* pDX, const ConnectionControls& ids,
                              ConnectionParts& parts)
{
    ExchangeGender(pDlg, pDX, ids.nGender, parts.gender);
}

void ExchangeConnectionSuffix(OZU_BaseDialog* pDlg, CDataExchange* pDX, const ConnectionControls& ids,
                              ConnectionParts& parts)
{
    ExchangeFixedText(pDlg, pDX, ids.nSuffix, parts.suffix, CONNECTION_SUFFIX_WIDTH);
}

void ExchangeConnection(OZU_BaseDialog* pDlg, CDataExchange* pDX, const ConnectionControls& ids,
                        ConnectionParts& parts)
{
    ExchangeConnectionCode(pDlg, pDX, ids, parts);
    ExchangeConnectionGender(pDlg, pDX, ids, parts);
    ExchangeConnectionSuffix(pDlg, pDX, ids, parts);
}

void SetControlText(CWnd* pDialog, int nIDC, const CString& text)
{
    if (CWnd* pControl = pDialog->GetDlgItem(nIDC))
        pControl->SetWindowText(text);
}

void ShowCoefficient(CWnd* pDialog, int nIDC, float fValue)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%g", (double)fValue);
    SetControlText(pDialog, nIDC, text);
}

} // namespace kvcomponents
