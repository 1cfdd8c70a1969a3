// The document behind its backup: the "~" copy taken at open, kept or put
// back at close, a failed restore that loses nothing, a stale backup left by
// a run that never closed (also by a process really killed), new databases
// from the skeleton, the [Warehouse Code] width, and read-only databases.
#include "app/AppRes.h"
#include "tests/app/DocumentFixture.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/ScratchDatabase.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using doctest::DocumentFixture;
using doctest::Exists;
using doctest::SameBytes;
using doctest::FilesStartingWith;
using kvtest::FileBytes;

namespace {

class DocumentTest : public DocumentFixture
{
protected:
    // The prompt shown when the backup cannot be made.
    std::string BackupPrompt(const std::string& backup) const
    {
        return (LoadText(IDS_BACKUP_FAILED) + backup.c_str() + LoadText(IDS_BACKUP_FAILED_END)).str();
    }
    std::string SavedMessage(const std::string& saved) const
    {
        return (LoadText(IDS_BACKUP_SAVED) + saved.c_str() + LoadText(IDS_BACKUP_SAVED_END)).str();
    }
    // The width of [Warehouse Code] as the driver describes it.
    static long WarehouseCodeWidth(const std::string& path)
    {
        CDatabase db;
        db.OpenEx(kvtest::ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        CRecordset rs(&db);
        rs.Open(CRecordset::forwardOnly, "SELECT [Warehouse Code] FROM Components WHERE 1 = 0",
                CRecordset::readOnly);
        CODBCFieldInfo info;
        rs.GetODBCFieldInfo((short)0, info);
        rs.Close();
        db.Close();
        return (long)info.m_nPrecision;
    }
    static void SetWarehouseCodeWidth(const std::string& path, int width)
    {
        CDatabase db;
        db.OpenEx(kvtest::ConnectStringFor(path).c_str(), CDatabase::noOdbcDialog);
        db.ExecuteSQL(("ALTER TABLE Components ALTER COLUMN [Warehouse Code] Text(" + std::to_string(width) + ")")
                          .c_str());
        db.Close();
    }
};

} // namespace

// Open copies the database to its "~" backup; closing while keeping the
// changes deletes it; closing without saving puts it back byte for byte.
TEST_F(DocumentTest, BackupIsKeptOrPutBack)
{
    kvtest::MessageBoxWatcher boxes;
    const std::string backup = BackupOf(m_database);
    const std::string original = FileBytes(m_database);
    {
        CKelvaronDoc doc;
        ASSERT_TRUE(doc.OpenDatabase(m_database.c_str(), FALSE));
        EXPECT_STREQ(m_database.c_str(), doc.GetDatabasePath());
        EXPECT_STREQ(backup.c_str(), doc.GetBackupPath());
        EXPECT_TRUE(SameBytes(original, FileBytes(backup)));
        ChangeFirstDescription(doc, "Kept change");
        EXPECT_TRUE(doc.CloseKeepingChanges());
        EXPECT_EQ(nullptr, doc.GetDatabase());
    }
    EXPECT_FALSE(Exists(backup));
    EXPECT_EQ("Kept change", FirstDescription(m_database));

    const std::string kept = FileBytes(m_database);
    {
        CKelvaronDoc doc;
        ASSERT_TRUE(doc.OpenDatabase(m_database.c_str(), FALSE));
        ChangeFirstDescription(doc, "Dropped change");
        EXPECT_EQ("Dropped change", FirstDescription(m_database));
        EXPECT_TRUE(doc.CloseRestoringBackup());
    }
    EXPECT_FALSE(Exists(backup));
    EXPECT_TRUE(SameBytes(kept, FileBytes(m_database)));
    EXPECT_TRUE(boxes.Texts().empty());
    // Nothing is left beside the database.
    EXPECT_EQ(1u, FilesStartingWith(m_data, "").size());
}

// A restore that cannot replace the database (another program holds it)
// keeps the edited database and the backup, and says where the copy from the
// open is.
TEST_F(DocumentTest, FailedRestoreLosesNothing)
{
    const std::string backup = BackupOf(m_database);
    const std::string original = FileBytes(m_database);
    kvtest::MessageBoxWatcher boxes;
    CKelvaronDoc doc;
    ASSERT_TRUE(doc.OpenDatabase(m_database.c_str(), FALSE));
    ChangeFirstDescription(doc, "Edited");
    const std::string edited = FileBytes(m_database);
    HANDLE hHeld = ::CreateFileA(m_database.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);

    EXPECT_FALSE(doc.CloseRestoringBackup());
    ::CloseHandle(hHeld);
    ASSERT_EQ(1u, boxes.Texts().size());
    const std::string kept = (LoadText(IDS_RESTORE_FAILED) + backup.c_str() + LoadText(IDS_RESTORE_FAILED_END)).str();
    ASSERT_GE(boxes.Texts()[0].size(), kept.size());
    EXPECT_EQ(kept, boxes.Texts()[0].substr(boxes.Texts()[0].size() - kept.size()));
    EXPECT_TRUE(SameBytes(edited, FileBytes(m_database)));
    EXPECT_EQ("Edited", FirstDescription(m_database));
    EXPECT_TRUE(SameBytes(original, FileBytes(backup)));
    // No half-made file is left beside them.
    EXPECT_EQ(2u, FilesStartingWith(m_data, "").size());
}

// A "~" file left by a run that never closed: Cancel leaves everything as it
// was; OK keeps it as "BACKUP_" + the name (never replacing an earlier one)
// and the open goes on behind a fresh backup of the database as it is now.
TEST_F(DocumentTest, StaleBackupIsOffered)
{
    const std::string backup = BackupOf(m_database);
    const std::string stale = FileBytes(m_program + "Database\\Skeleton.sqlite");
    ASSERT_TRUE(kvtest::CopyFileTo(m_program + "Database\\Skeleton.sqlite", backup));
    const std::string current = FileBytes(m_database);
    {
        kvtest::MessageBoxWatcher boxes;
        boxes.Answer({IDCANCEL});
        CKelvaronDoc doc;
        EXPECT_FALSE(doc.OpenDatabase(m_database.c_str(), FALSE));
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_EQ(BackupPrompt(backup), boxes.Texts()[0]);
        EXPECT_EQ(nullptr, doc.GetDatabase());
        EXPECT_TRUE(doc.GetDatabasePath().IsEmpty());
    }
    EXPECT_TRUE(SameBytes(current, FileBytes(m_database)));
    EXPECT_TRUE(SameBytes(stale, FileBytes(backup)));
    EXPECT_FALSE(Exists(m_data + "BACKUP_Parts.sqlite"));

    const std::string earlier = "an earlier saved backup";
    for (const std::string saved : {m_data + "BACKUP_Parts.sqlite", m_data + "BACKUP_Parts (2).sqlite"}) {
        SCOPED_TRACE(saved);
        kvtest::MessageBoxWatcher boxes;
        boxes.Answer({IDOK});
        CKelvaronDoc doc;
        ASSERT_TRUE(doc.OpenDatabase(m_database.c_str(), FALSE));
        ASSERT_EQ(2u, boxes.Texts().size());
        EXPECT_EQ(BackupPrompt(backup), boxes.Texts()[0]);
        EXPECT_EQ(SavedMessage(saved), boxes.Texts()[1]);
        EXPECT_TRUE(SameBytes(stale, FileBytes(saved)));
        EXPECT_TRUE(SameBytes(current, FileBytes(backup)));
        ChangeFirstDescription(doc, "Dropped change");
        EXPECT_TRUE(doc.CloseRestoringBackup());
        // Closing without saving returns to the database as it was at this
        // open, not to the stale copy.
        EXPECT_TRUE(SameBytes(current, FileBytes(m_database)));
        EXPECT_FALSE(Exists(backup));
        // The next round finds this one saved and a new stale backup.
        ASSERT_TRUE(kvtest::CopyFileTo(m_program + "Database\\Skeleton.sqlite", backup));
    }
    EXPECT_TRUE(SameBytes(stale, FileBytes(m_data + "BACKUP_Parts.sqlite")));
}

// A backup that cannot be made at all leaves the database unopened and
// untouched, whatever the answer.
TEST_F(DocumentTest, BackupThatCannotBeMadeLeavesTheDatabaseUnopened)
{
    const std::string backup = BackupOf(m_database);
    ASSERT_TRUE(::CreateDirectoryA(backup.c_str(), nullptr));  // a folder stands where the backup goes
    const std::string current = FileBytes(m_database);
    for (int answer : {IDOK, IDCANCEL}) {
        kvtest::MessageBoxWatcher boxes;
        boxes.Answer({answer});
        CKelvaronDoc doc;
        EXPECT_FALSE(doc.OpenDatabase(m_database.c_str(), FALSE));
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_EQ(BackupPrompt(backup), boxes.Texts()[0]);
        EXPECT_EQ(nullptr, doc.GetDatabase());
    }
    EXPECT_TRUE(SameBytes(current, FileBytes(m_database)));
    EXPECT_EQ(1u, FilesStartingWith(m_data, "").size());
}

// A database that cannot be opened leaves no backup behind; a missing file
// is told as such.
TEST_F(DocumentTest, FailedOpenLeavesNoBackup)
{
    const std::string damaged = m_data + "Damaged.sqlite";
    {
        HANDLE h = ::CreateFileA(damaged.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        const char text[] = "This is a text file, not a database of components.";
        DWORD written = 0;
        ::WriteFile(h, text, sizeof(text), &written, nullptr);
        ::CloseHandle(h);
    }
    {
        kvtest::MessageBoxWatcher boxes;
        CKelvaronDoc doc;
        EXPECT_FALSE(doc.OpenDatabase(damaged.c_str(), FALSE));
        EXPECT_FALSE(boxes.Texts().empty());
        EXPECT_EQ(nullptr, doc.GetDatabase());
    }
    EXPECT_FALSE(Exists(BackupOf(damaged)));

    const std::string missing = m_data + "Missing.sqlite";
    kvtest::MessageBoxWatcher boxes;
    CKelvaronDoc doc;
    EXPECT_FALSE(doc.OpenDatabase(missing.c_str(), FALSE));
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ("The database file does not exist:\n\n" + missing, boxes.Texts()[0]);
    EXPECT_FALSE(Exists(BackupOf(missing)));
}

// File New: the next free "NewDatabase<n>" in the default database's folder,
// made from the skeleton, opened behind its backup; a missing skeleton is
// told.
TEST_F(DocumentTest, NewDatabasesAreNumberedFromTheSkeleton)
{
    for (const char* name : {"NewDatabase1.sqlite", "NewDatabase2.sqlite"})
        ASSERT_TRUE(kvtest::CopyFileTo(m_database, m_data + name));
    const std::string made = m_data + "NewDatabase3.sqlite";
    {
        kvtest::MessageBoxWatcher boxes;
        CKelvaronDoc doc;
        ASSERT_TRUE(doc.OpenDatabase("", TRUE));
        EXPECT_STREQ(made.c_str(), doc.GetDatabasePath());
        EXPECT_STREQ(made.c_str(), doc.GetPathName());
        EXPECT_STREQ(made.c_str(), doc.GetTitle());
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_EQ(LoadText(IDS_NEW_DATABASE_TABLES).str(), boxes.Texts()[0]);
        EXPECT_TRUE(Exists(BackupOf(made)));
        EXPECT_TRUE(doc.GetDatabase()->CanUpdate());
        EXPECT_TRUE(doc.CloseKeepingChanges());
    }
    EXPECT_TRUE(SameBytes(FileBytes(m_program + "Database\\Skeleton.sqlite"), FileBytes(made)));
    EXPECT_FALSE(Exists(BackupOf(made)));

    ASSERT_TRUE(::DeleteFileA((m_program + "Database\\Skeleton.sqlite").c_str()));
    kvtest::MessageBoxWatcher boxes;
    CKelvaronDoc doc;
    EXPECT_FALSE(doc.OpenDatabase("", TRUE));
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ("Skeleton file does not exist.\r\nCannot create new database.", boxes.Texts()[0]);
    EXPECT_FALSE(Exists(m_data + "NewDatabase4.sqlite"));
}

// [Warehouse Code] narrower than 32 characters is widened once at open; a
// column of 32 or more is left as it is, and its file is not touched.
TEST_F(DocumentTest, WarehouseCodeIsWidenedOnce)
{
    kvtest::MessageBoxWatcher boxes;
    const std::string codes = "SELECT [Component Key], [Warehouse Code] FROM Components";
    struct Case { int width; long expected; };
    for (const Case& c : {Case{20, 32}, Case{32, 32}, Case{40, 40}}) {
        SCOPED_TRACE(c.width);
        odbctest::Guarded([&] {
            SetWarehouseCodeWidth(m_database, c.width);
            const std::string rows = kvtest::QueryRows(m_database, codes);
            std::string before = FileBytes(m_database);
            for (int open = 0; open < 2; open++) {
                CKelvaronDoc doc;
                ASSERT_TRUE(doc.OpenDatabase(m_database.c_str(), FALSE));
                EXPECT_TRUE(doc.CloseKeepingChanges());
                EXPECT_EQ(c.expected, WarehouseCodeWidth(m_database));
                // Altered only when narrower, and only once.
                if (c.width >= 32 || open == 1)
                    EXPECT_TRUE(SameBytes(before, FileBytes(m_database)));
                before = FileBytes(m_database);
                EXPECT_EQ(rows, kvtest::QueryRows(m_database, codes));
            }
        });
    }
    EXPECT_TRUE(boxes.Texts().empty());

    // A database without the column, or its table, is refused before it
    // could be altered.
    const std::string other =
        odbctest::MakeDatabase(kvtest::TestName() + "_other", {"CREATE TABLE [Other] ([Key] INTEGER)"});
    CKelvaronDoc doc;
    EXPECT_FALSE(doc.OpenDatabase(other.c_str(), FALSE));
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_NE(std::string::npos, boxes.Texts().back().find("the table Components\n")) << boxes.Texts().back();
    EXPECT_EQ(nullptr, doc.GetDatabase());
}

// Databases that cannot be written (a file marked read-only) are not
// altered, the user is told why, and closing without saving has nothing to
// put back. Access files without the component tables (the only ones here)
// are refused unaltered. The driver flag follows the extension whatever its
// case.
TEST_F(DocumentTest, ReadOnlyDatabasesAreNotAlteredAndSaySo)
{
    const std::string marked = m_data + "Marked.sqlite";
    ASSERT_TRUE(kvtest::CopyFileTo(m_database, marked));
    SetWarehouseCodeWidth(marked, 20);
    ::SetFileAttributesA(marked.c_str(), FILE_ATTRIBUTE_READONLY);
    struct Case { std::string source; const char* name; int driverFlag; };
    const Case cases[] = {{kvtest::DataPath("access/nwind.mdb"), "Access.MDB", 1},
                          {kvtest::DataPath("access/ASampleDatabase.accdb"), "Sample.AccDb", 0},
                          {marked, "Marked.sqlite", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = m_data + c.name;
        if (path != c.source)
            ASSERT_TRUE(kvtest::CopyFileTo(c.source, path));
        const std::string before = FileBytes(path);
        kvtest::MessageBoxWatcher boxes;
        CKelvaronDoc doc;
        if (c.driverFlag >= 0) {
            EXPECT_FALSE(doc.OpenDatabase(path.c_str(), FALSE));
            EXPECT_EQ(c.driverFlag, doc.GetDriverFlag());
            ASSERT_EQ(1u, boxes.Texts().size());
            EXPECT_NE(std::string::npos, boxes.Texts()[0].find("the table Components\n")) << boxes.Texts()[0];
            EXPECT_TRUE(SameBytes(before, FileBytes(path)));
            EXPECT_FALSE(Exists(BackupOf(path)));
            continue;
        }
        ASSERT_TRUE(doc.OpenDatabase(path.c_str(), FALSE));
        EXPECT_TRUE(doc.IsReadOnly());
        EXPECT_EQ(c.driverFlag, doc.GetDriverFlag());
        const CString reason = doc.GetDatabase()->GetReadOnlyReason();
        ASSERT_FALSE(reason.IsEmpty());
        ASSERT_FALSE(boxes.Texts().empty());
        EXPECT_EQ(reason.str(), boxes.Texts().back());
        for (const std::string& text : boxes.Texts())
            EXPECT_EQ(std::string::npos, text.find("Warehouse Code"));
        EXPECT_TRUE(doc.CloseRestoringBackup());
        EXPECT_TRUE(SameBytes(before, FileBytes(path)));
        EXPECT_FALSE(Exists(BackupOf(path)));
    }
    EXPECT_EQ(20, WarehouseCodeWidth(marked));
    ::SetFileAttributesA(marked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A process killed while it has a database open (no close at all) leaves the
// database with its change and the backup from before it; the next open
// finds the backup and offers it, so that the state before the killed edit
// can be had again.
TEST_F(DocumentTest, KilledProcessLeavesTheBackupToBeOffered)
{
    const std::string backup = BackupOf(m_database);
    const std::string original = FileBytes(m_database);
    const std::string originalDescription = FirstDescription(m_database);
    const std::string eventName = "KvHoldDatabase" + std::to_string(::GetCurrentProcessId());
    HANDLE hReady = ::CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(nullptr, hReady);
    std::string commandLine = "\"" + kvtest::BinaryPath("tests/kvtestholddatabase.exe") + "\" \"" + m_database +
                              "\" " + eventName;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                                 &pi));
    HANDLE waits[2] = {hReady, pi.hProcess};
    const DWORD woken = ::WaitForMultipleObjects(2, waits, FALSE, 120000);
    EXPECT_EQ(WAIT_OBJECT_0, woken) << "the process ended or did not get ready";
    ::TerminateProcess(pi.hProcess, 9);
    ::WaitForSingleObject(pi.hProcess, 60000);
    DWORD exitCode = 0;
    ::GetExitCodeProcess(pi.hProcess, &exitCode);
    EXPECT_EQ(9u, exitCode);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(hReady);
    ASSERT_EQ(WAIT_OBJECT_0, woken);

    // Left on disk: the changed database and the backup from before it.
    EXPECT_EQ("Changed before the kill", FirstDescription(m_database));
    ASSERT_TRUE(Exists(backup));
    EXPECT_TRUE(SameBytes(original, FileBytes(backup)));
    const std::string changed = FileBytes(m_database);

    kvtest::MessageBoxWatcher boxes;
    boxes.Answer({IDOK});
    CKelvaronDoc doc;
    ASSERT_TRUE(doc.OpenDatabase(m_database.c_str(), FALSE));
    const std::string saved = m_data + "BACKUP_Parts.sqlite";
    ASSERT_EQ(2u, boxes.Texts().size());
    EXPECT_EQ(BackupPrompt(backup), boxes.Texts()[0]);
    EXPECT_EQ(SavedMessage(saved), boxes.Texts()[1]);
    EXPECT_TRUE(SameBytes(original, FileBytes(saved)));
    EXPECT_EQ(originalDescription, FirstDescription(saved));
    EXPECT_TRUE(SameBytes(changed, FileBytes(backup)));
    EXPECT_TRUE(doc.CloseRestoringBackup());
    EXPECT_TRUE(SameBytes(changed, FileBytes(m_database)));
}
