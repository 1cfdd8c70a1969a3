// The common dialogs (file, colour, find and replace) over comdlg32.
#include "platform/framework/drawing/Controls.h"
#include "platform/framework/window/WinApp.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFindReplaceDialog, CCommonDialog)

/////////////////////////////////////////////////////////////////////////////
// CCommonDialog

CCommonDialog::CCommonDialog(CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
}

void CCommonDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    Default();
}

void CCommonDialog::OnCancel()
{
    Default();
}

BOOL CCommonDialog::HookInitDialog(HWND hWnd)
{
    if (m_hWnd == nullptr && !SubclassWindow(hWnd))
        return TRUE;
    return OnInitDialog();
}

/////////////////////////////////////////////////////////////////////////////
// CFileDialog

namespace {

// The text after the last folder separator.
CString NamePart(const CString& path)
{
    int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    return path.Mid(slash + 1);
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                         DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD, BOOL)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    ZeroMemory(&m_ofn, sizeof(m_ofn));
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = _countof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = _countof(m_szFileTitle);
    m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.hInstance = AfxGetResourceHandle();
    m_ofn.lpfnHook = &CFileDialog::HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);

    if (lpszDefExt != nullptr) {
        // The system adds its own dot: ".accdb" and "accdb" both mean accdb.
        while (*lpszDefExt == '.')
            ++lpszDefExt;
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt.c_str();
    }
    if (lpszFileName != nullptr)
        lstrcpyn(m_szFileName, lpszFileName, _countof(m_szFileName));
    if (lpszFilter != nullptr) {
        // "Text|*.txt|All|*.*||" becomes "Text\0*.txt\0All\0*.*\0\0"; the
        // string's own terminator adds the final zero in any case.
        m_strFilter = lpszFilter;
        for (char& c : m_strFilter)
            if (c == '|')
                c = '\0';
        m_strFilter.push_back('\0');
        m_ofn.lpstrFilter = m_strFilter.c_str();
    }
}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = PreModal();
    BOOL ok = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
    PostModal();
    return ok ? IDOK : IDCANCEL;
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* ofn = reinterpret_cast<OPENFILENAME*>(lParam);
        auto* pDlg = reinterpret_cast<CFileDialog*>(ofn->lCustData);
        return pDlg != nullptr ? pDlg->HookInitDialog(hWnd) : TRUE;
    }
    if (message != WM_NOTIFY)
        return 0;
    auto* pDlg = dynamic_cast<CFileDialog*>(CWnd::FromHandlePermanent(hWnd));
    if (pDlg == nullptr)
        return 0;
    auto* notify = reinterpret_cast<OFNOTIFY*>(lParam);
    switch (notify->hdr.code) {
    case CDN_INITDONE:
        pDlg->OnInitDone();
        return 0;
    case CDN_SELCHANGE:
        pDlg->OnFileNameChange();
        return 0;
    case CDN_FOLDERCHANGE:
        pDlg->OnFolderChange();
        return 0;
    case CDN_TYPECHANGE:
        pDlg->OnTypeChange();
        return 0;
    case CDN_FILEOK:
        // Non-zero refuses the name and keeps the dialog open.
        ::SetWindowLongPtr(hWnd, DWLP_MSGRESULT, pDlg->OnFileNameOK() ? 1 : 0);
        return TRUE;
    case CDN_SHAREVIOLATION:
        ::SetWindowLongPtr(hWnd, DWLP_MSGRESULT, pDlg->OnShareViolation(notify->pszFile));
        return TRUE;
    default:
        return 0;
    }
}

UINT CFileDialog::OnShareViolation(LPCTSTR) { return OFN_SHAREWARN; }
BOOL CFileDialog::OnFileNameOK() { return FALSE; }
void CFileDialog::OnInitDone() {}
void CFileDialog::OnFileNameChange() {}
void CFileDialog::OnFolderChange() {}
void CFileDialog::OnTypeChange() {}

CString CFileDialog::GetPathName() const
{
    if (m_hWnd != nullptr) {
        // Still open: ask the dialog for the current choice.
        char buf[MAX_PATH * 4] = {};
        HWND hDlg = ::GetParent(m_hWnd);
        if (::SendMessage(hDlg, CDM_GETFILEPATH, sizeof(buf), reinterpret_cast<LPARAM>(buf)) > 0)
            return CString(buf);
    }
    return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const
{
    return NamePart(GetPathName());
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const
{
    char buf[MAX_PATH * 4] = {};
    if (m_hWnd != nullptr &&
        ::SendMessage(::GetParent(m_hWnd), CDM_GETFOLDERPATH, sizeof(buf), reinterpret_cast<LPARAM>(buf)) > 0)
        return CString(buf);
    CString path(m_ofn.lpstrFile);
    int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    return slash < 0 ? CString() : path.Left(slash);
}

BOOL CFileDialog::GetReadOnlyPref() const
{
    return (m_ofn.Flags & OFN_READONLY) != 0;
}

POSITION CFileDialog::GetStartPosition() const
{
    return m_ofn.lpstrFile != nullptr && *m_ofn.lpstrFile != '\0'
        ? reinterpret_cast<POSITION>(m_ofn.lpstrFile) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    const char* buf = m_ofn.lpstrFile;
    const char* p = reinterpret_cast<const char*>(pos);
    size_t first = std::strlen(buf);
    // One file (or no multiple selection): the buffer holds its full path.
    if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) == 0 || buf[first + 1] == '\0') {
        pos = nullptr;
        return CString(buf);
    }
    // Several: the folder, then each name, then an empty string.
    if (p == buf)
        p = buf + first + 1;
    CString folder(buf);
    if (folder.Right(1) != "\\")
        folder += '\\';
    CString name(p);
    const char* next = p + std::strlen(p) + 1;
    pos = *next != '\0' ? reinterpret_cast<POSITION>(const_cast<char*>(next)) : nullptr;
    return folder + name;
}

