// The interface language. Translations are resource libraries in the
// "Language" folder beside the executable, one per language, named after the
// executable with the language's three-letter abbreviation in place of its
// extension (Editor.exe: Language\EditorDEU.dll for German). The manager
// picks one at start-up and installs it as the resource module, lists the
// languages found in the Language menu and keeps the user's choice in the
// profile file ("Language" of the application's section); a change takes
// effect at the next start. Strings a library lacks come from the
// executable's own resources.
#pragma once

#include "platform/framework/Framework.h"

class CUILanguageManager
{
public:
    // Command ids of the Language menu: FirstCommandId + position in the
    // list of languages (the main frame routes the whole range here).
    static constexpr UINT FirstCommandId = 28416;
    static constexpr UINT LastCommandId = 28671;

    // Reads the default language from the executable's version resource;
    // no library is loaded yet.
    CUILanguageManager();
    // Frees the library (the executable's resources are used again).
    virtual ~CUILanguageManager();
    CUILanguageManager(const CUILanguageManager&) = delete;
    CUILanguageManager& operator=(const CUILanguageManager&) = delete;

    // Chooses and installs the start-up language: the first of the stored
    // choice ("Language" of section in profileFile, 1033 when missing; only
    // with a profile file), the user's interface language, the system's
    // interface language, the user's and the system's default language, each
    // with its fallbacks, that installs; else the default language. An empty
    // section means the application's name. TRUE when one was installed.
    BOOL LoadLanguage(LPCTSTR profileFile, LPCTSTR section);

    // The language in use (0 before LoadLanguage).
    LANGID GetLanguage() const { return m_current; }
    // The language of the executable's own resources (0 without a version
    // resource).
    LANGID GetDefaultLanguage() const { return m_default; }
    // The library's handle, or the framework's resource handle without one.
    HINSTANCE GetResourceHandle() const;
    // The languages the last menu showed, in menu order.
    const CWordArray& GetLanguages() const { return m_languages; }

    // Builds the Language popup for the menu item being updated: the default
    // language, then the language of every library found, with commands
    // firstId + index and the current one radio-checked; the item gets the
    // popup and is enabled. An item inside that popup is only enabled.
    void UpdateLanguageMenu(CCmdUI* pCmdUI, UINT firstId = FirstCommandId);
    // The user chose menu command id: stores its language as "Language" of
    // section (empty: the application's name) in profileFile (when given).
    // With applyNow the language is installed at once; otherwise the user is
    // asked, in the chosen language, to restart. Choosing the language in
    // use only stores it (undoing a choice that waits for a restart) and
    // says nothing. An id outside the list is ignored.
    void OnLanguage(UINT id, BOOL applyNow, LPCTSTR profileFile, LPCTSTR section);
    // Makes the default language current, stores it in profileFile and
    // installs it.
    void ResetLanguage(LPCTSTR profileFile);

    // Installs a language: the default one frees the library, any other loads
    // its library (replacing the one loaded). FALSE, with nothing changed,
    // for 0, a language without an abbreviation or a library that does not
    // load.
    virtual BOOL TryLanguage(LANGID langid);
    // The language, else its primary language alone, else (unless it was
    // the primary language's default sublanguage) the primary language with
    // its default sublanguage. 0 tries nothing.
    BOOL TryLanguageWithFallback(LANGID langid);

    // The path of the library of a language ("" without an abbreviation).
    CString GetLibraryPath(LANGID langid) const;

    // The native name of a language, else its name in the system's language,
    // else "<langid> - ???".
    static CString GetLanguageName(LANGID langid);
    // The language of a file's first version-resource translation entry; 0
    // when it has none.
    static LANGID GetFileLanguage(LPCTSTR path);

protected:
    // The executable whose folder and name the libraries follow.
    virtual CString GetProgramPath() const;
    // The operating system's candidates, in the order LoadLanguage tries
    // them (0 when the system cannot tell).
    virtual LANGID GetUserUILanguage() const;
    virtual LANGID GetSystemUILanguage() const;
    virtual LANGID GetUserLanguage() const;
    virtual LANGID GetSystemLanguage() const;

private:
    void FreeLibrary();
    void Install(HMODULE hLibrary);
    static CString SectionOrAppName(LPCTSTR section);

    CWordArray m_languages;
    LANGID m_default = 0;
    LANGID m_current = 0;
    HMODULE m_hLibrary = nullptr;
};
