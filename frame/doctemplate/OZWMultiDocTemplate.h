// A multi-document template whose documents show either in ordinary MDI
// child frames or in docking frames, each hosted by a control bar of the
// main frame, and move between the two at run time.
#pragma once

#include "platform/framework/Framework.h"
#include "frame/doctemplate/OZWDockingSite.h"
#include <functional>

// A view that wants to know when it moves between frames: before docking
// and floating it gets the old and the new frame, after it the new one.
class IOZWVwDockFeedBack
{
public:
    virtual ~IOZWVwDockFeedBack() = default;
    virtual void OnBeforeDocking(CFrameWnd* pOldFrame, CFrameWnd* pNewFrame) = 0;
    virtual void OnAfterDocking(CFrameWnd* pNewFrame) = 0;
    virtual void OnBeforeFloating(CFrameWnd* pOldFrame, CFrameWnd* pNewFrame) = 0;
    virtual void OnAfterFloating(CFrameWnd* pNewFrame) = 0;
};

// For a view whose document holds items of other programs (a COleDocument):
// the item active in place is closed before the view moves to another
// frame, and activated again in the view once it is there. A view takes it
// as a second base beside CView.
class OZWVwDockFeedBackOleImp : public IOZWVwDockFeedBack
{
public:
    void OnBeforeDocking(CFrameWnd* pOldFrame, CFrameWnd* pNewFrame) override;
    void OnAfterDocking(CFrameWnd* pNewFrame) override;
    void OnBeforeFloating(CFrameWnd* pOldFrame, CFrameWnd* pNewFrame) override;
    void OnAfterFloating(CFrameWnd* pNewFrame) override;

protected:
    // Closes (saving it when changed) the first item of the view's document
    // that is active in place, and remembers it.
    virtual void CloseActiveItem();
    // Activates the item closed last in the view again, and forgets it.
    virtual void ReactivateItem();
    COleClientItem* m_pClosedItem = nullptr;
};

class OZWMultiDocTemplate : public CMultiDocTemplate
{
    DECLARE_DYNAMIC(OZWMultiDocTemplate)
public:
    // dwFlags -1 means 7 (extended system commands on, caption buttons and
    // right double-click filters off, the context menu on), for both kinds
    // of frames. Null classes and a zero menu id take the defaults: MDI child
    // frames of the toolkit, its dockable frame, hosted by its frame bar, the
    // template's own menu.
    OZWMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pViewClass,
                        DWORD dwFlags = (DWORD)-1);
    OZWMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                        CRuntimeClass* pViewClass, UINT nDockMenuID, CRuntimeClass* pDockFrameClass,
                        CRuntimeClass* pDockBarClass, DWORD dwFlags);
    // Frees the docking menu and destroys the frames it kept hidden.
    ~OZWMultiDocTemplate() override;

    void LoadTemplate() override;
    CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) override;
    using CMultiDocTemplate::OpenDocumentFile;

    // A frame for the document: docked (in a new host bar of the main frame,
    // on dock bar nDockBarID when it is one of the four) or an MDI child.
    virtual CFrameWnd* CreateNewFrameEx(CDocument* pDoc, CFrameWnd* pOther, BOOL bDocked, UINT nDockBarID);
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible, BOOL bDocked,
                                        UINT nDockBarID);
    // Docks an MDI child frame, floats a docked one; the new frame, or null
    // when nothing was done (the old frame is then left as it was).
    virtual CFrameWnd* ToggleDocking(CFrameWnd* pFrame);
    // A docking frame in a new host bar; null (nothing left behind) when the
    // bar or the frame cannot be made. Missing size and share take the main
    // frame's defaults.
    virtual CFrameWnd* CreateDockedFrame(CDocument* pDoc, CFrameWnd* pOther, UINT nDockBarID,
                                         const CSize* pSize, const float* pRowShare);
    virtual BOOL IsDockedFrame(CWnd* pWnd);
    // 0 top, 1 left, 2 bottom, 3 right, 4 floating; -1 for a frame that is not docked.
    virtual int GetDockSide(CFrameWnd* pFrame);
    virtual CFrameWnd* DockFrame(CFrameWnd* pFrame, UINT nDockBarID, const CSize* pSize,
                                 const float* pRowShare);
    virtual CFrameWnd* DockFrame(CFrameWnd* pFrame);
    virtual CFrameWnd* FloatFrame(CFrameWnd* pFrame);
    // Moves the child windows (the views) of one frame into another.
    virtual void MoveChildren(CFrameWnd* pFrom, CWnd* pTo);
    virtual BOOL ActivateFrame(CFrameWnd* pFrame);
    // Hands the flags to a frame with extended system commands.
    virtual void ApplyFrameFlags(CFrameWnd* pFrame, DWORD dwFlags);
    // Option 1: caption buttons; 2: the caption's right double-click;
    // 3: the context menu. Options 2 and 3 exclude each other.
    virtual void EnableOption1(BOOL bOn, BOOL bApply);
    virtual void EnableOption2(BOOL bOn, BOOL bApply);
    virtual void EnableOption3(BOOL bOn, BOOL bApply);
    virtual BOOL IsOption1Enabled();
    virtual BOOL IsOption2Enabled();
    virtual BOOL IsOption3Enabled();
    virtual void ModifyFlags(DWORD dwRemove, DWORD dwAdd, BOOL bApply);
    // Applies the flags to every frame of the template's documents again.
    virtual void RefreshFrames();
    virtual IOZWVwDockFeedBack* GetFeedback(CView* pView);
    // Destroys the frame, or hides it when frames are kept hidden and it is one of them.
    virtual void CloseFrame(CFrameWnd* pFrame);

    CRuntimeClass* m_pDockFrameClass = nullptr;
    CRuntimeClass* m_pDockBarClass = nullptr;
    BOOL m_bOpenDocked = FALSE;
    UINT m_nDockMenuID = 0;
    DWORD m_dwMDIChildFlags = 7;
    DWORD m_dwDockFrameFlags = 7;
    UINT m_nDockBarID = 0;
    BOOL m_bHideFrames = FALSE;
    CList<HWND, HWND> m_listHiddenFrames;
    HMENU m_hMenuDock = nullptr;
    HACCEL m_hAccelDock = nullptr;
    // The item that was active in place in the moving view (of a view
    // without a feedback interface), deactivated for the move and activated
    // again in the view once it is in its new frame.
    COleClientItem* m_pDeactivatedItem = nullptr;

protected:
    IOZWDockingSite* DockingSite() const;
    // A view among the frame's child windows, made its active view when it
    // has none; that view, null when the frame had one or has no view.
    CView* ChooseActiveView(CFrameWnd* pFrame);
    void EnableOption(DWORD dwBit, DWORD dwAddOn, BOOL bOn, BOOL bApply);
    // Moves the frame's views into the frame makeFrame makes (without views)
    // and closes the old frame; null, and nothing moved, when none is made.
    CFrameWnd* MoveViews(CFrameWnd* pFrame, BOOL bDocking,
                         const std::function<CFrameWnd*(CDocument*)>& makeFrame);

    DECLARE_MESSAGE_MAP()
};
