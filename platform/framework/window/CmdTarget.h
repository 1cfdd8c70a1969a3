// Command targets and message maps.
//
// A class that handles window messages or commands declares a message map
// (DECLARE_MESSAGE_MAP in the class, BEGIN_MESSAGE_MAP ... END_MESSAGE_MAP in
// its .cpp) whose entries name the message, command or notification and the
// member function that handles it. Each entry records a "signature" that says
// how the message's WPARAM/LPARAM are unpacked into the handler's arguments.
// A map chains to the map of its base class, so a derived class's entries are
// searched first.
//
// Commands (menu items, accelerators, buttons...) are routed by OnCmdMsg:
// a window offers them to its own map; frames, views, documents and the
// application extend the route by overriding OnCmdMsg. CCmdUI carries the
// "update" question (enable, check, text) for one command along the same route.
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/Object.h"
#include "platform/framework/base/String.h"
#include "platform/framework/base/Geometry.h"
#include "platform/framework/base/Exceptions.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CMenu;
class CDC;
class CScrollBar;
class CListBox;

/////////////////////////////////////////////////////////////////////////////
// Framework messages and command codes

// The old combined colour message; the WM_CTLCOLORxxx messages are handed to
// ON_WM_CTLCOLOR handlers under this number, with the control kind
// (CTLCOLOR_EDIT, CTLCOLOR_STATIC...) as argument.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR          0x0019
#endif

// Messages the framework sends to its own windows.
#define WM_SIZEPARENT        0x0361  // lParam: AFX_SIZEPARENTPARAMS*; a bar takes its room
#define WM_SETMESSAGESTRING  0x0362  // wParam: string id (or 0 and lParam: text)
#define WM_IDLEUPDATECMDUI   0x0363  // wParam: TRUE to disable items without handler
#define WM_INITIALUPDATE     0x0364  // sent to views once their document is loaded
#define WM_COMMANDHELP       0x0365
#define WM_HELPHITTEST       0x0366
#define WM_EXITHELPMODE      0x0367
#define WM_RECALCPARENT      0x0368
#define WM_SIZECHILD         0x0369
#define WM_KICKIDLE          0x036A  // sent to a modal window's owner loop while idle
#define WM_QUERYCENTERWND    0x036B
#define WM_DISABLEMODAL      0x036C
#define WM_FLOATSTATUS       0x036D
#define WM_ACTIVATETOPLEVEL  0x036E
#define WM_POPMESSAGESTRING  0x0375
#define WM_FORWARDMSG        0x037F

// A message a parent hands back to the child control it came from is sent
// again as WM_REFLECT_BASE + message.
#define WM_REFLECT_BASE      0xBC00

// WM_FLOATSTATUS flags.
#define FS_SHOW              0x01
#define FS_HIDE              0x02
#define FS_ACTIVATE          0x04
#define FS_DEACTIVATE        0x08
#define FS_ENABLE            0x10
#define FS_DISABLE           0x20
#define FS_SYNCACTIVE        0x40

// nCode values of OnCmdMsg besides control notification codes.
#define CN_COMMAND            0    // a command (menu, accelerator, button click)
#define CN_UPDATE_COMMAND_UI  (-1) // pExtra is a CCmdUI*: may the command run now?

// Command ids below this are commands; 0xF000 and above are system commands.
#define IS_COMMAND_ID(nID) ((nID) & 0x8000)

/////////////////////////////////////////////////////////////////////////////
// Message map records

// The type every handler pointer is stored as; the entry's signature says
// which type it really has.
typedef void (CCmdTarget::*AFX_PMSG)();

// How an entry's handler is called (argument unpacking and result).
enum AfxSig : UINT
{
    AfxSig_end = 0,

