// Extended system commands: an extra caption button, a right double click on
// the caption and a caption context menu that move a document frame between
// the states a docking document template offers (an MDI child, minimised,
// maximised or restored; a docking frame on one side of the main frame, or
// floating). Small filters turn caption input into the registered message
// "Dedaride::WM_SYSCOMMANDEX" (OZWGetSysCommandExMessage); ScxMsgFilter
// answers it: it builds and shows the state menu and carries out the chosen
// state through the frame's OZWMultiDocTemplate.
#pragma once

#include "frame/filters/OZWCaptionFilters.h"

class OZWMultiDocTemplate;

namespace nsSysCommandEx {

// Commands of the message (wParam; the receiver masks it with 0xFFF0).
enum Command : UINT {
    kExecute = 0xC000,  // carry out the record's nCommand (-1: the default state)
    kGetMenu = 0xC010,  // build the state menu into the record's hMenu
    kShowMenu = 0xC020, // get the menu, track it at the record's point, carry out the choice
};

// Record flags.
enum RecordFlags : DWORD { kHasPosition = 0x1, kHasSize = 0x2 };

// Frame states; also the commands of the state menu.
enum State : int {
    kNone = 0,
    kMDIChild = 1,
    kMDIChildIconic = 2,
    kMDIChildZoomed = 3,
    kMDIChildNormal = 4,
    kDocked = 5,
    kDockedLeft = 6,
    kDockedTop = 7,
    kDockedRight = 8,
    kDockedBottom = 9,
    kFloating = 10,
};

// Where a frame docks in its row (the optional first pointer of a record).
struct DockPosition
{
    int nRow;
    int nColumn;
    int nPlacement;
};
// How large a docked frame is (the optional second pointer of a record).
struct DockSize
{
    float fRowShare;
    int nHeight;
    int nReserved;
};

// The record lParam points to; the sender owns it.
struct CommandRecord
{
    HWND hWnd = nullptr;   // the window whose state is concerned
    DWORD dwFlags = 0;     // kHasPosition: x, y a position; kHasSize: cx, cy a size
    int x = 0, y = 0;      // the click point, where a menu shows (x < 0: the client centre), or a position
    int cx = 0, cy = 0;
    RECT rcButton = {0, 0, 0, 0}; // the sending button on the screen
    HMENU hMenu = nullptr;        // the state menu once built
    int nCommand = -1;            // the chosen state; -1 the default
    const DockPosition* pDockPosition = nullptr;
    const DockSize* pDockSize = nullptr;
};

// 1 for the MDI-child states, 5 for the docked ones, 10 for floating, else 0.
int GetStateGroup(int nState);
// TRUE for the commands that ScxMsgFilter runs on a copy of itself.
BOOL IsScxCommand(UINT nCommand);
// The dock-bar id of a docked state (6-9), 0 otherwise.
UINT DockBarOfState(int nState);
// The state menu's check marks: whether the item of command nItem is
// checked for a frame in nState (the first three items by group).
BOOL IsStateItemChecked(int nItem, int nState);

// Sends the message to a window with a record of it for the command.
LRESULT SendCommand(HWND hWnd, UINT nCommand, CommandRecord& record);

// Answers the message: builds, shows and carries out the state menu.
class ScxMsgFilter : public OZWMsgFilter
{
    DECLARE_DYNCREATE(ScxMsgFilter)
public:
    explicit ScxMsgFilter(CWnd* pWnd = nullptr, int nID = -1) : OZWMsgFilter(pWnd, nID) {}
    ScxMsgFilter(const ScxMsgFilter& other) : OZWMsgFilter(other) {}
    OZWMsgFilter* Clone() const override { return new ScxMsgFilter(*this); }

    UINT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    virtual HMENU BuildMenu(CommandRecord& record);
    virtual UINT OnShowMenu(CommandRecord& record, LRESULT* pResult);
    virtual UINT OnGetMenu(CommandRecord& record, LRESULT* pResult);
    virtual UINT OnExecute(CommandRecord& record, LRESULT* pResult);
    virtual HMENU GetMenu(CommandRecord& record);
    virtual int TrackMenu(HMENU hMenu, CommandRecord& record);
    virtual void ExecuteChoice(int nCommand, CommandRecord& record);
    virtual int GetFrameState(CFrameWnd* pFrame, OZWMultiDocTemplate* pTemplate);
    virtual CFrameWnd* ToggleDocking(CFrameWnd* pFrame, OZWMultiDocTemplate* pTemplate, CommandRecord& record);
    virtual CFrameWnd* DockFrame(CFrameWnd* pFrame, UINT nDockBarID, const DockPosition* pPosition,
                                 const DockSize* pSize, OZWMultiDocTemplate* pTemplate, CommandRecord& record);
    virtual BOOL ToMDIChild(CFrameWnd* pFrame, int nState, int nCommand, OZWMultiDocTemplate* pTemplate,
                            CommandRecord& record);
    virtual BOOL ToDocking(CFrameWnd* pFrame, int nState, int nCommand, OZWMultiDocTemplate* pTemplate,
                           CommandRecord& record);
    virtual BOOL ToFloating(CFrameWnd* pFrame, int nState, int nCommand, OZWMultiDocTemplate* pTemplate,
                            CommandRecord& record);
    virtual BOOL ToggleDockState(CFrameWnd* pFrame, OZWMultiDocTemplate* pTemplate, CommandRecord& record);

