#include "frame/filters/CaptionGeometry.h"

namespace ozwcaption {

UINT SystemCommandOf(int nID)
{
    switch (nID) {
    case kClose: return SC_CLOSE;
    case kMinimize: return SC_MINIMIZE;
    case kMaximize: return SC_MAXIMIZE;
    case kRestore: return SC_RESTORE;
    case kHelp: return SC_CONTEXTHELP;
    default: return 0;
    }
}

Metrics Metrics::FromSystem()
{
    Metrics m;
    m.cxSizeFrame = ::GetSystemMetrics(SM_CXSIZEFRAME);
    m.cySizeFrame = ::GetSystemMetrics(SM_CYSIZEFRAME);
    m.cxFixedFrame = ::GetSystemMetrics(SM_CXFIXEDFRAME);
    m.cyFixedFrame = ::GetSystemMetrics(SM_CYFIXEDFRAME);
    m.cxBorder = ::GetSystemMetrics(SM_CXBORDER);
    m.cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    m.cyCaption = ::GetSystemMetrics(SM_CYCAPTION);
    m.cySmCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
    return m;
}

RECT CaptionRect(const WindowFacts& facts, const Metrics& m)
{
    RECT rect = {0, 0, 0, 0};
    if (!facts.bWindow)
        return rect;
    const DWORD style = facts.dwStyle;
    int cx = 0, cy = 0;
    if (style & (WS_CAPTION | WS_THICKFRAME)) {
        if ((style & WS_THICKFRAME) && !facts.bIconic) {
            cx = m.cxSizeFrame;
            cy = m.cySizeFrame;
        } else if (style & WS_DLGFRAME) {
            cx = m.cxFixedFrame;
            cy = m.cyFixedFrame;
        } else {
            cx = m.cxBorder;
            cy = m.cyBorder;
        }
    }
    int cyCaption = 0;
    if ((style & WS_CAPTION) == WS_CAPTION)
        cyCaption = ((facts.dwExStyle & WS_EX_TOOLWINDOW) ? m.cySmCaption : m.cyCaption) - m.cyBorder;
    rect.left = cx;
    rect.top = cy;
    rect.right = facts.cxWindow - cx;
    rect.bottom = cy + cyCaption;
    return rect;
}

BOOL StandardButtonVisibility(int nID, const WindowFacts& facts, BOOL* pDisabled)
{
    if (pDisabled != nullptr)
        *pDisabled = FALSE;
    if (!IsStandardID(nID) || !facts.bWindow || (facts.dwStyle & WS_SYSMENU) == 0)
        return FALSE;
    BOOL bDisabled = FALSE;
    BOOL bShown = FALSE;
    if (nID == kClose) {
        bShown = TRUE;
        bDisabled = facts.bCloseDisabled;
    } else if ((facts.dwExStyle & WS_EX_TOOLWINDOW) == 0) {
        const BOOL bMin = (facts.dwStyle & WS_MINIMIZEBOX) != 0;
        const BOOL bMax = (facts.dwStyle & WS_MAXIMIZEBOX) != 0;
        const BOOL bBoxes = bMin || bMax;
        switch (nID) {
        case kMaximize:
            bShown = bBoxes && !facts.bZoomed;
            bDisabled = !bMax;
            break;
        case kRestore:
            bShown = bBoxes && (facts.bZoomed || facts.bIconic);
            bDisabled = facts.bZoomed ? !bMax : !bMin;
            break;
        case kMinimize:
            bShown = bBoxes && !facts.bIconic;
            bDisabled = !bMin;
            break;
        case kHelp:
            bShown = !bBoxes && (facts.dwExStyle & WS_EX_CONTEXTHELP) != 0;
            break;
        default:
            break;
        }
    }
    if (bShown && pDisabled != nullptr)
        *pDisabled = bDisabled;
    return bShown;
}

int GapAfter(int nID, BOOL bIconic)
{
    if (nID == kClose || nID == kMinimize || (nID == kRestore && bIconic))
        return 2;
    return 0;
}

} // namespace ozwcaption
