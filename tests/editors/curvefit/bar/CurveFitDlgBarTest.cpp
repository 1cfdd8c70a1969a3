// The curve-fit bar in a frame under the null display driver: points typed
// into its grid and fitted, coefficients shown and copied into a component
// and a test editor, unit and curve-type changes, copy and paste of points,
// the keys it keeps, tool tips and its layout.
#include "database/records/ComponentRecords.h"
#include "database/records/TapeRecords.h"
#include "editors/curvefit/CurveFitNotify.h"
#include "editors/curvefit/CurveFitRes.h"
#include "editors/curvefit/bar/CurveFitDlgBar.h"
#include "editors/curvefit/bar/CurveFitHost.h"
#include "units/OZU_Value.h"
#include "platform/theme/ThemeLib.h"
#include "tests/support/KeysDown.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/RegistryHelpers.h"
#include "tests/support/TextFit.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TimerScript.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// An editor dialog as the receivers are: it takes the coefficients from the
// record WM_DETAILDLGNOTIFY carries while the message lasts.
class CTestEditor : public CWnd
{
public:
    struct Notice
    {
        WPARAM type;
        float values[3];
    };
    std::vector<Notice> notices;
    BOOL bExpectTape = FALSE;

    BOOL CreateEditor()
    {
        return CreateEx(0, AfxRegisterWndClass(0), "editor", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    }

protected:
    LRESULT OnDetailNotify(WPARAM wParam, LPARAM lParam)
    {
        Notice n = { wParam, {} };
        if (bExpectTape)
        {
            const CTapeExtras* pTape = reinterpret_cast<const CTapeExtras*>(lParam);
            n.values[0] = pTape->m_fTapeReals1;
            n.values[1] = pTape->m_fTapeReals2;
        }
        else
        {
            const CRecords* pRecord = reinterpret_cast<const CRecords*>(lParam);
            n.values[0] = pRecord->m_fReals3;
            n.values[1] = pRecord->m_fReals4;
            n.values[2] = pRecord->m_fReals5;
        }
        notices.push_back(n);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestEditor, CWnd)
    ON_REGISTERED_MESSAGE(WM_DETAILDLGNOTIFY, OnDetailNotify)
END_MESSAGE_MAP()

class CTestHost : public CCurveFitHost
{
public:
    BOOL bKeepUnits = FALSE;
    BOOL KeepCurveFitUnits() const override { return bKeepUnits; }
};

// A component record of a kind, on no connection.
struct Component
{
    CRecords record;
    Component(long key, int dbNumber, long flags = 0)
    {
        record.m_nComponentKey = key;
        record.m_nDatabaseNumber = (BYTE)dbNumber;
        record.m_nFlags = flags;
        record.m_fReals1 = 1.5f;
        record.m_fReals2 = 2.5f;
        record.m_fReals3 = 3.5f;
        record.m_fReals4 = 4.5f;
        record.m_fReals5 = 5.5f;
    }
};

struct TapeRow
{
    CTapeExtras tape;
    explicit TapeRow(long pipeKey)
    {
        tape.m_nPipeKey = pipeKey;
        tape.m_fTapeReals1 = 0.75f;
        tape.m_fTapeReals2 = 0.5f;
    }
};

class CurveFitBarTest : public ::testing::Test
{
protected:
    CFrameWnd* m_pFrame = nullptr;
    CCurveFitDlgBar m_bar;
    CTestEditor m_editor;
    CTestHost m_host;

    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "Curve fit", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 1000)));
        m_bar.SetHost(&m_host);
        ASSERT_TRUE(m_bar.Create(m_pFrame, IDD_CURVEFIT, WS_CHILD | WS_VISIBLE | CBRS_RIGHT | CBRS_BORDER_LEFT,
                                 AFX_IDW_CONTROLBAR_FIRST + 32));
        m_pFrame->RecalcLayout();
        ASSERT_TRUE(m_editor.CreateEditor());
    }

    void TearDown() override
    {
        m_editor.DestroyWindow();
        m_bar.DestroyWindow();
        m_pFrame->DestroyWindow();
        kvtest::PumpMessages();
    }

    HWND Item(UINT id) const { return ::GetDlgItem(m_bar.m_hWnd, (int)id); }

    // Puts (flow, pressure) pairs into the data grid's first rows; the
    // other rows hold 0.
    void EnterPoints(const std::vector<std::pair<const char*, const char*>>& rows)
    {
        CCurveFitGridWnd* pGrid = m_bar.GetDataGrid();
        pGrid->SetValueRange(CGRRange(1, 1, 10, 2), "0");
        for (size_t i = 0; i < rows.size(); i++)
        {
            pGrid->SetValueRange(CGRRange((ROWCOL)i + 1, 1), rows[i].first);
            pGrid->SetValueRange(CGRRange((ROWCOL)i + 1, 2), rows[i].second);
        }
    }

    void Click(UINT id) { ::SendMessage(Item(id), BM_CLICK, 0, 0); }
    void Fit() { Click(IDC_CURVEFIT_FIT); }

    void Choose(UINT comboId, int index)
    {
        ::SendMessage(Item(comboId), CB_SETCURSEL, (WPARAM)index, 0);
        m_bar.SendMessage(WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), (LPARAM)Item(comboId));
    }
    void ChooseType(int type) { Choose(IDC_CURVEFIT_TYPE, type - 1); }
    int Selected(UINT comboId) const { return (int)::SendMessage(Item(comboId), CB_GETCURSEL, 0, 0); }

    // The idle-time update of the bar's buttons, as the frame runs it.
    void UpdateButtons() { m_bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0); }
    BOOL CopyEnabled()
    {
        UpdateButtons();
        return ::IsWindowEnabled(Item(IDC_CURVEFIT_COPY));
    }

    CString Value(CCurveFitGridWnd* pGrid, ROWCOL row, ROWCOL col = 1) { return pGrid->GetValueRowCol(row, col); }
    double Calculated(ROWCOL row) { return atof(Value(m_bar.GetResultsGrid(), row)); }
    CString Shown(CCurveFitGridWnd* pGrid, ROWCOL row)
    {
        return pGrid->LookupStyleRowCol(row, 1).GetDisplayText();
    }

    // The text on the clipboard ("" when none).
    std::string ClipboardText()
    {
        std::string text;
        if (!::OpenClipboard(m_bar.m_hWnd))
            return text;
        if (HANDLE hText = ::GetClipboardData(CF_TEXT))
        {
            if (const char* p = (const char*)::GlobalLock(hText))
                text = p;
            ::GlobalUnlock(hText);
        }
        ::CloseClipboard();
        return text;
    }

    CChartSeries* Series(long index) { return m_bar.GetChart().GetSeries(index); }

    CString WindowText(UINT id)
    {
        char text[256] = {};
        ::GetWindowTextA(Item(id), text, (int)sizeof(text));
        return text;
    }
};

