#include "app/UILanguageManager.h"
#include "app/AppRes.h"
#include "platform/framework/base/ProfileFile.h"

#include <vector>

namespace {

CString ExecutablePath()
{
    char path[MAX_PATH * 4] = {};
    DWORD n = ::GetModuleFileNameA(nullptr, path, (DWORD)sizeof(path));
    return n > 0 && n < sizeof(path) ? CString(path) : CString();
}

// The folder of a path with its trailing backslash, and the file name without
// its extension.
void SplitProgramPath(const CString& path, CString& folder, CString& baseName)
{
    int slash = path.ReverseFind('\\');
    folder = path.Left(slash + 1);
    baseName = path.Mid(slash + 1);
    int dot = baseName.ReverseFind('.');
    if (dot >= 0)
        baseName = baseName.Left(dot);
}

// A language-query function of kernel32 that older systems lack.
LANGID CallKernelLanguage(const char* name)
{
    using Query = LANGID(WINAPI*)();
    HMODULE hKernel = ::GetModuleHandleA("kernel32.dll");
    auto pfn = hKernel ? reinterpret_cast<Query>(reinterpret_cast<void*>(::GetProcAddress(hKernel, name))) : nullptr;
    return pfn ? pfn() : 0;
}

BOOL CALLBACK FirstResourceLanguage(HMODULE, LPCSTR, LPCSTR, WORD wLanguage, LONG_PTR lParam)
{
    *reinterpret_cast<LANGID*>(lParam) = wLanguage;
    return FALSE; // the first one is enough
}

// A locale text of a language as UTF-16.
std::wstring LocaleText(LANGID langid, LCTYPE type)
{
    wchar_t text[201] = {};
    if (::GetLocaleInfoW(MAKELCID(langid, SORT_DEFAULT), type, text, 200) <= 0)
        return std::wstring();
    return text;
}

} // namespace

CUILanguageManager::CUILanguageManager()
{
    m_default = GetFileLanguage(ExecutablePath());
}

CUILanguageManager::~CUILanguageManager()
{
    FreeLibrary();
}

CString CUILanguageManager::GetProgramPath() const
{
    return ExecutablePath();
}

LANGID CUILanguageManager::GetUserUILanguage() const
{
    return CallKernelLanguage("GetUserDefaultUILanguage");
}

LANGID CUILanguageManager::GetSystemUILanguage() const
{
    if (LANGID langid = CallKernelLanguage("GetSystemDefaultUILanguage"))
        return langid;
    // Without the query, the language of the system's own version resource.
    LANGID langid = 0;
    if (HMODULE hNtdll = ::GetModuleHandleA("ntdll.dll"))
        ::EnumResourceLanguagesA(hNtdll, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1), &FirstResourceLanguage,
                                 reinterpret_cast<LONG_PTR>(&langid));
    return langid;
}

LANGID CUILanguageManager::GetUserLanguage() const
{
    return ::GetUserDefaultLangID();
}

LANGID CUILanguageManager::GetSystemLanguage() const
{
    return ::GetSystemDefaultLangID();
}

HINSTANCE CUILanguageManager::GetResourceHandle() const
{
    return m_hLibrary != nullptr ? (HINSTANCE)m_hLibrary : AfxGetResourceHandle();
}

CString CUILanguageManager::GetLibraryPath(LANGID langid) const
{
    char abbreviation[16] = {};
    if (langid == 0 ||
        ::GetLocaleInfoA(MAKELCID(langid, SORT_DEFAULT), LOCALE_SABBREVLANGNAME, abbreviation, sizeof(abbreviation)) <= 0 ||
        abbreviation[0] == '\0')
        return CString();
    CString folder, baseName;
    SplitProgramPath(GetProgramPath(), folder, baseName);
    return folder + "Language\\" + baseName + abbreviation + ".dll";
}

void CUILanguageManager::FreeLibrary()
{
    if (m_hLibrary == nullptr)
        return;
    if (AfxGetResourceHandle() == (HINSTANCE)m_hLibrary)
        AfxSetResourceHandle(AfxGetInstanceHandle());
    ::FreeLibrary(m_hLibrary);
    m_hLibrary = nullptr;
}

void CUILanguageManager::Install(HMODULE hLibrary)
{
    FreeLibrary();
    m_hLibrary = hLibrary;
    AfxSetResourceHandle(hLibrary != nullptr ? (HINSTANCE)hLibrary : AfxGetInstanceHandle());
}

