// The application of the document template tests: documents, views and
// frames of their own, a main frame that offers docking places, and a
// stand-in for the toolkit's dockable frame (which lies in a higher layer;
// the template finds it by its class name).
#pragma once

#include "frame/doctemplate/OZWDockingSite.h"
#include "frame/doctemplate/OZWMultiDocTemplate.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

class CTestDoc : public CDocument
{
    DECLARE_DYNCREATE(CTestDoc)
};

class COtherDoc : public CDocument
{
    DECLARE_DYNCREATE(COtherDoc)
};

// A view that records the moves between frames it is told of.
class CTestView : public CView, public IOZWVwDockFeedBack
{
    DECLARE_DYNCREATE(CTestView)
public:
    void OnDraw(CDC*) override {}
    void OnBeforeDocking(CFrameWnd*, CFrameWnd*) override { moves.push_back("before docking"); }
    void OnAfterDocking(CFrameWnd*) override { moves.push_back("after docking"); }
    void OnBeforeFloating(CFrameWnd*, CFrameWnd*) override { moves.push_back("before floating"); }
    void OnAfterFloating(CFrameWnd*) override { moves.push_back("after floating"); }
    std::vector<std::string> moves;
};

class COtherView : public CView
{
    DECLARE_DYNCREATE(COtherView)
public:
    void OnDraw(CDC*) override {}
};

// An MDI child frame with extended system commands.
class CTestChildFrame : public CMDIChildWnd, public IOZWSysCommandExFrame
{
    DECLARE_DYNCREATE(CTestChildFrame)
public:
    void EnableSysCommandEx(DWORD dwFlags) override { flags = dwFlags; }
    DWORD flags = 0xFFFF;
};

// Stands in for the toolkit's dockable frame.
class OZWDockableFrame : public CFrameWnd, public IOZWSysCommandExFrame
{
    DECLARE_DYNCREATE(OZWDockableFrame)
public:
    void EnableSysCommandEx(DWORD dwFlags) override { flags = dwFlags; }
    DWORD flags = 0xFFFF;
};

// A dockable frame class that cannot be loaded (and, as frames do, goes
// with the failure).
class CUnloadableFrame : public OZWDockableFrame
{
    DECLARE_DYNCREATE(CUnloadableFrame)
public:
    BOOL LoadFrame(UINT, DWORD, CWnd*, CCreateContext*) override
    {
        delete this;
        return FALSE;
    }
};

class CTestHostBar : public CControlBar
{
    DECLARE_DYNCREATE(CTestHostBar)
public:
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

// The main frame: four plain windows with the dock bars' ids stand for its
// sides; a host bar is made a child of the side it docks on.
class CTestMainFrame : public CMDIFrameWnd, public IOZWDockingSite
{
public:
    BOOL CreateMain();
    void GetDefaultDockingInfo(UINT& nDockBarID, CSize& size, float& fRowShare) override;
    BOOL IsBarIDFree(UINT nID) override;
    UINT GetNextFreeBarID(UINT nFirst) override;
    BOOL CreateAndDockHostBar(CControlBar* pBar, LPCTSTR lpszTitle, DWORD dwStyle, UINT nID,
                              UINT nDockBarID, const CSize& size, float fRowShare) override;
    void RelayoutDockBars() override { ++relayouts; }

    struct Docked
    {
        UINT id, dockBar;
        DWORD style;
        CSize size;
        float share;
        CString title;
    };
    std::vector<Docked> docked;
    BOOL refuseBars = FALSE;
    int relayouts = 0;
    CWnd sides[4];
};

class CTemplateApp : public CWinApp
{
public:
    CTemplateApp() : CWinApp("Template Tests") {}
};
extern CTemplateApp theApp;

// Adds a template with the given type id (document string 5) and name (6).
template<class T>
T* AddTemplate(T* pTemplate, const char* typeId, const char* typeName = "")
{
    theApp.AddDocTemplate(pTemplate);
    pTemplate->m_strDocStrings = CString("\n\n\n\n\n") + typeId + "\n" + typeName;
    return pTemplate;
}

// Removes every template, document and window the test made.
void ResetApplication();

// A docking template of the test classes: documents of pDocClass shown by
// views of pViewClass, in the test's MDI children or docking frames.
inline OZWMultiDocTemplate* NewDockingTemplate(CRuntimeClass* pDockFrameClass = RUNTIME_CLASS(OZWDockableFrame),
                                               CRuntimeClass* pDocClass = RUNTIME_CLASS(CTestDoc),
                                               CRuntimeClass* pViewClass = RUNTIME_CLASS(CTestView))
{
    return new OZWMultiDocTemplate(1, pDocClass, RUNTIME_CLASS(CTestChildFrame), pViewClass, 0, pDockFrameClass,
                                   RUNTIME_CLASS(CTestHostBar), (DWORD)-1);
}

// Each test gets a main frame and a docking template of the test classes.
class DockingTemplateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pMain = new CTestMainFrame;
        ASSERT_TRUE(m_pMain->CreateMain());
        theApp.m_pMainWnd = m_pMain;
        m_pTemplate = AddTemplate(NewDockingTemplate(), "Test");
    }
    void TearDown() override
    {
        ResetApplication();
        if (::IsWindow(m_pMain->m_hWnd))
            m_pMain->DestroyWindow();
        theApp.m_pMainWnd = nullptr;
        kvtest::PumpMessages();
    }
    // A new document of the template (the test's by default) in an MDI
    // child frame; its view.
    template <class V = CTestView>
    V* OpenInChild(OZWMultiDocTemplate* pTemplate = nullptr)
    {
        CDocument* pDoc = (pTemplate != nullptr ? pTemplate : m_pTemplate)->OpenDocumentFile(nullptr, TRUE);
        if (pDoc == nullptr)
            return nullptr;
        POSITION pos = pDoc->GetFirstViewPosition();
        return static_cast<V*>(pDoc->GetNextView(pos));
    }

    CTestMainFrame* m_pMain = nullptr;
    OZWMultiDocTemplate* m_pTemplate = nullptr;
};

