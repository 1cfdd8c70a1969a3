// The members of the application object that the units rely on.
#include <gtest/gtest.h>

#include "app/KelvaronApp.h"
#include "units/OZU_BaseDialog.h"
#include "tests/support/RegistryHelpers.h"
#include "tests/units/UnitsTestRes.h"

using kvtest::StoredText;
using kvtest::StoreText;

namespace {

const char kMisc[] = "VisualSettings\\Misc";

class KelvaronAppTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        kvtest::DeleteProductSubKey("VisualSettings");
        kvtest::DeleteProductSubKey("Units");
    }
    void TearDown() override
    {
        kvtest::DeleteProductSubKey("VisualSettings");
        kvtest::DeleteProductSubKey("Units");
    }
};

} // namespace

// Stored settings shared with the design program; out-of-range ones are
// used safely and left as they are stored.
TEST_F(KelvaronAppTest, SignificantDigitsFallBackSafely)
{
    struct Case { const char* stored; int digits; const char* storedAfter; };
    const Case cases[] = {
        {nullptr, 5, "5"}, {"7", 7, "7"},   {"1", 1, "1"},     {"16", 16, "16"},
        {"0", 5, "0"},     {"40", 16, "40"}, {"-3", 5, "-3"}, {"abc", 5, "abc"},
    };
    for (const Case& c : cases) {
        kvtest::DeleteProductSubKey("VisualSettings");
        if (c.stored)
            StoreText(kMisc, "SignificantDigits", c.stored);
        CKelvaronApp app;
        EXPECT_EQ(5, app.GetSignificantDigits()) << "before loading";
        app.LoadSignificantDigits();
        EXPECT_EQ(c.digits, app.GetSignificantDigits()) << (c.stored ? c.stored : "missing");
        EXPECT_EQ(c.storedAfter, StoredText(kMisc, "SignificantDigits"));
    }
}

TEST_F(KelvaronAppTest, SettingsGoThroughTheStore)
{
    CKelvaronApp app;
    EXPECT_EQ(&app, AfxGetApp());
    ASSERT_NE(nullptr, app.GetSettings());
    ASSERT_NE(nullptr, app.GetUnitSettings());
    EXPECT_EQ(1, app.GetUnitSettings()->IsValid());

    int value = 12;
    EXPECT_TRUE(app.WriteSetting("DatabaseSettings\\KvProbe", &value, CRegistrySettings::typeInt32, 4));
    EXPECT_EQ("12", StoredText("DatabaseSettings", "KvProbe"));
    char text[16] = {};
    EXPECT_TRUE(app.GetSettings()->ReadSetting("DatabaseSettings\\KvProbe", text, CRegistrySettings::typeText, 16));
    EXPECT_STREQ("12", text);
    int back = 0;
    EXPECT_TRUE(app.ReadSetting("DatabaseSettings\\KvProbe", &back, CRegistrySettings::typeInt32, 4));
    EXPECT_EQ(12, back);
    kvtest::DeleteProductSubKey("DatabaseSettings");
}

// The application's display units are saved when the application ends.
TEST_F(KelvaronAppTest, UnitsAreSavedWithTheApplication)
{
    {
        CKelvaronApp app;
        OZU_UnitSettings* units = app.GetUnitSettings();
        units->Load();
        units->SetUnits(*units->GetUSUnits());
    }
    EXPECT_EQ("6", StoredText("Units", "Pressure"));
    EXPECT_EQ("4", StoredText("Units", "LargeFlow"));
}

// Dialogs read the application's setting at each exchange.
TEST_F(KelvaronAppTest, DialogsUseTheApplicationsDigits)
{
    StoreText(kMisc, "SignificantDigits", "3");
    CKelvaronApp app;
    app.LoadSignificantDigits();
    EXPECT_EQ(3, OZU_BaseDialog::GetSignificantDigits());

    OZU_BaseDialog dialog(app.GetUnitSettings(), IDD_UNITS_EXCHANGE_TEST);
    ASSERT_TRUE(dialog.Create(IDD_UNITS_EXCHANGE_TEST));
    OZU_LengthValue length(1.23456789, LENGTH_M);
    CDataExchange load(&dialog, FALSE);
    OZU_BaseDialog::DDX_Length(&dialog, &load, IDC_UNITS_TEST_VALUE, length);
    CString shown;
    dialog.GetDlgItemText(IDC_UNITS_TEST_VALUE, shown);
    EXPECT_STREQ("1.235", shown.GetString());
    dialog.DestroyWindow();
}