    // Commands and notifications (routed by OnCmdMsg).
    AfxSig_cmd,            // void ()
    AfxSig_cmdEx,          // BOOL (UINT nID): FALSE lets routing go on
    AfxSig_cmdRange,       // void (UINT nID)
    AfxSig_cmdUI,          // void (CCmdUI*)
    AfxSig_ctlReflectEx,   // BOOL (): FALSE lets the parent see it too
    AfxSig_notify,         // void (NMHDR*, LRESULT*)
    AfxSig_notifyEx,       // BOOL (UINT nID, NMHDR*, LRESULT*)
    AfxSig_notifyRange,    // void (UINT nID, NMHDR*, LRESULT*)
    AfxSig_notifyReflectEx,// BOOL (NMHDR*, LRESULT*)

    // Window messages (dispatched by OnWndMsg).
    AfxSig_lwl,            // LRESULT (WPARAM, LPARAM)
    AfxSig_vv,             // void ()
    AfxSig_bv,             // BOOL ()
    AfxSig_lv,             // LRESULT ()
    AfxSig_Uv,             // UINT ()
    AfxSig_vb,             // void (BOOL)
    AfxSig_bb,             // BOOL (BOOL)
    AfxSig_is,             // int (LPCREATESTRUCT)
    AfxSig_bs,             // BOOL (LPCREATESTRUCT)
    AfxSig_vUii,           // void (UINT, int, int)        WM_SIZE
    AfxSig_vii,            // void (int, int)              WM_MOVE
    AfxSig_vUR,            // void (UINT, LPRECT)          WM_SIZING, WM_MOVING
    AfxSig_bD,             // BOOL (CDC*)                  WM_ERASEBKGND
    AfxSig_vTimer,         // void (UINT_PTR)              WM_TIMER
    AfxSig_vUp,            // void (UINT, CPoint)          mouse, non-client mouse
    AfxSig_bUsp,           // BOOL (UINT, short, CPoint)   WM_MOUSEWHEEL
    AfxSig_iWUU,           // int (CWnd*, UINT, UINT)      WM_MOUSEACTIVATE
    AfxSig_bWUU,           // BOOL (CWnd*, UINT, UINT)     WM_SETCURSOR
    AfxSig_vUUU,           // void (UINT, UINT, UINT)      keys and characters
    AfxSig_vW,             // void (CWnd*)                 focus, capture
    AfxSig_vUWb,           // void (UINT, CWnd*, BOOL)     WM_ACTIVATE
    AfxSig_vbh,            // void (BOOL, DWORD)           WM_ACTIVATEAPP
    AfxSig_vbWW,           // void (BOOL, CWnd*, CWnd*)    WM_MDIACTIVATE
    AfxSig_vMinMax,        // void (MINMAXINFO*)
    AfxSig_vUl,            // void (UINT, LPARAM)          WM_SYSCOMMAND, WM_PARENTNOTIFY
    AfxSig_vbU,            // void (BOOL, UINT)            WM_SHOWWINDOW
    AfxSig_vWp,            // void (CWnd*, CPoint)         WM_CONTEXTMENU
    AfxSig_hDWU,           // HBRUSH (CDC*, CWnd*, UINT)   WM_CTLCOLOR
    AfxSig_hDU,            // HBRUSH (CDC*, UINT)          reflected WM_CTLCOLOR
    AfxSig_vDrawItem,      // void (int, LPDRAWITEMSTRUCT)
    AfxSig_vMeasureItem,   // void (int, LPMEASUREITEMSTRUCT)
    AfxSig_iCompareItem,   // int (int, LPCOMPAREITEMSTRUCT)
    AfxSig_vDeleteItem,    // void (int, LPDELETEITEMSTRUCT)
    AfxSig_vDrawItemR,     // void (LPDRAWITEMSTRUCT)      reflected
    AfxSig_vMeasureItemR,  // void (LPMEASUREITEMSTRUCT)   reflected
    AfxSig_iCompareItemR,  // int (LPCOMPAREITEMSTRUCT)    reflected
    AfxSig_vDeleteItemR,   // void (LPDELETEITEMSTRUCT)    reflected
    AfxSig_lp,             // LRESULT (CPoint)             WM_NCHITTEST
    AfxSig_vbNcCalc,       // void (BOOL, NCCALCSIZE_PARAMS*)
    AfxSig_vPos,           // void (WINDOWPOS*)
    AfxSig_vScroll,        // void (UINT, UINT, CScrollBar*)  WM_HSCROLL, WM_VSCROLL
    AfxSig_vScrollR,       // void (UINT, UINT)             reflected scroll
    AfxSig_vMenu,          // void (CMenu*)                WM_INITMENU
    AfxSig_vMenuPopup,     // void (CMenu*, UINT, BOOL)    WM_INITMENUPOPUP
    AfxSig_vMenuSelect,    // void (UINT, UINT, HMENU)     WM_MENUSELECT
    AfxSig_vUW,            // void (UINT, CWnd*)           WM_ENTERIDLE
    AfxSig_bHelpInfo,      // BOOL (HELPINFO*)
    AfxSig_vUs,            // void (UINT, LPCTSTR)         WM_SETTINGCHANGE
    AfxSig_viStyle,        // void (int, LPSTYLESTRUCT)    WM_STYLECHANGED/ING
    AfxSig_vDrop,          // void (HDROP)
    AfxSig_iUWU,           // int (UINT, CListBox*, UINT)  WM_VKEYTOITEM, WM_CHARTOITEM
    AfxSig_lUUM,           // LRESULT (UINT, UINT, CMenu*) WM_MENUCHAR
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;          // window message; WM_COMMAND / WM_NOTIFY (+ reflect) for commands
    UINT nCode;             // control or notification code (low 16 bits), CN_UPDATE_COMMAND_UI
    UINT nID;               // first command or control id (0 for window messages)
    UINT nLastID;           // last id of a range (== nID otherwise)
    UINT nSig;              // AfxSig
    const UINT* pnRegMsg;   // ON_REGISTERED_MESSAGE: the variable holding the message number
    AFX_PMSG pfn;           // the handler
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)(); // null: no base map
    const AFX_MSGMAP_ENTRY* lpEntries;          // ends with an AfxSig_end entry
};

