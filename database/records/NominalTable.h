// The nominal-size table: each nominal pipe size once, in millimetres,
// inches, metres and feet, whose values need not be arithmetic conversions
// of one another. Converts a diameter by looking its size up in the table,
// and falls back to plain unit conversion when the size is not there.
#pragma once

#include "database/records/ComponentRecords.h"
#include "units/OZU_Value.h"

class CNominalTable : public CADORSBase
{
    DECLARE_DYNAMIC(CNominalTable)
public:
    explicit CNominalTable(CDatabase* pDatabase = nullptr);
    ~CNominalTable() override;

    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;

    // Makes current the row that holds the value's number in the column of
    // the value's unit (length units 0 mm, 1 in, 2 m, 3 ft; any other unit
    // has no column). The number is matched rounded to four decimals. A
    // database failure reports itself and counts as not found. The table must
    // be open.
    BOOL FindDiameter(const OZU_DiameterValue& value);
    // The same size in the target length unit: the table's value when the
    // size is in the table and the target has a column, else the value
    // converted arithmetically. A target outside the length units gives an
    // empty (invalid) value.
    OZU_DiameterValue ConvertDiameter(const OZU_DiameterValue& value, int nTargetUnit);

    // The column of a length unit (0 to 3) of the current row.
    float GetColumn(int nUnit) const;
    // The filter that finds a number in the column of a unit, e.g.
    // "[NominalMM] = CDbl('25.0000')"; empty for a unit without a column.
    static CString MakeFilter(int nUnit, double dValue);

    float m_fNominalMM;      // [NominalMM]
    float m_fNominalInches;  // [NominalInches]
    float m_fNominalMetres;  // [NominalMetres]
    float m_fNominalFeet;    // [NominalFeet]
};