// Points of H = 2Q² (and Q = (H/2)^0.5): every curve type fits them.
const std::vector<std::pair<const char*, const char*>> kSquarePoints = { { "1", "2" }, { "2", "8" }, { "3", "18" } };
// A pump curve: H = -2Q² + 3Q + 50, Q in lps, H in m.
const std::vector<std::pair<const char*, const char*>> kPumpPoints = { { "1", "51" }, { "2", "48" }, { "3", "41" } };

TEST_F(CurveFitBarTest, StartsOnThePumpCurveInItsFitUnits)
{
    EXPECT_EQ(m_bar.GetCurveType(), CURVE_PUMP_HEAD);
    EXPECT_EQ(Selected(IDC_CURVEFIT_TYPE), 0);
    EXPECT_EQ(::SendMessage(Item(IDC_CURVEFIT_TYPE), CB_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(Selected(IDC_CURVEFIT_FLOW_UNIT), FLOW_LPS);
    EXPECT_EQ(Selected(IDC_CURVEFIT_PRESSURE_UNIT), PRESSURE_M);
    EXPECT_EQ(::SendMessage(Item(IDC_CURVEFIT_FLOW_UNIT), CB_GETCOUNT, 0, 0), 8);
    EXPECT_EQ(::SendMessage(Item(IDC_CURVEFIT_PRESSURE_UNIT), CB_GETCOUNT, 0, 0), 7);
    EXPECT_EQ(Value(m_bar.GetDataGrid(), 0, 1), "Flow");
    EXPECT_EQ(Value(m_bar.GetDataGrid(), 0, 2), "Pressure");
    EXPECT_EQ(Value(m_bar.GetDataGrid(), 10, 2), "0");
    EXPECT_EQ(Value(m_bar.GetResultsGrid(), 4, 0), "R²");
    EXPECT_EQ(WindowText(IDC_CURVEFIT_EQUATION), "H = AQ2 + BQ + C");
    EXPECT_EQ(m_bar.GetChart().GetBottomAxis().GetTitle(), "Flow (lps)");
    EXPECT_EQ(m_bar.GetChart().GetLeftAxis().GetTitle(), "Pressure (m)");
}

TEST_F(CurveFitBarTest, TypedPointsAreFittedAndPlotted)
{
    // The first point typed as a user types it: into the current cell, then
    // Enter; the rest put into the grid.
    EnterPoints(kPumpPoints);
    CCurveFitGridWnd* pGrid = m_bar.GetDataGrid();
    pGrid->SetValueRange(CGRRange(1, 2), "0");
    pGrid->SetFocus();
    ASSERT_TRUE(pGrid->SetCurrentCell(1, 2));
    for (char c : std::string("51"))
        ::SendMessage(::GetFocus(), WM_CHAR, (WPARAM)c, 0);
    ::SendMessage(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(Value(pGrid, 1, 2), "51");

    Fit();
    EXPECT_NEAR(Calculated(1), -2.0, 1e-9);  // A
    EXPECT_NEAR(Calculated(2), 3.0, 1e-9);   // B
    EXPECT_NEAR(Calculated(3), 50.0, 1e-9);  // C
    EXPECT_EQ(Shown(m_bar.GetResultsGrid(), 1), "-2.00000000");
    EXPECT_EQ(Shown(m_bar.GetResultsGrid(), 4), "100.00");
    EXPECT_EQ(m_bar.GetResultsGrid()->LookupStyleRowCol(4, 1).GetTextColor(), ::GetSysColor(COLOR_WINDOWTEXT));

    // The points as typed, the fitted curve through the fitted values.
    CChartSeries* pPoints = Series(m_bar.GetDataSeries());
    CChartSeries* pFitted = Series(m_bar.GetFitSeries());
    ASSERT_NE(pPoints, nullptr);
    ASSERT_NE(pFitted, nullptr);
    ASSERT_EQ(pPoints->GetCount(), 3);
    EXPECT_EQ(pPoints->GetPoint(2).x, 3.0);
    EXPECT_EQ(pPoints->GetPoint(2).y, 41.0);
    EXPECT_FALSE(pPoints->IsLineVisible());
    ASSERT_EQ(pFitted->GetCount(), 3);
    EXPECT_NEAR(pFitted->GetPoint(1).y, 48.0, 1e-4);
    EXPECT_TRUE(pFitted->IsLineVisible());
    EXPECT_EQ(pFitted->GetPointColour(0), RGB(255, 0, 0));
}

TEST_F(CurveFitBarTest, APoorFitIsShownRedAndBold)
{
    ChooseType(CURVE_VALVE_LOSS);
    // A loss that falls and rises again is no power law.
    EnterPoints({ { "1", "10" }, { "2", "1" }, { "3", "9" }, { "4", "2" } });
    Fit();
    const CGRStyle fit = m_bar.GetResultsGrid()->LookupStyleRowCol(4, 1);
    ASSERT_LT(atof(fit.GetValue()), 90.0);
    EXPECT_EQ(fit.GetTextColor(), RGB(255, 0, 0));
    EXPECT_TRUE(fit.GetFont().GetBold());
}

TEST_F(CurveFitBarTest, RefusedPointsLeaveTheResultsAndAFailedFitEmptiesThem)
{
    EnterPoints(kPumpPoints);
    Fit();
    const CString a = Value(m_bar.GetResultsGrid(), 1);

    // Too few points: told, nothing changes.
    EnterPoints({ { "1", "51" }, { "2", "48" } });
    {
        kvtest::MessageBoxWatcher boxes;
        Fit();
        ASSERT_EQ(boxes.Texts().size(), 1u);
        EXPECT_EQ(boxes.Texts()[0], "Not enough points entered (Minimum 3)");
    }
    EXPECT_EQ(Value(m_bar.GetResultsGrid(), 1), a);
    EXPECT_EQ(Series(m_bar.GetDataSeries())->GetCount(), 3);

    // A power law through a zero pressure: told, the results emptied, the
    // points plotted without a curve.
    EnterPoints({ { "1", "0" }, { "2", "8" }, { "3", "18" } });
    ChooseType(CURVE_VALVE_LOSS);
    {
        kvtest::MessageBoxWatcher boxes;
        Fit();
        ASSERT_EQ(boxes.Texts().size(), 1u);
        EXPECT_EQ(boxes.Texts()[0], "Cannot have negative or zero values for power curves");
    }
    for (ROWCOL r = 1; r <= 4; r++)
        EXPECT_EQ(Value(m_bar.GetResultsGrid(), r), "") << r;
    EXPECT_EQ(Series(m_bar.GetDataSeries())->GetCount(), 3);
    EXPECT_EQ(Series(m_bar.GetFitSeries())->GetCount(), 0);
}

TEST_F(CurveFitBarTest, AnotherUnitReadsTheTypedNumbersInItAndFitsAgain)
{
    EnterPoints(kPumpPoints);
    Fit();
    const double a = Calculated(1), c = Calculated(3);

    Choose(IDC_CURVEFIT_PRESSURE_UNIT, PRESSURE_KPA);
    // The numbers stay; read as kPa they are smaller heads in m, so the
    // coefficients (always in m) shrink by the factor.
    EXPECT_EQ(Value(m_bar.GetDataGrid(), 1, 2), "51");
    const double kPaInMetres = OZU_PressureValue(1.0, PRESSURE_KPA).GetValueIn(PRESSURE_M);
    EXPECT_NEAR(Calculated(1), a * kPaInMetres, 1e-5);
    EXPECT_NEAR(Calculated(3), c * kPaInMetres, 1e-4);
    EXPECT_EQ(m_bar.GetChart().GetLeftAxis().GetTitle(), "Pressure (kPa)");
    EXPECT_NEAR(Series(m_bar.GetDataSeries())->GetPoint(0).y, 51.0, 1e-4);
}

TEST_F(CurveFitBarTest, ACurveTypeSetsItsUnitsUnlessTheUserKeepsThem)
{
    Choose(IDC_CURVEFIT_PRESSURE_UNIT, PRESSURE_PSI);
    ChooseType(CURVE_VALVE_LOSS);
    EXPECT_EQ(Selected(IDC_CURVEFIT_PRESSURE_UNIT), PRESSURE_M);
    EXPECT_EQ(Selected(IDC_CURVEFIT_FLOW_UNIT), FLOW_M3H);
    EXPECT_EQ(Value(m_bar.GetDataGrid(), 0, 2), "Pressure Loss");
    EXPECT_EQ(WindowText(IDC_CURVEFIT_EQUATION), "H = KQn");

    m_host.bKeepUnits = TRUE;
    Choose(IDC_CURVEFIT_PRESSURE_UNIT, PRESSURE_PSI);
    ChooseType(CURVE_PUMP_HEAD);
    EXPECT_EQ(Selected(IDC_CURVEFIT_PRESSURE_UNIT), PRESSURE_PSI);
    EXPECT_EQ(Selected(IDC_CURVEFIT_FLOW_UNIT), FLOW_M3H);

    // A radius curve lists lengths for its first column.
    ChooseType(CURVE_OUTLET_RADIUS);
    EXPECT_EQ(::SendMessage(Item(IDC_CURVEFIT_FLOW_UNIT), CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(WindowText(IDC_CURVEFIT_FLOW_LABEL), "Radius");
    EXPECT_EQ(Value(m_bar.GetDataGrid(), 0, 1), "Radius");
    EXPECT_EQ(m_bar.GetChart().GetBottomAxis().GetTitle(), "Pressure (psi)");
    EXPECT_EQ(m_bar.GetChart().GetLeftAxis().GetTitle(), "Radius (m)");
}

TEST_F(CurveFitBarTest, ACurveTypeChangeDropsTheFitAndKeepsThePointsForTheNewCurve)
{
    Component valve(8, DBNUM_VALVE);
    m_bar.SetCurrentRecord(&valve.record, nullptr);
    m_bar.SetDetailDialog(&m_editor);
    EnterPoints(kSquarePoints);
    ChooseType(CURVE_VALVE_LOSS_INTERCEPT);
    Fit();
    ASSERT_NE(Value(m_bar.GetResultsGrid(), 1), "");
    ASSERT_TRUE(CopyEnabled());

    // The fit was of the curve with intercept: none of it is offered as the
    // curve without, nor plotted for it.
    {
        kvtest::MessageBoxWatcher boxes;
        ChooseType(CURVE_VALVE_LOSS);
        EXPECT_TRUE(boxes.Texts().empty());
    }
    for (ROWCOL r = 1; r <= 4; r++)
        EXPECT_EQ(Value(m_bar.GetResultsGrid(), r), "") << r;
    EXPECT_FALSE(CopyEnabled());
    EXPECT_EQ(Series(m_bar.GetFitSeries()), nullptr);
    EXPECT_EQ(Value(m_bar.GetDataGrid(), 3, 2), "18");

    Fit();
    ASSERT_TRUE(CopyEnabled());
    // The same type again (the bar shown again, a tab of the same curve)
    // keeps the fit.
    m_bar.FillGrids(CURVE_VALVE_LOSS);
    ASSERT_TRUE(CopyEnabled());
    // H = 2Q² in m³/h and m: K 2, n 2.
    EXPECT_NEAR(Calculated(1), 2.0, 1e-5);
    EXPECT_NEAR(Calculated(2), 2.0, 1e-5);
    EXPECT_EQ(Value(m_bar.GetResultsGrid(), 3), "");
    ChooseType(CURVE_OUTLET_FLOW);
    Fit();
    // Q = (H/2)^0.5 in lph and m: K 0.7071, n 0.5.
    EXPECT_NEAR(Calculated(1), std::sqrt(0.5), 1e-4);
    EXPECT_NEAR(Calculated(2), 0.5, 1e-5);
}

TEST_F(CurveFitBarTest, AFitBelongsToTheComponentItWasMadeFor)
{
    Component pump(5, DBNUM_PUMP), otherPump(6, DBNUM_PUMP);
    m_bar.SetCurrentRecord(&pump.record, nullptr);
    m_bar.SetDetailDialog(&m_editor);
    EnterPoints(kPumpPoints);
    Fit();
    ASSERT_TRUE(CopyEnabled());

    // The same component given again (its row stored or requeried) keeps
    // the fit.
    pump.record.m_fReals3 = 9.0f;
    m_bar.SetCurrentRecord(&pump.record, nullptr);
    EXPECT_TRUE(CopyEnabled());
    EXPECT_NEAR(Calculated(3), 50.0, 1e-6);

    // Another component, or none (another tab, an empty table): the fit and
    // its curve go; the points stay for the user to fit again.
    for (CRecords* pRecord : { &otherPump.record, static_cast<CRecords*>(nullptr) })
    {
        m_bar.SetCurrentRecord(&pump.record, nullptr);
        Fit();
        ASSERT_TRUE(CopyEnabled());
        m_bar.SetCurrentRecord(pRecord, nullptr);
        for (ROWCOL r = 1; r <= 4; r++)
            EXPECT_EQ(Value(m_bar.GetResultsGrid(), r), "") << r;
        EXPECT_FALSE(CopyEnabled());
        EXPECT_EQ(Series(m_bar.GetFitSeries())->GetCount(), 0);
        EXPECT_EQ(Series(m_bar.GetDataSeries())->GetCount(), 3);
        EXPECT_EQ(Value(m_bar.GetDataGrid(), 1, 2), "51");
    }
}

TEST_F(CurveFitBarTest, CoefficientsAreShownWholeInTheirCells)
{
    // Stored values of every size a curve has, shown in the current grid.
    const float stored[][3] = {
        { -0.052f, 48.0f, 60.0003f },
        { 0.09f, 1.900024f, -1234.5678f },
        { -123456.7f, 0.000012f, 99999.99f },
    };
    // The bar at its width in the frame, and narrower.
    for (int nWidth : { 0, 230 })
    {
        if (nWidth != 0)
            m_bar.SetWindowPos(nullptr, 0, 0, nWidth, 900, SWP_NOMOVE | SWP_NOZORDER);
        for (const auto& values : stored)
        {
            Component pump(5, DBNUM_PUMP);
            pump.record.m_fReals3 = values[0];
            pump.record.m_fReals4 = values[1];
            pump.record.m_fReals5 = values[2];
            m_bar.SetCurrentRecord(&pump.record, nullptr);
            CCurveFitGridWnd* pGrid = m_bar.GetCurrentGrid();
            for (ROWCOL r = 1; r <= 3; r++)
            {
                SCOPED_TRACE("width " + std::to_string(nWidth) + ", value " + std::to_string(values[r - 1]));
                const CGRStyle style = pGrid->LookupStyleRowCol(r, 1);
                const CString shown = style.GetDisplayText();
                // The text fits the cell's text area in the cell's font ...
                const CRect text = CCurveFitGridWnd::CalcTextRect(pGrid->CalcRectFromRowCol(r, 1));
                CClientDC dc(pGrid);
                CFont* pOld = dc.SelectObject(CFont::FromHandle(pGrid->GetStyleFont(style)));
                const CSize extent = dc.GetTextExtent(shown);
                dc.SelectObject(pOld);
                EXPECT_LE(extent.cx, text.Width()) << (LPCTSTR)shown;
                // ... and reads as the value, rounded to the decimals shown.
                const char* point = strchr(shown, '.');
                const int places = point != nullptr ? (int)strlen(point + 1) : 0;
                // (a stored value shows to the 7 digits its column holds)
                EXPECT_NEAR(atof(shown), (double)values[r - 1],
                            0.5 * std::pow(10.0, -places) + std::fabs(values[r - 1]) * 1e-6)
                    << (LPCTSTR)shown;
                EXPECT_EQ(shown[0] == '-', values[r - 1] < 0) << (LPCTSTR)shown;
            }
        }
    }
    // The calculated values keep every digit for the copy whatever is shown.
    EnterPoints(kPumpPoints);
    Fit();
    EXPECT_NEAR(Calculated(3), 50.0, 1e-9);
}

TEST_F(CurveFitBarTest, EveryCaptionFitsItsControlAndStandsOnTheBarsColour)
{
    // "Flow" becomes "Radius" for the radius curve.
    for (int type : { CURVE_PUMP_HEAD, CURVE_OUTLET_RADIUS })
    {
        ChooseType(type);
        for (HWND hCtrl = ::GetWindow(m_bar.m_hWnd, GW_CHILD); hCtrl != nullptr;
             hCtrl = ::GetWindow(hCtrl, GW_HWNDNEXT))
        {
            const kvtest::TextFit fit = kvtest::MeasureTextFit(hCtrl);
            if (fit.bMeasured)
                EXPECT_TRUE(fit.Fits()) << "type " << type << ": " << fit.Describe(hCtrl);
        }
    }
    // In the program's look the bar paints its own colour: the captions
    // stand on it, with no grey patch of their own.
    UXSetVisualStyle(UX_STYLE_OFFICE2003);
    CClientDC dc(&m_bar);
    HBRUSH hBrush = (HBRUSH)m_bar.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)dc.GetSafeHdc(),
                                              (LPARAM)Item(IDC_CURVEFIT_FLOW_LABEL));
    UXSetVisualStyle(UX_STYLE_PLATFORM);
    LOGBRUSH lb = {};
    ASSERT_NE(0, ::GetObject(hBrush, sizeof(lb), &lb));
    EXPECT_EQ(UXGetO2K3Color(2), lb.lbColor);
    EXPECT_EQ(TRANSPARENT, dc.GetBkMode());
}

TEST_F(CurveFitBarTest, CopyPutsTheCoefficientsIntoTheComponentAndTheEditor)
{
    Component pump(5, DBNUM_PUMP);
    m_bar.SetCurrentRecord(&pump.record, nullptr);
    EXPECT_NEAR(atof(Value(m_bar.GetCurrentGrid(), 1)), 3.5, 1e-6);
    EXPECT_EQ(m_bar.GetCurrentGrid()->LookupStyleRowCol(1, 1).GetTextColor(), RGB(0, 0, 255));
    // A stored value shows as the column holds it, not with the float's
    // last binary digits.
    pump.record.m_fReals4 = -1.9f;
    m_bar.SetCurrentRecord(&pump.record, nullptr);
    EXPECT_EQ(Shown(m_bar.GetCurrentGrid(), 2), "-1.90000000");
    m_bar.SetDetailDialog(&m_editor);
    EnterPoints(kPumpPoints);
    Fit();
    ASSERT_TRUE(CopyEnabled());

    // The click on the bar activates the main window; the editor comes back
    // in front of it with the coefficients.
    m_editor.ShowWindow(SW_SHOWNA);
    m_pFrame->SetActiveWindow();
    Click(IDC_CURVEFIT_COPY);
    EXPECT_EQ(m_editor.m_hWnd, ::GetActiveWindow());
    ASSERT_EQ(m_editor.notices.size(), 1u);
    EXPECT_EQ(m_editor.notices[0].type, (WPARAM)CURVE_PUMP_HEAD);
    EXPECT_FLOAT_EQ(m_editor.notices[0].values[0], -2.0f);
    EXPECT_FLOAT_EQ(m_editor.notices[0].values[1], 3.0f);
    EXPECT_FLOAT_EQ(m_editor.notices[0].values[2], 50.0f);
    // The bar's component holds them and shows them; the caller's record is
    // not touched (it may be the grid's own row).
    EXPECT_FLOAT_EQ(m_bar.GetCurrentRecord()->m_fReals3, -2.0f);
    EXPECT_NEAR(atof(Value(m_bar.GetCurrentGrid(), 3)), 50.0, 1e-6);
    EXPECT_FLOAT_EQ(pump.record.m_fReals3, 3.5f);
    EXPECT_FALSE(pump.record.IsOpen());

    // Without an editor the button is off, yet a copy still fills the
    // component.
    m_bar.SetDetailDialog(nullptr);
    EXPECT_FALSE(CopyEnabled());
    m_bar.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CURVEFIT_COPY, BN_CLICKED), (LPARAM)Item(IDC_CURVEFIT_COPY));
    EXPECT_EQ(m_editor.notices.size(), 1u);
}

TEST_F(CurveFitBarTest, ACoefficientNextToZeroIsCopiedAsZero)
{
    Component pump(5, DBNUM_PUMP);
    m_bar.SetCurrentRecord(&pump.record, nullptr);
    m_bar.SetDetailDialog(&m_editor);
    EnterPoints(kPumpPoints);
    Fit();
    CCurveFitGridWnd* pResults = m_bar.GetResultsGrid();
    pResults->Param()->SetLockReadOnly(FALSE);
    pResults->SetValueRange(CGRRange(1, 1), "5e-11");
    pResults->Param()->SetLockReadOnly(TRUE);
    Click(IDC_CURVEFIT_COPY);
    ASSERT_EQ(m_editor.notices.size(), 1u);
    EXPECT_EQ(m_editor.notices[0].values[0], 0.0f);
}

TEST_F(CurveFitBarTest, CopyIsOfferedOnlyForTheComponentsOwnCurve)
{
    enum TapeKind { noTape, ownTape, otherTape };
    struct Case
    {
        int type;
        int dbNumber;
        long flags;
        TapeKind tape;
        bool expected;
    };
    const Case cases[] = {
        { CURVE_PUMP_HEAD, DBNUM_PUMP, 0, noTape, true },
        { CURVE_VALVE_LOSS, DBNUM_PUMP, 0, noTape, false },
        { CURVE_VALVE_LOSS, DBNUM_VALVE, 0, noTape, true },
        { CURVE_VALVE_LOSS_INTERCEPT, DBNUM_VALVE, 0, noTape, true },
        { CURVE_MISC_LOSS, DBNUM_HYDRAULIC, 0, noTape, true },
        { CURVE_MISC_LOSS, DBNUM_VALVE, 0, noTape, false },
        { CURVE_OUTLET_FLOW, DBNUM_NOZZLE, 0, noTape, true },
        { CURVE_OUTLET_RADIUS, DBNUM_NOZZLE, 0, noTape, true },
        { CURVE_OUTLET_FLOW, DBNUM_OUTLET, 0, noTape, false },
        { CURVE_OUTLET_RADIUS, DBNUM_OUTLET, 0, noTape, false },
        { CURVE_OUTLET_FLOW, DBNUM_PIPE, COMPONENT_FLAG_TAPE, ownTape, true },
        { CURVE_OUTLET_FLOW, DBNUM_PIPE, COMPONENT_FLAG_TAPE, noTape, false },
        { CURVE_OUTLET_FLOW, DBNUM_PIPE, COMPONENT_FLAG_TAPE, otherTape, false },
        { CURVE_OUTLET_FLOW, DBNUM_PIPE, 0, noTape, false },
    };
    m_bar.SetDetailDialog(&m_editor);
    EnterPoints(kSquarePoints);
    long key = 100;
    for (const Case& c : cases)
    {
        SCOPED_TRACE("type " + std::to_string(c.type) + ", database number " + std::to_string(c.dbNumber) +
                     ", tape row " + std::to_string(c.tape));
        ChooseType(c.type);
        Component component(++key, c.dbNumber, c.flags);
        TapeRow row(c.tape == ownTape ? key : key + 5000);
        m_bar.SetCurrentRecord(&component.record, c.tape == noTape ? nullptr : &row.tape);
        Fit();
        EXPECT_EQ(CopyEnabled(), c.expected);
        // A refused copy writes nothing and tells no editor.
        const size_t notices = m_editor.notices.size();
        m_bar.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CURVEFIT_COPY, BN_CLICKED), (LPARAM)Item(IDC_CURVEFIT_COPY));
        EXPECT_EQ(m_editor.notices.size(), notices + (c.expected ? 1 : 0));
        if (!c.expected && c.dbNumber == DBNUM_OUTLET)
        {
            EXPECT_EQ(m_bar.GetCurrentRecord()->m_fReals1, 1.5f);  // the inlet diameter
        }
    }

    // No component, or nothing calculated (the fit failed): nothing to copy.
    ChooseType(CURVE_VALVE_LOSS);
    m_bar.SetCurrentRecord(nullptr, nullptr);
    EXPECT_FALSE(CopyEnabled());
    Component valve(1, DBNUM_VALVE);
    m_bar.SetCurrentRecord(&valve.record, nullptr);
    Fit();
    EXPECT_TRUE(CopyEnabled());
    EnterPoints({ { "1", "0" }, { "2", "8" }, { "3", "18" } });
    {
        kvtest::MessageBoxWatcher boxes;
        Fit();
        EXPECT_EQ(boxes.Texts().size(), 1u);
    }
    EXPECT_FALSE(CopyEnabled());
    const size_t notices = m_editor.notices.size();
    m_bar.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CURVEFIT_COPY, BN_CLICKED), (LPARAM)Item(IDC_CURVEFIT_COPY));
    EXPECT_EQ(m_editor.notices.size(), notices);
    EXPECT_EQ(m_bar.GetCurrentRecord()->m_fReals3, 3.5f);
}

