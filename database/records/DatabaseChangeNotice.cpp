#include "database/records/DatabaseChangeNotice.h"

namespace {

const char kMessageName[] = "Quorvex database changed";
const char kDesignProgramClass[] = "Quorvex";

// Registered while the global objects are initialised, before the program
// starts; GetDatabaseChangedMessage registers it itself if asked earlier.
UINT g_nDatabaseChangedMessage = ::RegisterWindowMessageA(kMessageName);

CDatabaseChangeSink* g_pChangeSink = nullptr;

int SendToDescendants(HWND hWndParent, UINT nMessage)
{
    int nSent = 0;
    for (HWND hWnd = ::GetWindow(hWndParent, GW_CHILD); hWnd != nullptr;
         hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        ::SendMessageA(hWnd, nMessage, 0, 0);
        ++nSent;
        // A receiver may destroy itself while handling the notice; its
        // children are then gone too and the walk ends at this level.
        if (!::IsWindow(hWnd))
            break;
        nSent += SendToDescendants(hWnd, nMessage);
    }
    return nSent;
}

} // namespace

UINT GetDatabaseChangedMessage()
{
    if (g_nDatabaseChangedMessage == 0)
        g_nDatabaseChangedMessage = ::RegisterWindowMessageA(kMessageName);
    return g_nDatabaseChangedMessage;
}

int SendDatabaseChangedNotice()
{
    HWND hWndDesign = ::FindWindowA(kDesignProgramClass, nullptr);
    if (hWndDesign == nullptr)
        return 0;
    return SendToDescendants(hWndDesign, GetDatabaseChangedMessage());
}

void SetDatabaseChangeSink(CDatabaseChangeSink* pSink)
{
    g_pChangeSink = pSink;
}

void AnnounceDatabaseChange()
{
    if (g_pChangeSink != nullptr)
        g_pChangeSink->DatabaseChanged();
    else
        SendDatabaseChangedNotice();
}