BOOL CUILanguageManager::TryLanguage(LANGID langid)
{
    if (langid == 0)
        return FALSE;
    if (langid == m_default) {
        Install(nullptr);
        m_current = langid;
        return TRUE;
    }
    CString path = GetLibraryPath(langid);
    if (path.IsEmpty())
        return FALSE;
    // A language library holds resources only: it is mapped as data, so that
    // no code of it runs.
    HMODULE hLibrary = ::LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (hLibrary == nullptr)
        return FALSE;
    Install(hLibrary);
    m_current = langid;
    return TRUE;
}

BOOL CUILanguageManager::TryLanguageWithFallback(LANGID langid)
{
    if (langid == 0)
        return FALSE;
    if (TryLanguage(langid))
        return TRUE;
    const WORD sublanguage = SUBLANGID(langid);
    const WORD primary = PRIMARYLANGID(langid);
    if (sublanguage != SUBLANG_NEUTRAL && TryLanguage(MAKELANGID(primary, SUBLANG_NEUTRAL)))
        return TRUE;
    if (sublanguage == SUBLANG_DEFAULT)
        return FALSE;
    return TryLanguage(MAKELANGID(primary, SUBLANG_DEFAULT));
}

CString CUILanguageManager::SectionOrAppName(LPCTSTR section)
{
    if (section != nullptr && *section != '\0')
        return CString(section);
    return CString(AfxGetAppName());
}

BOOL CUILanguageManager::LoadLanguage(LPCTSTR profileFile, LPCTSTR section)
{
    std::vector<LANGID> candidates;
    if (profileFile != nullptr && *profileFile != '\0')
        candidates.push_back((LANGID)kvprofile::ReadInt(profileFile, SectionOrAppName(section), "Language", 1033));
    candidates.push_back(GetUserUILanguage());
    candidates.push_back(GetSystemUILanguage());
    candidates.push_back(GetUserLanguage());
    candidates.push_back(GetSystemLanguage());
    for (LANGID langid : candidates) {
        if (TryLanguageWithFallback(langid))
            return TRUE;
    }
    return TryLanguage(m_default);
}

void CUILanguageManager::UpdateLanguageMenu(CCmdUI* pCmdUI, UINT firstId)
{
    if (pCmdUI == nullptr || pCmdUI->m_pMenu == nullptr)
        return;
    HMENU hParent = pCmdUI->m_pMenu->GetSafeHmenu();
    if (hParent == nullptr)
        return;
    // An entry of the Language popup itself: only enabled.
    if (pCmdUI->m_pSubMenu == nullptr && pCmdUI->m_nID >= firstId &&
        pCmdUI->m_nID < firstId + (UINT)m_languages.GetSize()) {
        pCmdUI->Enable(TRUE);
        return;
    }

    // The list: the executable's own language, then every library found.
    m_languages.RemoveAll();
    if (m_default != 0)
        m_languages.Add(m_default);
    CString folder, baseName;
    SplitProgramPath(GetProgramPath(), folder, baseName);
    const CString languageFolder = folder + "Language\\";
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA(languageFolder + baseName + "???.dll", &data);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            if (LANGID langid = GetFileLanguage(languageFolder + data.cFileName))
                m_languages.Add(langid);
        } while (::FindNextFileA(hFind, &data));
        ::FindClose(hFind);
    }

    CMenu popup;
    if (!popup.CreatePopupMenu())
        return;
    const int count = (int)m_languages.GetSize();
    for (int i = 0; i < count; i++)
        popup.AppendMenu(MF_STRING, firstId + (UINT)i, GetLanguageName(m_languages[i]));
    for (int i = 0; i < count; i++) {
        if (m_languages[i] == m_current) {
            ::CheckMenuRadioItem(popup.GetSafeHmenu(), firstId, firstId + (UINT)count - 1, firstId + (UINT)i,
                                 MF_BYCOMMAND);
            break;
        }
    }

    // The item opens the new popup; the one it opened before goes.
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU;
    HMENU hOld = nullptr;
    if (::GetMenuItemInfoA(hParent, pCmdUI->m_nIndex, TRUE, &info))
        hOld = info.hSubMenu;
    info.fMask = MIIM_SUBMENU;
    info.hSubMenu = popup.GetSafeHmenu();
    if (::SetMenuItemInfoA(hParent, pCmdUI->m_nIndex, TRUE, &info)) {
        popup.Detach();
        if (hOld != nullptr && hOld != info.hSubMenu)
            ::DestroyMenu(hOld);
    }
    ::EnableMenuItem(hParent, pCmdUI->m_nIndex, MF_BYPOSITION | MF_ENABLED);
    pCmdUI->m_bEnableChanged = TRUE;
}

