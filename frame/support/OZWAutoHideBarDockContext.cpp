#include "frame/support/OZWAutoHideBarDockContext.h"

OZWAutoHideBarDockContext::OZWAutoHideBarDockContext(CControlBar* pBar) : CDockContext(pBar) {}

void OZWAutoHideBarDockContext::StartDrag(CPoint)
{
}
