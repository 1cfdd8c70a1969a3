#include "tests/editors/base/window/EditorTestSupport.h"
#include "tests/support/ScratchDatabase.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UnitsTestApp.h"

#include <algorithm>

namespace editortest {

int g_nEditorsDeleted = 0;

namespace {

// The application object: the display settings it hands down, and the
// message boxes, which the running test answers.
class CTestApp : public kvtest::CUnitsTestApp
{
public:
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    std::function<int(LPCTSTR, UINT)> answer;
};

CTestApp s_app;

int CTestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    if (answer)
        return answer(lpszPrompt, nType);
    ADD_FAILURE() << "message box outside a test: " << lpszPrompt;
    return CWinApp::DoMessageBox(lpszPrompt, nType, nIDPrompt);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CFakeView

BOOL CFakeView::Connect(const std::string& path)
{
    Disconnect();
    m_pDatabase = new CDatabase;
    if (!m_pDatabase->OpenEx(kvtest::ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog))
        return FALSE;
    CRecordset rs(m_pDatabase);
    rs.Open(CRecordset::forwardOnly, "SELECT TOP 1 * FROM Components", CRecordset::readOnly);
    for (short i = 0; i < rs.GetODBCFieldCount(); i++) {
        CODBCFieldInfo info;
        rs.GetODBCFieldInfo(i, info);
        m_fieldLengths.push_back((int)info.m_nPrecision);
    }
    rs.Close();
    return TRUE;
}

void CFakeView::Disconnect()
{
    if (m_pDatabase && m_pDatabase->IsOpen())
        m_pDatabase->Close();
    delete m_pDatabase;
    m_pDatabase = nullptr;
    m_fieldLengths.clear();
}

int CFakeView::GetFieldLength(int nColumn) const
{
    // Only the text columns the view reports.
    const int reported[] = { 6, 7, 8, 9, 10, 11, 12, 13, 33, 34 };
    if (std::find(std::begin(reported), std::end(reported), nColumn) == std::end(reported))
        return 0;
    return nColumn <= (int)m_fieldLengths.size() ? m_fieldLengths[nColumn - 1] : 0;
}

BOOL CFakeView::SaveComponent(OZU_ComponentDialog* pEditor)
{
    calls.push_back("save");
    EXPECT_EQ(pOpen, pEditor);
    Stored s;
    s.description = pEditor->m_strDescription.str();
    s.warehouseCode = pEditor->m_strWarehouseCode.str();
    s.supplierCode = pEditor->m_strSupplierCode.str();
    s.usage = pEditor->m_strUsage.str();
    s.label = pEditor->m_strLabel.str();
    s.wholesale = pEditor->m_fWholesaleCost;
    s.retail = pEditor->m_fRetailPrice;
    s.flags = pEditor->m_nFlags;
    stored.push_back(s);
    if (onSave)
        onSave(pEditor);
    if (storeAnswers.empty())
        return TRUE;
    BOOL bAnswer = storeAnswers.front();
    storeAnswers.pop_front();
    return bAnswer;
}

void CFakeView::ClearCurrentDialog(OZU_ComponentDialog* pEditor)
{
    calls.push_back("clear");
    EXPECT_EQ(pOpen, pEditor);
    pOpen = nullptr;
}

int CFakeView::Count(const std::string& call) const
{
    return (int)std::count(calls.begin(), calls.end(), call);
}

/////////////////////////////////////////////////////////////////////////////
// EditorTest

void EditorTest::SetUp()
{
    g_nEditorsDeleted = 0;
    s_app.answer = [this](LPCTSTR text, UINT nType) {
        m_boxes.push_back({ text ? text : "", nType });
        if (m_onBox) {
            auto onBox = std::move(m_onBox);
            m_onBox = nullptr;
            onBox();
        }
        if (!m_answers.empty()) {
            int nAnswer = m_answers.front();
            m_answers.pop_front();
            return nAnswer;
        }
        UINT buttons = nType & MB_TYPEMASK;
        return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
    };
    m_units.SetUnits(*m_units.GetMetricUnits());

    m_path = kvtest::ScratchDir(kvtest::TestName()) + "\\Sample.sqlite";
    ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), m_path));
    ASSERT_TRUE(m_view.Connect(m_path));

    ASSERT_TRUE(m_host.CreateHost(0, 0, 900, 600));
    ASSERT_TRUE(m_owner.CreateHost(100, 100, 600, 400));
    m_view.pParent = &m_owner;
    ASSERT_TRUE(m_info.Create(WS_VISIBLE, CRect(0, 0, 880, 300), &m_host, 1327));
    m_pGrid = new CGridWindow(&m_view);
    ASSERT_TRUE(m_pGrid->Create(WS_VISIBLE, CRect(0, 0, 1, 1), &m_info, 1328));
    m_info.AttachWnd(m_pGrid);
    m_pGrid->InitGrid();
    m_pGrid->SwitchTable(0);
}

