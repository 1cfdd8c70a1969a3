// CGRBeamFrameWnd: a window showing one pane above a beam, a strip along its
// bottom. The record information window and the tab window are such frames.
// A frame is created with Create or by subclassing a placeholder control of
// a form; either way it makes its beam from the beam class it was given.
#pragma once

#include "platform/grid/GRDefs.h"

class CGRBeamFrameWnd : public CWnd
{
    DECLARE_DYNAMIC(CGRBeamFrameWnd)
public:
    // pBeamClass: the beam's run-time class; one that does not derive from
    // pBaseBeamClass (or none) gives a beam of pBaseBeamClass.
    CGRBeamFrameWnd(CRuntimeClass* pBeamClass, CRuntimeClass* pBaseBeamClass);
    ~CGRBeamFrameWnd() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CWnd::Create;
    // Places the beam along the bottom and the pane above it.
    void RecalcLayout();
    // The height of a beam drawn in a font: a line and a margin, 18 at least.
    static int CalcStripHeight(HFONT hFont);

protected:
    // The window shown above the beam (null: none).
    virtual CWnd* GetPaneWnd() const = 0;
    // The beam's height for its font.
    virtual int CalcBeamHeight() = 0;
    BOOL CreateBeam();
    void PreSubclassWindow() override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTestMsg(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()

    CRuntimeClass* m_pBeamClass;
    CWnd* m_pBeamWnd = nullptr;
};
