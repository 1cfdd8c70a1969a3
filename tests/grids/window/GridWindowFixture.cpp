#include "tests/grids/window/GridWindowFixture.h"
#include "tests/support/RegistryHelpers.h"
#include "tests/support/ScratchDatabase.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UnitsTestApp.h"

#include <cstdio>
#include <memory>

namespace gridwindowtest {

namespace {

// The application object: the display units and significant digits it hands
// down, as the program's does.
using CTestApp = kvtest::CUnitsTestApp;

CTestApp* s_pApp = nullptr;

// HKEY_CURRENT_USER of this process redirected to a key of its own, so that
// the grid's settings of tests running at the same time never meet, and one
// application object for the whole run.
class Environment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        m_hive = std::make_unique<kvtest::PrivateUserHive>();
        ASSERT_TRUE(m_hive->IsRedirected());
        m_app = std::make_unique<CTestApp>();
        s_pApp = m_app.get();
    }
    void TearDown() override
    {
        s_pApp = nullptr;
        m_app.reset();
        m_hive.reset();
    }

private:
    std::unique_ptr<kvtest::PrivateUserHive> m_hive;
    std::unique_ptr<CTestApp> m_app;
};

const ::testing::Environment* const kEnvironment = ::testing::AddGlobalTestEnvironment(new Environment);

} // namespace

BOOL CRecordingView::Connect(const std::string& path)
{
    Disconnect();
    m_pDatabase = new CDatabase;
    if (!m_pDatabase->OpenEx(GetComponentConnectString(path.c_str()), CDatabase::noOdbcDialog))
        return FALSE;
    m_pNominalTable = new CNominalTable(m_pDatabase);
    m_pNominalTable->Open(CRecordset::dynaset, nullptr, CRecordset::useBookmarks);
    CRecordset rs(m_pDatabase);
    rs.Open(CRecordset::forwardOnly, "SELECT TOP 1 * FROM Components", CRecordset::readOnly);
    for (short i = 0; i < rs.GetODBCFieldCount(); i++)
    {
        CODBCFieldInfo info;
        rs.GetODBCFieldInfo(i, info);
        m_fieldLengths.push_back((int)info.m_nPrecision);
    }
    rs.Close();
    return TRUE;
}

void CRecordingView::Disconnect()
{
    if (m_pNominalTable)
        m_pNominalTable->CloseQuietly();
    delete m_pNominalTable;
    m_pNominalTable = nullptr;
    if (m_pDatabase && m_pDatabase->IsOpen())
        m_pDatabase->Close();
    delete m_pDatabase;
    m_pDatabase = nullptr;
    m_fieldLengths.clear();
}

OZU_DiameterValue& CRecordingView::ConvertNominal(OZU_DiameterValue& result, const OZU_DiameterValue& diameter,
                                                  int nUnit)
{
    result = m_pNominalTable->ConvertDiameter(diameter, nUnit);
    return result;
}

int CRecordingView::GetFieldLength(int nColumn) const
{
    return nColumn >= 1 && nColumn <= (int)m_fieldLengths.size() ? m_fieldLengths[nColumn - 1] : 0;
}

void GridWindowTest::SetUp()
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kvtest::kProductKey);
    m_boxes = std::make_unique<kvtest::MessageBoxWatcher>(&m_messages);
    GRGetAppState()->m_pfnMessageBox = [this](HWND, LPCTSTR text, UINT) {
        m_messages.push_back(text ? text : "");
        return m_nAnswer;
    };
    ASSERT_TRUE(s_pApp);
    s_pApp->GetUnitSettings()->SetUnits(OZU_UnitSet(1));

    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_path = kvtest::ScratchDir(std::string("grids_") + info->name()) + "\\Sample.sqlite";
    ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), m_path));
    m_pView = new CRecordingView;
    ASSERT_TRUE(m_pView->Connect(m_path));

    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    ASSERT_TRUE(m_parent.CreateEx(0, cls, "component grid test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900,
                                  600, nullptr, nullptr));
    ASSERT_TRUE(m_info.Create(WS_VISIBLE, CRect(0, 0, 880, 560), &m_parent, 1327));
    MakeGrid();
}

void GridWindowTest::MakeGrid()
{
    m_pGrid = new CRecordingGrid(m_pView);
    ASSERT_TRUE(m_pGrid->Create(WS_VISIBLE, CRect(0, 0, 1, 1), &m_info, 1328));
    m_info.AttachWnd(m_pGrid);
    m_pGrid->SetAssemWnd(&m_assem);
    m_pGrid->InitGrid();
    Show(0);
}

void GridWindowTest::DestroyGrid()
{
    if (!m_pGrid)
        return;
    m_pGrid->DetachRecordBeam();
    m_info.AttachWnd(nullptr);
    delete m_pGrid;
    m_pGrid = nullptr;
}

void GridWindowTest::TearDown()
{
    DestroyGrid();
    if (m_info.GetSafeHwnd())
        m_info.DestroyWindow();
    if (m_parent.GetSafeHwnd())
        m_parent.DestroyWindow();
    kvtest::PumpMessages();
    if (m_pView)
        m_pView->Disconnect();
    delete m_pView;
    m_pView = nullptr;
    GRGetAppState()->m_pfnMessageBox = nullptr;
    m_boxes.reset();
}

void GridWindowTest::Show(int nTableType)
{
    m_pGrid->SwitchTable(nTableType);
}

std::string GridWindowTest::Query(const std::string& sql)
{
    return kvtest::QueryText(*m_pView->GetDatabase(), sql);
}

long GridWindowTest::QueryLong(const std::string& sql)
{
    return kvtest::QueryLong(*m_pView->GetDatabase(), sql);
}

void GridWindowTest::ShowColumns(std::initializer_list<int> columns)
{
    for (int c : columns)
        m_pGrid->HideCols((ROWCOL)c, (ROWCOL)c, FALSE);
}

long GridWindowTest::KeyOfRow(ROWCOL nRow)
{
    return std::atol(m_pGrid->GetValueRowCol(nRow, 1));
}

void GridWindowTest::TypeIntoCell(ROWCOL nRow, ROWCOL nCol, const char* text)
{
    ASSERT_TRUE(m_pGrid->SetCurrentCell(nRow, nCol));
    ASSERT_TRUE(m_pGrid->ActivateCurrentCell());
    CGRControl* pControl = m_pGrid->GetCurrentCellControl();
    ASSERT_TRUE(pControl && pControl->IsActive());
    pControl->SetCurrentText(text);
    pControl->SetModify(TRUE);
    m_pGrid->OnModifyCell(nRow, nCol);
}

BOOL GridWindowTest::StoreRow(CString* pError)
{
    CString error;
    return m_pGrid->Update(pError ? pError : &error);
}

CString GridWindowTest::EditorText()
{
    CString text;
    if (CGRControl* pControl = m_pGrid->GetCurrentCellControl())
        pControl->GetCurrentText(text);
    return text;
}

OZU_UnitSet& GridWindowTest::Units()
{
    return *s_pApp->GetUnitSettings()->GetUnits();
}

void GridWindowTest::ApplyUnits()
{
    m_pGrid->UpdateColumnTitles();
}

std::vector<std::string> GridWindowTest::TakeMessages()
{
    std::vector<std::string> texts;
    texts.swap(m_messages);
    return texts;
}

} // namespace gridwindowtest
