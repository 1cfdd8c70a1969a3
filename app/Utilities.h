// Free helpers for paths and files shared by the application, the document
// and the database tools. They hold no state.
#pragma once
#include "platform/framework/Framework.h"

// The text from the last "." of the path to its end, the dot included (the
// last dot anywhere: C:\a.b\file gives .b\file); empty when there is no dot.
CString GetFileExtension(LPCSTR path);
