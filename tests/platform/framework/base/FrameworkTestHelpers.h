// Helpers for the framework's tests: catching exceptions thrown by pointer.
#pragma once

#include "platform/framework/base/Collections.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/File.h"
#include "platform/framework/base/Geometry.h"
#include "platform/framework/base/String.h"

#include <gtest/gtest.h>

namespace fwtest {

// Runs f; returns true when it threw an E* (which is deleted), false when it
// threw nothing. Any other exception propagates and fails the test.
template <class E, class F> bool Throws(F&& f)
{
    try {
        f();
    } catch (E* e) {
        e->Delete();
        return true;
    }
    return false;
}

// The m_cause of the E* that f throws, or -1 when it throws nothing.
template <class E, class F> int CauseOf(F&& f)
{
    try {
        f();
    } catch (E* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

} // namespace fwtest
