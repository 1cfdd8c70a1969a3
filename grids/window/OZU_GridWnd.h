// OZU_GridWnd: a grid window that a dialog template can hold as a custom
// control of the window class "OZU_GridWnd", with no code in the dialog: the
// first message that reaches such a control makes the grid object and
// attaches it, and the control's text names the grid-parameter resource that
// gives the grid its rows, columns and styles. Code may also make the object
// itself and attach it to a control (SubclassDlgItem); such an object is its
// maker's to delete.
//
// The grid moves its current cell around its edges (Tab on the last cell
// goes to the first) and copies cells as text with " :: " inside a cell
// standing for a tab.
//
// The program exports the class, so that dialogs of other modules can hold
// such a grid too.
#pragma once

#include "platform/grid/GridLib.h"

class GR_PROGRAM_EXPORT OZU_GridWnd : public CGRGridWnd
{
    DECLARE_DYNAMIC(OZU_GridWnd)
public:
    // The window class's name.
    static const char kClassName[];

    OZU_GridWnd();
    ~OZU_GridWnd() override;

    // Registers the window class (style CS_DBLCLKS, no icon, cursor,
    // background or menu) in the program's instance, or in the one given,
    // unless it is registered there already; returns its name. A refusal of
    // the system throws a resource exception.
    static LPCTSTR RegisterClass();
    static LPCTSTR RegisterClass(HINSTANCE hInstance);
    static void UnregisterClass();
    static void UnregisterClass(HINSTANCE hInstance);

    // The grid's parameters from the window's text (a resource name), then
    // the mouse wheel and the window's own initial update.
    void OnInitialUpdate() override;

    // Tab, Shift+Tab and the arrow keys (Shift up) move around the edges:
    // from the last column to the first column of the next row, from the
    // last row to the top, and back.
    BOOL ProcessKeys(CWnd* pSender, UINT nMessage, UINT nChar, UINT nRepCnt = 1, UINT flags = 0) override;
    // The cells of the ranges as text: cells separated by a tab (or the
    // grid's copy separator), rows by CR LF. A " :: " in a cell stands for
    // a tab; line breaks in a cell become blanks, or with GR_CLIP_ESCAPE the
    // escapes \r and \n; a tab of the cell's own becomes \t. A block of more
    // than one cell ends with CR LF. FALSE when nothing was written or the
    // user cancelled.
    BOOL CopyTextToFile(CFile& file, const CGRRangeList& selList) override;

    // The text a cell is copied as (step by step as above).
    static CString CopyCellText(const CString& text, BOOL bEscape);

protected:
    // The class's window procedure, for the first message of a window of
    // the class: the grid object is made and attached, and the window moves
    // on to the framework's window procedure.
    static LRESULT CALLBACK WndProcHook(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // An object the class made for its window goes with the window.
    void PostNcDestroy() override;
    // The grid's parameters from the resource the window's text names, when
    // there is such a resource; TRUE when the grid has parameters now.
    BOOL TakeParamFromText();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);

    DECLARE_MESSAGE_MAP()
};
