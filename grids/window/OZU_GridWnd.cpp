#include "grids/window/OZU_GridWnd.h"

IMPLEMENT_DYNAMIC(OZU_GridWnd, CGRGridWnd)

BEGIN_MESSAGE_MAP(OZU_GridWnd, CGRGridWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

const char OZU_GridWnd::kClassName[] = "OZU_GridWnd";

OZU_GridWnd::OZU_GridWnd() = default;

OZU_GridWnd::~OZU_GridWnd() = default;

LPCTSTR OZU_GridWnd::RegisterClass()
{
    return RegisterClass(AfxGetInstanceHandle());
}

LPCTSTR OZU_GridWnd::RegisterClass(HINSTANCE hInstance)
{
    WNDCLASSA existing = {};
    if (::GetClassInfoA(hInstance, kClassName, &existing))
        return kClassName;
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &OZU_GridWnd::WndProcHook;
    wc.hInstance = hInstance;
    wc.lpszClassName = kClassName;
    if (!::RegisterClassA(&wc))
        AfxThrowResourceException();
    return kClassName;
}

void OZU_GridWnd::UnregisterClass()
{
    UnregisterClass(AfxGetInstanceHandle());
}

void OZU_GridWnd::UnregisterClass(HINSTANCE hInstance)
{
    ::UnregisterClassA(kClassName, hInstance);
}

LRESULT CALLBACK OZU_GridWnd::WndProcHook(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    OZU_GridWnd* pWnd = new OZU_GridWnd;
    pWnd->Attach(hWnd);
    GRGetAppState()->m_pWindowMap->SetAt(pWnd, 1);
    WNDPROC pfnProc = AfxGetAfxWndProc();
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnProc);
    return ::CallWindowProcA(pfnProc, hWnd, message, wParam, lParam);
}

void OZU_GridWnd::PostNcDestroy()
{
    CMapPtrToWord* pMap = GRGetAppState()->m_pWindowMap;
    WORD value = 0;
    if (pMap && pMap->Lookup(this, value))
    {
        pMap->RemoveKey(this);
        delete this;
    }
}

BOOL OZU_GridWnd::TakeParamFromText()
{
    if (GetParam())
        return TRUE;
    CString name;
    GetWindowText(name);
    if (name.IsEmpty())
        return FALSE;
    CGRGridParam* pParam = CGRGridParam::CreateFromResource(name);
    if (!pParam)
        return FALSE;
    SetParam(pParam, TRUE);
    return TRUE;
}

int OZU_GridWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CGRGridWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (GetParam())
        return 0;
    TakeParamFromText();
    Initialize();
    return 0;
}

void OZU_GridWnd::OnInitialUpdate()
{
    TakeParamFromText();
    EnableMouseWheel();
    CGRGridWnd::OnInitialUpdate();
}

BOOL OZU_GridWnd::ProcessKeys(CWnd* pSender, UINT nMessage, UINT nChar, UINT nRepCnt, UINT flags)
{
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    const BOOL bArrow = nChar == VK_DOWN || nChar == VK_UP || nChar == VK_RIGHT || nChar == VK_LEFT;
    if (nMessage != WM_KEYDOWN || !(nChar == VK_TAB || (bArrow && !bShift)))
        return CGRGridCore::ProcessKeys(pSender, nMessage, nChar, nRepCnt, flags);

    ROWCOL row = 1, col = 1;
    if (!GetCurrentCell(row, col))
    {
        row = 1;
        col = 1;
    }
    const ROWCOL nRows = GetRowCount(), nCols = GetColCount();
    // Whether a cell that can be current lies from (r, c) on in a direction.
    auto found = [this](int direction, ROWCOL r, ROWCOL c) { return FindNextCell(direction, r, c); };
    if (nChar == VK_DOWN)
    {
        if (row + 1 <= nRows && found(GR_DOWN, row + 1, col))
            MoveCurrentCell(GR_DOWN, 1, TRUE);
        else
            MoveCurrentCell(GR_TOP, 1, TRUE);
    }
    else if (nChar == VK_UP)
    {
        if (row >= 2 && found(GR_UP, row - 1, col))
            MoveCurrentCell(GR_UP, 1, TRUE);
        else
            MoveCurrentCell(GR_BOTTOM, 1, TRUE);
    }
    else if (nChar == VK_RIGHT || (nChar == VK_TAB && !bShift))
    {
        if (found(GR_RIGHT, row, col + 1))
        {
            MoveCurrentCell(GR_RIGHT, 1, TRUE);
        }
        else if (row + 1 <= nRows && found(GR_RIGHT, row + 1, 1))
        {
            MoveCurrentCell(GR_MOSTLEFT, 1, TRUE);
            MoveCurrentCell(GR_DOWN, 1, TRUE);
        }
        else
        {
            MoveCurrentCell(GR_TOPLEFT, 1, TRUE);
        }
    }
    else
    {
        if (col >= 2 && found(GR_LEFT, row, col - 1))
        {
            MoveCurrentCell(GR_LEFT, 1, TRUE);
        }
        else if (row >= 2 && found(GR_LEFT, row - 1, nCols))
        {
            MoveCurrentCell(GR_MOSTRIGHT, 1, TRUE);
            MoveCurrentCell(GR_UP, 1, TRUE);
        }
        else
        {
            MoveCurrentCell(GR_BOTTOMRIGHT, 1, TRUE);
        }
    }
    return TRUE;
}

