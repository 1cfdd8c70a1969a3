// The unit-aware data exchange in a real dialog (template of the resource
// script), with the message boxes it shows caught and closed by a hook.
#include <gtest/gtest.h>

#include "units/OZU_BaseDialog.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/RegistryHelpers.h"
#include "tests/units/UnitsTestRes.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

// Catches every message box of this thread: records its text and presses OK.
class MessageBoxCatcher
{
public:
    MessageBoxCatcher() : m_watcher(&s_texts) { s_texts.clear(); }

    static std::vector<std::string> Take()
    {
        std::vector<std::string> texts;
        texts.swap(s_texts);
        return texts;
    }

private:
    static std::vector<std::string> s_texts;
    kvtest::MessageBoxWatcher m_watcher;
};
std::vector<std::string> MessageBoxCatcher::s_texts;

const UINT WM_RUN_STEP = WM_APP + 1;

// The test dialog: its exchange is whatever the test sets.
class TestDialog : public OZU_BaseDialog
{
public:
    explicit TestDialog(OZU_UnitSettings* pSettings)
        : OZU_BaseDialog(pSettings, IDD_UNITS_EXCHANGE_TEST)
    {
    }

    std::function<void(CDataExchange*)> m_exchange;
    std::vector<std::function<void()>> m_steps; // run one by one while modal
    LANGID m_language = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

    std::string Text(int nID) const
    {
        CString s;
        GetDlgItemText(nID, s);
        return s.GetString();
    }
    // Presses OK as a user would, then runs the next step.
    void PressOK()
    {
        PostMessage(WM_COMMAND, IDOK, 0);
        PostMessage(WM_RUN_STEP, 0, 0);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (m_exchange)
            m_exchange(pDX);
    }
    BOOL OnInitDialog() override
    {
        BOOL result = OZU_BaseDialog::OnInitDialog();
        if (!m_steps.empty())
            PostMessage(WM_RUN_STEP, 0, 0);
        return result;
    }
    LANGID GetInterfaceLanguage() const override { return m_language; }

    afx_msg LRESULT OnRunStep(WPARAM, LPARAM)
    {
        if (m_step < m_steps.size())
            m_steps[m_step++]();
        return 0;
    }

    size_t m_step = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDialog, OZU_BaseDialog)
    ON_MESSAGE(WM_RUN_STEP, OnRunStep)
END_MESSAGE_MAP()

class ExchangeDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        kvtest::DeleteProductSubKey("Units");
        m_dialog.reset(new TestDialog(&m_settings));
    }
    void TearDown() override
    {
        if (m_dialog->GetSafeHwnd())
            m_dialog->DestroyWindow();
        m_dialog.reset();
        kvtest::DeleteProductSubKey("Units");
    }

    // A modeless dialog exchanging one value.
    template <class V>
    void Open(void (*ddx)(OZU_BaseDialog*, CDataExchange*, int, V&), V& value)
    {
        m_dialog->m_exchange = [this, ddx, &value](CDataExchange* pDX) {
            ddx(m_dialog.get(), pDX, IDC_UNITS_TEST_VALUE, value);
        };
        ASSERT_TRUE(m_dialog->Create(IDD_UNITS_EXCHANGE_TEST));
    }
    void Type(const char* text) { m_dialog->SetDlgItemText(IDC_UNITS_TEST_VALUE, text); }

    // Types a number into the value control of the open dialog, exchanged
    // through ddx on a value of 1 in unit 0, presses OK and gives the
    // message boxes shown; the value must be left alone when refused.
    template <class V>
    std::function<std::vector<std::string>(const char*)> Typing(
        void (*ddx)(OZU_BaseDialog*, CDataExchange*, int, V&))
    {
        return [this, ddx](const char* typed) {
            V value(1.0, 0);
            m_dialog->m_exchange = [this, ddx, &value](CDataExchange* pDX) {
                ddx(m_dialog.get(), pDX, IDC_UNITS_TEST_VALUE, value);
            };
            Type(typed);
            bool accepted = m_dialog->UpdateData(TRUE) != FALSE;
            if (!accepted)
                EXPECT_EQ(1.0, value.GetValue()) << typed;
            return MessageBoxCatcher::Take();
        };
    }

    void SetDisplayUnits(void (*change)(OZU_UnitSet&))
    {
        OZU_UnitSet units = *m_settings.GetUnits();
        change(units);
        m_settings.SetUnits(units);
    }

    OZU_UnitSettings m_settings;
    std::unique_ptr<TestDialog> m_dialog;
    MessageBoxCatcher m_boxes;
};

} // namespace