// Filled by OnCmdMsg when the caller only asks who would handle a command.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// pExtra of OnCmdMsg for WM_NOTIFY routing.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// lParam of a reflected WM_CTLCOLOR.
struct AFX_CTLCOLOR
{
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

/////////////////////////////////////////////////////////////////////////////
// CCmdTarget

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Offers a command (nCode CN_COMMAND or a control notification code), an
    // update request (CN_UPDATE_COMMAND_UI, pExtra the CCmdUI*) or a
    // notification (MAKELONG(code, WM_NOTIFY), pExtra an AFX_NOTIFY*) to this
    // object's message map. With pHandlerInfo the handler is only looked up,
    // not called. TRUE when handled (or found).
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The wait cursor, counted: Begin/End pairs may nest.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // Calls a handler found in a message map with the entry's signature for a
    // command route. Returns what the route should report.
    static BOOL PASCAL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn,
                                      void* pExtra, UINT nSig, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The entry of this map chain for a window message (nCode and nID 0), or null.
    static const AFX_MSGMAP_ENTRY* PASCAL FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg);

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

/////////////////////////////////////////////////////////////////////////////
// CCmdUI: the update question for one command

class CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;          // menu item position, or the index in m_pOther
    CMenu* m_pMenu = nullptr;   // the menu (null when not a menu item)
    CMenu* m_pSubMenu = nullptr;// the popup this item opens, if any
    CMenu* m_pParentMenu = nullptr;
    CWnd* m_pOther = nullptr;   // a control or bar (null for menu items)
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
    UINT m_nIndexMax = 0;       // number of items in the menu

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1); // 0 unchecked, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    // Lets the handler pass the question on along the route.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget's route about m_nID. With bDisableIfNoHndler a command
    // that no handler answers and no command handler exists for is disabled.
    // TRUE when an update handler answered.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

