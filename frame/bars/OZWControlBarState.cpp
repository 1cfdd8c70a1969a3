// OZWControlBar's record in the saved layout of its frame.
#include "frame/bars/OZWControlBar.h"

BOOL OZWControlBar::GetBarInfo(OZWControlBarInfo* pInfo)
{
    return SaveExtraInfo(pInfo);
}

void OZWControlBar::SetBarInfo(OZWControlBarInfo*, CFrameWnd*) {}

void OZWControlBar::GetBarInfoEx(OZWControlBarInfo* pInfo)
{
    GetBarInfo(pInfo);
}

void OZWControlBar::SetBarInfoEx(OZWControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    SetBarInfo(pInfo, pFrameWnd);
}

BOOL OZWControlBar::CreateFromInfo(CFrameWnd*, OZWControlBarInfo*)
{
    return FALSE;
}
