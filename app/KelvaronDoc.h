// The document: one open component database, reached over ODBC, with its
// nominal-size conversion table. The grids build their recordsets on its
// connection.
#pragma once

#include "platform/framework/Framework.h"
#include "database/records/NominalTable.h"

class CKelvaronDoc : public CDocument
{
    DECLARE_DYNCREATE(CKelvaronDoc)
public:
    CKelvaronDoc();
    ~CKelvaronDoc() override;

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
