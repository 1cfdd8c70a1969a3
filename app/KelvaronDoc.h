// The document: one open component database, reached over ODBC, with its
// nominal-size conversion table. The grids build their recordsets on its
// connection. At start-up its new document opens the database the options
// choose; a database named to open is opened in place.
#pragma once

#include "platform/framework/Framework.h"
#include "database/records/NominalTable.h"

class CKelvaronDoc : public CDocument
{
    DECLARE_DYNCREATE(CKelvaronDoc)
public:
    CKelvaronDoc();
    ~CKelvaronDoc() override;

    // During start-up: the start-up database (OpenStartupDatabase); else a
    // new database (OpenDatabase with an empty path and bNew).
    BOOL OnNewDocument() override;
    // Opens the database file; the framework's file reading is not used.
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    // The database the options choose at start-up: the default database with
    // OPTION_OPEN_DEFAULT, else with OPTION_OPEN_LAST the first recent file,
    // else none (FALSE: no database window opens). The shared settings are
    // read again first. On success the path becomes the document's (and the
    // first recent file) and its title.
    BOOL OpenStartupDatabase();
    // Opens the database at lpszPath; FALSE for an empty path, and for a new
    // database, which this document does not make yet.
    BOOL OpenDatabase(LPCTSTR lpszPath, BOOL bNew);

    // Connects to the database file at path and opens its nominal-size
    // table. A failure to connect reports itself and returns FALSE with no
    // database; a nominal table that cannot be opened is reported and the
    // connection stays (diameters then convert arithmetically).
    BOOL ConnectDatabase(LPCTSTR lpszPath);
    // Closes and deletes the nominal table and the connection.
    void CloseDatabase();

    CDatabase* GetDatabase() const { return m_pDatabase; }
    const CString& GetDatabasePath() const { return m_strDatabasePath; }
    CNominalTable* GetNominalTable() const { return m_pNominalTable; }
    // The diameter in a length unit through the nominal-size table; the plain
    // conversion when the table is not open.
    OZU_DiameterValue ConvertDiameter(const OZU_DiameterValue& value, int nUnit);

    // The connection string for a database file, by its extension: ".mdb"
    // names the ".mdb" driver, anything else the one for ".mdb" and ".accdb"
    // (a file the named driver cannot read is opened by its content).
    static CString GetConnectString(LPCTSTR lpszPath);

protected:
    CNominalTable* m_pNominalTable = nullptr;
    CDatabase* m_pDatabase = nullptr;
    CString m_strDatabasePath;
};
