#include "tests/frame/workbook/WorkbookTestApp.h"

#include "frame/workbook/OZWDockableFrame.h"
#include "tests/frame/workbook/WorkbookTestRes.h"

IMPLEMENT_DYNCREATE(CDockTestDoc, CDocument)
IMPLEMENT_DYNCREATE(CDockTestView, CView)

namespace {

class CWorkbookTestApp : public CWinApp
{
public:
    CWorkbookTestApp() : CWinApp("Workbook Test") {}
};
CWorkbookTestApp theApp;

} // namespace

namespace wbtest {

CMultiDocTemplate* Template()
{
    static CMultiDocTemplate* s_pTemplate = nullptr;
    if (s_pTemplate == nullptr) {
        s_pTemplate = new CMultiDocTemplate(IDR_WB_MENU_A, RUNTIME_CLASS(CDockTestDoc), RUNTIME_CLASS(OZWDockableFrame),
                                            RUNTIME_CLASS(CDockTestView));
        theApp.AddDocTemplate(s_pTemplate);
    }
    return s_pTemplate;
}

} // namespace wbtest
