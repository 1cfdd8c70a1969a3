// Free helpers for paths, files and the operating system, shared by the
// application, the document, the view's query file and the palette and
// line-type readers. They hold no state and report failures through their
// results, never in message boxes.
#pragma once
#include "platform/framework/Framework.h"

// The extension of the file named by the path: the text from the last "." of
// its file name to the end, the dot included; empty when the file name has
// no dot (a dot in a folder name is no extension: C:\a.b\file gives "").
CString GetFileExtension(LPCSTR path);
// The path without the extension of its file name (the path unchanged when
// the file name has no dot).
CString StripFileExtension(LPCSTR path);
// TRUE when a file or folder matches the path (a wildcard pattern matches
// when any file matches).
BOOL FindFileExists(LPCSTR path);
// Drive and folder, ending in a backslash, of the file of the loaded module
// moduleName; the folder of the running executable when that module is not
// loaded (or moduleName is null).
CString GetModuleFolder(LPCSTR moduleName);

// Opens path into a new file object stored in file, after closing and
// deleting the one file held (if any). Binary files are CFile objects, text
// files CStdioFile ones:
//   binary, reading, append    read/write, exclusive
//   binary, reading            read only, deny write
//   binary, writing            read/write, exclusive, created when missing, not truncated
//   text, reading, append      read/write, exclusive
//   text, reading              read only, deny write (a line reader)
//   text, writing              read/write, exclusive, created and truncated (a line writer)
// Returns 1. A file that cannot be opened throws the file object's
// CFileException; file is then null.
int OpenFileObject(CFile*& file, LPCSTR path, BOOL forReading, BOOL binary, BOOL append = FALSE);
// Closes the file and deletes the object (nothing when null); file becomes
// null. FALSE when closing reported an error (data written may be lost).
BOOL CloseFileObject(CFile*& file);

// The message a failure carries (a generic one when it has none); the
// exception is deleted.
CString TakeExceptionText(CException* e);
