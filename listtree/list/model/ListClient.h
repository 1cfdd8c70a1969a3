// OZWListClient: what the list tip and the in-place editor ask of the list
// they serve. They hold a pointer to this interface and reach the list only
// through it, so one tip or editor class serves every form of the list.
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/String.h"

class CFont;

class OZWListClient
{
public:
    virtual HWND GetHwnd() { return nullptr; }
    virtual BOOL IsLabelWrap() { return FALSE; }
    virtual BOOL EndLabelEdit(BOOL /*bCommit*/) { return FALSE; }
    virtual int GetColumnSubItem(int /*nColumn*/) { return -1; }
    virtual void GetScrollOffset(POINT* /*pPoint*/) {}
    virtual void GetItemsRect(RECT* /*pRect*/) {}
    // part 0 the whole cell, 1 the icon, 2 the label.
    virtual BOOL GetSubItemRect(int /*nItem*/, int /*nColumn*/, RECT* /*pRect*/, int /*nPart*/) { return FALSE; }
    virtual CString GetItemText(int /*nItem*/, int /*nSubItem*/) { return CString(); }
    virtual void ClientToScreenRect(RECT* /*pRect*/) {}
    virtual BOOL CaptureMouse(BOOL /*bOn*/) { return FALSE; }
    virtual BOOL IsItemSelected(int /*nItem*/) { return FALSE; }
    virtual COLORREF GetSelTextColor() { return 0; }
    virtual COLORREF GetSelBkColor() { return 0; }
    virtual COLORREF GetTipTextColor() { return 0; }
    virtual COLORREF GetTipBkColor() { return 0; }
    virtual CFont* GetItemFont() { return nullptr; }
    virtual UINT GetClientItemState(int /*nItem*/, UINT /*nMask*/) { return 0; }

protected:
    ~OZWListClient() = default;
};
