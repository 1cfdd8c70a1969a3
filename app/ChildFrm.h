// The MDI child window that holds one database's view. Its close routine is
// where the user decides what happens to the edits of the database: keep
// them (the backup taken at open is deleted), or put the backup back. It
// also makes its database the paste target when activated, places itself
// when it first shows, keeps a minimum size, and refits the grid's columns
// after the window is resized.
#pragma once

#include "platform/framework/Framework.h"

class CKelvaronView;

class CChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame();
    ~CChildFrame() override;

    // The smallest size the user can drag or size the window to.
    static constexpr int kMinWidth = 800;
    static constexpr int kMinHeight = 600;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void ActivateFrame(int nCmdShow = -1) override;

    // The database's view in this window (null when there is none).
    CKelvaronView* GetDatabaseView() const;

    // How a new database window is brought inside the MDI client area: left
    // as it is when it lies inside at its minimum size or larger, else moved
    // and sized (up to the minimum, down to the client area) into it, or
    // maximised when the client area is smaller than the window's minimum.
    enum ClientFit
    {
        FIT_KEEP,
        FIT_MOVE,
        FIT_MAXIMIZE,
    };
    // frame: the window's rectangle in the client area's coordinates; client:
    // the size of the client area. placed: where the window goes (FIT_MOVE).
    static ClientFit FitIntoClient(const CRect& frame, const CSize& client, const CSize& minimum, CRect& placed);
    // Brings this window inside the MDI client area, so that the client area
    // needs no scroll bars for it (nothing for a maximised or minimised one).
    void FitIntoMDIClient();

protected:
    // The close routine (the window's close box and system menu, and File
    // Close): while an assembly is being built it says to finish it first;
    // otherwise it asks whether to save the changes. Yes closes keeping them,
    // No closes putting the backup back, Cancel leaves everything open.
    afx_msg void OnClose();
    // On activation the main frame's paste target becomes this database.
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    // The window cannot be dragged or sized by the user smaller than its
    // minimum; the MDI client's arrangements (Tile, Cascade) are not held
    // to it. Maximised it takes the size of the client area, also a smaller
    // one.
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    // While the view's line-type popup runs, the window's caption stays
    // active.
    afx_msg BOOL OnNcActivate(BOOL bActive);
    // After a resize, and after maximising or restoring, the main grid's
    // columns are fitted again.
    afx_msg void OnExitSizeMove();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    void FitGridColumns();
    // The first time the window shows with its view's grids: maximised or
    // sized as the options say, brought inside the MDI client area, and the
    // grid's columns fitted to it.
    void PlaceAtOpen();

    BOOL m_bPlaced = FALSE;
    // The user moves or sizes the window (its system command runs).
    BOOL m_bUserSizing = FALSE;

    DECLARE_MESSAGE_MAP()
};
