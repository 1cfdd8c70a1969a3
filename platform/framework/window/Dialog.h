// Dialogs from templates of the resource script, modal or modeless; the data
// exchange between a dialog's controls and its members (DDX_ functions) with
// checks (DDV_ functions); property sheets and their pages.
//
// Data exchange: a dialog's DoDataExchange calls, for each control, a DDX_
// function and optionally DDV_ checks. UpdateData(FALSE) fills the controls,
// UpdateData(TRUE) reads and checks them. A check that fails tells the user,
// puts the focus back on the control and ends the exchange
// (CDataExchange::Fail throws a CUserException that UpdateData catches), so
// UpdateData(TRUE) returns FALSE and OnOK leaves the dialog open.
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/String.h"
#include "platform/framework/window/Wnd.h"
#include <prsht.h>
#include <vector>

/////////////////////////////////////////////////////////////////////////////
// CDialog

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modeless: creates the dialog window from the template (the dialog
    // shows itself when its template has WS_VISIBLE). TRUE when created.
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr,
                                void* lpDialogInit = nullptr);

    // Modal: runs the dialog with its owner disabled until EndDialog; returns
    // the result given to EndDialog (IDOK, IDCANCEL...), or -1 when the
    // dialog could not be created.
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr,
                           void* lpDialogInit = nullptr);
    virtual INT_PTR DoModal();
    // Ends a modal dialog with the result (a modeless dialog is only hidden;
    // it ends with DestroyWindow).
    void EndDialog(int nResult);

    // Focus movement among the controls.
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT lpRect) const;
    void SetHelpID(UINT nIDR) { m_nIDHelp = nIDR; }

    // Fills the controls (UpdateData(FALSE)); TRUE to let the system set the
    // focus on the first control.
    virtual BOOL OnInitDialog();
    virtual void OnSetFont(CFont* pFont);
    // OK: reads and checks the controls; when that succeeds, ends with IDOK.
    virtual void OnOK();
    // Cancel: ends with IDCANCEL.
    virtual void OnCancel();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // TRUE when the dialog should be centred on its owner at start (the
    // template gives no position of its own).
    virtual BOOL CheckAutoCenter();

    LPCTSTR m_lpszTemplateName = nullptr;   // name or MAKEINTRESOURCE id
    LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;
    void* m_lpDialogInit = nullptr;
    CWnd* m_pParentWnd = nullptr;
    HWND m_hWndTop = nullptr;
    UINT m_nIDHelp = 0;

protected:
    // Creates the window from a template in memory (modal and modeless).
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
    // The template to create from: the in-memory one or the named resource.
    LPCDLGTEMPLATE LoadDialogTemplate(HINSTANCE* phInst) const;
    HWND PreModal();
    void PostModal();
    // Remembers from the template whether to centre the dialog at start.
    void NoteTemplatePosition(LPCDLGTEMPLATE lpDialogTemplate);

    BOOL m_bAutoCenter = FALSE;

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT HandleSetFont(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// The dialog procedure the framework gives the dialog manager: WM_INITDIALOG
// calls OnInitDialog; everything else is handled by the window's message map.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

/////////////////////////////////////////////////////////////////////////////
// Data exchange

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;   // TRUE: controls -> members, with checks
    CWnd* m_pDlgWnd;
    UINT m_idLastControl = 0;  // the control of the last DDX_ call
    BOOL m_bEditLastControl = FALSE;

    // The control window of the dialog item nIDC (for the next checks);
    // a missing control is a program error and throws CNotSupportedException.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Ends the exchange: puts the focus on the last control (selecting an
    // edit's text) and throws a CUserException.
    [[noreturn]] void Fail();
};

// Texts of edit (and other) controls
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LONGLONG& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, ULONGLONG& value);
// Numbers are written with the fewest digits that read back to the same value.
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LPTSTR value, int nMaxLen);

// Buttons
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of a group; value is the index of the
// checked button in the group, -1 for none.
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);

// Combo and list boxes
void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// Saving reads the edit text (or the selected item of a drop-down list).
// Loading selects the item equal to the text (a drop-down list also takes
// the first item starting with it), or puts the text into the edit field.
void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);

// Subclasses the control (once) with the given object.
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Range checks: when saving, a value outside min..max is refused with a
// message naming the range.
void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void AFXAPI DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void AFXAPI DDV_MinMaxLongLong(CDataExchange* pDX, LONGLONG value, LONGLONG minVal, LONGLONG maxVal);
void AFXAPI DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal);
void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);
// Text length in characters (UTF-8 text counts characters, not bytes).
// Saving refuses a longer text; loading limits the last edit control (or
// combo box edit field) to nChars characters.
void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);

// Sets a window's text only when it differs (no flicker, no change notice).
void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew);
// Number of characters (not bytes) of UTF-8 text.
int AFXAPI AfxCountChars(LPCTSTR lpsz);

/////////////////////////////////////////////////////////////////////////////
// Property sheets

class CPropertySheet;

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0, DWORD dwSize = sizeof(PROPSHEETPAGE));
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0, DWORD dwSize = sizeof(PROPSHEETPAGE));
    ~CPropertyPage() override;

    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    PROPSHEETPAGE m_psp;

    // Enables Apply (bChanged) for this page.
    void SetModified(BOOL bChanged = TRUE);
    // Makes Cancel into Close (the changes can no longer be undone).
    void CancelToClose();
    // Sends PSM_QUERYSIBLINGS to the other pages.
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);

    // Becoming the current page: refreshes the controls except the first
    // time (OnInitDialog did). FALSE refuses.
    virtual BOOL OnSetActive();
    // Leaving the page: reads and checks the controls; FALSE keeps the page.
    virtual BOOL OnKillActive();
    // OK / Apply: calls OnOK; FALSE refuses.
    virtual BOOL OnApply();
    // Cancel: calls OnCancel.
    virtual void OnReset();
    void OnOK() override;        // nothing: the sheet ends
    void OnCancel() override;    // nothing: the sheet ends
    virtual BOOL OnQueryCancel();
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    virtual BOOL OnWizardFinish();

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CPropertySheet* GetParentSheet() const;

protected:
    CString m_strCaption;
    BOOL m_bFirstSetActive = TRUE;
    friend class CPropertySheet;

    DECLARE_MESSAGE_MAP()
};

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    void Construct(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // Flags and settings of the sheet (PSH_NOAPPLYNOW...); the page list is
    // filled in when the sheet is created.
    PROPSHEETHEADER m_psh;

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage);
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    CWnd* GetTabControl() const;
    void SetWizardMode();
    void SetWizardButtons(DWORD dwFlags);
    void PressButton(int nButton);
    void EndDialog(int nEndID);

    // Modal: IDOK when the sheet ended with OK, else IDCANCEL (-1 when it
    // could not be created).
    virtual INT_PTR DoModal();
    // Modeless.
    virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
    // Called once the sheet and its first page exist.
    virtual BOOL OnInitDialog();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    CWnd* m_pParentWnd = nullptr;
    CString m_strCaption;
    BOOL m_bModeless = FALSE;

protected:
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    void BuildPropPageArray();
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    int m_nLastButton = IDCANCEL;   // the button that last tried to end the sheet

    std::vector<CPropertyPage*> m_pages;
    PROPSHEETPAGE* m_pPageArray = nullptr;

    DECLARE_MESSAGE_MAP()
};
