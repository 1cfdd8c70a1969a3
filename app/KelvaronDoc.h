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
// before a fresh "~" copy is taken.
//
// The document also makes new databases from the skeleton, and writes copies
// of the database (Save Copy As): by file when the formats match, table by
// table into a new database from the skeleton of the target's format
// otherwise (this is how an Access database, which this machine may only
// read, becomes a ".sqlite" database that can be edited).
#pragma once

#include "platform/framework/Framework.h"
#include "database/records/NominalTable.h"

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
    // cannot be written) it keeps the edited data, the backup stays, and
    // FALSE is returned. A database that was open read-only was not changed
    // here, so only its backup is deleted. Call it after CloseDatabase.
    BOOL RestoreBackup();
    // Deletes the backup file; TRUE when it is gone.
    BOOL DeleteBackup();

    // The document's part of the two close sequences. Keeping the changes:
    // CloseDatabase, then DeleteBackup. Without saving: CloseDatabase, then
    // RestoreBackup; when that fails the user is told that the changes are
    // still in the database and where the copy from the open is kept.
    // Both return what the backup step returned.
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

    // The tables Save Copy As copies between formats, in their order.
    static const char* const kCopiedTables[9];
    // Writes a copy of the open database to lpszTarget: by file when the
    // extensions match (without regard to case), else table by table into a
    // new database made from the program folder's "Database\Skeleton" + the
    // target's extension. The copy is built beside the target and replaces
    // it only when made, so a failure leaves any existing file as it was.
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
    // Copies the database to its "~" backup, dealing with a stale one; TRUE
    // when the backup holds the database as it is now.
    BOOL MakeBackup(const CString& strPath, const CString& strBackup);
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

    DECLARE_MESSAGE_MAP()
};
