// The application framework: the one header the program's code includes for
// the framework's classes. Each part of the framework has a header of its own.
#pragma once

// Window-free base
#include "platform/framework/AfxBase.h"       // types, ASSERT/TRACE/VERIFY, helpers
#include "platform/framework/Object.h"        // CObject, CRuntimeClass, dynamic creation
#include "platform/framework/String.h"        // CString
#include "platform/framework/Geometry.h"      // CPoint, CSize, CRect
#include "platform/framework/Exceptions.h"    // CException family
#include "platform/framework/Collections.h"   // arrays, lists, maps
#include "platform/framework/File.h"          // CFile, CStdioFile, CArchive

// Windows, messages, dialogs, controls and drawing
#include "platform/framework/CmdTarget.h"     // CCmdTarget, message maps, CCmdUI
#include "platform/framework/Gdi.h"           // CDC family, CGdiObject family, CImageList
#include "platform/framework/Wnd.h"           // CWnd
#include "platform/framework/WinApp.h"        // CWinThread, CWinApp, Afx globals
#include "platform/framework/Dialog.h"        // CDialog, CDataExchange, DDX_/DDV_, property sheets
#include "platform/framework/Controls.h"      // control wrappers, CMenu, common dialogs

// Documents, views and frames
#include "platform/framework/DocView.h"       // CDocument, CView, CFormView, templates, frames
#include "platform/framework/ControlBar.h"    // CControlBar
#include "platform/framework/DockBar.h"       // CDockBar
#include "platform/framework/DockContext.h"   // CDockContext
#include "platform/framework/MiniFrame.h"     // CMiniFrameWnd, CMiniDockFrameWnd
#include "platform/framework/DockState.h"     // CControlBarInfo, CDockState
#include "platform/framework/Bars.h"          // CStatusBar, CDialogBar, CReBar
