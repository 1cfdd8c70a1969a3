// The object a frame owns to create, name and keep the control bars it
// manages beyond the framework's own layout: the saved layout asks it for a
// type id of each bar, for an extra record per bar, and to make bars again
// that a saved layout names but the frame does not have. The base answers
// "nothing known"; the toolbar manager derives from it.
#pragma once

#include "platform/framework/Framework.h"

class OZWControlBarInfo;
class OZWControlBarInfoEx;
class OZWPersistentTreeNode;
class OZWPTNFactory;

class OZWControlBarManager : public CObject
{
    DECLARE_DYNAMIC(OZWControlBarManager)
public:
    explicit OZWControlBarManager(CFrameWnd* pFrame);
    ~OZWControlBarManager() override;

    virtual CFrameWnd* GetFrameWnd();
    // Tree forms: whether there is a parent node (a derived manager goes on
    // only when the base answers non-zero). Profile forms: nothing.
    virtual BOOL LoadState(OZWPersistentTreeNode* pParent);
    virtual BOOL LoadState(LPCTSTR lpszProfileName);
    virtual BOOL SaveState(OZWPTNFactory* pFactory, OZWPersistentTreeNode* pParent);
    virtual BOOL SaveState(LPCTSTR lpszProfileName);
    // The type of a bar (0: not known), the bar's extra record (null: none),
    // a new bar for a saved record (null: none).
    virtual UINT GetBarTypeID(CControlBar* pBar);
    virtual OZWControlBarInfoEx* CreateBarInfoEx(OZWControlBarInfo* pInfo);
    virtual CControlBar* CreateControlBar(OZWControlBarInfo* pInfo);

protected:
    CFrameWnd* m_pFrameWnd;
};