TEST_F(CurveFitBarTest, ATapesCurveGoesIntoItsTapesRow)
{
    Component tape(7, DBNUM_PIPE, COMPONENT_FLAG_TAPE);
    TapeRow row(7);
    ChooseType(CURVE_OUTLET_FLOW);
    m_bar.SetCurrentRecord(&tape.record, &row.tape);
    EXPECT_NEAR(atof(Value(m_bar.GetCurrentGrid(), 1)), 0.75, 1e-6);
    m_editor.bExpectTape = TRUE;
    m_bar.SetDetailDialog(&m_editor);
    EnterPoints(kSquarePoints);
    Fit();
    Click(IDC_CURVEFIT_COPY);
    ASSERT_EQ(m_editor.notices.size(), 1u);
    EXPECT_EQ(m_editor.notices[0].type, (WPARAM)CURVE_OUTLET_FLOW);
    EXPECT_NEAR(m_editor.notices[0].values[0], std::sqrt(0.5), 1e-4);
    EXPECT_NEAR(m_editor.notices[0].values[1], 0.5, 1e-5);
    EXPECT_EQ(m_bar.GetCurrentRecord()->m_fReals4, 4.5f);
    EXPECT_EQ(row.tape.m_fTapeReals1, 0.75f);

    // The curve type changes without a Tapes row: the tape's row is kept.
    ChooseType(CURVE_OUTLET_RADIUS);
    ChooseType(CURVE_OUTLET_FLOW);
    EXPECT_NEAR(atof(Value(m_bar.GetCurrentGrid(), 2)), 0.5, 1e-5);
    // Another tape without a row of its own shows nothing of this one.
    Component other(8, DBNUM_PIPE, COMPONENT_FLAG_TAPE);
    m_bar.SetCurrentRecord(&other.record, nullptr);
    EXPECT_EQ(Value(m_bar.GetCurrentGrid(), 1), "");
}

