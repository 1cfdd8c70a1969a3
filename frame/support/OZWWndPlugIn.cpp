#include "frame/support/OZWWndPlugIn.h"

namespace dedaride {
namespace foundation {

IMPLEMENT_DYNAMIC(OZWWndPlugIn, CWnd)

// The map of the base plug-in: empty and without a base, so that none of
// CWnd's handlers (which would act on the host as if it were this object's
// own window) ever runs for a borrowed handle.
const AFX_MSGMAP* OZWWndPlugIn::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP* PASCAL OZWWndPlugIn::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, AfxSig_end, nullptr, nullptr } };
    static const AFX_MSGMAP messageMap = { nullptr, &entries[0] };
    return &messageMap;
}

OZWWndPlugIn::OZWWndPlugIn() = default;

OZWWndPlugIn::~OZWWndPlugIn()
{
    m_hWnd = nullptr;
    m_bPlugged = FALSE;
}

BOOL OZWWndPlugIn::PlugInTo(CWnd* pHost)
{
    if (pHost == nullptr)
        return FALSE;
    // Borrowed: not entered in the handle map, never subclassed or destroyed.
    m_hWnd = pHost->m_hWnd;
    m_bPlugged = TRUE;
    return TRUE;
}

BOOL OZWWndPlugIn::UnPlug()
{
    m_bPlugged = FALSE;
    m_hWnd = nullptr;
    return FALSE;
}

BOOL OZWWndPlugIn::IsPlugged()
{
    return m_bPlugged;
}

int OZWWndPlugIn::SetReturn(int nValue)
{
    m_bReturnSet = TRUE;
    m_nReturn = nValue;
    return nValue;
}

BOOL OZWWndPlugIn::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (!m_bPlugged)
        return FALSE;
    m_bExitHost = FALSE;
    m_bCallDefault = FALSE;
    const BOOL bHandled = CWnd::OnWndMsg(message, wParam, lParam, pResult);
    if (m_bReturnSet) {
        m_bReturnSet = FALSE;
        return m_nReturn;
    }
    return bHandled;
}

BOOL OZWWndPlugIn::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (!m_bPlugged)
        return FALSE;
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT OZWWndPlugIn::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_bPlugged || !m_bCallDefault)
        return 0;
    return CWnd::DefWindowProc(message, wParam, lParam);
}

} // namespace foundation
} // namespace dedaride
