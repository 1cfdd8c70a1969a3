// Helpers of the document, view and frame classes: paths, texts, files.
// Internal to the framework.
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/String.h"
#include <algorithm>

namespace kvdoc {

// The path made full (folder and name as the system resolves them); the
// text unchanged when it cannot be resolved.
CString FullPath(LPCTSTR lpszPath);
// TRUE when both texts name the same file: compared made full and without
// regard to case (as the file system does).
BOOL SamePath(LPCTSTR lpszPath1, LPCTSTR lpszPath2);
// The part after the last '\' or '/' (the whole text when there is none).
CString FileNameOf(LPCTSTR lpszPath);
// A new, empty file in the folder of lpszTarget to write into before it
// replaces lpszTarget; empty (with the system's error set) when none can
// be made there.
CString TempFileBeside(LPCTSTR lpszTarget);
// Moves lpszSource over lpszTarget (replacing it); FALSE with the system's
// error set when that fails.
BOOL ReplaceWith(LPCTSTR lpszSource, LPCTSTR lpszTarget);
// TRUE when the program (or the language library) holds a resource of
// that name and type.
BOOL HasResource(LPCTSTR lpszName, LPCTSTR lpszType);

} // namespace kvdoc