TEST_F(CurveFitBarTest, TheTapeJoinAGridIsOnGivesTheTapeItsRow)
{
    // What the Tapes tab's grid announces: the tape's Components and Tapes
    // fields in one record.
    CTapeRecords join;
    join.m_nComponentKey = 9;
    join.m_nDatabaseNumber = DBNUM_PIPE;
    join.m_nFlags = COMPONENT_FLAG_TAPE;
    join.m_nPipeKey = 9;
    join.m_fTapeReals1 = 0.25f;
    join.m_fTapeReals2 = 0.75f;
    ChooseType(CURVE_OUTLET_FLOW);
    m_bar.SetCurrentRecord(&join);
    EXPECT_EQ(Shown(m_bar.GetCurrentGrid(), 1), "0.25000000");
    EXPECT_EQ(Shown(m_bar.GetCurrentGrid(), 2), "0.75000000");
    m_bar.SetDetailDialog(&m_editor);
    EnterPoints(kSquarePoints);
    Fit();
    EXPECT_TRUE(CopyEnabled());

    Component nozzle(4, DBNUM_NOZZLE);
    m_bar.SetCurrentRecord(static_cast<CRecordset*>(&nozzle.record));
    EXPECT_EQ(Shown(m_bar.GetCurrentGrid(), 1), "4.50000000");
    m_bar.SetCurrentRecord(static_cast<CRecordset*>(nullptr));
    EXPECT_EQ(m_bar.GetCurrentRecord(), nullptr);
    EXPECT_FALSE(CopyEnabled());
}