// Updates every item of a popup menu through pTarget's command route (what a
// frame does on WM_INITMENUPOPUP). Items with popups are updated by their
// first item's id as the framework does for submenus that carry commands.
void AFXAPI AfxUpdateMenuCmdUI(CCmdTarget* pTarget, HMENU hMenu, BOOL bDisableIfNoHndler);

// Shows the wait cursor for the life of the object.
class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    void Restore();
};

/////////////////////////////////////////////////////////////////////////////
// Message map macros

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass*); \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass) \
    template <typename type_name> \
    const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const { return GetThisMessageMap(); } \
    template <typename type_name> \
    const AFX_MSGMAP* PASCAL theClass<type_name>::GetThisMessageMap() \
    { \
        typedef theClass<type_name> ThisClass; \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, AfxSig_end, nullptr, nullptr } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    }

// Converts a handler of ThisClass to the stored type, checking its exact type.
#define AFX_MSG_PFN(type, fn) reinterpret_cast<AFX_PMSG>(static_cast<type>(fn))

// The stored handler back as the type its entry's signature says it has (the
// one conversion the dispatchers of commands and window messages share).
template <class PMF> inline PMF AfxHandlerAs(AFX_PMSG pfn)
{
    return reinterpret_cast<PMF>(pfn);
}

// Commands
#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxSig_cmd, nullptr, \
      AFX_MSG_PFN(void (CCmdTarget::*)(), &ThisClass::memberFxn) },
#define ON_COMMAND_EX(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxSig_cmdEx, nullptr, \
      AFX_MSG_PFN(BOOL (CCmdTarget::*)(UINT), &ThisClass::memberFxn) },
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxSig_cmdRange, nullptr, \
      AFX_MSG_PFN(void (CCmdTarget::*)(UINT), &ThisClass::memberFxn) },
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxSig_cmdEx, nullptr, \
      AFX_MSG_PFN(BOOL (CCmdTarget::*)(UINT), &ThisClass::memberFxn) },
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    { WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), AfxSig_cmdUI, nullptr, \
      AFX_MSG_PFN(void (CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn) },
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast), AfxSig_cmdUI, nullptr, \
      AFX_MSG_PFN(void (CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn) },

// Control notifications sent with WM_COMMAND
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_cmd, nullptr, \
      AFX_MSG_PFN(void (CCmdTarget::*)(), &ThisClass::memberFxn) },
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxSig_cmdRange, nullptr, \
      AFX_MSG_PFN(void (CCmdTarget::*)(UINT), &ThisClass::memberFxn) },
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_COMMAND, (UINT)(WORD)(wNotifyCode), 0, 0, AfxSig_cmd, nullptr, \
      AFX_MSG_PFN(void (CCmdTarget::*)(), &ThisClass::memberFxn) },
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_COMMAND, (UINT)(WORD)(wNotifyCode), 0, 0, AfxSig_ctlReflectEx, nullptr, \
      AFX_MSG_PFN(BOOL (CCmdTarget::*)(), &ThisClass::memberFxn) },

#define ON_BN_CLICKED(id, memberFxn)       ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn)      ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn)     ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn)        ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn)        ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn)      ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn)     ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn)       ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn)       ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn)       ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn)    ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn)       ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn)     ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn)    ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn)   ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn)   ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn)     ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn)      ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn)     ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn)    ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn)       ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn)     ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn)    ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn)    ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_CLBN_CHKCHANGE(id, memberFxn)   ON_CONTROL(CLBN_CHKCHANGE, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn)      ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn)       ON_CONTROL(STN_DBLCLK, id, memberFxn)

