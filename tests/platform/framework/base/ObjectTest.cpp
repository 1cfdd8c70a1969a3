// Run-time class records: kind-of tests, creation by record and by name,
// and down-casts.
#include "FrameworkTestHelpers.h"

#include <memory>

namespace objecttest {

// A small hierarchy: Shape (dynamic) <- Polygon (creatable) <- Square
// (serialisable); Circle (creatable) beside Polygon; Rounded puts a plain
// base before its CObject part, so casts must adjust the pointer.
class Shape : public CObject
{
    DECLARE_DYNAMIC(Shape)
};
class Polygon : public Shape
{
    DECLARE_DYNCREATE(Polygon)
public:
    int m_nCorners = 3;
};
class Square : public Polygon
{
    DECLARE_SERIAL(Square)
public:
    Square() { m_nCorners = 4; }
};
class Circle : public Shape
{
    DECLARE_DYNCREATE(Circle)
};
struct Padding
{
    virtual ~Padding() = default;
    double m_filler[3] = {1, 2, 3};
};
class Rounded : public Padding, public Square
{
    DECLARE_DYNCREATE(Rounded)
};

IMPLEMENT_DYNAMIC(Shape, CObject)
IMPLEMENT_DYNCREATE(Polygon, Shape)
IMPLEMENT_SERIAL(Square, Polygon, 1)
IMPLEMENT_DYNCREATE(Circle, Shape)
IMPLEMENT_DYNCREATE(Rounded, Square)

namespace {

TEST(RuntimeClass, KindOfFollowsTheWholeHierarchy)
{
    struct Case { CRuntimeClass* object; CRuntimeClass* asked; bool expected; };
    const Case cases[] = {
        {RUNTIME_CLASS(Square), RUNTIME_CLASS(Square), true},
        {RUNTIME_CLASS(Square), RUNTIME_CLASS(Polygon), true},
        {RUNTIME_CLASS(Square), RUNTIME_CLASS(Shape), true},
        {RUNTIME_CLASS(Square), RUNTIME_CLASS(CObject), true},
        {RUNTIME_CLASS(Square), RUNTIME_CLASS(Circle), false},
        {RUNTIME_CLASS(Polygon), RUNTIME_CLASS(Square), false},
        {RUNTIME_CLASS(Circle), RUNTIME_CLASS(Polygon), false},
        {RUNTIME_CLASS(Rounded), RUNTIME_CLASS(Polygon), true},
        {RUNTIME_CLASS(CObject), RUNTIME_CLASS(Shape), false},
        {RUNTIME_CLASS(CFileException), RUNTIME_CLASS(CException), true},
        {RUNTIME_CLASS(CMemoryException), RUNTIME_CLASS(CFileException), false},
        {RUNTIME_CLASS(CStringArray), RUNTIME_CLASS(CObject), true},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CObject> object(c.object->CreateObject());
        EXPECT_EQ(c.expected, c.object->IsDerivedFrom(c.asked) != FALSE)
            << c.object->m_lpszClassName << " from " << c.asked->m_lpszClassName;
        if (object) {
            EXPECT_EQ(c.object, object->GetRuntimeClass());
            EXPECT_EQ(c.expected, object->IsKindOf(c.asked) != FALSE)
                << c.object->m_lpszClassName << " kind of " << c.asked->m_lpszClassName;
        }
    }
    EXPECT_FALSE(RUNTIME_CLASS(Square)->IsDerivedFrom(nullptr));
}

TEST(RuntimeClass, CreatesByRecordAndByName)
{
    std::unique_ptr<CObject> byName(CRuntimeClass::CreateObject("Square"));
    ASSERT_NE(nullptr, byName);
    EXPECT_EQ(RUNTIME_CLASS(Square), byName->GetRuntimeClass());
    EXPECT_EQ(4, static_cast<Square*>(byName.get())->m_nCorners);

    EXPECT_EQ(RUNTIME_CLASS(Circle), CRuntimeClass::FromName("Circle"));
    EXPECT_EQ(RUNTIME_CLASS(CStringArray), CRuntimeClass::FromName("CStringArray"));

    // Names are exact; classes without a creator make nothing.
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("square"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("NoSuchClass"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(nullptr));
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("NoSuchClass"));
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("Shape"));
    EXPECT_EQ(nullptr, RUNTIME_CLASS(Shape)->CreateObject());

    EXPECT_STREQ("Rounded", RUNTIME_CLASS(Rounded)->m_lpszClassName);
    EXPECT_EQ((int)sizeof(Rounded), RUNTIME_CLASS(Rounded)->m_nObjectSize);
    EXPECT_TRUE(Square().IsSerializable());
    EXPECT_FALSE(Polygon().IsSerializable());
}

TEST(RuntimeClass, DownCastsAdjustThePointerAndRefuseOtherClasses)
{
    Rounded rounded;
    CObject* pObject = &rounded;
    // The CObject part is not at the start of a Rounded.
    ASSERT_NE((void*)pObject, (void*)&rounded);

    EXPECT_EQ(&rounded, DYNAMIC_DOWNCAST(Rounded, pObject));
    EXPECT_EQ(static_cast<Square*>(&rounded), DYNAMIC_DOWNCAST(Square, pObject));
    EXPECT_EQ(&rounded, STATIC_DOWNCAST(Rounded, pObject));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(Circle, pObject));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(Rounded, (CObject*)nullptr));

    std::unique_ptr<CObject> created(RUNTIME_CLASS(Rounded)->CreateObject());
    Rounded* pRounded = DYNAMIC_DOWNCAST(Rounded, created.get());
    ASSERT_NE(nullptr, pRounded);
    EXPECT_EQ(2.0, pRounded->m_filler[1]);
    EXPECT_EQ(4, pRounded->m_nCorners);
}

} // namespace
} // namespace objecttest
