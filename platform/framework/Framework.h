// The application framework: the one header the code above the framework
// includes for its classes. The framework is five libraries, each depending
// only on those before it: base (window-free), window, drawing, docview and
// docking. This header pulls in all of them, so only code at or above the
// docking library includes it; the framework's own sources include the
// headers of their library and the ones below.
#pragma once

// base: window-free
#include "platform/framework/base/AfxBase.h"       // types, ASSERT/TRACE/VERIFY, helpers
#include "platform/framework/base/Object.h"        // CObject, CRuntimeClass, dynamic creation
#include "platform/framework/base/String.h"        // CString
#include "platform/framework/base/Geometry.h"      // CPoint, CSize, CRect
#include "platform/framework/base/Exceptions.h"    // CException family
#include "platform/framework/base/Collections.h"   // arrays, lists, maps
#include "platform/framework/base/File.h"          // CFile, CStdioFile, CArchive

// window: windows, messages, dialogs, and the menus, DCs and GDI objects they pass
#include "platform/framework/window/CmdTarget.h"   // CCmdTarget, message maps, CCmdUI
#include "platform/framework/window/Gdi.h"         // CDC family, CGdiObject family
#include "platform/framework/window/Menu.h"        // CMenu
#include "platform/framework/window/Wnd.h"         // CWnd
#include "platform/framework/window/WinApp.h"      // CWinThread, CWinApp, Afx globals
#include "platform/framework/window/Dialog.h"      // CDialog, CDataExchange, DDX_/DDV_, property sheets
#include "platform/framework/window/RectTracker.h" // CRectTracker

// drawing: controls, image lists, common dialogs
#include "platform/framework/drawing/ImageList.h"  // CImageList
#include "platform/framework/drawing/Controls.h"   // control wrappers, common dialogs

// docview: documents, views, frames and the control bars they lay out
#include "platform/framework/docview/DocView.h"    // CDocument, CView, CFormView, templates, frames
#include "platform/framework/docview/ControlBar.h" // CControlBar
#include "platform/framework/docview/OleDocument.h" // COleDocument, COleClientItem

// docking: dock bars, dragging, floating frames, saved layouts, standard bars
#include "platform/framework/docking/DockBar.h"     // CDockBar
#include "platform/framework/docking/DockContext.h" // CDockContext
#include "platform/framework/docking/MiniFrame.h"   // CMiniFrameWnd, CMiniDockFrameWnd
#include "platform/framework/docking/DockState.h"   // CControlBarInfo, CDockState
#include "platform/framework/docking/Bars.h"        // CStatusBar, CDialogBar, CReBar
