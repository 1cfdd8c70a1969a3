#include "platform/grid/GRODBCValue.h"
#include "platform/odbc/ODBCValueText.h"

CGRFieldDesc::~CGRFieldDesc()
{
    FreeValue();
}

void CGRFieldDesc::FreeValue()
{
    switch (m_nValueKind) {
    case AFX_RFX_BOOL:
        delete static_cast<BOOL*>(m_pValue);
        break;
    case AFX_RFX_BYTE:
        delete static_cast<BYTE*>(m_pValue);
        break;
    case AFX_RFX_INT:
        delete static_cast<int*>(m_pValue);
        break;
    case AFX_RFX_LONG:
        delete static_cast<long*>(m_pValue);
        break;
    case AFX_RFX_SINGLE:
        delete static_cast<float*>(m_pValue);
        break;
    case AFX_RFX_DOUBLE:
        delete static_cast<double*>(m_pValue);
        break;
    case AFX_RFX_DATE:
    case AFX_RFX_TIMESTAMP:
        delete static_cast<TIMESTAMP_STRUCT*>(m_pValue);
        break;
    case AFX_RFX_BINARY:
        delete static_cast<CByteArray*>(m_pValue);
        break;
    case AFX_RFX_LONGBINARY:
        delete static_cast<CLongBinary*>(m_pValue);
        break;
    case AFX_RFX_TEXT:
    case AFX_RFX_LPTSTR:
    case AFX_RFX_WTEXT:
        delete static_cast<CString*>(m_pValue);
        break;
    default:
        break;
    }
    m_pValue = nullptr;
    m_nValueKind = AFX_RFX_NO_TYPE;
}

void CGRFieldDesc::AllocValue(int nValueKind)
{
    FreeValue();
    switch (nValueKind) {
    case AFX_RFX_BOOL:
        m_pValue = new BOOL(FALSE);
        break;
    case AFX_RFX_BYTE:
        m_pValue = new BYTE(0);
        break;
    case AFX_RFX_INT:
        m_pValue = new int(0);
        break;
    case AFX_RFX_LONG:
        m_pValue = new long(0);
        break;
    case AFX_RFX_SINGLE:
        m_pValue = new float(0);
        break;
    case AFX_RFX_DOUBLE:
        m_pValue = new double(0);
        break;
    case AFX_RFX_DATE:
    case AFX_RFX_TIMESTAMP:
        m_pValue = new TIMESTAMP_STRUCT{};
        break;
    case AFX_RFX_BINARY:
        m_pValue = new CByteArray;
        break;
    case AFX_RFX_LONGBINARY:
        m_pValue = new CLongBinary;
        break;
    case AFX_RFX_TEXT:
    case AFX_RFX_LPTSTR:
    case AFX_RFX_WTEXT:
        m_pValue = new CString;
        break;
    default:
        return;
    }
    m_nValueKind = nValueKind;
}

namespace {

bool FieldIsNull(OZURecordset* prs, void* pValue)
{
    if (!prs || prs->FieldIndexOf(pValue) < 0)
        return false;
    return prs->IsFieldNull(pValue) != FALSE;
}

} // namespace

int AFXAPI GRGetODBCValueString(CString& strText, OZURecordset* prs, void* pValue, int nKind, int, int)
{
    if (!pValue || FieldIsNull(prs, pValue)) {
        strText.Empty();
        return 0;
    }
    strText = kvodbc::ValueToText(nKind, pValue);
    return 1;
}

int AFXAPI GRWriteODBCValueString(LPCSTR lpszValue, OZURecordset* prs, void* pValue, int nKind, int,
                                  CString* pstrError, int)
{
    if (!pValue) {
        if (pstrError)
            *pstrError = "The column has no value to write.";
        return 0;
    }
    CString text = lpszValue ? lpszValue : "";
    bool isText = nKind == AFX_RFX_TEXT || nKind == AFX_RFX_LPTSTR || nKind == AFX_RFX_WTEXT;
    CString trimmed = text;
    trimmed.Trim();
    if (!isText && trimmed.IsEmpty()) {
        if (prs && prs->FieldIndexOf(pValue) >= 0) {
            prs->SetFieldNull(pValue, TRUE);
            prs->SetFieldDirty(pValue, TRUE);
        }
        return 1;
    }
    if (!kvodbc::TextToValue(nKind, pValue, text, pstrError))
        return 0;
    if (prs && prs->FieldIndexOf(pValue) >= 0) {
        prs->SetFieldNull(pValue, FALSE);
        prs->SetFieldDirty(pValue, TRUE);
    }
    return 1;
}
