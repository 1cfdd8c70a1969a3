// The document: one open component database, edited in place and reached
// over ODBC, with its nominal-size conversion table. The grids build their
// recordsets on its connection.
//
// What protects the user's work is the backup taken at open: before the
// database is connected, its file is copied beside it as "~" + the file's
// name. Closing while keeping the changes deletes that copy; closing without
// saving puts it back over the database. A "~" file found at open is left
// from a run that ended without closing (the program was killed, the machine
// went down): the user is asked, and OK keeps it as "BACKUP_" + the name
// before a fresh "~" copy is taken. A "~" file that is not a whole database
// (a copy cut short) is no such backup: it is replaced without asking. When
// no backup can be made (the folder or its disk cannot be written, the disk
// is full), the database opens read-only, saying why. Every copy is written
// under a work name and put in place only when complete, so a failed copy
// leaves nothing behind.
//
// The close sequences touch the backup only while the database file is still
// the file that was opened (present, with the same identity): when it was
// deleted or replaced meanwhile, the backup is kept under a "BACKUP_" name,
// and the user is told where.
//
// The document also makes new databases from the skeleton, and writes copies
// of the database (Save Copy As): by file when the formats match, table by
// table into a new database from the skeleton of the target's format
// otherwise (this is how an Access database, which this machine may only
// read, becomes a ".sqlite" database that can be edited).
#pragma once

#include "platform/framework/Framework.h"
#include "database/records/NominalTable.h"

#include <vector>

struct MissingSchemaPart;

class CKelvaronDoc : public CDocument
{
    DECLARE_DYNCREATE(CKelvaronDoc)
public:
    CKelvaronDoc();
    // Closes the nominal table and the connection. The backup is left as it
    // is: only the close sequences decide its fate.
    ~CKelvaronDoc() override;

