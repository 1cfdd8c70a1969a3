// A component database open in the program's own view, in a frame window of
// its own: the document, the view with its tabs and side grids, and the main
// grid, as the program makes them for a database window.
#pragma once

#include "benchmarks/support/Bench.h"

#include <string>

class CKelvaronDoc;
class CKelvaronView;
class CGridWindow;
class CFrameWnd;

namespace bench {

class BenchView
{
public:
    // Opens the database file (connected as the document connects it, with
    // no backup copy) in a frame of 1200 x 900 pixels; IsOpen tells whether
    // it went.
    explicit BenchView(const std::string& file);
    ~BenchView();
    BenchView(const BenchView&) = delete;
    BenchView& operator=(const BenchView&) = delete;

    bool IsOpen() const { return m_pGrid != nullptr; }
    CKelvaronDoc* Doc() const { return m_pDoc; }
    CKelvaronView* View() const { return m_pView; }
    CGridWindow* Grid() const { return m_pGrid; }

    // Chooses a tab as the user does (the tab control's selection).
    void SelectTab(int nTab);
    // Paints everything the window has to paint, now.
    void Paint();

private:
    CKelvaronDoc* m_pDoc = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    CKelvaronView* m_pView = nullptr;
    CGridWindow* m_pGrid = nullptr;
};

// Handles the messages waiting in the thread's queue.
void PumpMessages();

} // namespace bench
