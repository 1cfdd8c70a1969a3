#include "tests/editors/components/window/ComponentEditorTest.h"
#include "database/records/TapeRecords.h"
#include "editors/components/window/EditorSupport.h"
#include "grids/core/ComponentStore.h"
#include "grids/window/GridWindow.h"

#include <algorithm>
#include <cmath>

namespace componenttest {

void ComponentEditorTest::SetUp()
{
    EditorTest::SetUp();
    if (HasFatalFailure())
        return;
    m_pNominal = std::make_unique<CNominalTable>(m_view.GetDatabase());
    m_pNominal->Open();
    m_view.convertNominal = [this](const OZU_DiameterValue& diameter, int nUnit) {
        return m_pNominal->ConvertDiameter(diameter, nUnit);
    };
    m_view.onSave = [this](OZU_ComponentDialog* pEditor) { m_view.storeAnswers.push_back(Store(pEditor)); };
}

void ComponentEditorTest::TearDown()
{
    if (m_pTapeRow)
        m_pTapeRow->CloseQuietly();
    m_pTapeRow.reset();
    if (m_pNominal)
        m_pNominal->CloseQuietly();
    m_pNominal.reset();
    EditorTest::TearDown();
}

void ComponentEditorTest::UseUnits(bool bMetric)
{
    m_units.SetUnits(bMetric ? *m_units.GetMetricUnits() : *m_units.GetUSUnits());
}

OZU_ComponentDialog* ComponentEditorTest::OpenKey(long nKey)
{
    CRecords& record = Record(nKey);
    m_nOpenKind = kvcomponents::GetEditorKind(record);
    m_nOpenKey = nKey;
    CTapeExtras* pTapeRow = nullptr;
    if (m_nOpenKind == 1) {
        m_pTapeRow = std::make_unique<CTapeExtras>(m_view.GetDatabase());
        if (m_pTapeRow->OpenByPipeKey(nKey))
            pTapeRow = m_pTapeRow.get();
    }
    OZU_ComponentDialog* pEditor =
        kvcomponents::CreateComponentEditor(m_nOpenKind, m_pGrid, &record, pTapeRow, &m_units, &m_view);
    m_view.pOpen = pEditor;
    return pEditor;
}

OZU_ComponentDialog* ComponentEditorTest::OpenNew(BYTE nDatabaseNumber, long nFlags)
{
    CRecords& record = NewRecord(nDatabaseNumber, nFlags);
    m_nOpenKind = kvcomponents::GetEditorKind(record);
    m_nOpenKey = -1;
    OZU_ComponentDialog* pEditor =
        kvcomponents::CreateComponentEditor(m_nOpenKind, m_pGrid, &record, nullptr, &m_units, &m_view);
    m_view.pOpen = pEditor;
    return pEditor;
}

BOOL ComponentEditorTest::Store(OZU_ComponentDialog* pEditor)
{
    CDatabase* pDb = m_view.GetDatabase();
    CRecords record(pDb);
    if (m_nOpenKey > 0)
        kvgrid::ReadComponent(pDb, m_nOpenKey, record);
    TapeFields tapeFields;
    kvcomponents::CViewColumns columns(&m_view);
    if (!kvcomponents::FillComponentRecords(*pEditor, m_nOpenKind, columns, record, tapeFields))
        return FALSE;
    record.m_nComponentKey = m_nOpenKey;
    CTapeExtras tapeRow(nullptr);
    static_cast<TapeFields&>(tapeRow) = tapeFields;
    CTapeRecords tape(record, tapeRow);
    if (!m_pGrid->SaveComponent(record, tape))
        return FALSE;
    m_nStoredKey = m_nOpenKey > 0 ? m_nOpenKey : QueryLong("SELECT MAX([Component Key]) FROM Components");
    return TRUE;
}

void ComponentEditorTest::Enter(OZU_ComponentDialog* pEditor, int nID, const char* text)
{
    HWND hControl = Control(pEditor, nID);
    ASSERT_NE(nullptr, hControl) << nID;
    char className[32] = {};
    ::GetClassNameA(hControl, className, sizeof(className));
    if (lstrcmpiA(className, "ComboBox") != 0) {
        Type(pEditor, nID, text);
        return;
    }
    LRESULT nItem = ::SendMessageA(hControl, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text);
    ASSERT_NE(CB_ERR, nItem) << nID << " has no " << text;
    ::SendMessageA(hControl, CB_SETCURSEL, (WPARAM)nItem, 0);
    ::SendMessageA(pEditor->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), (LPARAM)hControl);
}