    // During start-up: the start-up database (OpenStartupDatabase); else a
    // new database made from the skeleton (OpenDatabase with bNew).
    BOOL OnNewDocument() override;
    // Opens the database file; the framework's file reading is not used.
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    // The path is the title too: every database window names its database
    // by its full path, however it was opened.
    void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE) override;
    // The database the options choose at start-up: the default database with
    // OPTION_OPEN_DEFAULT, else with OPTION_OPEN_LAST the first recent file,
    // else none (FALSE: no database window opens). The shared settings are
    // read again first. On success the path becomes the document's (and the
    // first recent file) and its title.
    BOOL OpenStartupDatabase();
    // Opens the database at lpszPath behind its backup, or with bNew a new
    // database made from the skeleton (lpszPath is then not used). FALSE when
    // anything fails, after telling the user (a new database whose skeleton
    // is missing, a backup that cannot be made and is not to be replaced, a
    // connection that fails); the database file is then as it was and no
    // backup is left behind by this open.
    BOOL OpenDatabase(LPCTSTR lpszPath, BOOL bNew);

    // Connects to the database file at path, opens its nominal-size table
    // and widens a [Warehouse Code] narrower than 32 characters. A database
    // that lacks a table or column the program needs is refused, once,
    // naming what is missing, before anything is read or changed. A database
    // that cannot be written is not altered; the user is told why it is open
    // read-only. A failure to connect reports itself and returns FALSE with
    // no database; a nominal table that cannot be opened is reported and the
    // connection stays (diameters then convert arithmetically); a width that
    // cannot be changed is reported and the database stays open.
    BOOL ConnectDatabase(LPCTSTR lpszPath);
    // Closes and deletes the nominal table and the connection (an error in
    // closing is reported). The paths stay: the backup is dealt with next.
    void CloseDatabase();
    // Puts the backup back over the database file, then deletes it; TRUE
    // when both worked. The database file is replaced whole or not at all:
    // when it cannot be replaced (another program holds it, the folder
    // cannot be written, the disk is full) it keeps the edited data, the
    // backup stays, and FALSE is returned with the system's error. Nothing
    // is put back, and FALSE returned, when the file there is no longer the
    // one opened. A database that was open read-only was not changed here,
    // so only its backup is deleted. Call it after CloseDatabase.
    BOOL RestoreBackup();
    // Deletes the backup file; TRUE when it is gone (or none was taken, the
    // database being open read-only). It stays, and FALSE is returned, when
    // the database file is no longer the one opened.
    BOOL DeleteBackup();

    // The document's part of the two close sequences. Keeping the changes:
    // CloseDatabase, then DeleteBackup. Without saving: CloseDatabase, then
    // RestoreBackup; when that fails the user is told why, that the changes
    // are still in the database and where the copy from the open is kept.
    // When the database file was deleted or replaced while open, neither
    // touches it: the backup is kept under a "BACKUP_" name and the user is
    // told what happened and where it is. Both return what the backup step
    // returned.
    BOOL CloseKeepingChanges();
    BOOL CloseRestoringBackup();

    CDatabase* GetDatabase() const { return m_pDatabase; }
    const CString& GetDatabasePath() const { return m_strDatabasePath; }
    const CString& GetBackupPath() const { return m_strBackupPath; }
    CNominalTable* GetNominalTable() const { return m_pNominalTable; }
    // 1 after a connection through the ".mdb" connect string, 0 through the
    // ".accdb" one; other extensions leave it (-1 before any).
    int GetDriverFlag() const { return m_nDriverFlag; }
    // TRUE when the database was opened but cannot be written.
    BOOL IsReadOnly() const { return m_bReadOnly; }
    // TRUE when it was opened read-only because no backup could be made.
    BOOL IsOpenedWithoutBackup() const { return m_bOpenReadOnly; }
    // The diameter in a length unit through the nominal-size table; the plain
    // conversion when the table is not open.
    OZU_DiameterValue ConvertDiameter(const OZU_DiameterValue& value, int nUnit);

    // The connection string for a database file, by its extension: ".mdb"
    // names the ".mdb" driver, anything else the one for ".mdb" and ".accdb"
    // (a file the named driver cannot read is opened by its content).
    static CString GetConnectString(LPCTSTR lpszPath);

    // New databases: "NewDatabase" + n + the skeleton's extension, with the
    // first n from 1 whose file does not exist, in the folder (ending in a
    // backslash).
    static CString NextNewDatabasePath(const CString& strFolder, LPCTSTR lpszExtension);
    // The skeleton a new database is copied from: the program folder's
    // "Database\Skeleton.sqlite", else its "Skeleton.accdb", else its
    // "Skeleton.mdb"; empty when none exists.
    CString FindNewDatabaseSkeleton() const;
    // A "BACKUP_" name for a stale backup that replaces no earlier one:
    // "BACKUP_" + the name, else "BACKUP_" + the name + " (2)", " (3)", ...
    // before the extension.
    static CString UniqueSavedBackupPath(LPCTSTR lpszDatabasePath);

    // TRUE when the file holds a whole database: a SQLite or Access file at
    // least as long as its header says.
    static BOOL IsWholeDatabaseFile(LPCTSTR lpszPath);
    // Why a file could not be copied, written or replaced, as the user is
    // told it.
    static CString FileErrorText(DWORD dwError);
    // The missing tables and columns, each on a line ("the table X", "the
    // column [Y] of the table X"), as the messages about them list them.
    static CString ListMissingSchema(const std::vector<MissingSchemaPart>& missing);
    // The message that refuses a database lacking what the program needs.
    static CString DescribeMissingSchema(LPCTSTR lpszPath, const std::vector<MissingSchemaPart>& missing);

    // The tables Save Copy As copies between formats, in their order.
    static const char* const kCopiedTables[9];
    // Writes a copy of the open database to lpszTarget: by file when the
    // extensions match (without regard to case), else table by table into a
    // new database made from the program folder's "Database\Skeleton" + the
    // target's extension. The copy is built beside the target and replaces
    // it only when made whole (every table copied), so a failure leaves any
    // existing file as it was.
    // The open database and its backup, and the databases open in other
    // windows, are never overwritten. TRUE when the copy was made; failures
    // are told to the user.
    BOOL SaveCopyAs(LPCTSTR lpszTarget);
    // Copies the rows of one table from pSource into pTarget, whose rows of
    // it are deleted first. Columns are matched by name; every value keeps
    // its exact value, NULLs stay NULL. The table is copied whole or not at
    // all: a source column the target lacks, or any error, is reported, the
    // target's table is left as it was and FALSE returned. The status line
    // tells the table being copied.
    static BOOL CopyTable(CDatabase* pSource, CDatabase* pTarget, LPCTSTR lpszTable);

    // File Save Copy As: the save dialog, then SaveCopyAs.
    afx_msg void OnFileSaveCopyAs();
    // File Close: the close routine of the main frame's active database
    // window, as if its window were closed.
    afx_msg void OnFileClose();