// Typed diameters against the default limits, shown in mm with 5 digits.
TEST_F(ExchangeDialogTest, DiameterAgainstDefaultLimits)
{
    OZU_DiameterValue diameter(25.0, LENGTH_MM);
    Open(&OZU_BaseDialog::DDX_Diameter, diameter);
    EXPECT_EQ("25", m_dialog->Text(IDC_UNITS_TEST_VALUE));

    struct Case { const char* typed; bool accepted; const char* message; double stored; };
    const Case cases[] = {
        {"0.05", false, "Range is 0.1 - 10000 mm", 25.0},
        {"0.01", false, "Range is 0.1 - 10000 mm", 25.0},   // below both minima
        {"10000.5", false, "Range is 0.1 - 10000 mm", 25.0},
        {"0.3", true, "Recommended minimum is  0.5 mm", 0.3},
        {"2000", true, "Recommended maximum is 1000 mm", 2000.0},
        {"0.1", true, "Recommended minimum is  0.5 mm", 0.1}, // the hard minimum itself
        {"0.5", true, nullptr, 0.5},
        {"1000", true, nullptr, 1000.0},
        {"63.5", true, nullptr, 63.5},
    };
    for (const Case& c : cases) {
        *diameter.GetValuePtr() = 25.0;
        Type(c.typed);
        EXPECT_EQ(c.accepted, m_dialog->UpdateData(TRUE) != FALSE) << c.typed;
        std::vector<std::string> expected;
        if (c.message)
            expected.push_back(c.message);
        EXPECT_EQ(expected, MessageBoxCatcher::Take()) << c.typed;
        EXPECT_EQ(c.stored, diameter.GetValue()) << c.typed;
        EXPECT_EQ(LENGTH_MM, diameter.GetUnit());
        if (!c.accepted) {
            EXPECT_EQ(m_dialog->GetDlgItem(IDC_UNITS_TEST_VALUE)->GetSafeHwnd(), ::GetFocus())
                << c.typed;
        }
    }

    // Both kinds of range message are plain boxes, without an icon.
    kvtest::MessageBoxWatcher plain;
    Type("0.05");
    EXPECT_FALSE(m_dialog->UpdateData(TRUE));
    Type("2000");
    EXPECT_TRUE(m_dialog->UpdateData(TRUE));
    EXPECT_EQ((std::vector<std::string>{"Range is 0.1 - 10000 mm", "Recommended maximum is 1000 mm"}),
              plain.Texts());
    EXPECT_EQ((std::vector<bool>{false, false}), plain.Icons());
}

// Limits in another unit are converted into the display unit and rounded
// before they are compared and shown.
TEST_F(ExchangeDialogTest, LimitsAreConvertedIntoDisplayUnit)
{
    SetDisplayUnits([](OZU_UnitSet& u) { u.m_Diameter.SetUnit(LENGTH_IN); });
    OZU_DiameterValue diameter(50.8, LENGTH_MM);
    Open(&OZU_BaseDialog::DDX_Diameter, diameter);
    EXPECT_EQ("2", m_dialog->Text(IDC_UNITS_TEST_VALUE));

    Type("393.701");
    EXPECT_TRUE(m_dialog->UpdateData(TRUE));
    EXPECT_EQ(std::vector<std::string>{"Recommended maximum is 39.3701 in"}, MessageBoxCatcher::Take());
    EXPECT_EQ(393.701 * (double)(0.0254f / 0.001f), diameter.GetValue());
    EXPECT_EQ(LENGTH_MM, diameter.GetUnit());

    Type("393.702");
    EXPECT_FALSE(m_dialog->UpdateData(TRUE));
    EXPECT_EQ(std::vector<std::string>{"Range is 0.00393701 - 393.701 in"}, MessageBoxCatcher::Take());
}