CString OZU_GridWnd::CopyCellText(const CString& text, BOOL bEscape)
{
    // " :: " stands for a tab; a cell that has one keeps its tabs as tabs.
    CString cell = text;
    const BOOL bRealTabs = cell.Replace(" :: ", "\t") > 0;
    CString out;
    const int n = cell.GetLength();
    for (int i = 0; i < n; i++)
    {
        const char ch = cell[i];
        if (ch == '\t')
        {
            out += bRealTabs ? "\t" : "\\t";
        }
        else if (ch == '\r' || ch == '\n')
        {
            if (bEscape)
            {
                out += ch == '\r' ? "\\r" : "\\n";
            }
            else
            {
                if (ch == '\r' && i + 1 < n && cell[i + 1] == '\n')
                    i++;
                out += ' ';
            }
        }
        else
        {
            out += ch;
        }
    }
    return out;
}

BOOL OZU_GridWnd::CopyTextToFile(CFile& file, const CGRRangeList& selList)
{
    OnTestGridDimension(GR_MAXROWCOL, 0);
    CRowColArray awTop, awBottom, awLeft, awRight;
    selList.GetRowArray(GetRowCount(), awTop, awBottom);
    selList.GetColArray(GetColCount(), awLeft, awRight);
    ULONGLONG nRows = 0, nCols = 0;
    for (INT_PTR i = 0; i < awTop.GetSize(); i++)
        nRows += awBottom[i] - awTop[i] + 1;
    for (INT_PTR j = 0; j < awLeft.GetSize(); j++)
        nCols += awRight[j] - awLeft[j] + 1;
    const ULONGLONG nCells = nRows * nCols;

    CGRLongOperation operation;
    operation.SetStatusText(GR_IDS_STATUS_COPYING);
    CString separator = Param()->GetCopySeparator();
    if (separator.IsEmpty())
        separator = "\t";
    const BOOL bEscape = (Param()->GetClipboardFlags() & GR_CLIP_ESCAPE) != 0;

    auto write = [&file](const CString& text) {
        if (!text.IsEmpty())
            file.Write(text.GetString(), (UINT)text.GetLength());
    };
    ROWCOL nRowsWritten = 0, nColsWritten = 0;
    ULONGLONG nDone = 0;
    BOOL bCanceled = FALSE;
    for (INT_PTR i = 0; i < awTop.GetSize() && !bCanceled; i++)
    {
        for (ROWCOL r = awTop[i]; r <= awBottom[i] && !bCanceled; r++)
        {
            if (nRowsWritten > 0)
                write("\r\n");
            nRowsWritten++;
            ROWCOL nColsInRow = 0;
            for (INT_PTR j = 0; j < awLeft.GetSize() && !bCanceled; j++)
            {
                for (ROWCOL c = awLeft[j]; c <= awRight[j] && !bCanceled; c++)
                {
                    if (nColsInRow > 0)
                        write(separator);
                    nColsInRow++;
                    write(CopyCellText(GetCopyTextRowCol(r, c), bEscape));
                    nDone++;
                    if (operation.NeedMessages())
                    {
                        operation.SetPercentDone(nCells ? (int)(nDone * 100 / nCells) : 100);
                        operation.DoMessages(bCanceled);
                    }
                }
            }
            if (nColsInRow > nColsWritten)
                nColsWritten = nColsInRow;
        }
    }
    if (nRowsWritten > 1 || nColsWritten > 1)
        write("\r\n");
    m_nClipRows = nRowsWritten;
    m_nClipCols = nColsWritten;
    return nRowsWritten > 0 && nColsWritten > 0 && !bCanceled;
}