protected:
    // The path chosen in the Save Copy As dialog; FALSE when cancelled.
    virtual BOOL ChooseCopyPath(CString& strPath);
    // The program folder (ending in a backslash) and the folder new
    // databases go in: the default database's.
    virtual CString GetProgramFolder() const;
    virtual CString GetNewDatabaseFolder() const;
    // Makes a new database from the skeleton; its path, or empty after
    // telling the user why not.
    CString CreateNewDatabase();
    // Copies a file to a new file of the name (which must not exist); FALSE
    // with the system's error when it could not, the new file perhaps
    // written in part.
    virtual BOOL CopyFileBytes(LPCSTR lpszFrom, LPCSTR lpszTo);
    // Copies a file whole or not at all: under a work name beside the
    // target, put in its place only when complete (an existing target is
    // replaced only with bReplace). FALSE with the system's error, nothing
    // left behind.
    BOOL CopyWhole(LPCSTR lpszFrom, LPCSTR lpszTo, BOOL bReplace);

    // Copies the database to its "~" backup, dealing with a stale one.
    enum BackupOutcome
    {
        backupMade,     // the backup holds the database as it is now
        backupNone,     // none could be made: the database opens read-only (the user was told)
        backupRefused,  // the open goes no further
    };
    BackupOutcome MakeBackup(const CString& strPath, const CString& strBackup);

    // Which file a path names: its volume and its index there.
    struct FileIdentity
    {
        BOOL bKnown = FALSE;
        DWORD dwVolume = 0;
        DWORD dwIndexHigh = 0;
        DWORD dwIndexLow = 0;
    };
    static FileIdentity ReadFileIdentity(LPCTSTR lpszPath);
    // Whether the database path still names the file opened.
    enum FilePlace
    {
        fileInPlace,
        fileGone,      // no file there
        fileReplaced,  // another file there
    };
    FilePlace CheckOpenedFile() const;
    // The backup when the database file is not the one opened: moved to a
    // "BACKUP_" name, and the user told what happened and where it is.
    void KeepBackupAside(FilePlace place, BOOL bKeeping);
    // The first step of both close sequences: closes the database; TRUE when
    // the backup is to be left as it is (none was taken, or the database
    // file is no longer the one opened: then it is kept aside), with
    // bResult what the sequence returns.
    BOOL CloseLeavesBackup(BOOL bKeeping, BOOL& bResult);
    // Widens [Warehouse Code] to 32 characters when it is narrower; FALSE
    // when it could not be read or changed.
    BOOL WidenWarehouseCode();
    // Copies the nine tables from this database into the one at lpszTarget;
    // TRUE when every table was copied. bConnected tells whether the target
    // could be connected at all (each failure is reported).
    BOOL CopyTablesTo(LPCTSTR lpszTarget, BOOL& bConnected);
    // TRUE when the path is a database open in this program or its backup.
    static BOOL IsInUse(LPCTSTR lpszPath);

    CNominalTable* m_pNominalTable = nullptr;
    CDatabase* m_pDatabase = nullptr;
    CString m_strDatabasePath;
    CString m_strBackupPath;
    int m_nDriverFlag = -1;
    BOOL m_bReadOnly = FALSE;
    BOOL m_bOpenReadOnly = FALSE;  // no backup could be made
    FileIdentity m_identity;       // of the database file when opened

    DECLARE_MESSAGE_MAP()
};