// Loading shows the rounded number; saving keeps the value's own unit and
// its validity flag.
TEST_F(ExchangeDialogTest, ValueKeepsItsOwnUnit)
{
    OZU_LengthValue length(1.23456789, LENGTH_M);
    Open(&OZU_BaseDialog::DDX_Length, length);
    EXPECT_EQ("1.23457", m_dialog->Text(IDC_UNITS_TEST_VALUE));

    OZU_LengthValue feet; // never set: invalid, unit index 0 until set
    feet.SetValue(10.0, LENGTH_FT);
    OZU_LengthValue unset;
    m_dialog->m_exchange = [&](CDataExchange* pDX) {
        OZU_BaseDialog::DDX_Length(m_dialog.get(), pDX, IDC_UNITS_TEST_VALUE, feet);
        OZU_BaseDialog::DDX_Length(m_dialog.get(), pDX, IDC_UNITS_TEST_TEXT, unset);
    };
    m_dialog->UpdateData(FALSE);
    EXPECT_EQ("3.048", m_dialog->Text(IDC_UNITS_TEST_VALUE));
    Type("5");
    m_dialog->SetDlgItemText(IDC_UNITS_TEST_TEXT, "2");
    EXPECT_TRUE(m_dialog->UpdateData(TRUE));
    EXPECT_TRUE(MessageBoxCatcher::Take().empty());
    EXPECT_EQ(LENGTH_FT, feet.GetUnit());
    EXPECT_EQ(5.0 * (double)(1.0f / 0.3048f), feet.GetValue());
    EXPECT_EQ(1, feet.IsValid());
    EXPECT_EQ(2.0 * (double)(1.0f / 0.001f), unset.GetValue()); // held in unit 0, mm
    EXPECT_EQ(0, unset.IsValid());
}

// Every quantity uses its own display unit, limits and unit name.
TEST_F(ExchangeDialogTest, EveryQuantityHasItsOwnRow)
{
    OZU_PressureValue pressure(10.0, PRESSURE_M);
    Open(&OZU_BaseDialog::DDX_Pressure, pressure);
    Type("-2000");
    EXPECT_FALSE(m_dialog->UpdateData(TRUE));
    EXPECT_EQ(std::vector<std::string>{"Range is -1000 - 10000000000 m"}, MessageBoxCatcher::Take());

    OZU_LargeFlowValue flow(1.0, FLOW_M3H);
    m_dialog->m_exchange = [&](CDataExchange* pDX) {
        OZU_BaseDialog::DDX_LargeFlow(m_dialog.get(), pDX, IDC_UNITS_TEST_VALUE, flow);
    };
    Type("6000");
    EXPECT_TRUE(m_dialog->UpdateData(TRUE));
    EXPECT_EQ(std::vector<std::string>{"Recommended maximum is 5000 m\xC2\xB3/h"},
              MessageBoxCatcher::Take());
    EXPECT_EQ(6000.0, flow.GetValue());

    OZU_AngleValue angle(0.0, ANGLE_DEGREES);
    m_dialog->m_exchange = [&](CDataExchange* pDX) {
        OZU_BaseDialog::DDX_Angle(m_dialog.get(), pDX, IDC_UNITS_TEST_VALUE, angle);
    };
    Type("-10");
    EXPECT_TRUE(m_dialog->UpdateData(TRUE));
    EXPECT_EQ(std::vector<std::string>{"Recommended minimum is  0 \xC2\xB0"}, MessageBoxCatcher::Take());
    EXPECT_EQ(-10.0, angle.GetValue());
}

