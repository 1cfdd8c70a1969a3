// Settings in an INI file, read and written with the meaning of the Windows
// profile functions (names without regard to case, the first of two equal
// keys, a value's enclosing quotes dropped), through one copy of the file
// kept in memory.
//
// Every profile function of the system opens and reads the file again, which
// under a compatibility layer costs several round trips to its server each:
// a start-up that reads some hundreds of values paid for each. The copy is
// read once, and read again when the file changes on disk (another program,
// or a write that did not come through here); writes go to the file at once
// and into the copy.
#pragma once

#include "platform/framework/base/String.h"
#include "platform/framework/base/Collections.h"

namespace kvprofile {

// The value of a key; lpszDefault when the file, the section or the key is
// missing.
CString ReadString(LPCSTR lpszFile, LPCSTR lpszSection, LPCSTR lpszKey, LPCSTR lpszDefault);
// A value read as a whole number, as GetPrivateProfileInt reads it (leading
// blanks, a sign, "0x" for hexadecimal); nDefault when it is missing.
int ReadInt(LPCSTR lpszFile, LPCSTR lpszSection, LPCSTR lpszKey, int nDefault);
// The keys of a section, in the file's order; FALSE when it has none.
BOOL ReadKeys(LPCSTR lpszFile, LPCSTR lpszSection, CStringArray& keys);

// Writes a value (lpszValue nullptr removes the key, lpszKey nullptr the
// whole section), as WritePrivateProfileString does.
BOOL WriteString(LPCSTR lpszFile, LPCSTR lpszSection, LPCSTR lpszKey, LPCSTR lpszValue);

} // namespace kvprofile