    // The docking document template that made the frame's document; null
    // when there is none.
    static OZWMultiDocTemplate* FindTemplate(CFrameWnd* pFrame);

    BOOL m_bNested = FALSE;
};

// An always-shown caption button with a diamond glyph that sends the
// message: a click executes the default state, a right press or a hold of
// 400 ms shows the state menu below the button.
class ScxButtonMsgFilter : public OZWCaptionControlMsgFilter
{
    DECLARE_DYNCREATE(ScxButtonMsgFilter)
public:
    explicit ScxButtonMsgFilter(CWnd* pWnd = nullptr, int nID = -1);
    ScxButtonMsgFilter(const ScxButtonMsgFilter& other) = default;
    OZWMsgFilter* Clone() const override { return new ScxButtonMsgFilter(*this); }

    UINT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL GetVisibility(BOOL* pDisabled) override;
    BOOL GetCommandMessage(UINT nReason, short x, short y, HWND* pWnd, UINT* pMsg, WPARAM* pWParam,
                           LPARAM* pLParam) override;
    // Sends (the record lives on the stack).
    void Fire(UINT nReason, int x, int y) override;
    void Draw() override;
    // Paints the button into a device context at its rectangle.
    void DrawButton(HDC hdc, const RECT& rect, BOOL bPressed, BOOL bDockableFrame);

protected:
    // The window the command is for (the maximised child for the frame's row).
    virtual HWND GetTargetWindow();
    CommandRecord m_record;
};

// The button on an MDI child's caption; hidden while the child is maximised
// (the frame's menu row shows it then).
class ScxButtonMDIChildMsgFilter : public ScxButtonMsgFilter
{
    DECLARE_DYNCREATE(ScxButtonMDIChildMsgFilter)
public:
    explicit ScxButtonMDIChildMsgFilter(CWnd* pWnd = nullptr, int nID = -1) : ScxButtonMsgFilter(pWnd, nID) {}
    ScxButtonMDIChildMsgFilter(const ScxButtonMDIChildMsgFilter& other) = default;
    OZWMsgFilter* Clone() const override { return new ScxButtonMDIChildMsgFilter(*this); }
    BOOL GetVisibility(BOOL* pDisabled) override;
};

// The button in an MDI frame's menu row for its maximised active child.
class ScxButtonMDIMaxChildMsgFilter : public ScxButtonMsgFilter
{
    DECLARE_DYNCREATE(ScxButtonMDIMaxChildMsgFilter)
public:
    explicit ScxButtonMDIMaxChildMsgFilter(CWnd* pWnd = nullptr, int nID = -1) : ScxButtonMsgFilter(pWnd, nID) {}
    ScxButtonMDIMaxChildMsgFilter(const ScxButtonMDIMaxChildMsgFilter& other) = default;
    OZWMsgFilter* Clone() const override { return new ScxButtonMDIMaxChildMsgFilter(*this); }

    UINT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL GetVisibility(BOOL* pDisabled) override;
    // The active MDI child of the frame when it is maximised, else null.
    CMDIChildWnd* GetTargetChild();

protected:
    HWND GetTargetWindow() override;
    // Whether the target child's own button filter exists and is on.
    BOOL TargetHasButton();
};

// A right double click on the caption executes the default state.
class ScxCaptionNCRDBLClkFilter : public OZWCaptionMsgFilter
{
    DECLARE_DYNCREATE(ScxCaptionNCRDBLClkFilter)
public:
    explicit ScxCaptionNCRDBLClkFilter(CWnd* pWnd = nullptr, int nID = -1) : OZWCaptionMsgFilter(pWnd, nID) {}
    ScxCaptionNCRDBLClkFilter(const ScxCaptionNCRDBLClkFilter& other) = default;
    OZWMsgFilter* Clone() const override { return new ScxCaptionNCRDBLClkFilter(*this); }
    UINT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// The same for the maximised child in an MDI frame's menu row.
class ScxNCRDBLClkMDIMaxChildMsgFilter : public OZWNcMsgFilter
{
    DECLARE_DYNCREATE(ScxNCRDBLClkMDIMaxChildMsgFilter)
public:
    explicit ScxNCRDBLClkMDIMaxChildMsgFilter(CWnd* pWnd = nullptr, int nID = -1) : OZWNcMsgFilter(pWnd, nID) {}
    ScxNCRDBLClkMDIMaxChildMsgFilter(const ScxNCRDBLClkMDIMaxChildMsgFilter& other) = default;
    OZWMsgFilter* Clone() const override { return new ScxNCRDBLClkMDIMaxChildMsgFilter(*this); }
    UINT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// A right click released on the caption shows the state menu there.
class ScxContextMenuFilter : public OZWMsgFilter
{
    DECLARE_DYNCREATE(ScxContextMenuFilter)
public:
    explicit ScxContextMenuFilter(CWnd* pWnd = nullptr, int nID = -1) : OZWMsgFilter(pWnd, nID) {}
    ScxContextMenuFilter(const ScxContextMenuFilter& other) = default;
    OZWMsgFilter* Clone() const override { return new ScxContextMenuFilter(*this); }
    UINT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// The filter kinds the toolkit's frames use for these filters.
enum FilterKind { kKindCaptionControls = 256, kKindSysCommand = 257, kKindChildButton = 258,
                  kKindChildNCRDblClk = 259, kKindMaxChildButton = 260, kKindMaxChildNCRDblClk = 261,
                  kKindContextMenu = 262 };

} // namespace nsSysCommandEx
