// The document's files when files and disks go wrong: a database file deleted
// or replaced while open, a backup copy cut short by a full disk or refused
// by a folder that cannot be written, a restore that fails, a database that
// lacks what the program needs, a Save Copy As whose tables do not all copy.
// What is on the disk afterwards is checked byte for byte, and the message
// shown word for word where the words matter.
#include "app/AppRes.h"
#include "app/FileFailuresRes.h"
#include "tests/app/DocumentFixture.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/ScratchDatabase.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using doctest::DocumentFixture;
using doctest::Exists;
using doctest::FilesStartingWith;
using doctest::SameBytes;
using kvtest::FileBytes;

namespace {

void WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    ::CloseHandle(h);
}

// A document whose file copies fail as a full disk or a folder that cannot
// be written makes them fail: after the copies it lets through, the next
// one writes half the file, then stops with the error.
class FailingCopyDoc : public CKelvaronDoc
{
public:
    void FailCopies(DWORD dwError, int nAllowedFirst = 0)
    {
        m_dwError = dwError;
        m_nAllowed = nAllowedFirst;
    }

protected:
    BOOL CopyFileBytes(LPCSTR lpszFrom, LPCSTR lpszTo) override
    {
        if (m_dwError == 0 || m_nAllowed-- > 0)
            return CKelvaronDoc::CopyFileBytes(lpszFrom, lpszTo);
        const std::string bytes = FileBytes(lpszFrom);
        if (m_dwError != ERROR_ACCESS_DENIED)
            WriteBytes(lpszTo, bytes.substr(0, bytes.size() / 2));
        ::SetLastError(m_dwError);
        return FALSE;
    }

private:
    DWORD m_dwError = 0;
    int m_nAllowed = 0;
};

class DocumentFilesTest : public DocumentFixture
{
protected:
    std::string Format(UINT nId, const std::string& a, const std::string& b) const
    {
        CString text;
        text.Format(nId, a.c_str(), b.c_str());
        return text.str();
    }
    std::string Text(UINT nId) const { return LoadText(nId).str(); }
    std::string SavedBackup() const { return m_data + "BACKUP_Parts.sqlite"; }
    // The files beside the database, by name.
    std::vector<std::string> DataFiles() const { return FilesStartingWith(m_data, ""); }
};

} // namespace

// A database file deleted or replaced by another program while it was open:
// neither close touches what is there now; the backup, the only copy of the
// database as it was opened, is kept under the "BACKUP_" name and the
// message says what happened and where the copy is.
TEST_F(DocumentFilesTest, ClosingNeverTouchesAFileThatIsNotTheOneOpened)
{
    struct Case
    {
        const char* name;
        bool keeping;
        bool replaced;
        UINT message;
    };
    const Case cases[] = {
        {"keeping, deleted", true, false, IDS_KEEP_DATABASE_GONE},
        {"restoring, deleted", false, false, IDS_RESTORE_DATABASE_GONE},
        {"keeping, replaced", true, true, IDS_KEEP_DATABASE_REPLACED},
        {"restoring, replaced", false, true, IDS_RESTORE_DATABASE_REPLACED},
    };
    const std::string original = FileBytes(m_database);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), m_database));
        ::DeleteFileA(SavedBackup().c_str());
        kvtest::MessageBoxWatcher boxes;
        CKelvaronDoc doc;
        ASSERT_TRUE(doc.OpenDatabase(m_database.c_str(), FALSE));
        ChangeFirstDescription(doc, "Changed in the window");
        std::string other;
        if (c.replaced) {
            // Another program puts a database of its own in its place.
            const std::string theirs = m_dir + "\\Theirs.sqlite";
            ASSERT_TRUE(kvtest::CopyFileTo(m_program + "Database\\Skeleton.sqlite", theirs));
            kvtest::RunSqlOn(theirs, "INSERT INTO Suppliers ([Code]) VALUES ('THRS');");
            other = FileBytes(theirs);
            ASSERT_TRUE(::MoveFileExA(theirs.c_str(), m_database.c_str(), MOVEFILE_REPLACE_EXISTING));
        } else {
            ASSERT_TRUE(::DeleteFileA(m_database.c_str()));
        }

        EXPECT_FALSE(c.keeping ? doc.CloseKeepingChanges() : doc.CloseRestoringBackup());
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_EQ(Format(c.message, m_database, SavedBackup()), boxes.Texts()[0]);
        EXPECT_TRUE(SameBytes(original, FileBytes(SavedBackup())));
        EXPECT_FALSE(Exists(BackupOf(m_database)));
        if (c.replaced)
            EXPECT_TRUE(SameBytes(other, FileBytes(m_database)));
        else
            EXPECT_FALSE(Exists(m_database));
    }
}

