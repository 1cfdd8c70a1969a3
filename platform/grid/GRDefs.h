// The grid library's basic types and constants: cell coordinates, the flags
// its operations take, hit states, control ids and the library's own window
// messages. Every other grid header includes this one.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/grid/GRRes.h"

#include <vector>

// Marks a class, or a member, that the program exports for other modules to
// use (a dialog of another module may hold the program's grid window as a
// control): the executable that links it names it in its export table.
#define GR_PROGRAM_EXPORT __declspec(dllexport)

// A row or column number. Row 0 holds the column headers, column 0 the row
// headers; data cells start at (1, 1).
typedef DWORD ROWCOL;
const ROWCOL GR_INVALID = 0xFFFFFFFF;
const ROWCOL GR_MAXROWCOL = 0x7FFFFFFF;

class CGRGridCore;
class CGRBrowserGrid;
class CGRODBCGrid;
class CGRGridParam;
class CGRDbParam;
class CGRStyle;
class CGRFont;
class CGRPen;
class CGRControl;
class CGRRange;
class CGRRangeList;
class CGRRecordInfoWnd;
class CGRRecordInfoBeam;

// Update flags: how an operation refreshes the window.
enum : UINT
{
    GR_INVALIDATE = 0x01,     // mark the area for the next paint
    GR_UPDATENOW = 0x02,      // repaint the area at once
    GR_SMART = 0x04,          // repaint only what changed its look
    GR_SCROLLINVIEW = 0x08,   // SetCurrentCell: scroll the cell into view
    GR_NOSELCHANGE = 0x10,    // SetCurrentCell: keep the selection as it is
    GR_NOSETFOCUS = 0x20,     // SetCurrentCell: leave the keyboard focus where it is
};

// How a style change combines with the style already there.
enum GRModifyType
{
    grOverride = 0,   // attributes of the new style replace those present
    grApplyNew = 1,   // only attributes not yet present are taken
    grCopy = 2,       // the new style replaces the old one entirely
    grExclude = 3,    // attributes present in the new style are removed
};

// Command types of cell changes: whether the change goes into the undo list.
enum GRCmdType
{
    grDo = 0,         // an ordinary change, undoable
    grUndo = 1,       // a change made by Undo
    grRedo = 2,       // a change made by Redo
    grNoUndo = 3,     // not recorded
};

// Selection flags (CGRGridParam::EnableSelection).
enum : WORD
{
    GR_SELNONE = 0x00,
    GR_SELROW = 0x01,        // whole rows by a click on the row header
    GR_SELCOL = 0x02,        // whole columns by a click on the column header
    GR_SELTABLE = 0x04,      // the whole table by a click on the top-left cell
    GR_SELCELL = 0x08,       // ranges of cells by dragging over cells
    GR_SELKEYBOARD = 0x10,   // ranges extended with Shift and the arrow keys
    GR_SELMULTIPLE = 0x20,   // several ranges at once, added with Ctrl
    GR_SELSHIFT = 0x40,      // a range extended with Shift and a click
};

// When the in-place control of the current cell opens (SetActivateCellFlags).
enum : WORD
{
    GR_ACTIVATE_CLICKONCELL = 0x01,   // a click on the current cell opens it
    GR_ACTIVATE_DBLCLK = 0x02,        // a double click on a cell opens it
    GR_ACTIVATE_ALWAYS = 0x04,        // it opens as soon as a cell becomes current
};

// Hit states handed to the mouse hooks (OnLButtonHitRowCol and the right
// button's). A press on a cell is GR_HIT_PRESS; releasing the button over the
// cell that was pressed is GR_HIT_RELEASE; releasing it elsewhere is
// GR_HIT_END | GR_HIT_LEFT; moving with the button held is GR_HIT_MOVE.
enum : WORD
{
    GR_HIT_LEFT = 0x01,     // the left button is concerned
    GR_HIT_START = 0x02,    // the first state of a press-move-release sequence
    GR_HIT_DOWN = 0x04,     // the button went down
    GR_HIT_MOVE = 0x08,     // the pointer moved with the button held
    GR_HIT_END = 0x10,      // the button was released (the sequence ends)
    GR_HIT_RIGHT = 0x20,    // the right button is concerned
    GR_HIT_INCELL = 0x40,   // the pointer is over the cell first pressed
    GR_HIT_PRESS = GR_HIT_INCELL | GR_HIT_DOWN | GR_HIT_START | GR_HIT_LEFT,   // 0x47
    GR_HIT_RELEASE = GR_HIT_INCELL | GR_HIT_END | GR_HIT_LEFT,                  // 0x51
};

// Hit-test results (CGRGridCore::HitTest).
enum : int
{
    GR_HT_NOHIT = 0,
    GR_HT_CELL = 1,        // a data cell
    GR_HT_HEADER = 2,      // a row or column header cell (or the top-left cell)
    GR_HT_VERTLINE = 3,    // the right border of a column header (resizing)
    GR_HT_HORZLINE = 4,    // the bottom border of a row header (resizing)
    GR_HT_FILLHANDLE = 5,  // the fill handle at the selection's corner
};

