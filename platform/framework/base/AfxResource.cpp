// The module the framework loads its resources from.
#include "platform/framework/base/AfxBase.h"

namespace {
HINSTANCE g_hInstResource = nullptr;
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    return g_hInstResource ? g_hInstResource : ::GetModuleHandleA(nullptr);
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hInstResource = hInstResource;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType)
{
    const HINSTANCE hResource = AfxGetResourceHandle();
    if (lpszName != nullptr && lpszType != nullptr && ::FindResourceA(hResource, lpszName, lpszType) != nullptr)
        return hResource;
    return ::GetModuleHandleA(nullptr);
}