// A backup copy that cannot be made (a full disk, a folder that cannot be
// written) leaves no part of a copy behind, and the database opens
// read-only, saying why; nothing is written to it, and either close leaves
// it as it was.
TEST_F(DocumentFilesTest, ABackupThatCannotBeMadeOpensTheDatabaseReadOnly)
{
    struct Case
    {
        DWORD error;
        UINT reason;
    };
    const std::string original = FileBytes(m_database);
    for (const Case& c : {Case{ERROR_DISK_FULL, IDS_FILE_ERROR_DISK_FULL}, Case{ERROR_ACCESS_DENIED, IDS_FILE_ERROR_NOT_WRITABLE}}) {
        SCOPED_TRACE(c.error);
        for (bool keeping : {true, false}) {
            kvtest::MessageBoxWatcher boxes;
            FailingCopyDoc doc;
            doc.FailCopies(c.error);
            ASSERT_TRUE(doc.OpenDatabase(m_database.c_str(), FALSE));
            ASSERT_EQ(1u, boxes.Texts().size());
            EXPECT_EQ(Format(IDS_BACKUP_READ_ONLY, BackupOf(m_database), Text(c.reason)), boxes.Texts()[0]);
            EXPECT_TRUE(doc.IsReadOnly());
            EXPECT_TRUE(doc.IsOpenedWithoutBackup());
            EXPECT_EQ(std::vector<std::string>{"Parts.sqlite"}, DataFiles());
            const odbctest::DbError refused =
                odbctest::CatchDB([&] { ChangeFirstDescription(doc, "Not to be written"); });
            EXPECT_NE(0, refused.code);
            EXPECT_TRUE(keeping ? doc.CloseKeepingChanges() : doc.CloseRestoringBackup());
            EXPECT_EQ(1u, boxes.Texts().size());
            EXPECT_TRUE(SameBytes(original, FileBytes(m_database)));
            EXPECT_EQ(std::vector<std::string>{"Parts.sqlite"}, DataFiles());
        }
    }
}

// A "~" file cut short (by a full disk at an earlier open) is no backup: it
// is not offered, and a whole fresh one takes its place. A whole stale
// backup is offered; when the fresh copy then fails on a full disk, the
// stale one is whole under its "BACKUP_" name and the database opens
// read-only.
TEST_F(DocumentFilesTest, AStaleBackupIsOfferedOnlyWhenItIsWhole)
{
    const std::string backup = BackupOf(m_database);
    const std::string current = FileBytes(m_database);
    for (const std::string& cut : {std::string(), current.substr(0, current.size() / 2)}) {
        SCOPED_TRACE(cut.size());
        WriteBytes(backup, cut);
        kvtest::MessageBoxWatcher boxes;
        CKelvaronDoc doc;
        ASSERT_TRUE(doc.OpenDatabase(m_database.c_str(), FALSE));
        EXPECT_TRUE(boxes.Texts().empty());
        EXPECT_TRUE(SameBytes(current, FileBytes(backup)));
        EXPECT_FALSE(doc.IsReadOnly());
        EXPECT_TRUE(doc.CloseKeepingChanges());
        EXPECT_EQ(std::vector<std::string>{"Parts.sqlite"}, DataFiles());
    }

    const std::string stale = FileBytes(m_program + "Database\\Skeleton.sqlite");
    WriteBytes(backup, stale);
    kvtest::MessageBoxWatcher boxes;
    boxes.Answer({IDOK});
    FailingCopyDoc doc;
    doc.FailCopies(ERROR_DISK_FULL);
    ASSERT_TRUE(doc.OpenDatabase(m_database.c_str(), FALSE));
    ASSERT_EQ(3u, boxes.Texts().size());
    EXPECT_EQ(Text(IDS_BACKUP_FAILED) + backup + Text(IDS_BACKUP_FAILED_END), boxes.Texts()[0]);
    EXPECT_EQ(Text(IDS_BACKUP_SAVED) + SavedBackup() + Text(IDS_BACKUP_SAVED_END), boxes.Texts()[1]);
    EXPECT_EQ(Format(IDS_BACKUP_READ_ONLY, backup, Text(IDS_FILE_ERROR_DISK_FULL)), boxes.Texts()[2]);
    EXPECT_TRUE(doc.IsReadOnly());
    EXPECT_TRUE(SameBytes(stale, FileBytes(SavedBackup())));
    EXPECT_FALSE(Exists(backup));
    EXPECT_TRUE(doc.CloseRestoringBackup());
    EXPECT_TRUE(SameBytes(current, FileBytes(m_database)));
    EXPECT_EQ((std::vector<std::string>{"BACKUP_Parts.sqlite", "Parts.sqlite"}), DataFiles());
}