// Directions of MoveCurrentCell and FindNextCell.
enum GRDirection
{
    GR_LEFT, GR_RIGHT, GR_UP, GR_DOWN,
    GR_MOSTLEFT, GR_MOSTRIGHT, GR_TOP, GR_BOTTOM,
    GR_TOPLEFT, GR_BOTTOMRIGHT, GR_PAGEUP, GR_PAGEDOWN,
};

// Record moves of the record-information beam (CGRGridCore::OnInfoWndMoveRecord).
enum : int
{
    GR_MOVE_FIRST = 0,
    GR_MOVE_PREV = 1,
    GR_MOVE_NEXT = 2,
    GR_MOVE_NEW = 3,       // the append row (a new record)
    GR_MOVE_RECORD = 4,    // the row given as the record argument
    GR_MOVE_LAST = 5,      // the last record (not the append row)
};

// Edit modes of the browse parameters.
enum : int
{
    GR_EDITMODE_NONE = 0,
    GR_EDITMODE_EDIT = 1,
    GR_EDITMODE_ADDNEW = 2,
};

// Clipboard flags (CGRGridParam::SetClipboardFlags).
enum : DWORD
{
    GR_CLIP_TEXT = 0x0001,       // copy and paste text (CF_TEXT)
    GR_CLIP_NOHIDDEN = 0x0002,   // hidden rows and columns are not copied
    GR_CLIP_ESCAPE = 0x1000,     // CR, LF and TAB inside a cell copied as \r, \n, \t
};

// Excel-like fill (CGRGridParam::SetExcelLikeFillFlags).
enum : WORD
{
    GR_FILL_COPY = 0x01,         // dragging the fill handle copies the selection's values
};

// Number formats of a style (CGRStyle::SetFormat).
enum : int
{
    GR_FMT_GENERAL = 0,       // the value as it is
    GR_FMT_FIXED = 1,         // fixed decimals: places after the point
    GR_FMT_SIGNIFICANT = 2,   // places significant digits
    GR_FMT_SCIENTIFIC = 3,    // exponent form with places decimals
};

// Sort types of a sort entry (CGRSortInfo).
enum : int
{
    GR_SORT_AUTO = 0,         // numbers as numbers, the rest as text
    GR_SORT_ALPHA = 1,        // text, ignoring case
    GR_SORT_NUMERIC = 2,      // numbers
    GR_SORT_CASE = 3,         // text, case counts
    GR_SORT_DATASOURCE = 4,   // the data source orders (a recordset's sort)
};

// Border sides (CGRStyle::SetBorders).
enum GRBorderType
{
    grBorderAll = -1,
    grBorderLeft = 0,
    grBorderTop = 1,
    grBorderRight = 2,
    grBorderBottom = 3,
};

// The library's own window messages.
enum : UINT
{
    // Posted by a grid to itself after a click on the current cell; its
    // handling opens the cell's in-place control. A grid that answers it
    // with 0 without passing it on never opens controls by mouse.
    GRM_ACTIVATECELL = WM_USER + 0x390,
    // Sent by a tab beam to its tab window when the user picks a tab;
    // wParam is the tab index.
    GRM_TABSWITCH = WM_USER + 0x385,
};

// An array of row or column numbers, grown in steps the caller chooses.
class CRowColArray
{
public:
    CRowColArray() = default;
    INT_PTR GetSize() const { return (INT_PTR)m_a.size(); }
    INT_PTR GetCount() const { return (INT_PTR)m_a.size(); }
    INT_PTR GetUpperBound() const { return (INT_PTR)m_a.size() - 1; }
    BOOL IsEmpty() const { return m_a.empty(); }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nGrowBy > 0) m_a.reserve((size_t)nGrowBy);
        m_a.resize(nNewSize < 0 ? 0 : (size_t)nNewSize, 0);
    }
    INT_PTR Add(ROWCOL n) { m_a.push_back(n); return (INT_PTR)m_a.size() - 1; }
    void RemoveAll() { m_a.clear(); }
    void RemoveAt(INT_PTR i, INT_PTR nCount = 1)
    {
        m_a.erase(m_a.begin() + i, m_a.begin() + i + nCount);
    }
    void InsertAt(INT_PTR i, ROWCOL n, INT_PTR nCount = 1)
    {
        m_a.insert(m_a.begin() + i, (size_t)nCount, n);
    }
    ROWCOL GetAt(INT_PTR i) const { return m_a[(size_t)i]; }
    void SetAt(INT_PTR i, ROWCOL n) { m_a[(size_t)i] = n; }
    ROWCOL& ElementAt(INT_PTR i) { return m_a[(size_t)i]; }
    ROWCOL operator[](INT_PTR i) const { return m_a[(size_t)i]; }
    ROWCOL& operator[](INT_PTR i) { return m_a[(size_t)i]; }
    const ROWCOL* GetData() const { return m_a.data(); }
    std::vector<ROWCOL>& Vector() { return m_a; }
    const std::vector<ROWCOL>& Vector() const { return m_a; }

private:
    std::vector<ROWCOL> m_a;
};