// WM_NOTIFY
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_notify, nullptr, \
      AFX_MSG_PFN(void (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn) },
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxSig_notifyRange, nullptr, \
      AFX_MSG_PFN(void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn) },
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_notifyEx, nullptr, \
      AFX_MSG_PFN(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn) },
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxSig_notifyEx, nullptr, \
      AFX_MSG_PFN(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn) },
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_NOTIFY, (UINT)(WORD)(wNotifyCode), 0, 0, AfxSig_notify, nullptr, \
      AFX_MSG_PFN(void (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn) },
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_NOTIFY, (UINT)(WORD)(wNotifyCode), 0, 0, AfxSig_notifyReflectEx, nullptr, \
      AFX_MSG_PFN(BOOL (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn) },

// User and registered messages: LRESULT handler(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn) \
    { (UINT)(message), 0, 0, 0, AfxSig_lwl, nullptr, \
      AFX_MSG_PFN(LRESULT (CWnd::*)(WPARAM, LPARAM), &ThisClass::memberFxn) },
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, AfxSig_lwl, &(nMessageVariable), \
      AFX_MSG_PFN(LRESULT (CWnd::*)(WPARAM, LPARAM), &ThisClass::memberFxn) },

// Window messages. Each handler has the usual framework name and arguments.
#define AFX_ON_WM(msg, sig, type, fn) \
    { (UINT)(msg), 0, 0, 0, (UINT)(sig), nullptr, AFX_MSG_PFN(type, &ThisClass::fn) },