// Limits given by the dialog: a number equal to a limit passes silently.
TEST_F(ExchangeDialogTest, CallerLimitsIncludeTheirBounds)
{
    OZU_LengthValue length(5.0, LENGTH_M);
    const OZU_LengthValue low(1.0, LENGTH_M), high(100.0, LENGTH_M);
    m_dialog->m_exchange = [&](CDataExchange* pDX) {
        OZU_BaseDialog::DDX_Length(m_dialog.get(), pDX, IDC_UNITS_TEST_VALUE, length, low, high, low, high);
    };
    ASSERT_TRUE(m_dialog->Create(IDD_UNITS_EXCHANGE_TEST));
    for (const char* typed : {"1", "100"}) {
        Type(typed);
        EXPECT_TRUE(m_dialog->UpdateData(TRUE)) << typed;
        EXPECT_TRUE(MessageBoxCatcher::Take().empty()) << typed;
    }
    Type("100.001");
    EXPECT_FALSE(m_dialog->UpdateData(TRUE));
    EXPECT_EQ(std::vector<std::string>{"Range is 1 - 100 m"}, MessageBoxCatcher::Take());
    EXPECT_EQ(100.0, length.GetValue());
}

// A text that is not a number is the framework's to refuse, before any range
// check; the value is not touched.
TEST_F(ExchangeDialogTest, TextThatIsNotANumber)
{
    OZU_DiameterValue diameter(25.0, LENGTH_MM);
    Open(&OZU_BaseDialog::DDX_Diameter, diameter);
    for (const char* typed : {"abc", "nan", "inf", ""}) {
        Type(typed);
        EXPECT_FALSE(m_dialog->UpdateData(TRUE)) << typed;
        std::vector<std::string> boxes = MessageBoxCatcher::Take();
        ASSERT_EQ(1u, boxes.size()) << typed;
        EXPECT_EQ(std::string::npos, boxes[0].find("Range is")) << typed;
        EXPECT_EQ(25.0, diameter.GetValue()) << typed;
    }
}

TEST_F(ExchangeDialogTest, TextLengthCheckByLanguage)
{
    CString text;
    m_dialog->m_exchange = [&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_UNITS_TEST_TEXT, text);
        OZU_BaseDialog::DDV_MaxChars(m_dialog.get(), pDX, text, 40);
    };
    ASSERT_TRUE(m_dialog->Create(IDD_UNITS_EXCHANGE_TEST));
    HWND edit = m_dialog->GetDlgItem(IDC_UNITS_TEST_TEXT)->GetSafeHwnd();
    EXPECT_EQ(40, (int)SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
    SendMessageA(edit, EM_LIMITTEXT, 0, 0); // let the test type more

    m_dialog->m_language = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    m_dialog->SetDlgItemText(IDC_UNITS_TEST_TEXT, std::string(41, 'x').c_str());
    EXPECT_FALSE(m_dialog->UpdateData(TRUE));
    EXPECT_EQ(std::vector<std::string>{"Too many characters, 20 Chinese or 40 Western allowed"},
              MessageBoxCatcher::Take());
    EXPECT_EQ(edit, ::GetFocus());

    // Forty characters fit, whatever their bytes ("水" is three).
    std::string forty;
    for (int i = 0; i < 40; ++i)
        forty += "\xE6\xB0\xB4";
    m_dialog->SetDlgItemText(IDC_UNITS_TEST_TEXT, forty.c_str());
    EXPECT_TRUE(m_dialog->UpdateData(TRUE));
    EXPECT_TRUE(MessageBoxCatcher::Take().empty());
    EXPECT_EQ(forty, text.GetString());

    m_dialog->m_language = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK);
    m_dialog->SetDlgItemText(IDC_UNITS_TEST_TEXT, std::string(41, 'x').c_str());
    EXPECT_FALSE(m_dialog->UpdateData(TRUE));
    std::vector<std::string> boxes = MessageBoxCatcher::Take();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(std::string::npos, boxes[0].find("Chinese"));
}