TEST_F(CurveFitBarTest, TheCurrentGridShowsTheStoredCurveOfTheType)
{
    struct Case
    {
        int type;
        int dbNumber;
        const char* rows[3];
    };
    const Case cases[] = {
        { CURVE_OUTLET_FLOW, DBNUM_NOZZLE, { "4.50000000", "5.50000000", "" } },
        { CURVE_OUTLET_RADIUS, DBNUM_NOZZLE, { "1.50000000", "2.50000000", "" } },
        { CURVE_OUTLET_FLOW, DBNUM_OUTLET, { "", "", "" } },
        { CURVE_VALVE_LOSS, DBNUM_VALVE, { "3.50000000", "4.50000000", "" } },
        { CURVE_MISC_LOSS, DBNUM_HYDRAULIC, { "3.50000000", "4.50000000", "5.50000000" } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE("type " + std::to_string(c.type) + ", database number " + std::to_string(c.dbNumber));
        ChooseType(c.type);
        Component component(3, c.dbNumber);
        m_bar.SetCurrentRecord(&component.record, nullptr);
        for (ROWCOL r = 1; r <= 3; r++)
            EXPECT_EQ(Shown(m_bar.GetCurrentGrid(), r), c.rows[r - 1]) << r;
        EXPECT_EQ(Value(m_bar.GetCurrentGrid(), 4), "");
    }
    m_bar.SetCurrentRecord(nullptr, nullptr);
    EXPECT_EQ(Value(m_bar.GetCurrentGrid(), 1), "");
}

TEST_F(CurveFitBarTest, PointsAreCopiedAndPastedAsText)
{
    EnterPoints(kPumpPoints);
    CCurveFitGridWnd* pGrid = m_bar.GetDataGrid();
    pGrid->SetFocus();
    ASSERT_TRUE(pGrid->SetCurrentCell(1, 1));
    pGrid->SelectRange(CGRRange(1, 1, 2, 2));
    m_bar.SendMessage(WM_COMMAND, ID_CURVEFIT_COPY_CELLS, 0);
    const std::string copied = ClipboardText();
    EXPECT_EQ(copied, "1\t51\r\n2\t48\r\n");

    // Pasted at row 4 by the keys: two more points.
    pGrid->SetSelection(nullptr);
    ASSERT_TRUE(pGrid->SetCurrentCell(4, 1));
    {
        kvtest::KeysDown ctrl({ VK_CONTROL });
        MSG msg = { pGrid->m_hWnd, WM_KEYDOWN, 'V', 0 };
        m_bar.PreTranslateMessage(&msg);
    }
    EXPECT_EQ(Value(pGrid, 4, 1), "1");
    EXPECT_EQ(Value(pGrid, 5, 2), "48");

    // The result grids take no paste.
    const CString a = Value(m_bar.GetResultsGrid(), 1);
    m_bar.GetResultsGrid()->SetFocus();
    ASSERT_TRUE(m_bar.GetResultsGrid()->SetCurrentCell(1, 1));
    m_bar.SendMessage(WM_COMMAND, ID_CURVEFIT_PASTE_CELLS, 0);
    EXPECT_EQ(Value(m_bar.GetResultsGrid(), 1), a);
}

TEST_F(CurveFitBarTest, TheGridsContextMenuPastesIntoThePointsOnly)
{
    // A right click in a grid opens "Data Context"; the states of its items
    // are read while it is open, and it is closed (or an item chosen) from
    // inside its loop.
    struct Seen
    {
        UINT copy = (UINT)-1;
        UINT paste = (UINT)-1;
    };
    auto rightClickIn = [&](CCurveFitGridWnd* pGrid, bool bChooseCopy) {
        Seen seen;
        pGrid->SetFocus();
        kvtest::TimerScript script([] { ::EndMenu(); });
        script.Add([&] {
            HWND hPopup = ::FindWindowA("#32768", nullptr);
            HMENU hMenu = hPopup ? (HMENU)::SendMessage(hPopup, MN_GETHMENU, 0, 0) : nullptr;
            if (hMenu != nullptr)
            {
                seen.copy = ::GetMenuState(hMenu, ID_CURVEFIT_COPY_CELLS, MF_BYCOMMAND);
                seen.paste = ::GetMenuState(hMenu, ID_CURVEFIT_PASTE_CELLS, MF_BYCOMMAND);
            }
            if (hPopup != nullptr && bChooseCopy)
            {
                ::PostMessage(hPopup, WM_KEYDOWN, VK_DOWN, 0);
                ::PostMessage(hPopup, WM_KEYDOWN, VK_RETURN, 0);
            }
            else
                ::EndMenu();
        });
        script.Start();
        MSG msg = { pGrid->m_hWnd, WM_RBUTTONUP, 0, MAKELPARAM(20, 30) };
        m_bar.PreTranslateMessage(&msg);
        kvtest::PumpMessages();
        EXPECT_FALSE(script.Overran());
        return seen;
    };

    Seen results = rightClickIn(m_bar.GetResultsGrid(), false);
    EXPECT_EQ(results.copy & MF_GRAYED, 0u);
    EXPECT_EQ(results.paste & MF_GRAYED, (UINT)MF_GRAYED);

    // "Copy" chosen in the points: the selected points go to the clipboard.
    EnterPoints(kPumpPoints);
    CCurveFitGridWnd* pGrid = m_bar.GetDataGrid();
    pGrid->SetFocus();
    ASSERT_TRUE(pGrid->SetCurrentCell(3, 2));
    ASSERT_TRUE(::OpenClipboard(m_bar.m_hWnd));
    ::EmptyClipboard();
    ::CloseClipboard();
    Seen points = rightClickIn(pGrid, true);
    EXPECT_EQ(points.paste & MF_GRAYED, 0u);
    const std::string copied = ClipboardText();
    EXPECT_EQ(copied, "41");
}

TEST_F(CurveFitBarTest, DeleteAndBackspaceStayWithThePoints)
{
    EnterPoints(kPumpPoints);
    CCurveFitGridWnd* pGrid = m_bar.GetDataGrid();
    pGrid->SetFocus();
    ASSERT_TRUE(pGrid->SetCurrentCell(2, 2));
    // Consumed, so the frame's accelerators never see them; the grid clears
    // its cell.
    MSG del = { pGrid->m_hWnd, WM_KEYDOWN, VK_DELETE, 0 };
    EXPECT_TRUE(m_bar.PreTranslateMessage(&del));
    EXPECT_EQ(Value(pGrid, 2, 2), "");

    MSG back = { ::GetFocus(), WM_KEYDOWN, VK_BACK, 0 };
    m_bar.GetDlgItem(IDC_CURVEFIT_TYPE)->SetFocus();
    back.hwnd = ::GetFocus();
    EXPECT_TRUE(m_bar.PreTranslateMessage(&back));
    // Other keys pass on.
    MSG tab = { pGrid->m_hWnd, WM_KEYDOWN, VK_TAB, 0 };
    EXPECT_FALSE(m_bar.PreTranslateMessage(&tab));
}

TEST_F(CurveFitBarTest, ToolTipsNameTheControls)
{
    // The bar's tips, asked as the tool tip control asks: by the tool's
    // window.
    HWND hTips = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, 0, 0, 0, 0, m_bar.m_hWnd, nullptr,
                                   nullptr, nullptr);
    auto tip = [&](UINT id) {
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = hTips;
        info.hdr.idFrom = (UINT_PTR)Item(id);
        info.hdr.code = TTN_NEEDTEXTA;
        info.uFlags = TTF_IDISHWND;
        m_bar.SendMessage(WM_NOTIFY, 0, (LPARAM)&info);
        return std::string(info.lpszText ? info.lpszText : "");
    };
    EXPECT_EQ(tip(IDC_CURVEFIT_TYPE), "Type of curve to fit");
    EXPECT_EQ(tip(IDC_CURVEFIT_COPY), "Copy calculated coefficients to current record");
    EXPECT_EQ(tip(IDC_CURVEFIT_CHART), "Fitting plot");
    EXPECT_EQ(tip(IDC_CURVEFIT_FLOW_UNIT), "Flow units");
    EXPECT_EQ(tip(IDC_CURVEFIT_EQUATION_FRAME), "");
    ChooseType(CURVE_OUTLET_RADIUS);
    EXPECT_EQ(tip(IDC_CURVEFIT_FLOW_LABEL), "Radius units");
    EXPECT_EQ(tip(IDC_CURVEFIT_FLOW_UNIT), "Radius units");

    // A tool tip control that asks in UTF-16 gets the same texts.
    NMTTDISPINFOW wide = {};
    wide.hdr.hwndFrom = hTips;
    wide.hdr.idFrom = (UINT_PTR)Item(IDC_CURVEFIT_CHART);
    wide.hdr.code = TTN_NEEDTEXTW;
    wide.uFlags = TTF_IDISHWND;
    m_bar.SendMessage(WM_NOTIFY, 0, (LPARAM)&wide);
    ASSERT_NE(wide.lpszText, nullptr);
    EXPECT_EQ(std::wstring(wide.lpszText), L"Fitting plot");
    ::DestroyWindow(hTips);
}

