// Every test of this executable runs against a private HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include "tests/support/RegistryHelpers.h"

#include <memory>

namespace {

class PrivateRegistryEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        m_hive = std::make_unique<kvtest::PrivateUserHive>();
        ASSERT_TRUE(m_hive->IsRedirected());
    }
    void TearDown() override { m_hive.reset(); }

private:
    std::unique_ptr<kvtest::PrivateUserHive> m_hive;
};

const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new PrivateRegistryEnvironment);

} // namespace
