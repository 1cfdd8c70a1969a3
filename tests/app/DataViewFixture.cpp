#include "tests/app/DataViewFixture.h"
#include "pickers/controls/QueryWnd.h"
#include "tests/support/RegistryHelpers.h"
#include "tests/support/ScratchDatabase.h"
#include "tests/support/TestSupport.h"

#include <cstdlib>

namespace dataviewtest {

namespace {

// Takes an update handler's answer.
class CommandState : public CCmdUI
{
public:
    BOOL bEnabled = FALSE;
    void Enable(BOOL bOn) override
    {
        bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetText(LPCTSTR) override {}
};

} // namespace

void DataViewTest::SetUp()
{
    ProgramFolderFixture::SetUp();
    kvtest::DeleteProductSubKey("AppSettings");
    // The query text is the program's, shared by its views: an earlier
    // test's text is not this one's.
    g_QueryText.Empty();
    m_database = m_data + "Sample.sqlite";
    ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), m_database));
    m_boxes = std::make_unique<kvtest::MessageBoxWatcher>(&m_messages);
}

void DataViewTest::TearDown()
{
    ProgramFolderFixture::TearDown();
    m_boxes.reset();
    m_pView = nullptr;
    for (const char* key : { "VisualSettings", "DatabaseSettings", "AppSettings" })
        kvtest::DeleteProductSubKey(key);
}

void DataViewTest::Start(DWORD options)
{
    Stop();
    m_pView = nullptr;
    kvtest::StoreText("", "KelVaron Settings", std::to_string(options));
    ASSERT_TRUE(ProgramFixture::Start("\"" + m_database + "\""));
    m_pView = ActiveView();
    ASSERT_NE(nullptr, m_pView);
    ASSERT_NE(nullptr, m_pView->GetGrid());
}

CKelvaronView* DataViewTest::OpenSecondDatabase(const std::string& name)
{
    const std::string path = CopyAndOpenSample(name);
    CKelvaronView* pView = ActiveView();
    return pView != nullptr && pView->GetDocument()->GetDatabasePath() == path.c_str() ? pView : nullptr;
}

bool DataViewTest::Enabled(UINT nID, CCmdTarget* pTarget)
{
    CommandState state;
    state.m_nID = nID;
    if (pTarget == nullptr)
        pTarget = m_pView;
    if (!pTarget->OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
        return false;
    return state.bEnabled != FALSE;
}

std::vector<std::string> DataViewTest::TakeMessages()
{
    std::vector<std::string> messages;
    messages.swap(m_messages);
    return messages;
}

long DataViewTest::QueryLong(const std::string& sql)
{
    return std::atol(kvtest::QueryRows(m_database, sql).c_str());
}

std::string DataViewTest::QueryRows(const std::string& sql)
{
    return kvtest::QueryRows(m_database, sql);
}

} // namespace dataviewtest