// Through the real OK button of a modal dialog: a refused number keeps the
// dialog open with the value unchanged; a warned one is accepted and closes it.
TEST_F(ExchangeDialogTest, OkKeepsDialogOpenOnRefusal)
{
    OZU_DiameterValue diameter(25.0, LENGTH_MM);
    TestDialog& dlg = *m_dialog;
    dlg.m_exchange = [&](CDataExchange* pDX) {
        OZU_BaseDialog::DDX_Diameter(&dlg, pDX, IDC_UNITS_TEST_VALUE, diameter);
    };
    std::vector<std::string> seen;
    bool openAfterRefusal = false;
    dlg.m_steps = {
        [&] {
            seen.push_back(dlg.Text(IDC_UNITS_TEST_VALUE));
            dlg.SetDlgItemText(IDC_UNITS_TEST_VALUE, "0.05");
            dlg.PressOK();
        },
        [&] {
            openAfterRefusal = ::IsWindow(dlg.GetSafeHwnd()) != FALSE;
            seen.push_back(std::to_string(diameter.GetValue()));
            dlg.SetDlgItemText(IDC_UNITS_TEST_VALUE, "0.3");
            dlg.PressOK();
        },
        [&] { dlg.EndDialog(IDCANCEL); }, // reached only if the dialog stayed open
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ((std::vector<std::string>{"25", "25.000000"}), seen);
    EXPECT_EQ((std::vector<std::string>{"Range is 0.1 - 10000 mm",
                                        "Recommended minimum is  0.5 mm"}),
              MessageBoxCatcher::Take());
    EXPECT_EQ(0.3, diameter.GetValue());

}

// Each exchange takes its own row of limits and its own display unit: row k
// of a limit table made for the test runs from k + 1 to 100 + k in the
// list's first unit, and every slot shows a unit of its own.
TEST_F(ExchangeDialogTest, EveryExchangeUsesItsOwnLimitsAndUnit)
{
    struct Row { const char* what; std::function<std::vector<std::string>(const char*)> type;
                 const char* limits; const char* unit; };
    const Row rows[] = {
        {"length", Typing(&OZU_BaseDialog::DDX_Length), "1 - 100 mm", "km"},
        {"distance", Typing(&OZU_BaseDialog::DDX_Distance), "2 - 101 mm", "ft"},
        {"diameter", Typing(&OZU_BaseDialog::DDX_Diameter), "3 - 102 mm", "in"},
        {"elevation", Typing(&OZU_BaseDialog::DDX_Elevation), "4 - 103 mm", "cm"},
        {"depth", Typing(&OZU_BaseDialog::DDX_Depth), "5 - 104 mm", "miles"},
        {"media length", Typing(&OZU_BaseDialog::DDX_MediaLength), "6 - 105 mm", "Points"},
        {"area", Typing(&OZU_BaseDialog::DDX_Area), "7 - 106 m\xC2\xB2", "acres"},
        {"volume", Typing(&OZU_BaseDialog::DDX_Volume), "8 - 107 m\xC2\xB3", "US gal"},
        {"velocity", Typing(&OZU_BaseDialog::DDX_Velocity), "9 - 108 m/s", "mph"},
        {"flow", Typing(&OZU_BaseDialog::DDX_Flow), "10 - 109 lph", "US gph"},
        {"small flow", Typing(&OZU_BaseDialog::DDX_SmallFlow), "11 - 110 lph", "lps"},
        {"large flow", Typing(&OZU_BaseDialog::DDX_LargeFlow), "12 - 111 lph", "I gpm"},
        {"flow per length", Typing(&OZU_BaseDialog::DDX_FlowPerLength), "13 - 112 lph/100m", "US gpm/ft"},
        {"pressure", Typing(&OZU_BaseDialog::DDX_Pressure), "14 - 113 m", "psi"},
        {"precipitation rate", Typing(&OZU_BaseDialog::DDX_PrecipRate), "15 - 114 mm/h", "in/h"},
        {"angle", Typing(&OZU_BaseDialog::DDX_Angle), "16 - 115 \xC2\xB0", "rad"},
    };
    ASSERT_TRUE(m_dialog->Create(IDD_UNITS_EXCHANGE_TEST));

    // Rows in the first unit of each list, shown in that unit.
    OZU_UnitLimits limits;
    auto fill = [](auto& row, int k) {
        using V = std::remove_reference_t<decltype(row[0])>;
        row[OZU_HARD_MIN] = V(k + 1.0, 0);
        row[OZU_HARD_MAX] = V(100.0 + k, 0);
        row[OZU_RECOMMENDED_MIN] = V(k + 1.0, 0);
        row[OZU_RECOMMENDED_MAX] = V(100.0 + k, 0);
    };
    fill(limits.m_Length, 0);       fill(limits.m_Distance, 1);   fill(limits.m_Diameter, 2);
    fill(limits.m_Elevation, 3);    fill(limits.m_Depth, 4);      fill(limits.m_MediaLength, 5);
    fill(limits.m_Area, 6);         fill(limits.m_Volume, 7);     fill(limits.m_Velocity, 8);
    fill(limits.m_Flow, 9);         fill(limits.m_SmallFlow, 10); fill(limits.m_LargeFlow, 11);
    fill(limits.m_FlowPerLength, 12); fill(limits.m_Pressure, 13); fill(limits.m_PrecipRate, 14);
    fill(limits.m_Angle, 15);
    m_settings.SetLimits(limits);
    OZU_UnitSet firstUnits = *m_settings.GetUnits();
    for (auto* unit : std::initializer_list<OZU_LengthUnit*>{&firstUnits.m_Length, &firstUnits.m_Distance,
             &firstUnits.m_Diameter, &firstUnits.m_Elevation, &firstUnits.m_Depth})
        unit->SetUnit(0);
    firstUnits.m_MediaLength.SetUnit(0); firstUnits.m_Area.SetUnit(0); firstUnits.m_Volume.SetUnit(0);
    firstUnits.m_Velocity.SetUnit(0);    firstUnits.m_Flow.SetUnit(0);   firstUnits.m_SmallFlow.SetUnit(0);
    firstUnits.m_LargeFlow.SetUnit(0);   firstUnits.m_FlowPerLength.SetUnit(0);
    firstUnits.m_Pressure.SetUnit(0);    firstUnits.m_PrecipRate.SetUnit(0); firstUnits.m_Angle.SetUnit(0);
    m_settings.SetUnits(firstUnits);
    for (const Row& row : rows) {
        EXPECT_EQ(std::vector<std::string>{std::string("Range is ") + row.limits},
                  row.type("0.5")) << row.what;
    }

    // The default limits, every slot in a unit of its own: the message
    // names the slot's display unit.
    m_settings.Validate();
    SetDisplayUnits([](OZU_UnitSet& u) {
        u.m_Length.SetUnit(LENGTH_KM);      u.m_Distance.SetUnit(LENGTH_FT);
        u.m_Diameter.SetUnit(LENGTH_IN);    u.m_Elevation.SetUnit(LENGTH_CM);
        u.m_Depth.SetUnit(LENGTH_MILES);    u.m_MediaLength.SetUnit(MEDIA_POINTS);
        u.m_Area.SetUnit(AREA_ACRES);       u.m_Volume.SetUnit(VOLUME_USGAL);
        u.m_Velocity.SetUnit(VELOCITY_MPH); u.m_Flow.SetUnit(FLOW_USGPH);
        u.m_SmallFlow.SetUnit(FLOW_LPS);    u.m_LargeFlow.SetUnit(FLOW_IGPM);
        u.m_FlowPerLength.SetUnit(FLOWPERLENGTH_USGPMFT);
        u.m_Pressure.SetUnit(PRESSURE_PSI); u.m_PrecipRate.SetUnit(PRECIPRATE_INH);
        u.m_Angle.SetUnit(ANGLE_RADIANS);
    });
    for (const Row& row : rows) {
        std::vector<std::string> boxes = row.type("-1e12");
        ASSERT_EQ(1u, boxes.size()) << row.what;
        const std::string suffix = std::string(" ") + row.unit;
        EXPECT_EQ(0u, boxes[0].find("Range is ")) << boxes[0];
        ASSERT_GE(boxes[0].size(), suffix.size()) << boxes[0];
        EXPECT_EQ(suffix, boxes[0].substr(boxes[0].size() - suffix.size())) << row.what;
    }
}
