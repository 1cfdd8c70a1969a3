// The list control, and the engine's control form (OZWListEngine<CWnd>),
// which is built here.
#include "listtree/list/ctrl/ListCtrl.h"
#include "listtree/list/ctrl/ListEngineInput.h"

template class OZWListEngine<CWnd>;

IMPLEMENT_DYNAMIC(OZWListCtrl, CWnd)

BEGIN_MESSAGE_MAP(OZWListCtrl, CWnd)
    OZW_LIST_ENGINE_MESSAGES()
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

LRESULT OZWListCtrl::OnThemeChanged(WPARAM, LPARAM)
{
    return 0;
}