void EditorTest::TearDown()
{
    // An editor a test left open goes with its view.
    if (m_view.pOpen != nullptr && m_view.pOpen->IsOpen())
        m_view.pOpen->DestroyWindow();
    if (m_pGrid != nullptr) {
        m_pGrid->DetachRecordBeam();
        m_info.AttachWnd(nullptr);
        delete m_pGrid;
        m_pGrid = nullptr;
    }
    if (m_info.GetSafeHwnd())
        m_info.DestroyWindow();
    if (m_host.GetSafeHwnd())
        m_host.DestroyWindow();
    if (m_owner.GetSafeHwnd())
        m_owner.DestroyWindow();
    kvtest::PumpMessages();
    m_records.clear();
    m_view.Disconnect();
    s_app.answer = nullptr;
}

CRecords& EditorTest::Record(long nKey)
{
    m_records.push_back(std::make_unique<CRecords>(m_view.GetDatabase()));
    CRecords& record = *m_records.back();
    EXPECT_TRUE(record.OpenByKey(nKey)) << nKey;
    if (record.IsOpen())
        record.Close();
    m_view.GetGridState().bSkipDuplicateTest = TRUE;
    return record;
}

CRecords& EditorTest::NewRecord(BYTE nDatabaseNumber, long nFlags)
{
    m_records.push_back(std::make_unique<CRecords>(m_view.GetDatabase()));
    CRecords& record = *m_records.back();
    record.m_nDatabaseNumber = nDatabaseNumber;
    record.m_nFlags = nFlags;
    m_pGrid->OnInfoWndMoveRecord(GR_MOVE_NEW, 0);
    m_pGrid->BeginDialogEdit(CGridWindow::editAdding);
    EXPECT_TRUE(m_pGrid->IsOnLastRecord());
    m_view.GetGridState().bSkipDuplicateTest = FALSE;
    return record;
}

std::string EditorTest::Caption(OZU_ComponentDialog* pEditor)
{
    char text[512] = {};
    ::GetWindowTextA(pEditor->GetSafeHwnd(), text, sizeof(text));
    return text;
}

std::string EditorTest::Text(OZU_ComponentDialog* pEditor, int nID)
{
    char text[512] = {};
    ::GetDlgItemTextA(pEditor->GetSafeHwnd(), nID, text, sizeof(text));
    return text;
}

void EditorTest::Type(OZU_ComponentDialog* pEditor, int nID, const char* text)
{
    ASSERT_TRUE(::SetDlgItemTextA(pEditor->GetSafeHwnd(), nID, text));
}

void EditorTest::Press(OZU_ComponentDialog* pEditor, int nID)
{
    HWND hButton = ::GetDlgItem(pEditor->GetSafeHwnd(), nID);
    ::SendMessageA(pEditor->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)hButton);
}

std::string EditorTest::Selected(OZU_ComponentDialog* pEditor, int nID)
{
    HWND hCombo = ::GetDlgItem(pEditor->GetSafeHwnd(), nID);
    LRESULT nSel = ::SendMessageA(hCombo, CB_GETCURSEL, 0, 0);
    if (nSel < 0)
        return "<none>";
    char text[512] = {};
    ::SendMessageA(hCombo, CB_GETLBTEXT, (WPARAM)nSel, (LPARAM)text);
    return text;
}

std::vector<std::string> EditorTest::Items(OZU_ComponentDialog* pEditor, int nID)
{
    HWND hCombo = ::GetDlgItem(pEditor->GetSafeHwnd(), nID);
    std::vector<std::string> items;
    LRESULT nCount = ::SendMessageA(hCombo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < nCount; ++i) {
        char text[512] = {};
        ::SendMessageA(hCombo, CB_GETLBTEXT, (WPARAM)i, (LPARAM)text);
        items.push_back(text);
    }
    return items;
}

BOOL EditorTest::Enabled(OZU_ComponentDialog* pEditor, int nID)
{
    return ::IsWindowEnabled(::GetDlgItem(pEditor->GetSafeHwnd(), nID));
}

std::string EditorTest::Query(const std::string& sql)
{
    return kvtest::QueryText(*m_view.GetDatabase(), sql);
}

long EditorTest::QueryLong(const std::string& sql)
{
    return kvtest::QueryLong(*m_view.GetDatabase(), sql);
}

void EditorTest::Run(const std::string& sql)
{
    kvtest::RunSql(*m_view.GetDatabase(), sql);
}

} // namespace editortest