void ComponentEditorTest::ExpectTypedFieldsStored(const TypedFields& c)
{
    SCOPED_TRACE(std::string(c.kind) + (c.bMetric ? " metric" : " US"));
    UseUnits(c.bMetric);
    OZU_ComponentDialog* pEditor = OpenKey(c.nKey);
    ASSERT_NE(nullptr, pEditor);
    for (auto& [nID, text] : c.typed)
        Enter(pEditor, nID, text);
    m_boxes.clear();
    Press(pEditor, IDOK);
    ASSERT_EQ(nullptr, m_view.pOpen) << (m_boxes.empty() ? "" : m_boxes[0].text);
    auto tolerance = [](double value) { return std::max(1e-5, std::fabs(value) * 2e-5); };
    for (const StoredNumber& s : c.numbers)
        EXPECT_NEAR(s.value, Number(c.nKey, s.column), tolerance(s.value)) << s.column;
    for (auto& [column, text] : c.texts)
        EXPECT_EQ(text, Text(c.nKey, column)) << column;
    for (const StoredNumber& s : c.tapeNumbers) {
        const double stored = std::atof(
            Query(std::string("SELECT ") + s.column + " FROM Tapes WHERE [Pipe Key] = " + std::to_string(c.nKey))
                .c_str());
        EXPECT_NEAR(s.value, stored, tolerance(s.value)) << "Tapes " << s.column;
    }
}

void ComponentEditorTest::ExpectRoundTrip(
    long nKey, const std::function<std::vector<std::string>(std::vector<std::string>)>& normalise)
{
    const std::vector<std::string> before = normalise(Row(nKey));
    const std::vector<std::string> tapeBefore = TapeRow(nKey);
    OZU_ComponentDialog* pEditor = OpenKey(nKey);
    ASSERT_NE(nullptr, pEditor);
    const std::map<int, std::string> shown = Shown(pEditor);
    m_boxes.clear();
    Press(pEditor, IDOK);
    EXPECT_EQ(nullptr, m_view.pOpen) << (m_boxes.empty() ? "" : m_boxes[0].text);
    EXPECT_EQ(before, normalise(Row(nKey)));
    EXPECT_EQ(tapeBefore, TapeRow(nKey));

    pEditor = OpenKey(nKey);
    ASSERT_NE(nullptr, pEditor);
    EXPECT_EQ(shown, Shown(pEditor));
    pEditor->DestroyWindow();
}

void ComponentEditorTest::ExpectUnitCaptions(const UnitCaptions& c)
{
    SCOPED_TRACE(std::to_string(c.nKey) + (c.bMetric ? " metric" : " US"));
    UseUnits(c.bMetric);
    OZU_ComponentDialog* pEditor = OpenKey(c.nKey);
    ASSERT_NE(nullptr, pEditor);
    for (auto& [nID, caption] : c.captions)
        EXPECT_EQ(caption, EditorTest::Text(pEditor, nID)) << nID;
    pEditor->DestroyWindow();
}

void ComponentEditorTest::ExpectAssemblyTitle(const AssemblyTitle& c)
{
    SCOPED_TRACE(c.title);
    const BOOL bWas = m_view.GetGridState().bAssemblyMode;
    m_view.GetGridState().bAssemblyMode = TRUE;
    OZU_ComponentDialog* pEditor = OpenNew(c.nDatabaseNumber, c.nFlags);
    ASSERT_NE(nullptr, pEditor);
    EXPECT_EQ(c.title, Caption(pEditor));
    pEditor->DestroyWindow();
    m_pGrid->EndDialogEdit();
    m_view.GetGridState().bAssemblyMode = bWas;
}