#define ON_WM_CREATE()         AFX_ON_WM(WM_CREATE, AfxSig_is, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_NCCREATE()       AFX_ON_WM(WM_NCCREATE, AfxSig_bs, BOOL (CWnd::*)(LPCREATESTRUCT), OnNcCreate)
#define ON_WM_DESTROY()        AFX_ON_WM(WM_DESTROY, AfxSig_vv, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY()      AFX_ON_WM(WM_NCDESTROY, AfxSig_vv, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_CLOSE()          AFX_ON_WM(WM_CLOSE, AfxSig_vv, void (CWnd::*)(), OnClose)
#define ON_WM_SIZE()           AFX_ON_WM(WM_SIZE, AfxSig_vUii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_SIZING()         AFX_ON_WM(WM_SIZING, AfxSig_vUR, void (CWnd::*)(UINT, LPRECT), OnSizing)
#define ON_WM_MOVE()           AFX_ON_WM(WM_MOVE, AfxSig_vii, void (CWnd::*)(int, int), OnMove)
#define ON_WM_MOVING()         AFX_ON_WM(WM_MOVING, AfxSig_vUR, void (CWnd::*)(UINT, LPRECT), OnMoving)
#define ON_WM_PAINT()          AFX_ON_WM(WM_PAINT, AfxSig_vv, void (CWnd::*)(), OnPaint)
#define ON_WM_NCPAINT()        AFX_ON_WM(WM_NCPAINT, AfxSig_vv, void (CWnd::*)(), OnNcPaint)
#define ON_WM_ERASEBKGND()     AFX_ON_WM(WM_ERASEBKGND, AfxSig_bD, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_TIMER()          AFX_ON_WM(WM_TIMER, AfxSig_vTimer, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_LBUTTONDOWN()    AFX_ON_WM(WM_LBUTTONDOWN, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP()      AFX_ON_WM(WM_LBUTTONUP, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK()  AFX_ON_WM(WM_LBUTTONDBLCLK, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN()    AFX_ON_WM(WM_RBUTTONDOWN, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP()      AFX_ON_WM(WM_RBUTTONUP, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK()  AFX_ON_WM(WM_RBUTTONDBLCLK, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN()    AFX_ON_WM(WM_MBUTTONDOWN, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnMButtonDown)
#define ON_WM_MBUTTONUP()      AFX_ON_WM(WM_MBUTTONUP, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK()  AFX_ON_WM(WM_MBUTTONDBLCLK, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnMButtonDblClk)
#define ON_WM_MOUSEMOVE()      AFX_ON_WM(WM_MOUSEMOVE, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_MOUSEWHEEL()     AFX_ON_WM(WM_MOUSEWHEEL, AfxSig_bUsp, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_MOUSELEAVE()     AFX_ON_WM(WM_MOUSELEAVE, AfxSig_vv, void (CWnd::*)(), OnMouseLeave)
#define ON_WM_NCMOUSELEAVE()   AFX_ON_WM(WM_NCMOUSELEAVE, AfxSig_vv, void (CWnd::*)(), OnNcMouseLeave)
#define ON_WM_MOUSEACTIVATE()  AFX_ON_WM(WM_MOUSEACTIVATE, AfxSig_iWUU, int (CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_SETCURSOR()      AFX_ON_WM(WM_SETCURSOR, AfxSig_bWUU, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_NCHITTEST()      AFX_ON_WM(WM_NCHITTEST, AfxSig_lp, LRESULT (CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_NCCALCSIZE()     AFX_ON_WM(WM_NCCALCSIZE, AfxSig_vbNcCalc, void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_NCLBUTTONDOWN()  AFX_ON_WM(WM_NCLBUTTONDOWN, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP()    AFX_ON_WM(WM_NCLBUTTONUP, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_ON_WM(WM_NCLBUTTONDBLCLK, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN()  AFX_ON_WM(WM_NCRBUTTONDOWN, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP()    AFX_ON_WM(WM_NCRBUTTONUP, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnNcRButtonUp)
#define ON_WM_NCRBUTTONDBLCLK() AFX_ON_WM(WM_NCRBUTTONDBLCLK, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnNcRButtonDblClk)
#define ON_WM_NCMBUTTONDOWN()  AFX_ON_WM(WM_NCMBUTTONDOWN, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnNcMButtonDown)
#define ON_WM_NCMBUTTONUP()    AFX_ON_WM(WM_NCMBUTTONUP, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnNcMButtonUp)
#define ON_WM_NCMBUTTONDBLCLK() AFX_ON_WM(WM_NCMBUTTONDBLCLK, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnNcMButtonDblClk)
#define ON_WM_NCMOUSEMOVE()    AFX_ON_WM(WM_NCMOUSEMOVE, AfxSig_vUp, void (CWnd::*)(UINT, CPoint), OnNcMouseMove)
#define ON_WM_KEYDOWN()        AFX_ON_WM(WM_KEYDOWN, AfxSig_vUUU, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP()          AFX_ON_WM(WM_KEYUP, AfxSig_vUUU, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_SYSKEYDOWN()     AFX_ON_WM(WM_SYSKEYDOWN, AfxSig_vUUU, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_SYSKEYUP()       AFX_ON_WM(WM_SYSKEYUP, AfxSig_vUUU, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyUp)
#define ON_WM_CHAR()           AFX_ON_WM(WM_CHAR, AfxSig_vUUU, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SYSCHAR()        AFX_ON_WM(WM_SYSCHAR, AfxSig_vUUU, void (CWnd::*)(UINT, UINT, UINT), OnSysChar)
#define ON_WM_SETFOCUS()       AFX_ON_WM(WM_SETFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS()      AFX_ON_WM(WM_KILLFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_CAPTURECHANGED() AFX_ON_WM(WM_CAPTURECHANGED, AfxSig_vW, void (CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_CANCELMODE()     AFX_ON_WM(WM_CANCELMODE, AfxSig_vv, void (CWnd::*)(), OnCancelMode)
#define ON_WM_ACTIVATE()       AFX_ON_WM(WM_ACTIVATE, AfxSig_vUWb, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ACTIVATEAPP()    AFX_ON_WM(WM_ACTIVATEAPP, AfxSig_vbh, void (CWnd::*)(BOOL, DWORD), OnActivateApp)
#define ON_WM_MDIACTIVATE()    AFX_ON_WM(WM_MDIACTIVATE, AfxSig_vbWW, void (CWnd::*)(BOOL, CWnd*, CWnd*), OnMDIActivate)
#define ON_WM_NCACTIVATE()     AFX_ON_WM(WM_NCACTIVATE, AfxSig_bb, BOOL (CWnd::*)(BOOL), OnNcActivate)
#define ON_WM_CHILDACTIVATE()  AFX_ON_WM(WM_CHILDACTIVATE, AfxSig_vv, void (CWnd::*)(), OnChildActivate)
#define ON_WM_GETMINMAXINFO()  AFX_ON_WM(WM_GETMINMAXINFO, AfxSig_vMinMax, void (CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_ENTERSIZEMOVE()  AFX_ON_WM(WM_ENTERSIZEMOVE, AfxSig_vv, void (CWnd::*)(), OnEnterSizeMove)
#define ON_WM_EXITSIZEMOVE()   AFX_ON_WM(WM_EXITSIZEMOVE, AfxSig_vv, void (CWnd::*)(), OnExitSizeMove)
#define ON_WM_SYSCOMMAND()     AFX_ON_WM(WM_SYSCOMMAND, AfxSig_vUl, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_SHOWWINDOW()     AFX_ON_WM(WM_SHOWWINDOW, AfxSig_vbU, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_CONTEXTMENU()    AFX_ON_WM(WM_CONTEXTMENU, AfxSig_vWp, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_CTLCOLOR()       AFX_ON_WM(WM_CTLCOLOR, AfxSig_hDWU, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_CTLCOLOR_REFLECT() \
    AFX_ON_WM(WM_REFLECT_BASE + WM_CTLCOLOR, AfxSig_hDU, HBRUSH (CWnd::*)(CDC*, UINT), CtlColor)
