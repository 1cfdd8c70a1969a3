// The two buttons an MDI menu bar shows while the active MDI child is
// maximised, as the system's own MDI menu does: the child's icon first
// (dropping the child's system menu) and its minimise, restore and close
// buttons last.
#pragma once

#include "toolbars/menus/OZWTBMenuBtn.h"

// The maximised child's minimise, restore and close buttons in one button.
class OZWBtnCaption : public OZWStdBtn
{
    DECLARE_OZWBTN_CLASS(OZWBtnCaption)
public:
    // Parts of the button, left to right.
    enum Part { kNoPart = -1, kMinimize = 0, kRestore = 1, kClose = 2 };

    OZWBtnCaption();
    ~OZWBtnCaption() override;

    BOOL IsCustomizable() const override { return FALSE; }
    // Three parts wide and 2 pixels more, one part high.
    void AdjustSize() override;
    BOOL BtnPressDown(CPoint point) override;
    void BtnPressMouseMove(CPoint point) override;
    void BtnPressCancel() override;
    // A release over the pressed part posts its system command to the
    // active MDI child; no command goes to the toolbar's owner.
    UINT BtnPressUp(CPoint point) override;
    // The part's hit-test code in the tool's flags: 8 minimise, 9 restore,
    // 20 close, 0 outside.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    void DrawButton(OZWBtnDrawData& drawData, CRect rect, CDC* pDC) override;
    BOOL DrawFace(OZWBtnDrawData& drawData, BOOL bCustomizing, CRect& rect, int& ix, int& iy, int nImageWidth,
                  CDC* pDC) override;
    void SelectImage(OZWBtnDrawData&) override {}

    // The part under a point in the toolbar's client coordinates.
    int HitPart(CPoint point) const;
    // The active MDI child of the frame the toolbar is in; null when none.
    CMDIChildWnd* GetActiveChild() const;

    DWORD m_dwWndStyle = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX; // the child's bits
    int m_cxPart;
    int m_cyPart;
    int m_nPressedPart = kNoPart;

protected:
    HTHEME m_hThemeWindow = nullptr;
};

// The maximised child's icon; pressing it drops the child's system menu.
class OZWCapMenuBtn : public OZWTBMenuBtn
{
    DECLARE_OZWBTN_CLASS(OZWCapMenuBtn)
public:
    OZWCapMenuBtn();

    BOOL IsCustomizable() const override { return FALSE; }
    // 16 by 16.
    void AdjustSize() override;
    BOOL DrawFace(OZWBtnDrawData& drawData, BOOL bCustomizing, CRect& rect, int& ix, int& iy, int nImageWidth,
                  CDC* pDC) override;
    // Asks the toolbar to drop the active child's system menu under the
    // button (the menu handle as the first value, -1 as the second).
    void DropMenu() override;

    HICON m_hIcon = nullptr; // the child's icon (not owned)
};

// The command a caption part posts (0 for none).
UINT CaptionPartCommand(int nPart);
// The hit-test code of a caption part (0 for none).
int CaptionPartHitCode(int nPart);
