// The dock context of a bar held by an auto-hide strip: the bar must not be
// dragged out of the strip by the ordinary drag-and-dock tracking, so
// starting a drag does nothing; everything else is the base's.
#pragma once

#include "platform/framework/Framework.h"

class OZWAutoHideBarDockContext : public CDockContext
{
public:
    explicit OZWAutoHideBarDockContext(CControlBar* pBar);
    void StartDrag(CPoint pt) override;
};