#define ON_WM_DRAWITEM()       AFX_ON_WM(WM_DRAWITEM, AfxSig_vDrawItem, void (CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM()    AFX_ON_WM(WM_MEASUREITEM, AfxSig_vMeasureItem, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_COMPAREITEM()    AFX_ON_WM(WM_COMPAREITEM, AfxSig_iCompareItem, int (CWnd::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem)
#define ON_WM_DELETEITEM()     AFX_ON_WM(WM_DELETEITEM, AfxSig_vDeleteItem, void (CWnd::*)(int, LPDELETEITEMSTRUCT), OnDeleteItem)
#define ON_WM_DRAWITEM_REFLECT() \
    AFX_ON_WM(WM_REFLECT_BASE + WM_DRAWITEM, AfxSig_vDrawItemR, void (CWnd::*)(LPDRAWITEMSTRUCT), DrawItem)
#define ON_WM_MEASUREITEM_REFLECT() \
    AFX_ON_WM(WM_REFLECT_BASE + WM_MEASUREITEM, AfxSig_vMeasureItemR, void (CWnd::*)(LPMEASUREITEMSTRUCT), MeasureItem)
#define ON_WM_COMPAREITEM_REFLECT() \
    AFX_ON_WM(WM_REFLECT_BASE + WM_COMPAREITEM, AfxSig_iCompareItemR, int (CWnd::*)(LPCOMPAREITEMSTRUCT), CompareItem)
#define ON_WM_DELETEITEM_REFLECT() \
    AFX_ON_WM(WM_REFLECT_BASE + WM_DELETEITEM, AfxSig_vDeleteItemR, void (CWnd::*)(LPDELETEITEMSTRUCT), DeleteItem)
#define ON_WM_WINDOWPOSCHANGING() AFX_ON_WM(WM_WINDOWPOSCHANGING, AfxSig_vPos, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED()  AFX_ON_WM(WM_WINDOWPOSCHANGED, AfxSig_vPos, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_HSCROLL()        AFX_ON_WM(WM_HSCROLL, AfxSig_vScroll, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL()        AFX_ON_WM(WM_VSCROLL, AfxSig_vScroll, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_HSCROLL_REFLECT() \
    AFX_ON_WM(WM_REFLECT_BASE + WM_HSCROLL, AfxSig_vScrollR, void (CWnd::*)(UINT, UINT), HScroll)
