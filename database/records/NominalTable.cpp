#include "database/records/NominalTable.h"

#include <charconv>

namespace {

const int kColumnUnits = 4;  // mm, in, m, ft

const char* const kColumnNames[kColumnUnits] = {
    "[NominalMM]", "[NominalInches]", "[NominalMetres]", "[NominalFeet]",
};

} // namespace

IMPLEMENT_DYNAMIC(CNominalTable, CADORSBase)

CNominalTable::CNominalTable(CDatabase* pDatabase)
    : CADORSBase(pDatabase), m_fNominalMM(0.0f), m_fNominalInches(0.0f), m_fNominalMetres(0.0f),
      m_fNominalFeet(0.0f)
{
    m_nFields = 4;
    m_nDefaultType = dynaset;
}

CNominalTable::~CNominalTable() = default;

CString CNominalTable::GetDefaultSQL()
{
    return "[Nominal Conversions]";
}

void CNominalTable::DoFieldExchange(CFieldExchange* pFX)
{
    pFX->SetFieldType(CFieldExchange::outputColumn);
    RFX_Single(pFX, kColumnNames[0], m_fNominalMM);
    RFX_Single(pFX, kColumnNames[1], m_fNominalInches);
    RFX_Single(pFX, kColumnNames[2], m_fNominalMetres);
    RFX_Single(pFX, kColumnNames[3], m_fNominalFeet);
}

float CNominalTable::GetColumn(int nUnit) const
{
    switch (nUnit) {
    case 0: return m_fNominalMM;
    case 1: return m_fNominalInches;
    case 2: return m_fNominalMetres;
    case 3: return m_fNominalFeet;
    default: return 0.0f;
    }
}

CString CNominalTable::MakeFilter(int nUnit, double dValue)
{
    if (nUnit < 0 || nUnit >= kColumnUnits)
        return CString();
    // Four decimals with a '.' whatever the user's locale: the text is SQL.
    char number[64];
    auto result = std::to_chars(number, number + sizeof(number) - 1, dValue, std::chars_format::fixed, 4);
    *result.ptr = '\0';
    CString filter;
    filter.Format("%s = CDbl('%s')", kColumnNames[nUnit], number);
    return filter;
}

BOOL CNominalTable::FindDiameter(const OZU_DiameterValue& value)
{
    int nUnit = value.GetUnit();
    double dValue = value.GetValue();
    if (nUnit < 0 || nUnit >= kColumnUnits)
        return FALSE;
    if (HasCurrentRow() && (double)GetColumn(nUnit) == dValue)
        return TRUE;
    try {
        return FindWithFilter(MakeFilter(nUnit, dValue));
    } catch (CException* e) {
        ReportDatabaseException(e);
    }
    return FALSE;
}

OZU_DiameterValue CNominalTable::ConvertDiameter(const OZU_DiameterValue& value, int nTargetUnit)
{
    OZU_DiameterValue result;
    if (nTargetUnit < 0 || nTargetUnit >= OZU_LengthUnit::Count)
        return result;
    // Only the units with a column can take the table's value; the others
    // (km, cm, miles) always convert arithmetically.
    if (nTargetUnit < kColumnUnits && FindDiameter(value))
        result.SetValue((double)GetColumn(nTargetUnit), nTargetUnit);
    else
        result.SetValue(value.GetValueIn(nTargetUnit), nTargetUnit);
    return result;
}
