// Helpers of the settings-tree tests.
#pragma once
#include "frame/settings/OZWPersistentTreeNode.h"

namespace kvtest {

// The text of a key, or "<none>" when the node has no such key.
inline CString Value(OZWPersistentTreeNode& node, const char* key)
{
    CString v;
    node.GetString(key, v, "<none>");
    return v;
}

} // namespace kvtest
