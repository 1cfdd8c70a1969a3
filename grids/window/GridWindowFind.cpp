// CGridWindow: the values picked for a colour or a line type. (The find and
// replace dialog is the grid library's own: it starts from the current cell,
// which the library never leaves in a hidden column.)
#include "grids/window/GridWindow.h"

using namespace kvgrid;

void CGridWindow::SetColourCell(long nColour)
{
    SetPickedCell(m_nColourRow, COL_COLOUR1, nColour);
}

void CGridWindow::SetLineTypeCell(long nLineType)
{
    SetPickedCell(m_nLineTypeRow, COL_LINETYPE, nLineType);
}

void CGridWindow::SetPickedCell(long nRow, ROWCOL nCol, long nValue)
{
    if (nRow < 1 || !IsRecordRow((ROWCOL)nRow) || !Edit((ROWCOL)nRow))
        return;
    CString text;
    text.Format("%ld", nValue);
    BOOL bLock = LockUpdate(TRUE);
    SetValueRange(CGRRange((ROWCOL)nRow, nCol), text);
    LockUpdate(bLock);
    CString error;
    if (!Update(&error))
        ReportFlushError(error);
    RedrawRowCol((ROWCOL)nRow, nCol);
}
