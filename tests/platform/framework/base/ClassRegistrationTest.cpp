// Creation by class name of a class that only a library nobody calls defines.
#include "platform/framework/base/Object.h"
#include "platform/framework/base/String.h"

#include <gtest/gtest.h>
#include <memory>

TEST(ClassRegistration, AClassNoCodeNamesIsCreatedByItsName)
{
    CRuntimeClass* pClass = CRuntimeClass::FromName("CCreatedOnlyByName");
    ASSERT_NE(pClass, nullptr);
    std::unique_ptr<CObject> pObject(CRuntimeClass::CreateObject("CCreatedOnlyByName"));
    ASSERT_NE(pObject, nullptr);
    EXPECT_TRUE(pObject->IsKindOf(pClass));
    EXPECT_STREQ(pObject->GetRuntimeClass()->m_lpszClassName, "CCreatedOnlyByName");
}
