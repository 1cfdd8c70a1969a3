// Questions about the application's document templates for the frame and
// menu code: the resource (menu) id a frame was loaded with, the index of a
// template among the templates of its document type, the template at such an
// index, and the template that made a given document, view and frame.
#pragma once

#include "platform/framework/Framework.h"

class OZWDocTemplateUtils
{
public:
    // bUseFileTypeId: templates are grouped by their registry file-type id
    // (document string regFileTypeId); otherwise by the file-type name.
    explicit OZWDocTemplateUtils(BOOL bUseFileTypeId = TRUE);
    virtual ~OZWDocTemplateUtils();

    // The position of the template among the templates of that type (the
    // first is 0); -1 for a null template, no application, or a template
    // that is not of that type.
    virtual int GetTemplateIndex(CDocTemplate* pTemplate, LPCTSTR lpszType);
    // The template at that position among those of the type; the last of
    // the type when there are fewer; null when there is none of the type.
    virtual CDocTemplate* GetTemplate(LPCTSTR lpszType, int nIndex);
    // The template that made the document, view and frame (null when any is null).
    virtual CDocTemplate* FindTemplate(CDocument* pDoc, CView* pView, CFrameWnd* pFrame);
    // The resource id the frame was loaded with; 0 for none.
    virtual UINT GetFrameMenuID(CFrameWnd* pFrame);
    virtual BOOL GetTemplates(CPtrList& list);
    virtual BOOL FilterByViewAndFrame(CPtrList& list, CView* pView, CFrameWnd* pFrame);
    virtual BOOL FilterByResource(CPtrList& list, CFrameWnd* pFrame);
    virtual BOOL FilterByDocument(CPtrList& list, CDocument* pDoc);
    // TRUE when the list decides: empty (result null) or one template.
    virtual BOOL SingleTemplate(CPtrList& list, CDocTemplate** ppResult);
    // The class derives from the toolkit's dockable frame.
    virtual BOOL IsDockingFrameClass(CRuntimeClass* pClass);
    // The template's frame class, or with bDocking the docking-frame class
    // of a docking template (null for any other template).
    virtual CRuntimeClass* GetFrameClass(CDocTemplate* pTemplate, BOOL bDocking);

    // The run-time class of the toolkit's dockable frame (it lies in a
    // higher layer, so it is found by name); null when the program has none.
    static CRuntimeClass* PASCAL DockableFrameClass();

    BOOL m_bUseFileTypeId;

protected:
    CString TypeOf(CDocTemplate* pTemplate) const;
};
