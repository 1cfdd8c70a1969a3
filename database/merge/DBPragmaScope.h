// A setting of an SQLite connection (a pragma) changed for a stretch of
// work: the object sets it and puts back the value it had. On another kind
// of database, or when SQLite refuses the setting, it does nothing: the
// work is slower, not wrong.
#pragma once

#include "platform/odbc/OZU_DB_RS.h"

class DBPragmaScope
{
public:
    // Sets PRAGMA lpszName to nValue on pDatabase (nothing when null).
    DBPragmaScope(CDatabase* pDatabase, const char* lpszName, long nValue);
    ~DBPragmaScope();
    DBPragmaScope(const DBPragmaScope&) = delete;
    DBPragmaScope& operator=(const DBPragmaScope&) = delete;

private:
    CDatabase* m_pDatabase = nullptr;
    CString m_strName;
    CString m_strBefore;
};
