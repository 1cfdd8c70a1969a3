// Caption button filters: push buttons in a window's caption (or, for a
// maximised MDI child, in its frame's menu row) that are message filters, not
// child windows. Each button keeps a rectangle in window coordinates, paints
// itself after the standard non-client painting, tracks the mouse with
// capture and, on a click, posts a command to the window. A list filter lays
// its buttons out from right to left where the system puts its own caption
// buttons, so a frame can switch its own buttons off and still place an
// extra button to their left.
#pragma once

#include "frame/filters/CaptionGeometry.h"
#include "frame/msgfilter/OZWMsgFilter.h"

class OZWCaptionControlMsgFilterTimer;

// Caption geometry of the window a filter is bound to.
class OZWCaptionMsgFilter : public OZWNcMsgFilter
{
    DECLARE_DYNCREATE(OZWCaptionMsgFilter)
public:
    explicit OZWCaptionMsgFilter(CWnd* pWnd = nullptr, int nID = -1) : OZWNcMsgFilter(pWnd, nID) {}
    OZWCaptionMsgFilter(const OZWCaptionMsgFilter& other) = default;
    OZWMsgFilter* Clone() const override { return new OZWCaptionMsgFilter(*this); }

    // The caption in window coordinates; empty without a window.
    virtual RECT GetCaptionRect();
    // A caption button's size from a pair of system metrics (less 2 and 4).
    virtual SIZE GetButtonSizeFromMetrics(int nCxMetric, int nCyMetric);
    // Small caption buttons on a tool window, normal ones otherwise.
    virtual SIZE GetButtonSize();
    // Where the rightmost button goes: 2 pixels in from the caption's right
    // and top edges.
    virtual POINT GetFirstButtonPos(RECT rcCaption, SIZE size);

    // What the caption rules need of the bound window.
    ozwcaption::WindowFacts GetWindowFacts() const;
};

// One caption button. An identifier from 0 to 4095 makes it a standard
// button: 0 close, 1 minimise, 2 maximise, 3 restore, 4 help, whose glyph and
// system command the identifier gives.
class OZWCaptionControlMsgFilter : public OZWCaptionMsgFilter
{
    DECLARE_DYNCREATE(OZWCaptionControlMsgFilter)
public:
    explicit OZWCaptionControlMsgFilter(CWnd* pWnd = nullptr, int nID = -1, UINT nState = 0,
                                        UINT nType = DFC_CAPTION);
    // Copies the rectangle, type, state and hold interval; the copy does not
    // track and has no timer.
    OZWCaptionControlMsgFilter(const OZWCaptionControlMsgFilter& other);
    // Kills a running hold timer.
    ~OZWCaptionControlMsgFilter() override;
    OZWMsgFilter* Clone() const override { return new OZWCaptionControlMsgFilter(*this); }

    // Paints, tracks presses on the button and swallows them; the rest goes
    // to the children.
    UINT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Reasons for which a button fires.
    enum FireReason { kClick = 0, kRightPress = 1, kHoldElapsed = 2 };

    virtual void Draw();
    // Whether a screen point lies on the button.
    virtual BOOL HitTest(int x, int y);
    virtual void OnButtonDown(int x, int y);
    virtual void OnTrackButtonUp(int x, int y);
    virtual void OnHoldElapsed(int x, int y);
    virtual void OnTrackMouseMove(int x, int y);
    // Posts the command GetCommandMessage gives for the reason.
    virtual void Fire(UINT nReason, int x, int y);
    // The message a reason sends: a standard button's click posts
    // WM_SYSCOMMAND with its system command and the point; nothing else.
    virtual BOOL GetCommandMessage(UINT nReason, short x, short y, HWND* pWnd, UINT* pMsg, WPARAM* pWParam,
                                   LPARAM* pLParam);
    virtual void BeginTracking(BOOL bPush, BOOL bRedraw);
    virtual void EndTracking(BOOL bUnpush, BOOL bRedraw);
    virtual void KillHoldTimer();
    // Starts the hold timer for a press at a screen point (only for a
    // positive hold interval).
    virtual void StartHoldTimer(int x, int y);
    // Whether the button is shown, and in *pDisabled whether disabled.
    virtual BOOL GetVisibility(BOOL* pDisabled);