void CUILanguageManager::OnLanguage(UINT id, BOOL applyNow, LPCTSTR profileFile, LPCTSTR section)
{
    if (id < FirstCommandId || id - FirstCommandId >= (UINT)m_languages.GetSize())
        return;
    const LANGID chosen = m_languages[(INT_PTR)(id - FirstCommandId)];
    if (profileFile != nullptr && *profileFile != '\0') {
        CString value;
        value.Format("%ld", (long)chosen);
        kvprofile::WriteString(profileFile, SectionOrAppName(section), "Language", value);
    }
    if (applyNow) {
        LoadLanguage(profileFile, section);
        return;
    }
    // The language in use: the stored choice is back to it (a choice made
    // before it no longer waits for a restart) and there is nothing to say.
    if (chosen == m_current)
        return;

    // The message comes from the chosen language's library, so that the user
    // reads it in the language just chosen; the running interface stays.
    CString format;
    HMODULE hChosen = nullptr;
    if (chosen != m_default) {
        CString path = GetLibraryPath(chosen);
        if (!path.IsEmpty())
            hChosen = ::LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    if (hChosen == nullptr || !format.LoadString((HINSTANCE)hChosen, IDS_PLEASE_RESTART))
        format.LoadString(chosen == m_default ? AfxGetInstanceHandle() : GetResourceHandle(), IDS_PLEASE_RESTART);
    if (hChosen != nullptr)
        ::FreeLibrary(hChosen);
    CString text;
    text.FormatMessage((LPCTSTR)format, AfxGetAppName());
    AfxMessageBox(text, MB_ICONINFORMATION);
}

void CUILanguageManager::ResetLanguage(LPCTSTR profileFile)
{
    m_current = m_default;
    if (profileFile != nullptr && *profileFile != '\0') {
        CString value;
        value.Format("%ld", (long)m_default);
        kvprofile::WriteString(profileFile, SectionOrAppName(nullptr), "Language", value);
    }
    TryLanguage(m_default);
}

CString CUILanguageManager::GetLanguageName(LANGID langid)
{
    CString name;
    std::wstring native = LocaleText(langid, LOCALE_SNATIVELANGNAME);
    if (!native.empty()) {
        // The narrow text is in the system's code page; a name it cannot
        // spell is not shown with substitute characters.
        const UINT codePage = ::GetACP();
        BOOL usedDefault = FALSE;
        const bool utf8 = codePage == CP_UTF8;
        int n = ::WideCharToMultiByte(codePage, 0, native.c_str(), -1, nullptr, 0, utf8 ? nullptr : "X",
                                      utf8 ? nullptr : &usedDefault);
        if (n > 0 && !usedDefault) {
            std::vector<char> text((size_t)n);
            ::WideCharToMultiByte(codePage, 0, native.c_str(), -1, text.data(), n, utf8 ? nullptr : "X",
                                  utf8 ? nullptr : &usedDefault);
            if (!usedDefault)
                name = text.data();
        }
    }
    if (name.IsEmpty()) {
        char text[201] = {};
        if (::GetLocaleInfoA(MAKELCID(langid, SORT_DEFAULT), LOCALE_SLANGUAGE, text, 200) > 0)
            name = text;
    }
    if (name.IsEmpty())
        name.Format("%u - ???", (unsigned)langid);
    return name;
}

LANGID CUILanguageManager::GetFileLanguage(LPCTSTR path)
{
    if (path == nullptr || *path == '\0')
        return 0;
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path, &handle);
    if (size == 0)
        return 0;
    std::vector<BYTE> data(size);
    if (!::GetFileVersionInfoA(path, 0, size, data.data()))
        return 0;
    WORD* pTranslation = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&pTranslation),
                          &length) ||
        pTranslation == nullptr || length < 2 * sizeof(WORD))
        return 0;
    return pTranslation[0];
}
