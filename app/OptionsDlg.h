// The Setup Options dialog: the application's option word and the
// supplementary character set the grids use. OK writes both to the shared
// settings; Cancel changes nothing.
#pragma once

#include "platform/framework/Framework.h"
#include "app/AppRes.h"

// Bits of the option word ("KelVaron Settings"). The three warning bits are
// stored inverted: a set bit switches the warning off.
enum : DWORD
{
    OPTION_NO_UPDATE_WARNING = 0x1,     // store a changed component without asking
    OPTION_NO_DELETE_WARNING = 0x2,     // delete without the confirmation question
    OPTION_NO_ERROR_REPORT = 0x4,       // no report of errors in the internal structure
    OPTION_MAXIMIZE_APP = 0x8,          // the main window starts maximised
    OPTION_MAXIMIZE_DATABASE = 0x10,    // a database window opens maximised
    OPTION_OPEN_DEFAULT = 0x20,         // at start-up open the default database
    OPTION_OPEN_LAST = 0x40,            // at start-up open the last database (unless 0x20)
    OPTION_SHOW_QUERY_TAB = 0x80,
    OPTION_EXECUTE_SELECT = 0x100,      // run SELECT queries when chosen
    OPTION_NO_CURVE_FROM_TAB = 0x200,   // the curve type does not follow the tab
    OPTION_NO_UNITS_FROM_CURVE = 0x400, // the curve's units are not preset
};

class COptionsDialog : public CDialog
{
public:
    enum { IDD = IDD_OPTIONS };

    // Every box unchecked; reads the stored character set.
    explicit COptionsDialog(CWnd* pParent = nullptr);

    // The check states of an option word (the warnings inverted; the
    // default database radio wins when both start-up bits are set), and the
    // option word of the check states.
    void SetOptions(DWORD options);
    DWORD GetOptions() const;

    // The character sets offered: name and the GDI value kept as item data.
    struct CharSet { const char* name; int value; };
    static const CharSet kCharSets[14];

    // Check states (1 checked), in the order of the dialog.
    int m_bUpdateWarning = 0;
    int m_bDeleteWarning = 0;
    int m_bErrorReport = 0;
    int m_bMaximizeApp = 0;
    int m_bMaximizeDatabase = 0;
    int m_bOpenOnStartup = 0;
    int m_nStartupDatabase = 0;      // 0 the default database, 1 the last one
    int m_bShowQueryTab = 0;
    int m_bExecuteSelect = 0;
    int m_bNoCurveFromTab = 0;
    int m_bNoUnitsFromCurve = 0;
    // The stored character set; -1 when none is stored.
    int m_nCharSet = -1;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // The option word becomes the application's and is stored.
    void OnOK() override;
    afx_msg void OnOpenOnStartup();
    afx_msg void OnShowQueryTab();

    CComboBox m_charSet;

    DECLARE_MESSAGE_MAP()
};