    BOOL IsTracking() const { return m_bTracking; }
    BOOL IsStandard() const { return ozwcaption::IsStandardID(m_nID); }

    RECT m_rect = {0, 0, 0, 0};
    UINT m_nType;
    UINT m_nState;
    BOOL m_bTracking = FALSE;
    int m_nHoldInterval = -1; // milliseconds; -1 no hold action, 0 at once on press
    OZWCaptionControlMsgFilterTimer* m_pTimerWnd = nullptr;
};

// The invisible child window whose timer tells a button that it was held.
class OZWCaptionControlMsgFilterTimer : public CWnd
{
public:
    OZWCaptionControlMsgFilterTimer(OZWCaptionControlMsgFilter* pButton, int nInterval, int x, int y)
        : m_pButton(pButton), m_nInterval(nInterval), m_x(x), m_y(y)
    {
    }

    // Makes the window under pParent (its timer starts with it); FALSE when
    // it or its timer cannot be made.
    BOOL CreateTimer(CWnd* pParent);
    // Lets go of the button: the window no longer calls it, and goes away
    // now, or, while its own timer handler runs, once that has returned.
    void Release();

    enum { kTimerID = 1 };
    OZWCaptionControlMsgFilter* m_pButton;
    int m_nInterval;
    BOOL m_bTimerSet = FALSE;
    BOOL m_bFired = FALSE;
    int m_x, m_y;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    BOOL m_bInTimer = FALSE;
    BOOL m_bReleased = FALSE;
};

// A row of caption buttons: close, maximise, restore, minimise and help made
// from a table of its own, and the buttons a frame adds after them. Before
// every message it lays the row out again.
class OZWCaptionControlListMsgFilter : public OZWCaptionMsgFilter
{
    DECLARE_DYNCREATE(OZWCaptionControlListMsgFilter)
public:
    explicit OZWCaptionControlListMsgFilter(CWnd* pWnd = nullptr, int nID = -1);
    OZWCaptionControlListMsgFilter(const OZWCaptionControlListMsgFilter& other);
    OZWMsgFilter* Clone() const override { return new OZWCaptionControlListMsgFilter(*this); }

    UINT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // An empty table stands for the list's own: the frames switch the five
    // standard buttons this way without knowing the list's class.
    void ApplyDescriptorsAll(const DescriptorTable& table, BOOL bEnable) override;

    // Places every button of the row (shown or not, enabled or not).
    virtual void RecalcLayout();
    // Switches the five standard buttons on or off.
    void EnableStandardButtons(BOOL bEnable) { OZWMsgFilter::ApplyDescriptorsAll(m_buttons, bEnable); }
    const DescriptorTable& GetButtonTable() const { return m_buttons; }

protected:
    DescriptorTable m_buttons;
};

// The row for the maximised child of an MDI frame: menu-sized buttons one
// caption lower, in the frame's menu row.
class OZWCapConLstMDIMaxChildMsgFilter : public OZWCaptionControlListMsgFilter
{
    DECLARE_DYNCREATE(OZWCapConLstMDIMaxChildMsgFilter)
public:
    explicit OZWCapConLstMDIMaxChildMsgFilter(CWnd* pWnd = nullptr, int nID = -1)
        : OZWCaptionControlListMsgFilter(pWnd, nID)
    {
    }
    OZWCapConLstMDIMaxChildMsgFilter(const OZWCapConLstMDIMaxChildMsgFilter& other) = default;
    OZWMsgFilter* Clone() const override { return new OZWCapConLstMDIMaxChildMsgFilter(*this); }

    SIZE GetButtonSize() override;
    POINT GetFirstButtonPos(RECT rcCaption, SIZE size) override;
};