TEST_F(CurveFitBarTest, GridsFollowTheScreenScaleAndCharacterSetSettings)
{
    kvtest::StoreText("AppSettings", "DPIScale", "1.5000000000");
    kvtest::StoreText("AppSettings\\Misc", "CharSet", "204");
    CCurveFitDlgBar scaled;
    ASSERT_TRUE(scaled.Create(m_pFrame, IDD_CURVEFIT, WS_CHILD | CBRS_LEFT, AFX_IDW_CONTROLBAR_FIRST + 33));
    kvtest::DeleteProductSubKey("AppSettings");
    CCurveFitGridWnd* pGrid = scaled.GetDataGrid();
    // Rows of 18 pixels at a scale of 1, and the grid as high as its rows.
    EXPECT_EQ(pGrid->GetRowHeight(5), 27);
    EXPECT_EQ(pGrid->GetRowHeight(0), 31);
    CRect client;
    pGrid->GetClientRect(&client);
    EXPECT_LE(pGrid->CalcRectFromRowCol(10, 2).bottom, client.bottom);
    const CGRFont& font = pGrid->StandardStyle().GetFont();
    EXPECT_TRUE(font.GetIncludeCharSet());
    EXPECT_EQ(font.GetCharSet(), 204);
    scaled.DestroyWindow();
}