#define ON_WM_VSCROLL_REFLECT() \
    AFX_ON_WM(WM_REFLECT_BASE + WM_VSCROLL, AfxSig_vScrollR, void (CWnd::*)(UINT, UINT), VScroll)
#define ON_WM_PARENTNOTIFY()   AFX_ON_WM(WM_PARENTNOTIFY, AfxSig_vUl, void (CWnd::*)(UINT, LPARAM), OnParentNotify)
#define ON_WM_PARENTNOTIFY_REFLECT() \
    AFX_ON_WM(WM_REFLECT_BASE + WM_PARENTNOTIFY, AfxSig_vUl, void (CWnd::*)(UINT, LPARAM), ParentNotify)
#define ON_WM_GETDLGCODE()     AFX_ON_WM(WM_GETDLGCODE, AfxSig_Uv, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_INITMENU()       AFX_ON_WM(WM_INITMENU, AfxSig_vMenu, void (CWnd::*)(CMenu*), OnInitMenu)
#define ON_WM_INITMENUPOPUP()  AFX_ON_WM(WM_INITMENUPOPUP, AfxSig_vMenuPopup, void (CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_MENUCHAR()       AFX_ON_WM(WM_MENUCHAR, AfxSig_lUUM, LRESULT (CWnd::*)(UINT, UINT, CMenu*), OnMenuChar)
#define ON_WM_MENUSELECT()     AFX_ON_WM(WM_MENUSELECT, AfxSig_vMenuSelect, void (CWnd::*)(UINT, UINT, HMENU), OnMenuSelect)
#define ON_WM_ENTERIDLE()      AFX_ON_WM(WM_ENTERIDLE, AfxSig_vUW, void (CWnd::*)(UINT, CWnd*), OnEnterIdle)
#define ON_WM_ENABLE()         AFX_ON_WM(WM_ENABLE, AfxSig_vb, void (CWnd::*)(BOOL), OnEnable)
#define ON_WM_HELPINFO()       AFX_ON_WM(WM_HELP, AfxSig_bHelpInfo, BOOL (CWnd::*)(HELPINFO*), OnHelpInfo)
#define ON_WM_SETTINGCHANGE()  AFX_ON_WM(WM_SETTINGCHANGE, AfxSig_vUs, void (CWnd::*)(UINT, LPCTSTR), OnSettingChange)
#define ON_WM_SYSCOLORCHANGE() AFX_ON_WM(WM_SYSCOLORCHANGE, AfxSig_vv, void (CWnd::*)(), OnSysColorChange)
#define ON_WM_STYLECHANGED()   AFX_ON_WM(WM_STYLECHANGED, AfxSig_viStyle, void (CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanged)
#define ON_WM_STYLECHANGING()  AFX_ON_WM(WM_STYLECHANGING, AfxSig_viStyle, void (CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanging)
#define ON_WM_DROPFILES()      AFX_ON_WM(WM_DROPFILES, AfxSig_vDrop, void (CWnd::*)(HDROP), OnDropFiles)
#define ON_WM_THEMECHANGED()   AFX_ON_WM(WM_THEMECHANGED, AfxSig_lv, LRESULT (CWnd::*)(), OnThemeChanged)
#define ON_WM_VKEYTOITEM()     AFX_ON_WM(WM_VKEYTOITEM, AfxSig_iUWU, int (CWnd::*)(UINT, CListBox*, UINT), OnVKeyToItem)
#define ON_WM_CHARTOITEM()     AFX_ON_WM(WM_CHARTOITEM, AfxSig_iUWU, int (CWnd::*)(UINT, CListBox*, UINT), OnCharToItem)
