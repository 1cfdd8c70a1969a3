#include "app/ChildFrm.h"

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

CChildFrame::CChildFrame() = default;

CChildFrame::~CChildFrame() = default;
