#include "frame/dockstate/OZWControlBarManager.h"

IMPLEMENT_DYNAMIC(OZWControlBarManager, CObject)

OZWControlBarManager::OZWControlBarManager(CFrameWnd* pFrame) : m_pFrameWnd(pFrame) {}

OZWControlBarManager::~OZWControlBarManager() = default;

CFrameWnd* OZWControlBarManager::GetFrameWnd()
{
    return m_pFrameWnd;
}

BOOL OZWControlBarManager::LoadState(OZWPersistentTreeNode* pParent)
{
    return pParent != nullptr;
}

BOOL OZWControlBarManager::LoadState(LPCTSTR)
{
    return TRUE;
}

BOOL OZWControlBarManager::SaveState(OZWPTNFactory*, OZWPersistentTreeNode* pParent)
{
    return pParent != nullptr;
}

BOOL OZWControlBarManager::SaveState(LPCTSTR)
{
    return TRUE;
}

UINT OZWControlBarManager::GetBarTypeID(CControlBar*)
{
    return 0;
}

OZWControlBarInfoEx* OZWControlBarManager::CreateBarInfoEx(OZWControlBarInfo*)
{
    return nullptr;
}

CControlBar* OZWControlBarManager::CreateControlBar(OZWControlBarInfo*)
{
    return nullptr;
}
