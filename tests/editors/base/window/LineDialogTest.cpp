// The line editor base: costs per metre or per 100 ft, the line type picked
// by its position in the list, and the colour picked in its well.
#include "tests/editors/base/window/EditorTestSupport.h"
#include "tests/pickers/controls/PickerTestSupport.h"
#include "editors/base/window/EditorBaseRes.h"
#include "pickers/controls/ColourWells.h"

#include <cstdlib>

using namespace editortest;
using dedaride::foundation::WM_OZW_COLORSELECTED;

namespace {

class LineDialogTest : public EditorTest
{
protected:
    pickertest::ScopedLineTypes m_lineTypes{ LineTypeArray{
        { "Solid", {} }, { "Dashed", { 250, 250 } }, { "Dotted", { 50, 50 } }, { "Dash dot", { 200, 50, 50, 50 } } } };

    // What the line editor holds when the view stores it.
    struct Line
    {
        long nLinetype = -2;
        COLORREF colour = 0xFFFFFFFF;
    } m_line;
    void SetUp() override
    {
        EditorTest::SetUp();
        m_view.onSave = [this](OZU_ComponentDialog* p) {
            auto* pLine = dynamic_cast<OZU_LineDialog*>(p);
            ASSERT_TRUE(pLine);
            m_line.nLinetype = pLine->m_nLinetype;
            m_line.colour = pLine->m_crLineColour;
        };
    }
    HWND Combo(OZU_ComponentDialog* pEditor) { return ::GetDlgItem(pEditor->GetSafeHwnd(), IDC_LINE_STYLE); }
};

} // namespace

TEST_F(LineDialogTest, MetricCostsAreShownPerMetre)
{
    auto* pEditor = Open<CTestLineEditor>(Record(1));
    EXPECT_EQ("1.57", Text(pEditor, IDC_WHOLESALE_COST));
    EXPECT_EQ("per meter", Text(pEditor, IDC_WHOLESALE_PER));
    EXPECT_EQ("per meter", Text(pEditor, IDC_RETAIL_PER));
}

TEST_F(LineDialogTest, WithFeetCostsAreShownAndTypedPer100Feet)
{
    m_units.SetUnits(*m_units.GetUSUnits());
    auto* pEditor = Open<CTestLineEditor>(Record(1));
    EXPECT_EQ("per 100 ft", Text(pEditor, IDC_WHOLESALE_PER));
    EXPECT_EQ("per 100 ft", Text(pEditor, IDC_RETAIL_PER));
    EXPECT_EQ("47.8658", Text(pEditor, IDC_WHOLESALE_COST));
    Type(pEditor, IDC_RETAIL_PRICE, "100");
    Press(pEditor, IDOK);
    ASSERT_EQ(1u, m_view.stored.size());
    EXPECT_EQ(100.0f * 0.0328f, m_view.stored[0].retail);
    // The cost left as shown is stored as it was, not shifted by the
    // round trip through 100 ft.
    EXPECT_EQ(1.57f, m_view.stored[0].wholesale);
}

// A cost shows rounded as the editor's other values are (five significant
// digits after the leading one here), per metre or per 100 ft, never with
// the digits the single-precision product carries.
TEST_F(LineDialogTest, CostsShowRoundedToTheSignificantDigits)
{
    struct Case { float stored; bool feet; const char* shown; };
    const Case cases[] = {
        { 0.59f, true, "17.9878" },      // 17.987803 unrounded
        { 0.59f, false, "0.59" },
        { 12.5f, true, "381.098" },
        { 0.0123f, true, "0.375" },
        { 0.125f, false, "0.125" },
        { 123456.7f, false, "123456.7" }, // large values keep their integer digits
        { 0.0f, true, "0" },
    };
    for (const Case& c : cases) {
        m_units.SetUnits(c.feet ? *m_units.GetUSUnits() : *m_units.GetMetricUnits());
        CRecords& record = Record(1);
        record.m_fReals7 = c.stored;
        auto* pEditor = Open<CTestLineEditor>(record);
        EXPECT_EQ(c.shown, Text(pEditor, IDC_WHOLESALE_COST)) << c.stored << (c.feet ? " per 100 ft" : " per metre");
        Press(pEditor, IDCANCEL);
    }
}

TEST_F(LineDialogTest, TheLineTypeIsPickedByItsPositionInTheList)
{
    CRecords& record = Record(1);
    record.m_nLinetype = 2;
    auto* pEditor = Open<CTestLineEditor>(record);
    EXPECT_EQ((std::vector<std::string>{ "Solid", "Dashed", "Dotted", "Dash dot" }), Items(pEditor, IDC_LINE_STYLE));
    EXPECT_EQ("Dotted", Selected(pEditor, IDC_LINE_STYLE));
    ::SendMessageA(Combo(pEditor), CB_SETCURSEL, 3, 0);
    Press(pEditor, IDOK);
    EXPECT_EQ(3, m_line.nLinetype);
}

TEST_F(LineDialogTest, ALineTypeBeyondTheListShowsTheFirstAndIsKeptWithoutAChoice)
{
    CRecords& record = Record(1);
    record.m_nLinetype = 9;
    auto* pEditor = Open<CTestLineEditor>(record);
    EXPECT_EQ("Solid", Selected(pEditor, IDC_LINE_STYLE));
    ::SendMessageA(Combo(pEditor), CB_SETCURSEL, (WPARAM)-1, 0);
    Press(pEditor, IDOK);
    EXPECT_EQ(9, m_line.nLinetype);
}

TEST_F(LineDialogTest, TheColourWellShowsThePaletteAndItsPickIsStored)
{
    auto* pEditor = Open<CTestLineEditor>(Record(1));   // blue: 16711680
    auto* pLine = static_cast<OZU_LineDialog*>(pEditor);
    EXPECT_EQ(RGB(0, 0, 255), pLine->m_wellLineColour.GetColor());
    EXPECT_TRUE(pLine->m_wellLineColour.GetPaletteMode());
    EXPECT_FALSE(pLine->m_wellLineColour.GetShowOther());
    ASSERT_TRUE(pLine->m_wellLineColour.GetPopupWell());
    EXPECT_TRUE(pLine->m_wellLineColour.GetPopupWell()->IsKindOf(RUNTIME_CLASS(OZU_PopupColorWell)));
    // The popup's pick reaches the button as the colour message.
    pLine->m_wellLineColour.SendMessage(WM_OZW_COLORSELECTED, 0, RGB(255, 0, 0));
    Press(pEditor, IDOK);
    EXPECT_EQ(RGB(255, 0, 0), m_line.colour);
}
