// The "Add To Assembly" dialog run modally and driven from inside its loop:
// what it asks, the unit of a length, and the quantity it gives back.
#include "pickers/controls/NumLenDialog.h"
#include "pickers/controls/PickersRes.h"
#include "tests/support/TimerScript.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

std::string TextOf(HWND hDialog, int nID)
{
    char text[512] = {};
    ::GetDlgItemTextA(hDialog, nID, text, sizeof(text));
    return text;
}

// What the dialog showed when it opened.
struct Shown
{
    std::string message, value, unit;
    bool unitVisible = false;
};

class NumLenDialogTest : public ::testing::Test
{
protected:
    // Runs the dialog; when it is up, records what it shows, types `typed`
    // into the value and presses `button`; other dialogs (range messages)
    // are answered with OK and their texts kept.
    INT_PTR Run(CNumLenDialog& dialog, const char* typed, int button)
    {
        kvtest::TimerScript script([] {
            if (HWND hWnd = ::GetActiveWindow())
                ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
        });
        script.Add([&] {
            HWND hDialog = dialog.GetSafeHwnd();
            ASSERT_TRUE(hDialog);
            m_shown.message = TextOf(hDialog, IDC_NUMLEN_MESSAGE);
            m_shown.value = TextOf(hDialog, IDC_NUMLEN_VALUE);
            m_shown.unit = TextOf(hDialog, IDC_NUMLEN_UNIT);
            // The control's own visibility, whether the dialog shows yet or not.
            m_shown.unitVisible = (::GetWindowLongA(::GetDlgItem(hDialog, IDC_NUMLEN_UNIT), GWL_STYLE) & WS_VISIBLE) != 0;
            ::SetDlgItemTextA(hDialog, IDC_NUMLEN_VALUE, typed);
            ::PostMessageA(hDialog, WM_COMMAND, button, 0);
        });
        // A refused value leaves a message box up and the dialog open.
        script.Add([&] {
            HWND hActive = ::GetActiveWindow();
            if (hActive && hActive != dialog.GetSafeHwnd())
            {
                char text[512] = {};
                ::GetDlgItemTextA(hActive, 0xFFFF, text, sizeof(text));
                m_messages.push_back(text);
                ::PostMessageA(hActive, WM_COMMAND, IDOK, 0);
            }
        });
        script.Add([&] {
            if (dialog.GetSafeHwnd())
                ::PostMessageA(dialog.GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0);
        });
        script.Start();
        INT_PTR result = dialog.DoModal();
        EXPECT_FALSE(script.Overran());
        return result;
    }

    OZU_UnitSettings m_units;
    Shown m_shown;
    std::vector<std::string> m_messages;
};

} // namespace

TEST_F(NumLenDialogTest, ANumberIsAskedWithoutAUnit)
{
    CNumLenDialog dialog(FALSE, "  Solenoid valve 25 mm  ", 2.0f, &m_units);
    EXPECT_EQ(IDOK, Run(dialog, "3", IDOK));
    EXPECT_EQ("Please enter the number of\r\nSolenoid valve 25 mm\r\nto add to the assembly", m_shown.message);
    EXPECT_EQ(2.0, std::atof(m_shown.value.c_str()));
    EXPECT_FALSE(m_shown.unitVisible);
    EXPECT_FLOAT_EQ(3.0f, dialog.GetQuantity());
}

TEST_F(NumLenDialogTest, ALengthIsShownAndTypedInTheUsersUnitAndKeptInMetres)
{
    m_units.GetUnits()->m_Length.SetUnit(LENGTH_FT);
    CNumLenDialog dialog(TRUE, "PVC Class 9 40 mm", 100.0f, &m_units);
    EXPECT_EQ(IDOK, Run(dialog, "25", IDOK));
    EXPECT_EQ("Please enter the length of\r\nPVC Class 9 40 mm\r\nto add to the assembly", m_shown.message);
    EXPECT_TRUE(m_shown.unitVisible);
    EXPECT_EQ("ft", m_shown.unit);
    EXPECT_NEAR(328.08, std::atof(m_shown.value.c_str()), 0.01);
    EXPECT_NEAR(7.62, dialog.GetQuantity(), 1e-5);
}

TEST_F(NumLenDialogTest, ARefusedOrCancelledValueLeavesTheQuantity)
{
    // Less than none of an item is refused with the field's message and the
    // dialog stays open (the script then cancels it); none is a quantity.
    struct Case
    {
        BOOL bLength;
        const char* typed;
        bool refused;
        float quantity;   // after OK
    };
    const Case cases[] = {
        { FALSE, "-1", true, 0.0f },
        { FALSE, "-0.25", true, 0.0f },
        { FALSE, "99999999", true, 0.0f },
        { FALSE, "0", false, 0.0f },
        { FALSE, "12", false, 12.0f },
        { TRUE, "-3", true, 0.0f },
        { TRUE, "0", false, 0.0f },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.bLength ? "length " : "number ") + c.typed);
        m_messages.clear();
        CNumLenDialog dialog(c.bLength, "Valve", 2.0f, &m_units);
        EXPECT_EQ(c.refused ? IDCANCEL : IDOK, Run(dialog, c.typed, IDOK));
        ASSERT_EQ(c.refused ? 1u : 0u, m_messages.size());
        // The field's own message, which names the range from none.
        if (c.refused) {
            EXPECT_EQ(0u, m_messages[0].find(c.bLength ? "Range is 0 - " : "Please enter a number from 0 to "))
                << m_messages[0];
        }
        if (!c.refused) {
            EXPECT_FLOAT_EQ(c.quantity, dialog.GetQuantity());
        }
    }

    CNumLenDialog cancelled(TRUE, "Pipe", 4.0f, &m_units);
    EXPECT_EQ(IDCANCEL, Run(cancelled, "12", IDCANCEL));
    EXPECT_FLOAT_EQ(4.0f, cancelled.GetQuantity());
}
