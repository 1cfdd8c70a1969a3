// Control ids and type ids of the customisable toolbars.
#pragma once

#include <windows.h>

#include <set>

namespace ozwtb {

// A user's own toolbars take the first free id from kFirstUserBarId on.
// The menu bar keeps its own id, so user toolbars stop one short of it.
const UINT kFirstUserBarId = 59424;   // 0xE820
const UINT kMenuBarId = 59647;        // 0xE8FF
const UINT kLastUserBarId = kMenuBarId - 1;
// The frame's dock bars (top, left, right, bottom) and its floating dock bar.
const UINT kFirstDockBarId = 59419;
const UINT kLastDockBarId = 59423;

// Types of bar the saved layout records.
const UINT kToolBarTypeId = 14946;
const UINT kMenuBarTypeId = 14947;

// A toolbar the user made (and may rename or delete).
inline bool IsUserBarId(UINT nID)
{
    return nID >= kFirstUserBarId && nID <= kLastUserBarId;
}

// The first user toolbar id not in use; 0 when every one is taken.
inline UINT FirstFreeUserBarId(const std::set<UINT>& used)
{
    for (UINT id = kFirstUserBarId; id <= kLastUserBarId; ++id)
        if (used.count(id) == 0)
            return id;
    return 0;
}

} // namespace ozwtb