void ComponentEditorTest::ExpectRefused(const Refusal& c)
{
    SCOPED_TRACE(std::to_string(c.nKey) + ": " + std::to_string(c.nID) + " = " + c.typed);
    const std::vector<std::string> before = Row(c.nKey);
    OZU_ComponentDialog* pEditor = OpenKey(c.nKey);
    ASSERT_NE(nullptr, pEditor);
    Type(pEditor, c.nID, c.typed);
    m_boxes.clear();
    const int nSaves = m_view.Count("save");
    Press(pEditor, IDOK);
    EXPECT_TRUE(pEditor->IsOpen());
    EXPECT_EQ(nSaves, m_view.Count("save"));
    ASSERT_FALSE(m_boxes.empty());
    EXPECT_NE(std::string::npos, m_boxes.back().text.find(c.message)) << m_boxes.back().text;
    EXPECT_EQ(Control(pEditor, c.nFocus != 0 ? c.nFocus : c.nID), ::GetFocus());
    EXPECT_EQ(before, Row(c.nKey));
    pEditor->DestroyWindow();
}

long ComponentEditorTest::FirstOf(int nDatabaseNumber, long nFlags)
{
    return QueryLong("SELECT MIN([Component Key]) FROM Components WHERE [Database Number] = " +
                     std::to_string(nDatabaseNumber) + " AND Flags = " + std::to_string(nFlags));
}

std::vector<std::string> ComponentEditorTest::Row(long nKey)
{
    ComponentFields fields;
    std::vector<std::string> row(1);
    if (!kvgrid::ReadComponent(m_view.GetDatabase(), nKey, fields))
        return row;
    for (int c = 1; c <= (int)ComponentFields::FieldCount; c++)
        row.push_back(kvgrid::ComponentColumnText(fields, c).str());
    return row;
}

std::vector<std::string> ComponentEditorTest::TapeRow(long nKey)
{
    CTapeExtras tape(m_view.GetDatabase());
    std::vector<std::string> row(1);
    if (!tape.OpenByPipeKey(nKey))
        return row;
    for (int c = 1; c <= (int)TapeFields::FieldCount; c++)
        row.push_back(kvgrid::TapeColumnText(tape, c).str());
    tape.CloseQuietly();
    return row;
}

double ComponentEditorTest::Number(long nKey, const char* column)
{
    return std::atof(Query(std::string("SELECT ") + column + " FROM Components WHERE [Component Key] = " +
                           std::to_string(nKey))
                         .c_str());
}

std::string ComponentEditorTest::Text(long nKey, const char* column)
{
    return Query(std::string("SELECT ") + column + " FROM Components WHERE [Component Key] = " +
                 std::to_string(nKey));
}

std::map<int, std::string> ComponentEditorTest::Shown(OZU_ComponentDialog* pEditor)
{
    std::map<int, std::string> shown;
    for (HWND hChild = ::GetWindow(pEditor->GetSafeHwnd(), GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        char className[32] = {};
        ::GetClassNameA(hChild, className, sizeof(className));
        const int nID = ::GetDlgCtrlID(hChild);
        if (nID <= 0 || nID == 0xFFFF)
            continue;
        if (lstrcmpiA(className, "Edit") == 0)
            shown[nID] = EditorTest::Text(pEditor, nID);
        else if (lstrcmpiA(className, "ComboBox") == 0)
            shown[nID] = Selected(pEditor, nID);
        else if (lstrcmpiA(className, "Button") == 0 &&
                 (::GetWindowLongA(hChild, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX)
            shown[nID] = ::SendMessageA(hChild, BM_GETCHECK, 0, 0) == BST_CHECKED ? "checked" : "clear";
    }
    return shown;
}

} // namespace componenttest
