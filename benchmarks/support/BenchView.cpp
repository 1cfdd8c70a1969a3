#include "benchmarks/support/BenchView.h"
#include "app/KelvaronDoc.h"
#include "app/KelvaronView.h"
#include "grids/window/GridWindow.h"

namespace bench {

BenchView::BenchView(const std::string& file)
{
    m_pDoc = new CKelvaronDoc;
    m_pDoc->m_bAutoDelete = FALSE;
    if (!m_pDoc->ConnectDatabase(file.c_str())) {
        Print("the database %s did not open", file.c_str());
        return;
    }
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CKelvaronView);
    context.m_pCurrentDoc = m_pDoc;
    CFrameWnd* pFrame = new CFrameWnd;
    if (!pFrame->Create(nullptr, "benchmark", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1200, 900), nullptr, nullptr, 0,
                        &context)) {
        Print("the window for %s was not made", file.c_str());
        return;
    }
    m_pFrame = pFrame;
    m_pFrame->InitialUpdateFrame(m_pDoc, TRUE);
    m_pView = dynamic_cast<CKelvaronView*>(m_pFrame->GetActiveView());
    m_pGrid = m_pView != nullptr ? m_pView->GetGrid() : nullptr;
    Paint();
}

BenchView::~BenchView()
{
    // The frame takes its view (and the view its grids) with it; the
    // document closes its connection.
    if (m_pFrame != nullptr)
        m_pFrame->DestroyWindow();
    delete m_pDoc;
}

void BenchView::SelectTab(int nTab)
{
    if (m_pView != nullptr)
        m_pView->SelectTab(nTab);
}

void BenchView::Paint()
{
    if (m_pFrame != nullptr)
        m_pFrame->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

} // namespace bench
