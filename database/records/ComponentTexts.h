// The texts of the fixed-width columns of "Components" as the program stores
// them: padded with blanks to the column's width, whichever way they are
// written (an editor, a grid cell, a paste, a merge). Texts are UTF-8:
// lengths and positions count characters, not bytes.
#pragma once

#include "database/records/ComponentRecords.h"

namespace kvrecords {

// The number of characters of a text.
int TextLength(const CString& text);
// The first nCount characters, and nCount characters from the nFirst-th.
CString TextLeft(const CString& text, int nCount);
CString TextMid(const CString& text, int nFirst, int nCount);

// Appends blanks to a text up to nLength characters, or cuts a longer one to
// its first nLength characters.
CString PadToLength(const CString& text, int nLength);

// The fixed-width text columns of "Components", in table order.
inline constexpr int kFixedWidthColumns[] = {
    COLUMN_DESCRIPTION, COLUMN_WAREHOUSE_CODE, COLUMN_SUPPLIER_CODE, COLUMN_USAGE,          COLUMN_MAJOR1,
    COLUMN_MINOR1,      COLUMN_MAJOR2,         COLUMN_MINOR2,        COLUMN_DEFAULT_NOZZLE, COLUMN_ITEM_TYPE,
};
inline constexpr int kFixedWidthColumnCount = (int)(sizeof(kFixedWidthColumns) / sizeof(kFixedWidthColumns[0]));

// TRUE for a column of kFixedWidthColumns.
bool IsFixedWidthColumn(int nColumn);
// The record's text of a column of kFixedWidthColumns; nullptr for any other
// column.
CString* FixedWidthText(ComponentFields& record, int nColumn);

// The widths of the fixed-width text columns of one database.
class ComponentTextWidths
{
public:
    // No width known.
    ComponentTextWidths();
    // The widths the driver reports for an open recordset whose first
    // columns are those of "Components" in table order (the table, the tape
    // join, "SELECT *"); a column the recordset lacks has none.
    explicit ComponentTextWidths(CRecordset& rs);

    // The width of a column of kFixedWidthColumns; 0 for any other column
    // and for one whose width is not known.
    int Of(int nColumn) const;

    // A text as the column stores it: padded with blanks to the width. A
    // longer text is left whole (what reaches a store has passed its width
    // check, or is a copy whose text must stay as it is), and so is a text
    // for a column of no known width.
    CString Padded(int nColumn, const CString& text) const;
    // Every fixed-width text of a record as Padded gives it.
    void Pad(ComponentFields& record) const;

private:
    int m_widths[kFixedWidthColumnCount];
};

} // namespace kvrecords
