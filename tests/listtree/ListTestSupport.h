// Test helpers of the list and tree windows: the modifier keys they read,
// and taking a test window down with its parent.
#pragma once

#include "platform/framework/Wnd.h"
#include "tests/support/TestSupport.h"

// Sets or clears Shift and Ctrl in the thread's key state (what the list
// reads with GetKeyState).
inline void SetKeys(bool bShift, bool bCtrl)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = bShift ? 0x80 : 0;
    keys[VK_CONTROL] = bCtrl ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

// Destroys and deletes a child window (made with new), then destroys its
// parent and dispatches what waits in the queue.
template <class TWnd>
void DestroyWithParent(TWnd*& pChild, CWnd& parent)
{
    if (pChild != nullptr) {
        if (pChild->m_hWnd != nullptr)
            pChild->DestroyWindow();
        delete pChild;
        pChild = nullptr;
    }
    if (parent.m_hWnd != nullptr)
        parent.DestroyWindow();
    kvtest::PumpMessages();
}
