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

/////////////////////////////////////////////////////////////////////////////
// Paths

// The text after the last backslash (or slash) of the path, else after its
// last ":"; the whole text when it has neither.
CString GetFileNameFromPath(LPCSTR path);
// The file name without its extension; empty when the path ends in a
// backslash.
CString GetFileTitleFromPath(LPCSTR path);
// The text before the first occurrence of part; the whole text when part
// does not occur in it.
CString LeftOfSubstring(LPCSTR text, LPCSTR part);
// The path relative to the file base (".\name", "..\folder\name"); the
// path unchanged when base is empty or the two have no root in common.
CString MakeRelativePath(LPCSTR base, LPCSTR path);
// The full path of path taken relative to the folder base ("..", "." and
// a path from the root resolved as with base current); the path unchanged
// when base is empty or is no folder.
CString MakeAbsolutePath(LPCSTR base, LPCSTR path);

/////////////////////////////////////////////////////////////////////////////
// Files and folders

// Asks for a file in the system's file dialog (long names, up to 1,024
// characters): opening or saving, with the filter ("Text|*.txt|All|*.*||"),
// the default extension and the title given, starting from path. The filter
// entry of the extension the user chose last is chosen at first. After OK,
// path holds the file chosen, or the files chosen joined by ",". FALSE when
// the user cancelled.
BOOL BrowseForFile(LPCSTR defaultExtension, LPCSTR filter, BOOL bOpen, CString& path, BOOL bMultiSelect,
                   LPCSTR title, CWnd* pParent = nullptr);
// Removes a file, read-only or not. TRUE when the file is gone (or was not
// there); FALSE when it could not be removed (open elsewhere, no right).
BOOL DeleteFileForced(LPCSTR path);
// Clears the read-only attribute of a file; FALSE when the file's
// attributes cannot be read or set.
BOOL ClearReadOnly(LPCSTR path);
// The user's local application data folder with "Quorvex\Standalone\"
// under it, both levels made when missing; ends in a backslash. Empty when
// the system has no such folder or it cannot be made.
CString GetLocalAppDataFolder();
// The folder for temporary files, ending in a backslash.
CString GetTempFolder();
// A name in the temporary folder, starting with the first three characters
// of name and ending in extension (".csv" or "csv"), of no file that exists;
// empty when no such name can be had.
CString GetTempFileNameWithExtension(LPCSTR extension, LPCSTR name);
// The path of an open file ("C:\folder\name"), its device given by its
// drive letter; empty when the handle names no file.
CString GetFileNameFromHandle(HANDLE hFile);
// The program the system opens files of the extension (".txt") with; empty
// when none is associated.
CString GetOpenCommand(LPCSTR extension);

/////////////////////////////////////////////////////////////////////////////
// Processes and windows

// Starts the command line as a process of normal priority; with bWait,
// waits for its end and gives its exit code. FALSE when it cannot start.
BOOL RunProcess(LPCSTR commandLine, BOOL bWait, DWORD* pExitCode = nullptr);
// TRUE when a process other than this one runs the executable of that name
// (a path's folder is ignored; case is not compared).
BOOL IsProcessRunning(LPCSTR exeName);
// With a title: TRUE when the first 50 characters of a top-level window's
// title contain it. Without: TRUE when a top-level window of the class runs.
BOOL FindWindowByTitle(LPCSTR title, LPCSTR className);
// Waits up to about ten seconds for a dialog window of the title to show,
// then fits it to the program: no context-help button, the program's icon
// (128), centred, its "&Help" button hidden. FALSE when none showed.
BOOL PrepareDialogWindow(LPCSTR title);

/////////////////////////////////////////////////////////////////////////////
// The system

// Product name, file version, legal notice and company name of a module's
// version resource (its first translation); FALSE, with the texts empty,
// when the module has none.
BOOL GetVersionStrings(LPCSTR module, CString& productName, CString& fileVersion, CString& legalNotice,
                       CString& companyName);
// String 231 + index of the string table for index 0 to 14; empty otherwise.
CString GetIndexedString(int index);
// The setup of a named printer: a DEVMODE block and a DEVNAMES block
// (driver, device and port names after its 8 bytes), both movable global
// memory the caller frees. FALSE, with both null, when there is no such
// printer.
BOOL GetPrinterSetup(LPCSTR printerName, HGLOBAL& hDevNames, HGLOBAL& hDevMode);
// The system's version; zeros when it cannot be read.
void GetOSVersion(DWORD& major, DWORD& minor, DWORD& build);
DWORD GetOSMajorVersion();
// The image of the program's icon group id with exactly this size and
// colour depth (bits per pixel); null when the group has none such.
HICON LoadIconOfSize(UINT id, int width, int height, int bits);

/////////////////////////////////////////////////////////////////////////////
// Numbers

// A number written as the user's locale writes it; flags are the system's
// NUMPRS_ flags of what the text may hold (0: digits only). FALSE when the
// whole text is not such a number.
BOOL ParseNumber(LPCSTR text, DWORD flags, double& value);
// TRUE when the value has no fractional part (never for infinity or NaN).
BOOL IsWholeNumber(double value);
// "_" and the performance counter in hexadecimal, to make names unique.
CString MakeUniqueSuffix();
// printf formatting with "." as the decimal point, whatever the locale.
CString FormatInvariant(LPCSTR format, ...);
// Rounded to the decimals (negative: to tens, hundreds...), halves away
// from zero.
double RoundToDecimals(double value, int decimals);
// The size of a with the sign of b.
double CopySign(double a, double b);
// Rounded to a whole number, halves away from zero.
double RoundHalfAway(double value);
// Negative, zero or positive as a is below, equal to or above b, for
// sorting (without the overflow of a - b).
int CompareInts(int a, int b);

/////////////////////////////////////////////////////////////////////////////
// Value expressions
//
// A value as text with an operation on it: a quantity, then an operator
// marker and an operand in brackets ("12+[3]"), and after that either a
// step to snap to ("12.3~0.5") or a number of decimals (";2"):
//   +[ add    -[ subtract    *[ multiply    /[ divide    ^[ power
//   |[ absolute difference   %[ remainder   >[ the greater   <[ the less

enum ValueOperator
{
    VALUE_OP_NONE = 0,
    VALUE_OP_ADD,
    VALUE_OP_SUBTRACT,
    VALUE_OP_MULTIPLY,
    VALUE_OP_DIVIDE,
    VALUE_OP_POWER,
    VALUE_OP_DIFFERENCE,
    VALUE_OP_REMAINDER,
    VALUE_OP_GREATER,
    VALUE_OP_LESS,
};

// The parts of a value expression, as texts without surrounding blanks.
struct ValueExpression
{
    CString strQuantity;
    int nOperator = VALUE_OP_NONE;
    CString strOperand;      // between the brackets
    CString strStep;         // after "~"
    CString strPrecision;    // after ";"
};

// Splits the text; FALSE when a bracket is not closed, a "[" follows no
// operator marker, or something else follows the "]".
BOOL SplitValueExpression(LPCSTR text, ValueExpression& parts);
// a (operator) b; FALSE for an unknown operator, a division or remainder by
// zero, or a result that is no finite number.
BOOL ApplyValueOperator(int nOperator, double a, double b, double& result);
// The multiple of step nearest to the value (halves away from zero); the
// value unchanged when step is not above zero.
double SnapToStep(double value, double step);
// The value of an expression: the quantity, the operator applied with the
// operand, then snapped to the step or rounded to the decimals. Numbers are
// written with "."; FALSE when a part is no number or the operation fails.
BOOL EvaluateValueExpression(LPCSTR text, double& value);
