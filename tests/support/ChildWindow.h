// Taking a test's child window down with its parent.
#pragma once

#include "platform/framework/window/Wnd.h"
#include "tests/support/TestSupport.h"

namespace kvtest {

// Destroys and deletes a child window made with new (the pointer becomes
// null), then destroys its parent and dispatches what waits in the queue.
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
    PumpMessages();
}

} // namespace kvtest