TEST_F(CurveFitBarTest, ControlsStackDownTheBarWithTheChartLast)
{
    m_bar.SetWindowPos(nullptr, 0, 0, 260, 900, SWP_NOMOVE | SWP_NOZORDER);
    auto rect = [&](UINT id) {
        CRect r;
        ::GetWindowRect(Item(id), &r);
        m_bar.ScreenToClient(&r);
        return r;
    };
    CRect client;
    m_bar.GetClientRect(&client);
    const UINT order[] = { IDC_CURVEFIT_TYPE, IDC_CURVEFIT_EQUATION_FRAME, IDC_CURVEFIT_PRESSURE_LABEL,
                           IDC_CURVEFIT_DATA, IDC_CURVEFIT_FIT, IDC_CURVEFIT_CALCULATED_LABEL,
                           IDC_CURVEFIT_RESULTS, IDC_CURVEFIT_CHART };
    for (size_t i = 1; i < std::size(order); i++)
        EXPECT_GE(rect(order[i]).top, rect(order[i - 1]).bottom) << order[i];
    // Side by side: calculated, "->", current.
    EXPECT_LE(rect(IDC_CURVEFIT_RESULTS).right, rect(IDC_CURVEFIT_COPY).left);
    EXPECT_LE(rect(IDC_CURVEFIT_COPY).right, rect(IDC_CURVEFIT_CURRENT).left);
    EXPECT_LE(rect(IDC_CURVEFIT_CURRENT).right, client.right);
    EXPECT_LE(rect(IDC_CURVEFIT_PRESSURE_UNIT).right, client.right);
    // The chart is square when there is room.
    const CRect chart = rect(IDC_CURVEFIT_CHART);
    EXPECT_EQ(chart.Height(), chart.Width());
    // Every point row is in view.
    CRect grid;
    m_bar.GetDataGrid()->GetClientRect(&grid);
    EXPECT_LE(m_bar.GetDataGrid()->CalcRectFromRowCol(10, 2).bottom, grid.bottom);

    // A short bar gives the chart what is left: every pixel more of the
    // bar's height is the chart's.
    CRect window;
    m_bar.GetWindowRect(&window);
    const int nShort = window.Height() - (chart.Height() - 50);
    m_bar.SetWindowPos(nullptr, 0, 0, 260, nShort, SWP_NOMOVE | SWP_NOZORDER);
    const int nChart = rect(IDC_CURVEFIT_CHART).Height();
    EXPECT_LT(nChart, chart.Height());
    m_bar.SetWindowPos(nullptr, 0, 0, 260, nShort + 10, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(nChart + 10, rect(IDC_CURVEFIT_CHART).Height());
}

} // namespace
