// The Setup Options and Units dialogs in real windows, driven by their
// buttons' messages, on the application's option word and display units.
#include "app/KelvaronApp.h"
#include "app/OptionsDlg.h"
#include "app/UnitsDlg.h"
#include "tests/support/RegistryHelpers.h"

#include <gtest/gtest.h>

#include <vector>

using kvtest::StoredText;
using kvtest::StoreText;

namespace {

void Click(CWnd& dialog, int nID)
{
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(dialog.m_hWnd, nID));
}

bool Checked(CWnd& dialog, int nID)
{
    return ::IsDlgButtonChecked(dialog.m_hWnd, nID) == BST_CHECKED;
}

bool Enabled(CWnd& dialog, int nID)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog.m_hWnd, nID)) != FALSE;
}

void SetCheck(CWnd& dialog, int nID, bool checked)
{
    ::CheckDlgButton(dialog.m_hWnd, nID, checked ? BST_CHECKED : BST_UNCHECKED);
}

int Selection(CWnd& dialog, int nID)
{
    return (int)::SendDlgItemMessageA(dialog.m_hWnd, nID, CB_GETCURSEL, 0, 0);
}

std::string SelectedText(CWnd& dialog, int nID)
{
    int index = Selection(dialog, nID);
    char text[64] = {};
    if (index >= 0)
        ::SendDlgItemMessageA(dialog.m_hWnd, nID, CB_GETLBTEXT, index, (LPARAM)text);
    return text;
}

void Select(CWnd& dialog, int nID, int index)
{
    ::SendDlgItemMessageA(dialog.m_hWnd, nID, CB_SETCURSEL, index, 0);
}

class SettingsDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        kvtest::DeleteProductSubKey("Units");
        kvtest::DeleteProductSubKey("AppSettings");
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kvtest::kProductKey, "KelVaron Settings");
        m_app = std::make_unique<CKelvaronApp>();
    }
    void TearDown() override
    {
        m_app.reset();
        kvtest::DeleteProductSubKey("Units");
        kvtest::DeleteProductSubKey("AppSettings");
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kvtest::kProductKey, "KelVaron Settings");
    }

    std::unique_ptr<CKelvaronApp> m_app;
};

} // namespace

// The check boxes of an option word and back: the warnings inverted, the
// default database winning over the last one.
TEST(OptionWord, ChecksOfTheWordAndBack)
{
    struct Case { DWORD word; DWORD packed; int startupRadio; };
    const Case cases[] = {
        {0x000, 0x000, 0},
        {0x007, 0x007, 0},
        {0x7D8, 0x7D8, 1},
        {0x060, 0x020, 0},   // both start-up bits: the default database
        {0x040, 0x040, 1},
        {0x7FF & ~0x40u, 0x7FF & ~0x40u, 0},
        {0xFFFFF800, 0x000, 0}, // bits above 0x400 are never kept
    };
    for (const Case& c : cases) {
        COptionsDialog dialog;
        dialog.SetOptions(c.word);
        EXPECT_EQ(c.startupRadio, dialog.m_nStartupDatabase) << std::hex << c.word;
        EXPECT_EQ((c.word & 1) ? 0 : 1, dialog.m_bUpdateWarning);
        EXPECT_EQ(c.packed, dialog.GetOptions()) << std::hex << c.word;
    }
}

TEST_F(SettingsDialogTest, OptionsDialogWritesTheWordAndCharacterSet)
{
    m_app->SetOptions(0x0);
    COptionsDialog dialog;
    EXPECT_EQ(-1, dialog.m_nCharSet);
    ASSERT_TRUE(dialog.Create(IDD_OPTIONS));

    // No option set: the warnings checked, nothing else; the radios and the
    // automatic SELECT follow their boxes.
    EXPECT_TRUE(Checked(dialog, IDC_OPT_NO_UPDATE_WARNING));
    EXPECT_TRUE(Checked(dialog, IDC_OPT_NO_DELETE_WARNING));
    EXPECT_TRUE(Checked(dialog, IDC_OPT_NO_ERROR_REPORT));
    EXPECT_FALSE(Checked(dialog, IDC_OPT_OPEN_ON_STARTUP));
    EXPECT_FALSE(Enabled(dialog, IDC_OPT_DEFAULT_DATABASE));
    EXPECT_FALSE(Enabled(dialog, IDC_OPT_LAST_DATABASE));
    EXPECT_FALSE(Enabled(dialog, IDC_OPT_EXECUTE_SELECT));
    EXPECT_EQ(-1, Selection(dialog, IDC_OPT_CHARSET));
    EXPECT_EQ(14, (int)::SendDlgItemMessageA(dialog.m_hWnd, IDC_OPT_CHARSET, CB_GETCOUNT, 0, 0));

    // Every box checked with "Last database".
    for (int id : {IDC_OPT_MAXIMIZE_APP, IDC_OPT_MAXIMIZE_DATABASE, IDC_OPT_OPEN_ON_STARTUP,
                   IDC_OPT_NO_CURVE_FROM_TAB, IDC_OPT_NO_UNITS_FROM_CURVE})
        SetCheck(dialog, id, true);
    Click(dialog, IDC_OPT_OPEN_ON_STARTUP);
    EXPECT_TRUE(Enabled(dialog, IDC_OPT_LAST_DATABASE));
    SetCheck(dialog, IDC_OPT_DEFAULT_DATABASE, false);
    SetCheck(dialog, IDC_OPT_LAST_DATABASE, true);
    SetCheck(dialog, IDC_OPT_SHOW_QUERY_TAB, true);
    Click(dialog, IDC_OPT_SHOW_QUERY_TAB);
    EXPECT_TRUE(Enabled(dialog, IDC_OPT_EXECUTE_SELECT));
    EXPECT_TRUE(Checked(dialog, IDC_OPT_EXECUTE_SELECT));
    Select(dialog, IDC_OPT_CHARSET, 11); // Cyrillic
    Click(dialog, IDOK);

    EXPECT_EQ(0x7D8u, m_app->GetOptions());
    EXPECT_EQ("2008", StoredText("", "KelVaron Settings"));
    EXPECT_EQ("204", StoredText("AppSettings\\Misc", "CharSet"));
    dialog.DestroyWindow();
}

