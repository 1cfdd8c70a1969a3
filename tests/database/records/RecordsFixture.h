// Shared pieces of the record-class tests: a scratch copy of the skeleton
// database opened on a connection, SQL helpers to seed and read it, and a
// watcher that answers the message boxes a failing operation shows.
#pragma once

#include "database/records/ComponentRecords.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/ScratchDatabase.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kvtest {

// A test with the skeleton copied to a scratch folder and opened.
class SkeletonTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Adds a component with the given key, database number, flags and costs.
    void AddComponent(long key, int databaseNumber, long flags = 0, float cost = 0.0f,
                      float price = 0.0f, const char* description = "Item");
    void AddAssemblyRow(long assemblyKey, long itemKey, float number);

    std::string m_path;
    CDatabase m_db;
    MessageBoxWatcher m_boxes;
};

} // namespace kvtest
