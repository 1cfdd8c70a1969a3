#include "app/Utilities.h"

CString GetFileExtension(LPCSTR path)
{
    CString text(path != nullptr ? path : "");
    int dot = text.ReverseFind('.');
    return dot < 0 ? CString() : text.Mid(dot);
}