// Unchecking "Show query tab." disables "Execute SELECT queries
// automatically." but keeps its mark, so its bit is still written; a stored
// character set is selected.
TEST_F(SettingsDialogTest, OptionsDialogKeepsTheSelectMarkAndShowsTheCharacterSet)
{
    StoreText("AppSettings\\Misc", "CharSet", "238");
    m_app->SetOptions(0x180 | 0x40 | 0x2);
    COptionsDialog dialog;
    EXPECT_EQ(238, dialog.m_nCharSet);
    ASSERT_TRUE(dialog.Create(IDD_OPTIONS));
    EXPECT_EQ("Central European", SelectedText(dialog, IDC_OPT_CHARSET));
    EXPECT_FALSE(Checked(dialog, IDC_OPT_NO_DELETE_WARNING));
    EXPECT_TRUE(Checked(dialog, IDC_OPT_LAST_DATABASE));
    EXPECT_FALSE(Checked(dialog, IDC_OPT_DEFAULT_DATABASE));
    EXPECT_TRUE(Enabled(dialog, IDC_OPT_EXECUTE_SELECT));

    SetCheck(dialog, IDC_OPT_SHOW_QUERY_TAB, false);
    Click(dialog, IDC_OPT_SHOW_QUERY_TAB);
    EXPECT_FALSE(Enabled(dialog, IDC_OPT_EXECUTE_SELECT));
    EXPECT_TRUE(Checked(dialog, IDC_OPT_EXECUTE_SELECT));
    SetCheck(dialog, IDC_OPT_OPEN_ON_STARTUP, false);
    Click(dialog, IDC_OPT_OPEN_ON_STARTUP);
    EXPECT_FALSE(Enabled(dialog, IDC_OPT_LAST_DATABASE));
    Click(dialog, IDOK);
    EXPECT_EQ(0x102u, m_app->GetOptions());
    EXPECT_EQ("258", StoredText("", "KelVaron Settings"));
    EXPECT_EQ("238", StoredText("AppSettings\\Misc", "CharSet"));
    dialog.DestroyWindow();
}

TEST_F(SettingsDialogTest, OptionsDialogCancelChangesNothing)
{
    m_app->SetOptions(0x8);
    COptionsDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_OPTIONS));
    SetCheck(dialog, IDC_OPT_MAXIMIZE_APP, false);
    Select(dialog, IDC_OPT_CHARSET, 3);
    Click(dialog, IDCANCEL);
    EXPECT_EQ(0x8u, m_app->GetOptions());
    EXPECT_EQ("<none>", StoredText("", "KelVaron Settings"));
    EXPECT_EQ("<none>", StoredText("AppSettings\\Misc", "CharSet"));
    dialog.DestroyWindow();
}

