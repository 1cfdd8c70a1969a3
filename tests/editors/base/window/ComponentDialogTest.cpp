// The component editor base on a test editor over a copy of the sample
// database: what it shows when it opens, what it refuses on OK (with the
// message and the focus), what it hands the view, and its life: however it
// is closed, the view is told once and the object deleted once.
#include "tests/editors/base/window/EditorTestSupport.h"
#include "editors/base/window/EditorBaseRes.h"

#include <cstdlib>

using namespace editortest;

namespace {

class ComponentDialogTest : public EditorTest
{
protected:
    LONG Weight(OZU_ComponentDialog* pEditor, int nID)
    {
        HFONT hFont = (HFONT)::SendDlgItemMessageA(pEditor->GetSafeHwnd(), nID, WM_GETFONT, 0, 0);
        LOGFONTA lf = {};
        ::GetObjectA(hFont, sizeof(lf), &lf);
        return lf.lfWeight;
    }
    // The editor's controls and state are as the tests leave them: open,
    // with no store made.
    void ExpectStillOpen(OZU_ComponentDialog* pEditor)
    {
        EXPECT_TRUE(pEditor->IsOpen());
        EXPECT_EQ(0, m_view.Count("save"));
        EXPECT_EQ(0, m_view.Count("clear"));
        EXPECT_EQ(0, g_nEditorsDeleted);
    }
    std::string Blanks(int n) { return std::string((size_t)n, ' '); }
};

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Opening

TEST_F(ComponentDialogTest, AnExistingComponentOpensWithItsFields)
{
    auto* pEditor = Open<CTestEditor>(Record(1));   // PVC Class 9 40 mm
    ASSERT_TRUE(pEditor->IsOpen());
    EXPECT_TRUE(::IsWindowVisible(pEditor->GetSafeHwnd()));
    EXPECT_EQ("Edit Test Details", Caption(pEditor));
    EXPECT_EQ("1", Text(pEditor, IDC_COMPONENT_NUMBER));
    EXPECT_EQ("PVC Class 9 40 mm", Text(pEditor, IDC_DESCRIPTION));
    EXPECT_EQ("PVC9-040", Text(pEditor, IDC_WAREHOUSE_CODE));
    EXPECT_EQ("WPF ", Selected(pEditor, IDC_SUPPLIER_CODE));
    EXPECT_EQ("PVC9 40mm", Text(pEditor, IDC_LABEL));
    EXPECT_EQ("1.57", Text(pEditor, IDC_WHOLESALE_COST));
    EXPECT_EQ("2.28", Text(pEditor, IDC_RETAIL_PRICE));
    // "M" is not in the template's list: it joins it.
    EXPECT_EQ((std::vector<std::string>{ " ", "Y", "N", "M" }), Items(pEditor, IDC_USAGE));
    EXPECT_EQ("M", Selected(pEditor, IDC_USAGE));
    EXPECT_TRUE(Enabled(pEditor, IDC_WHOLESALE_COST));
    EXPECT_EQ("Save", Text(pEditor, IDOK));
    for (int nID : { IDC_COMPONENT_NUMBER, IDC_NUMBER_CAPTION, IDC_DESCRIPTION, IDC_DESCRIPTION_CAPTION })
        EXPECT_EQ(FW_BOLD, Weight(pEditor, nID)) << nID;
    EXPECT_NE(FW_BOLD, Weight(pEditor, IDC_WAREHOUSE_CODE));
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(ComponentDialogTest, ANewComponentShowsNoNumberAndIsAdded)
{
    auto* pEditor = Open<CTestEditor>(NewRecord(DBNUM_VALVE));
    ASSERT_TRUE(pEditor->IsOpen());
    EXPECT_EQ("Add Test Details", Caption(pEditor));
    EXPECT_EQ("", Text(pEditor, IDC_COMPONENT_NUMBER));
    EXPECT_EQ("<none>", Selected(pEditor, IDC_USAGE));
    // No supplier code: no supplier is picked for it, none is added.
    EXPECT_EQ("<none>", Selected(pEditor, IDC_SUPPLIER_CODE));
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(ComponentDialogTest, ALabelKeepsTheBlankWhereItsTwoColumnsMeet)
{
    CRecords& record = Record(75);   // a valve
    record.m_strMajor2 = "ABCDE ";
    record.m_strMinor2 = "FG    ";
    auto* pEditor = Open<CTestEditor>(record);
    EXPECT_EQ("ABCDE FG", Text(pEditor, IDC_LABEL));
    Press(pEditor, IDOK);
    ASSERT_EQ(1u, m_view.stored.size());
    EXPECT_EQ("ABCDE FG" + Blanks(4), m_view.stored[0].label);
}

TEST_F(ComponentDialogTest, AKindWithoutALabelNeitherShowsNorStoresOne)
{
    CRecords& record = Record(245);   // a valve box (miscellaneous)
    record.m_strMajor2 = "LABEL";
    auto* pEditor = Open<CTestEditor>(record);
    EXPECT_EQ("", Text(pEditor, IDC_LABEL));
    Type(pEditor, IDC_LABEL, "typed");
    Press(pEditor, IDOK);
    ASSERT_EQ(1u, m_view.stored.size());
    EXPECT_EQ("", m_view.stored[0].label);
}

TEST_F(ComponentDialogTest, ASupplierCodeIsMatchedWholeAndAddedWhenMissing)
{
    Run("INSERT INTO Suppliers ([Description], [Code]) VALUES ('Abbott', 'ABC ');");
    CRecords& record = Record(1);
    record.m_strSupplierCode = "AB  ";
    auto* pEditor = Open<CTestEditor>(record);
    // "ABC" only begins with the code: a row of its own is added, once.
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ("The Supplier Code for this component was not matched\nin the database. A default supplier entry "
              "for the supplier\n\"AB\" has been added",
              m_boxes[0].text);
    EXPECT_EQ("AB", Selected(pEditor, IDC_SUPPLIER_CODE));
    EXPECT_EQ(1, QueryLong("SELECT count(*) FROM Suppliers WHERE RTRIM([Code]) = 'AB'"));
    EXPECT_EQ(1, QueryLong("SELECT count(*) FROM Suppliers WHERE RTRIM([Code]) = 'ABC'"));
    Press(pEditor, IDOK);
    ASSERT_EQ(1u, m_view.stored.size());
    EXPECT_EQ("AB  ", m_view.stored[0].supplierCode);
}

TEST_F(ComponentDialogTest, AnExistingAssemblyShowsItsItemsCostsAndAssemblyUsages)
{
    auto* pEditor = Open<CTestEditor>(Record(281));   // a valve manifold
    EXPECT_FALSE(Enabled(pEditor, IDC_WHOLESALE_COST));
    EXPECT_FALSE(Enabled(pEditor, IDC_RETAIL_PRICE));
    const double items = std::atof(Query("SELECT SUM(A.[Number/Length] * C.[Reals7]) FROM Assemblies A JOIN "
                                         "Components C ON C.[Component Key] = A.[Item Key] WHERE A.[Assembly Key] = 281")
                                       .c_str());
    EXPECT_GT(items, 0.0);
    EXPECT_NEAR(items, std::atof(Text(pEditor, IDC_WHOLESALE_COST).c_str()), 1e-3);
    EXPECT_EQ((std::vector<std::string>{ " ", "Y", "N", "A", "X" }), Items(pEditor, IDC_USAGE));
    EXPECT_EQ("Save", Text(pEditor, IDOK));
}

TEST_F(ComponentDialogTest, WhileAnAssemblyIsBuiltTheEditorContinuesIt)
{
    m_view.GetGridState().bAssemblyMode = TRUE;
    auto* pEditor = Open<CTestEditor>(NewRecord(DBNUM_VALVE));
    EXPECT_EQ("Continue", Text(pEditor, IDOK));
    EXPECT_FALSE(Enabled(pEditor, IDC_WHOLESALE_COST));
    EXPECT_EQ("", Text(pEditor, IDC_COMPONENT_NUMBER));
    EXPECT_EQ(COMPONENT_FLAG_ASSEMBLY, pEditor->m_nFlags & COMPONENT_FLAG_ASSEMBLY);
    EXPECT_EQ((std::vector<std::string>{ " ", "Y", "N", "A", "X" }), Items(pEditor, IDC_USAGE));
}

/////////////////////////////////////////////////////////////////////////////
// OK: checks and what the view gets

TEST_F(ComponentDialogTest, ABlankDescriptionIsRefusedWithTheFocusOnIt)
{
    auto* pEditor = Open<CTestEditor>(NewRecord(DBNUM_VALVE));
    Type(pEditor, IDC_DESCRIPTION, "   ");
    Press(pEditor, IDOK);
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ("The description cannot be blank.", m_boxes[0].text);
    EXPECT_EQ(::GetDlgItem(pEditor->GetSafeHwnd(), IDC_DESCRIPTION), ::GetFocus());
    EXPECT_TRUE(pEditor->m_bValidationFailed);
    ExpectStillOpen(pEditor);
    EXPECT_FALSE(m_view.GetGridState().bSkipDuplicateTest);
}

TEST_F(ComponentDialogTest, ANewComponentIsStoredWithItsTextsFittedToTheirColumns)
{
    auto* pEditor = Open<CTestEditor>(NewRecord(DBNUM_VALVE));
    Type(pEditor, IDC_DESCRIPTION, "New valve");
    Type(pEditor, IDC_WAREHOUSE_CODE, "NV-1");
    Type(pEditor, IDC_WHOLESALE_COST, "12.5");
    Press(pEditor, IDOK);
    ASSERT_EQ(1u, m_view.stored.size());
    const CFakeView::Stored& s = m_view.stored[0];
    EXPECT_EQ("New valve" + Blanks(41), s.description);
    EXPECT_EQ("NV-1" + Blanks(28), s.warehouseCode);
    EXPECT_EQ(Blanks(4), s.supplierCode);
    EXPECT_EQ(Blanks(3), s.usage);
    EXPECT_EQ(Blanks(12), s.label);
    EXPECT_EQ(12.5f, s.wholesale);
    EXPECT_TRUE(m_view.GetGridState().bSkipDuplicateTest);
    EXPECT_EQ((std::vector<std::string>{ "save", "clear" }), m_view.calls);
    EXPECT_EQ(1, g_nEditorsDeleted);
}

TEST_F(ComponentDialogTest, TextsAreMeasuredInCharacters)
{
    auto* pEditor = Open<CTestEditor>(NewRecord(DBNUM_VALVE));
    // Fifty characters, a hundred bytes: it fits.
    std::string fifty;
    for (int i = 0; i < 50; ++i)
        fifty += "é";
    Type(pEditor, IDC_DESCRIPTION, fifty.c_str());
    Press(pEditor, IDOK);
    ASSERT_EQ(1u, m_view.stored.size());
    EXPECT_EQ(fifty, m_view.stored[0].description);
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(ComponentDialogTest, ATextLongerThanItsColumnIsRefused)
{
    auto* pEditor = Open<CTestEditor>(Record(1));
    Type(pEditor, IDC_DESCRIPTION, std::string(51, 'x').c_str());
    Press(pEditor, IDOK);
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_NE(std::string::npos, m_boxes[0].text.find("50"));
    EXPECT_EQ(::GetDlgItem(pEditor->GetSafeHwnd(), IDC_DESCRIPTION), ::GetFocus());
    ExpectStillOpen(pEditor);
}

TEST_F(ComponentDialogTest, CostsOutsideTheirRangeAreRefused)
{
    for (const char* typed : { "-1", "10000001", "abc" }) {
        auto* pEditor = Open<CTestEditor>(Record(1));
        m_boxes.clear();
        Type(pEditor, IDC_RETAIL_PRICE, typed);
        Press(pEditor, IDOK);
        EXPECT_EQ(1u, m_boxes.size()) << typed;
        EXPECT_EQ(::GetDlgItem(pEditor->GetSafeHwnd(), IDC_RETAIL_PRICE), ::GetFocus()) << typed;
        ExpectStillOpen(pEditor);
        pEditor->DestroyWindow();
        g_nEditorsDeleted = 0;
        m_view.calls.clear();
    }
    auto* pEditor = Open<CTestEditor>(Record(1));
    Type(pEditor, IDC_RETAIL_PRICE, "10000000");
    Type(pEditor, IDC_WHOLESALE_COST, "0");
    Press(pEditor, IDOK);
    ASSERT_EQ(1u, m_view.stored.size());
    EXPECT_EQ(10000000.0f, m_view.stored[0].retail);
    EXPECT_EQ(0.0f, m_view.stored[0].wholesale);
}

TEST_F(ComponentDialogTest, ANewComponentMayNotTakeTheNameOfAnotherOfItsKind)
{
    Run("INSERT INTO Components ([Database Number], [Description], [Warehouse Code]) "
        "VALUES (2, '3'' riser', 'R-3');");
    auto* pEditor = Open<CTestEditor>(NewRecord(DBNUM_VALVE));
    Type(pEditor, IDC_DESCRIPTION, "3' riser");
    Type(pEditor, IDC_WAREHOUSE_CODE, "R-3");
    Press(pEditor, IDOK);
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ("The component '3' riser' already exists, please change\n"
              "the component description and/or warehouse code.",
              m_boxes[0].text);
    EXPECT_EQ(::GetDlgItem(pEditor->GetSafeHwnd(), IDC_DESCRIPTION), ::GetFocus());
    ExpectStillOpen(pEditor);

    Type(pEditor, IDC_DESCRIPTION, "3' riser, long");
    Press(pEditor, IDOK);
    EXPECT_EQ(1, m_view.Count("save"));
    EXPECT_EQ(1, g_nEditorsDeleted);
}

TEST_F(ComponentDialogTest, TwinsAreOnlyThoseOfTheSameKind)
{
    // A tee of the valve's name and code is no twin of a new valve.
    Run("INSERT INTO Components ([Database Number], [Description], [Warehouse Code]) VALUES (8, 'Twin', 'T');");
    auto* pEditor = Open<CTestEditor>(NewRecord(DBNUM_VALVE));
    Type(pEditor, IDC_DESCRIPTION, "Twin");
    Type(pEditor, IDC_WAREHOUSE_CODE, "T");
    Press(pEditor, IDOK);
    EXPECT_EQ(1, m_view.Count("save"));
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(ComponentDialogTest, AnExistingComponentIsNotCheckedForTwinsHere)
{
    auto* pEditor = Open<CTestEditor>(Record(1));
    Type(pEditor, IDC_DESCRIPTION, Query("SELECT RTRIM([Description]) FROM Components WHERE [Component Key] = 2").c_str());
    Type(pEditor, IDC_WAREHOUSE_CODE, Query("SELECT RTRIM([Warehouse Code]) FROM Components WHERE [Component Key] = 2").c_str());
    Press(pEditor, IDOK);
    EXPECT_EQ(1, m_view.Count("save"));
    EXPECT_TRUE(m_boxes.empty());
}

/////////////////////////////////////////////////////////////////////////////
// A store that fails

TEST_F(ComponentDialogTest, AStoreThatFailsKeepsTheEditorOpenAndTheComponentNew)
{
    m_view.storeAnswers = { FALSE };
    auto* pEditor = Open<CTestEditor>(NewRecord(DBNUM_VALVE));
    Type(pEditor, IDC_DESCRIPTION, "Gate valve 50");
    Type(pEditor, IDC_WAREHOUSE_CODE, "GV-50");
    Press(pEditor, IDOK);
    EXPECT_EQ(1, m_view.Count("save"));
    EXPECT_TRUE(pEditor->IsOpen());
    EXPECT_TRUE(::IsWindowVisible(pEditor->GetSafeHwnd()));
    EXPECT_EQ("Gate valve 50", Text(pEditor, IDC_DESCRIPTION));
    // Still new: the next OK checks for twins again.
    EXPECT_FALSE(m_view.GetGridState().bSkipDuplicateTest);
    Run("INSERT INTO Components ([Database Number], [Description], [Warehouse Code]) "
        "VALUES (2, 'Gate valve 50', 'GV-50');");
    Press(pEditor, IDOK);
    EXPECT_EQ(1, m_view.Count("save"));
    ASSERT_EQ(1u, m_boxes.size());

    Type(pEditor, IDC_WAREHOUSE_CODE, "GV-50B");
    Press(pEditor, IDOK);
    EXPECT_EQ(2, m_view.Count("save"));
    EXPECT_EQ(1, m_view.Count("clear"));
    EXPECT_EQ(1, g_nEditorsDeleted);
    EXPECT_TRUE(m_view.GetGridState().bSkipDuplicateTest);
}

/////////////////////////////////////////////////////////////////////////////
// Closing, in every order

TEST_F(ComponentDialogTest, CancelAndTheCloseBoxEndTheEditAndCloseOnce)
{
    struct Way
    {
        const char* name;
        std::function<void(OZU_ComponentDialog*)> close;
    } ways[] = {
        { "Cancel", [this](OZU_ComponentDialog* p) { Press(p, IDCANCEL); } },
        { "close box", [](OZU_ComponentDialog* p) { ::SendMessageA(p->GetSafeHwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); } },
        { "Escape",
          [](OZU_ComponentDialog* p) {
              HWND hEdit = ::GetDlgItem(p->GetSafeHwnd(), IDC_DESCRIPTION);
              ::SetFocus(hEdit);
              MSG msg = { hEdit, WM_KEYDOWN, VK_ESCAPE, 0x00010001 };
              if (!p->PreTranslateMessage(&msg))
                  ::DispatchMessageA(&msg);
          } },
    };
    for (const Way& way : ways) {
        m_view.calls.clear();
        g_nEditorsDeleted = 0;
        auto* pEditor = Open<CTestEditor>(NewRecord(DBNUM_VALVE));
        Type(pEditor, IDC_DESCRIPTION, "Not kept");
        way.close(pEditor);
        kvtest::PumpMessages();
        EXPECT_EQ((std::vector<std::string>{ "endEdit", "clear" }), m_view.calls) << way.name;
        EXPECT_EQ(1, g_nEditorsDeleted) << way.name;
        EXPECT_EQ(nullptr, m_view.pOpen) << way.name;
        EXPECT_TRUE(m_view.GetGridState().bSkipDuplicateTest) << way.name;
        m_pGrid->EndDialogEdit();
    }
}

TEST_F(ComponentDialogTest, CancelAfterARefusedOKClosesOnce)
{
    auto* pEditor = Open<CTestEditor>(NewRecord(DBNUM_VALVE));
    Press(pEditor, IDOK);   // blank description
    Press(pEditor, IDOK);
    EXPECT_EQ(2u, m_boxes.size());
    Press(pEditor, IDCANCEL);
    EXPECT_EQ((std::vector<std::string>{ "endEdit", "clear" }), m_view.calls);
    EXPECT_EQ(1, g_nEditorsDeleted);
}

TEST_F(ComponentDialogTest, GoingFromOutsideTellsTheViewAndDeletesOnce)
{
    struct Way
    {
        const char* name;
        std::function<void(OZU_ComponentDialog*)> close;
    } ways[] = {
        // The view closes it (its database is closed, say).
        { "destroyed by the view", [](OZU_ComponentDialog* p) { p->DestroyWindow(); } },
        // The window it belongs to goes first.
        { "owner destroyed", [this](OZU_ComponentDialog*) { m_owner.DestroyWindow(); } },
        // Deleted while open: the window goes with it.
        { "deleted", [](OZU_ComponentDialog* p) { delete p; } },
    };
    for (const Way& way : ways) {
        m_view.calls.clear();
        g_nEditorsDeleted = 0;
        if (!m_owner.GetSafeHwnd()) {
            ASSERT_TRUE(m_owner.CreateHost(100, 100, 600, 400));
        }
        auto* pEditor = Open<CTestEditor>(Record(1));
        HWND hWnd = pEditor->GetSafeHwnd();
        way.close(pEditor);
        kvtest::PumpMessages();
        EXPECT_FALSE(::IsWindow(hWnd)) << way.name;
        EXPECT_EQ(std::vector<std::string>{ "clear" }, m_view.calls) << way.name;
        EXPECT_EQ(1, g_nEditorsDeleted) << way.name;
    }
}

TEST_F(ComponentDialogTest, DestroyedUnderItsOwnMessageBoxItStoresNothingAndGoesOnce)
{
    auto* pEditor = Open<CTestEditor>(NewRecord(DBNUM_VALVE));
    HWND hWnd = pEditor->GetSafeHwnd();
    // While the blank-description message is up, the view closes the
    // editor; the object lives on until its OK handler has returned.
    m_onBox = [pEditor] {
        pEditor->DestroyWindow();
        EXPECT_EQ(0, g_nEditorsDeleted);
    };
    Press(pEditor, IDOK);
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(std::vector<std::string>{ "clear" }, m_view.calls);
    EXPECT_EQ(1, g_nEditorsDeleted);
}

TEST_F(ComponentDialogTest, DestroyedWhileTheViewStoresItItGoesOnce)
{
    m_view.onSave = [](OZU_ComponentDialog* p) { p->DestroyWindow(); };
    auto* pEditor = Open<CTestEditor>(Record(1));
    Press(pEditor, IDOK);
    EXPECT_EQ((std::vector<std::string>{ "save", "clear" }), m_view.calls);
    EXPECT_EQ(1, g_nEditorsDeleted);
}

TEST_F(ComponentDialogTest, AnEditorWhoseWindowCannotBeMadeIsLeftToItsMaker)
{
    auto* pEditor = new CTestEditor(m_pGrid, &Record(1), &m_units, &m_view, IDD_TEST_NO_TEMPLATE);
    EXPECT_FALSE(pEditor->IsOpen());
    EXPECT_EQ(0, g_nEditorsDeleted);
    EXPECT_TRUE(m_view.calls.empty());
    delete pEditor;
    EXPECT_EQ(1, g_nEditorsDeleted);
    EXPECT_TRUE(m_view.calls.empty());
}