void CFileDialog::SetControlText(int nID, LPCSTR lpsz)
{
    ::SendMessage(::GetParent(m_hWnd), CDM_SETCONTROLTEXT, nID, reinterpret_cast<LPARAM>(lpsz));
}

void CFileDialog::HideControl(int nID)
{
    ::SendMessage(::GetParent(m_hWnd), CDM_HIDECONTROL, nID, 0);
}

void CFileDialog::SetDefExt(LPCSTR lpsz)
{
    ::SendMessage(::GetParent(m_hWnd), CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(lpsz));
}

/////////////////////////////////////////////////////////////////////////////
// CColorDialog

COLORREF CColorDialog::clrSavedCustom[16] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
};

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    ZeroMemory(&m_cc, sizeof(m_cc));
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = clrSavedCustom;
    m_cc.Flags = dwFlags | CC_ENABLEHOOK;
    m_cc.lpfnHook = &CColorDialog::HookProc;
    m_cc.lCustData = reinterpret_cast<LPARAM>(this);
    if ((m_cc.rgbResult = clrInit) != 0)
        m_cc.Flags |= CC_RGBINIT;
}

COLORREF* PASCAL CColorDialog::GetSavedCustomColors()
{
    return clrSavedCustom;
}

INT_PTR CColorDialog::DoModal()
{
    if (m_cc.lpCustColors == nullptr)
        m_cc.lpCustColors = clrSavedCustom;
    m_cc.hwndOwner = PreModal();
    BOOL ok = ::ChooseColor(&m_cc);
    PostModal();
    return ok ? IDOK : IDCANCEL;
}

void CColorDialog::SetCurrentColor(COLORREF clr)
{
    static const UINT setRgb = ::RegisterWindowMessageA(SETRGBSTRINGA);
    if (m_hWnd != nullptr)
        SendMessage(setRgb, 0, static_cast<LPARAM>(clr));
}

UINT_PTR CALLBACK CColorDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return 0;
    auto* cc = reinterpret_cast<CHOOSECOLOR*>(lParam);
    auto* pDlg = reinterpret_cast<CColorDialog*>(cc->lCustData);
    return pDlg != nullptr ? pDlg->HookInitDialog(hWnd) : TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CFindReplaceDialog

CFindReplaceDialog::CFindReplaceDialog() : CCommonDialog(nullptr)
{
    ZeroMemory(&m_fr, sizeof(m_fr));
    m_fr.lStructSize = sizeof(m_fr);
    m_fr.Flags = FR_ENABLEHOOK;
    m_fr.lpfnHook = &CFindReplaceDialog::HookProc;
    m_fr.lCustData = reinterpret_cast<LPARAM>(this);
    m_fr.lpstrFindWhat = m_szFindWhat;
    m_fr.wFindWhatLen = sizeof(m_szFindWhat);
    m_fr.lpstrReplaceWith = m_szReplaceWith;
    m_fr.wReplaceWithLen = sizeof(m_szReplaceWith);
}

BOOL CFindReplaceDialog::Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith,
                                DWORD dwFlags, CWnd* pParentWnd)
{
    m_fr.Flags |= dwFlags | FR_ENABLEHOOK;
    if (lpszFindWhat != nullptr)
        lstrcpyn(m_szFindWhat, lpszFindWhat, sizeof(m_szFindWhat));
    if (lpszReplaceWith != nullptr)
        lstrcpyn(m_szReplaceWith, lpszReplaceWith, sizeof(m_szReplaceWith));
    if (pParentWnd == nullptr)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    // The owner receives the dialog's messages: without one there is no dialog.
    m_fr.hwndOwner = pParentWnd->GetSafeHwnd();
    if (m_fr.hwndOwner == nullptr)
        return FALSE;
    HWND hWnd = bFindDialogOnly ? ::FindText(&m_fr) : ::ReplaceText(&m_fr);
    return hWnd != nullptr;
}

CFindReplaceDialog* PASCAL CFindReplaceDialog::GetNotifier(LPARAM lParam)
{
    auto* fr = reinterpret_cast<FINDREPLACE*>(lParam);
    return fr != nullptr ? reinterpret_cast<CFindReplaceDialog*>(fr->lCustData) : nullptr;
}

CString CFindReplaceDialog::GetFindString() const { return CString(m_fr.lpstrFindWhat); }
CString CFindReplaceDialog::GetReplaceString() const { return CString(m_fr.lpstrReplaceWith); }
BOOL CFindReplaceDialog::SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
BOOL CFindReplaceDialog::FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
BOOL CFindReplaceDialog::MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
BOOL CFindReplaceDialog::MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
BOOL CFindReplaceDialog::ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
BOOL CFindReplaceDialog::ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
BOOL CFindReplaceDialog::IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

void CFindReplaceDialog::PostNcDestroy()
{
    delete this;
}

UINT_PTR CALLBACK CFindReplaceDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return 0;
    auto* fr = reinterpret_cast<FINDREPLACE*>(lParam);
    auto* pDlg = reinterpret_cast<CFindReplaceDialog*>(fr->lCustData);
    return pDlg != nullptr ? pDlg->HookInitDialog(hWnd) : TRUE;
}