// The boxes show the stored units; US then OK stores the US preset for every
// quantity of the dialog and keeps the Import unit and decimal places.
TEST_F(SettingsDialogTest, UnitsDialogPresetsAndOK)
{
    StoreText("Units", "Pressure", "2");   // bar
    StoreText("Units", "Import", "5");     // km
    StoreText("Units", "DecPlaces", "4");
    OZU_UnitSettings* units = m_app->GetUnitSettings();
    CUnitsDlg dialog(units);
    EXPECT_EQ(2, units->GetUnits()->m_Pressure.GetUnit()); // read again when made
    ASSERT_TRUE(dialog.Create(IDD_UNITS));

    EXPECT_EQ("bar", SelectedText(dialog, IDC_UNITS_PRESSURE));
    EXPECT_EQ("m", SelectedText(dialog, IDC_UNITS_DISTANCE));
    EXPECT_EQ("mm", SelectedText(dialog, IDC_UNITS_DIAMETER));
    const int offered[] = {6, 4, 4, 4, 5, 9, 5, 4, 8, 8, 4, 7, 2, 1};
    for (int i = 0; i < 14; i++)
        EXPECT_EQ(offered[i], (int)::SendDlgItemMessageA(dialog.m_hWnd, CUnitsDlg::kQuantities[i].controlId,
                                                          CB_GETCOUNT, 0, 0));

    Click(dialog, IDC_UNITS_US);
    EXPECT_EQ("psi", SelectedText(dialog, IDC_UNITS_PRESSURE));
    EXPECT_EQ("ft", SelectedText(dialog, IDC_UNITS_DISTANCE));
    EXPECT_EQ("in", SelectedText(dialog, IDC_UNITS_DIAMETER));
    EXPECT_EQ("US gph", SelectedText(dialog, IDC_UNITS_OUTLET_FLOW));
    // Nothing is stored before OK.
    EXPECT_EQ("2", StoredText("Units", "Pressure"));
    Click(dialog, IDOK);

    const OZU_UnitSet& us = *units->GetUSUnits();
    const OZU_UnitSet& now = *units->GetUnits();
    EXPECT_EQ(us.m_Pressure.GetUnit(), now.m_Pressure.GetUnit());
    EXPECT_EQ(us.m_Distance.GetUnit(), now.m_Distance.GetUnit());
    EXPECT_EQ(us.m_Length.GetUnit(), now.m_Length.GetUnit());
    EXPECT_EQ(us.m_Flow.GetUnit(), now.m_Flow.GetUnit());
    EXPECT_EQ(5, now.m_Import.GetUnit());
    EXPECT_EQ(4, now.m_nDecPlaces);
    EXPECT_EQ("6", StoredText("Units", "Pressure"));
    EXPECT_EQ("3", StoredText("Units", "Distance"));
    EXPECT_EQ("3", StoredText("Units", "Length"));
    EXPECT_EQ("5", StoredText("Units", "Import"));
    EXPECT_EQ("4", StoredText("Units", "DecPlaces"));
    dialog.DestroyWindow();
}

// Distance carries Length with it, Outlet Flow carries Flow; Cancel stores
// nothing.
TEST_F(SettingsDialogTest, UnitsDialogLinkedQuantitiesAndCancel)
{
    OZU_UnitSettings* units = m_app->GetUnitSettings();
    {
        CUnitsDlg dialog(units);
        ASSERT_TRUE(dialog.Create(IDD_UNITS));
        Select(dialog, IDC_UNITS_DISTANCE, 5);       // km
        Select(dialog, IDC_UNITS_OUTLET_FLOW, 2);    // lps
        Select(dialog, IDC_UNITS_SYSTEM_FLOW, 4);    // US gpm
        Click(dialog, IDCANCEL);
        EXPECT_EQ("<none>", StoredText("Units", "Distance"));
        dialog.DestroyWindow();
    }
    CUnitsDlg dialog(units);
    ASSERT_TRUE(dialog.Create(IDD_UNITS));
    Select(dialog, IDC_UNITS_DISTANCE, 5);
    Select(dialog, IDC_UNITS_OUTLET_FLOW, 2);
    Select(dialog, IDC_UNITS_SYSTEM_FLOW, 4);
    Click(dialog, IDOK);
    EXPECT_EQ("5", StoredText("Units", "Distance"));
    EXPECT_EQ("5", StoredText("Units", "Length"));
    EXPECT_EQ("2", StoredText("Units", "SmallFlow"));
    EXPECT_EQ("2", StoredText("Units", "Flow"));
    EXPECT_EQ("4", StoredText("Units", "LargeFlow"));
    dialog.DestroyWindow();
}

// A stored unit the dialog does not offer (centimetres as the distance,
// radians) shows no selection and stays as it is on OK.
TEST_F(SettingsDialogTest, UnitsDialogKeepsUnitsItDoesNotOffer)
{
    StoreText("Units", "Distance", "6");
    StoreText("Units", "Angle", "1");
    CUnitsDlg dialog(m_app->GetUnitSettings());
    ASSERT_TRUE(dialog.Create(IDD_UNITS));
    EXPECT_EQ(-1, Selection(dialog, IDC_UNITS_DISTANCE));
    EXPECT_EQ(-1, Selection(dialog, IDC_UNITS_ANGLE));
    Click(dialog, IDOK);
    EXPECT_EQ(6, m_app->GetUnitSettings()->GetUnits()->m_Distance.GetUnit());
    EXPECT_EQ("6", StoredText("Units", "Distance"));
    EXPECT_EQ("1", StoredText("Units", "Angle"));
    dialog.DestroyWindow();
}