// A restore that fails says why (another program holds the file, the disk
// is full), not a guess; the database keeps the changes, the backup stays
// whole, and no part of a copy is left.
TEST_F(DocumentFilesTest, AFailedRestoreNamesItsCause)
{
    const std::string backup = BackupOf(m_database);
    const std::string original = FileBytes(m_database);
    for (DWORD error : {(DWORD)ERROR_SHARING_VIOLATION, (DWORD)ERROR_DISK_FULL}) {
        SCOPED_TRACE(error);
        ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), m_database));
        kvtest::MessageBoxWatcher boxes;
        FailingCopyDoc doc;
        ASSERT_TRUE(doc.OpenDatabase(m_database.c_str(), FALSE));
        ChangeFirstDescription(doc, "Edited");
        doc.CloseDatabase();
        const std::string edited = FileBytes(m_database);
        HANDLE hHeld = INVALID_HANDLE_VALUE;
        UINT reason = IDS_FILE_ERROR_DISK_FULL;
        if (error == ERROR_SHARING_VIOLATION) {
            // Another program holds the file, sharing it with no one.
            hHeld = ::CreateFileA(m_database.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
            reason = IDS_FILE_ERROR_HELD;
        } else {
            doc.FailCopies(error);
        }
        EXPECT_FALSE(doc.CloseRestoringBackup());
        if (hHeld != INVALID_HANDLE_VALUE)
            ::CloseHandle(hHeld);
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_EQ(Format(IDS_RESTORE_FAILED_CAUSE, m_database, Text(reason)) + "\n" + Text(IDS_RESTORE_FAILED) +
                      backup + Text(IDS_RESTORE_FAILED_END),
                  boxes.Texts()[0]);
        EXPECT_TRUE(SameBytes(edited, FileBytes(m_database)));
        EXPECT_EQ("Edited", FirstDescription(m_database));
        EXPECT_TRUE(SameBytes(original, FileBytes(backup)));
        EXPECT_EQ((std::vector<std::string>{"Parts.sqlite", "~Parts.sqlite"}), DataFiles());
        ::DeleteFileA(backup.c_str());
    }
}

// An empty file, a database without a table the program needs, or without a
// column of one, is refused with one plain message naming what is missing;
// nothing is created or changed in it and no backup is left.
TEST_F(DocumentFilesTest, ADatabaseWithoutWhatTheProgramNeedsIsRefused)
{
    struct Case
    {
        const char* name;
        const char* change;  // SQL on a copy of the skeleton; null: an empty file
        const char* named;   // the lines of the message that name what is missing
    };
    const Case cases[] = {
        {"Empty.sqlite", nullptr,
         "the table Components\nthe table Tapes\nthe table Nozzles\nthe table Assemblies\nthe table Suppliers\n"
         "the table Symbols\nthe table PipeTable\nthe table Nominal Conversions\n"},
        {"NoComponents.sqlite", "DROP TABLE Components;", "the table Components\n"},
        {"NoUsage.sqlite", "ALTER TABLE Components DROP COLUMN [Usage];",
         "the column [Usage] of the table Components\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = m_data + c.name;
        if (c.change == nullptr) {
            WriteBytes(path, std::string());
        } else {
            ASSERT_TRUE(kvtest::CopyFileTo(m_program + "Database\\Skeleton.sqlite", path));
            kvtest::RunSqlOn(path, c.change);
        }
        const std::string before = FileBytes(path);
        kvtest::MessageBoxWatcher boxes;
        CKelvaronDoc doc;
        EXPECT_FALSE(doc.OpenDatabase(path.c_str(), FALSE));
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_EQ(Format(IDS_DATABASE_LACKS_SCHEMA, path, c.named), boxes.Texts()[0]);
        EXPECT_EQ(nullptr, doc.GetDatabase());
        EXPECT_TRUE(SameBytes(before, FileBytes(path)));
        EXPECT_FALSE(Exists(BackupOf(path)));
    }
}

// Save Copy As between formats replaces an existing target only with a
// complete copy: when a table cannot be copied, the target stays as it was,
// byte for byte, and nothing else is left beside it.
TEST_F(DocumentFilesTest, SaveCopyAsReplacesATargetOnlyWithAWholeCopy)
{
    // A SQLite database under another extension, so that the copy goes
    // table by table; its Symbols have a column the target's skeleton lacks.
    const std::string source = m_data + "Parts.db";
    ASSERT_TRUE(::MoveFileA(m_database.c_str(), source.c_str()));
    kvtest::RunSqlOn(source, "ALTER TABLE Symbols ADD COLUMN [Extra] INTEGER;");
    const std::string target = m_dir + "\\Copy.sqlite";
    WriteBytes(target, "the user's earlier copy");
    kvtest::MessageBoxWatcher boxes;
    CKelvaronDoc doc;
    ASSERT_TRUE(doc.OpenDatabase(source.c_str(), FALSE));
    EXPECT_FALSE(doc.SaveCopyAs(target.c_str()));
    ASSERT_EQ(2u, boxes.Texts().size());
    EXPECT_NE(std::string::npos, boxes.Texts()[0].find("The table Symbols was not copied")) << boxes.Texts()[0];
    EXPECT_EQ(Format(IDS_SAVE_COPY_INCOMPLETE, target, ""), boxes.Texts()[1]);
    EXPECT_EQ("the user's earlier copy", FileBytes(target));
    EXPECT_EQ(std::vector<std::string>{"Copy.sqlite"}, FilesStartingWith(m_dir, ""));
    EXPECT_TRUE(doc.CloseRestoringBackup());
}
