#include "tests/editors/components/window/ComponentEditorTest.h"
#include "database/records/TapeRecords.h"
#include "editors/components/window/EditorSupport.h"
#include "grids/core/ComponentStore.h"
#include "grids/window/GridWindow.h"

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
