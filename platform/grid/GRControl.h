// Cell controls: what draws a cell and edits it in place. A grid keeps one
// object per control id (CGRGridCore::RegisterControl); a cell names its
// control in its style. The library registers the edit, static text, check
// box, combo boxes and header controls; a program registers its own classes
// of control (a colour well, for instance) under ids of its own.
#pragma once

#include "platform/grid/GRDefs.h"
#include "platform/grid/GRStyle.h"

#include <memory>
#include <vector>

class CGRGridCore;
class CDC;
class CWnd;

// The class record of a control class: its name and its base class's record.
struct CGRControlClass
{
    LPCSTR m_lpszClassName;
    const CGRControlClass* (PASCAL* m_pfnGetBaseClass)();

    // TRUE when this class is pBase or derives from it.
    BOOL IsDerivedFrom(const CGRControlClass* pBase) const;
};

#define GR_CONTROL_CLASS(class_name) (&class_name::ctrl##class_name)

// In a control class's declaration.
#define DECLARE_GRCONTROL(class_name) DECLARE_GRCONTROL_AS(class_name, )
// The same for a control class whose two class-record functions the program
// exports, so that another module knows the class as a control class.
#define DECLARE_GRCONTROL_EXPORTED(class_name) DECLARE_GRCONTROL_AS(class_name, GR_PROGRAM_EXPORT)
#define DECLARE_GRCONTROL_AS(class_name, linkage) \
public: \
    static const CGRControlClass ctrl##class_name; \
    linkage const CGRControlClass* GetControlClass() const override; \
protected: \
    linkage static const CGRControlClass* PASCAL _GetControlBaseClass(); \
public:

// Once in the control class's .cpp.
#define IMPLEMENT_GRCONTROL(class_name, base_class_name) \
    const CGRControlClass* PASCAL class_name::_GetControlBaseClass() \
    { return GR_CONTROL_CLASS(base_class_name); } \
    const CGRControlClass class_name::ctrl##class_name = { #class_name, &class_name::_GetControlBaseClass }; \
    const CGRControlClass* class_name::GetControlClass() const { return GR_CONTROL_CLASS(class_name); }

class CGRControl
{
public:
    explicit CGRControl(CGRGridCore* pGrid = nullptr);
    virtual ~CGRControl();
    CGRControl(const CGRControl&) = delete;
    CGRControl& operator=(const CGRControl&) = delete;

    static const CGRControlClass ctrlCGRControl;
    virtual const CGRControlClass* GetControlClass() const;
    BOOL IsKindOf(const CGRControlClass* pClass) const;

    void SetGrid(CGRGridCore* pGrid) { m_pGrid = pGrid; }
    CGRGridCore* Grid() const { return m_pGrid; }

    // Binding to a cell: Init loads the cell's value into the control.
    virtual void Init(ROWCOL nRow, ROWCOL nCol);
    BOOL IsInit() const { return m_nRow != GR_INVALID; }
    BOOL IsInit(ROWCOL nRow, ROWCOL nCol) const { return m_nRow == nRow && m_nCol == nCol; }
    ROWCOL GetRow() const { return m_nRow; }
    ROWCOL GetCol() const { return m_nCol; }
    // Forgets the cell (the grid calls it when the current cell goes).
    virtual void Detach();

    // Whether the control can be opened in place for editing at all.
    virtual BOOL CanActivate() const { return TRUE; }
    virtual BOOL IsActive() const { return m_bActive; }
    // Opens (shows its window over the cell, takes the focus) or closes it.
    virtual void SetActive(BOOL bActive);

    // The text being edited, and the value it stores.
    virtual void SetValue(LPCTSTR lpszRawValue);
    virtual BOOL GetValue(CString& strResult);
    virtual void GetCurrentText(CString& strResult);
    virtual void SetCurrentText(const CString& str);
    // Selects the whole text of an active control that shows one.
    virtual void SelectAllText() {}
    virtual BOOL GetModify() const { return m_bModified; }
    virtual void SetModify(BOOL bModified) { m_bModified = bModified; }
    // Checks the text before it is stored (the default accepts it).
    virtual BOOL OnValidate();
    // Stores the value into the cell; FALSE when the cell refused it.
    virtual BOOL Store();
    // Loads the cell's value again, not modified.
    virtual void Reset();

    // The control's own window over the cell (null for drawn controls).
    virtual CWnd* GetWnd() { return nullptr; }
    virtual void Hide() {}
    virtual void SetControlFocus() {}

    // Draws the cell (pStandardStyle: the grid's standard style).
    virtual void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGRStyle& style,
                      const CGRStyle* pStandardStyle);

    // Mouse and keys on the control's cell; TRUE when handled.
    virtual BOOL LButtonDown(UINT nFlags, CPoint pt, UINT nHitState);
    virtual BOOL LButtonUp(UINT nFlags, CPoint pt, UINT nHitState);
    virtual BOOL LButtonDblClk(UINT nFlags, CPoint pt);
    virtual BOOL KeyPressed(UINT nMessage, UINT nChar, UINT nRepCnt = 1, UINT flags = 0);

protected:
    static const CGRControlClass* PASCAL _GetControlBaseClass() { return nullptr; }

    CGRGridCore* m_pGrid = nullptr;
    ROWCOL m_nRow = GR_INVALID;
    ROWCOL m_nCol = GR_INVALID;
    BOOL m_bActive = FALSE;
    BOOL m_bModified = FALSE;
    CString m_strText;   // the text while there is no window
};

// Static text: drawn, never edited.
class CGRStatic : public CGRControl
{
    DECLARE_GRCONTROL(CGRStatic)
public:
    using CGRControl::CGRControl;
    BOOL CanActivate() const override { return FALSE; }
};

// Header cells: a raised (or flat) frame around the text, and the sort
// arrow on the title of the column the rows were last sorted by.
class CGRHeader : public CGRControl
{
    DECLARE_GRCONTROL(CGRHeader)
public:
    using CGRControl::CGRControl;
    BOOL CanActivate() const override { return FALSE; }
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGRStyle& style,
              const CGRStyle* pStandardStyle) override;
    // Where the sort arrow goes in a title cell.
    static CRect SortArrowRect(const CRect& rectCell);
    static void DrawSortArrow(HDC hdc, const CRect& rectCell, BOOL bAscending, COLORREF colour);
};

// A control with a window of its own over the cell while it is active.
class CGRWindowControl : public CGRControl
{
public:
    using CGRControl::CGRControl;
    ~CGRWindowControl() override;

    // Opening shows the window over the cell (made on first use) with the
    // control's text; closing keeps the window's text and hides it.
    void SetActive(BOOL bActive) override;
    CWnd* GetWnd() override { return m_pCtrlWnd; }
    void Hide() override;
    void SetControlFocus() override;
    // While the window covers its cell, only the cell's background is drawn.
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGRStyle& style,
              const CGRStyle* pStandardStyle) override;

protected:
    BOOL HasWindow() const { return m_pCtrlWnd && m_pCtrlWnd->GetSafeHwnd(); }
    // Makes the window (a child of the grid's window); FALSE without one.
    virtual BOOL CreateControlWindow() = 0;
    // Creates m_pCtrlWnd (already allocated) as a hidden child of the grid.
    BOOL CreateInGrid(LPCTSTR lpszClass, DWORD dwStyle, UINT nID);
    // Fills the window from the control's text when it opens.
    virtual void LoadWindow() = 0;
    // The height the window takes beyond its cell (a combo box's list).
    virtual int ExtraHeight() const { return 0; }
    // Where the window goes over its cell (rectCell: the cell less its grid
    // lines); the default covers the cell.
    virtual CRect CalcWindowRect(const CRect& rectCell, const CGRStyle& style) { return rectCell; }

    CWnd* m_pCtrlWnd = nullptr;
};

class CGREditWnd;

// A single-line edit over the cell.
class CGREditControl : public CGRWindowControl
{
    DECLARE_GRCONTROL(CGREditControl)
public:
    using CGRWindowControl::CGRWindowControl;

    void GetCurrentText(CString& strResult) override;
    void SetCurrentText(const CString& str) override;
    BOOL GetModify() const override;
    void SetModify(BOOL bModified) override;
    // Selects the characters nStart..nEnd (-1: to the end).
    void SetSel(int nStart, int nEnd);
    void SelectAllText() override { SetSel(0, -1); }

protected:
    BOOL CreateControlWindow() override;
    void LoadWindow() override;
    // The edit's text lies where the cell draws its text.
    CRect CalcWindowRect(const CRect& rectCell, const CGRStyle& style) override;
    // The window style of the edit (ES_... bits).
    virtual DWORD GetEditStyle() const;
    CGREditWnd* Edit() const;
};

// A combo box over the cell: an editable one (GR_IDS_CTRL_COMBOBOX) or a
// drop-down list that accepts only its entries (GR_IDS_CTRL_CBS_DROPDOWNLIST).
// The entries are the style's choice list.
class CGRComboBox : public CGRWindowControl
{
    DECLARE_GRCONTROL(CGRComboBox)
public:
    CGRComboBox(CGRGridCore* pGrid, BOOL bDropDownList);

    void GetCurrentText(CString& strResult) override;
    void SetCurrentText(const CString& str) override;
    BOOL OnValidate() override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGRStyle& style,
              const CGRStyle* pStandardStyle) override;
    BOOL KeyPressed(UINT nMessage, UINT nChar, UINT nRepCnt = 1, UINT flags = 0) override;
    BOOL IsDroppedDown() const;

protected:
    BOOL CreateControlWindow() override;
    void LoadWindow() override;
    int ExtraHeight() const override { return 150; }
    // The entries of the cell's choice list.
    std::vector<CString> Choices() const;

    BOOL m_bDropDownList;
    std::unique_ptr<CWnd> m_pEditWndKeeper;   // the subclassed edit of an editable combo
};

// A check box: the value "1" checked, anything else unchecked. A click on the
// box or the space bar toggles it.
class CGRCheckBox : public CGRControl
{
    DECLARE_GRCONTROL(CGRCheckBox)
public:
    using CGRControl::CGRControl;
    BOOL CanActivate() const override { return FALSE; }
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGRStyle& style,
              const CGRStyle* pStandardStyle) override;
    BOOL LButtonUp(UINT nFlags, CPoint pt, UINT nHitState) override;
    BOOL KeyPressed(UINT nMessage, UINT nChar, UINT nRepCnt = 1, UINT flags = 0) override;
    // Toggles the cell's value; FALSE when it is read-only.
    BOOL Toggle(ROWCOL nRow, ROWCOL nCol);
    // The box's rectangle within a cell.
    static CRect BoxRect(const CRect& rectCell, const CGRStyle& style);
};
