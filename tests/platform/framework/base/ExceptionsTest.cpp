// The exception family, the block-catching macros, the error box, and the
// address checks of the diagnostics.
#include "FrameworkTestHelpers.h"
#include "tests/support/MessageBoxWatcher.h"

#include <string>

namespace {

// Counts the exceptions of this kind that are still alive.
class CountedException : public CUserException
{
public:
    static int s_live;
    CountedException() { ++s_live; }
    ~CountedException() override { --s_live; }
};
int CountedException::s_live = 0;

TEST(Exceptions, DeleteFreesOnlyWhatWasMadeWithNew)
{
    CountedException* e = new CountedException;
    EXPECT_EQ(1, CountedException::s_live);
    e->Delete();
    EXPECT_EQ(0, CountedException::s_live);

    CNotSupportedException onStack(FALSE);
    onStack.Delete(); // must not free a stack object
    char text[64];
    EXPECT_TRUE(onStack.GetErrorMessage(text, sizeof(text)));
    EXPECT_STREQ("An unsupported operation was attempted.", text);

    // The memory exception is kept in advance and never freed.
    try {
        AfxThrowMemoryException();
    } catch (CMemoryException* m) {
        EXPECT_FALSE(m->m_bAutoDelete);
        m->Delete();
        m->Delete();
    }
}

TEST(Exceptions, HelpersThrowTheirClassesByPointer)
{
    struct Case { void (*thrower)(); CRuntimeClass* cls; };
    const Case cases[] = {
        {[] { AfxThrowNotSupportedException(); }, RUNTIME_CLASS(CNotSupportedException)},
        {[] { AfxThrowInvalidArgException(); }, RUNTIME_CLASS(CInvalidArgException)},
        {[] { AfxThrowResourceException(); }, RUNTIME_CLASS(CResourceException)},
        {[] { AfxThrowUserException(); }, RUNTIME_CLASS(CUserException)},
        {[] { AfxThrowFileException(CFileException::diskFull, 112, "d.txt"); }, RUNTIME_CLASS(CFileException)},
        {[] { AfxThrowArchiveException(CArchiveException::badSchema, "a.dat"); }, RUNTIME_CLASS(CArchiveException)},
    };
    for (const Case& c : cases) {
        CRuntimeClass* caught = nullptr;
        try {
            c.thrower();
        } catch (CException* e) {
            caught = e->GetRuntimeClass();
            e->Delete();
        }
        EXPECT_EQ(c.cls, caught);
    }
}

TEST(Exceptions, MessagesNameTheFileAndCause)
{
    struct Case { CException* e; const char* expectedPart; };
    const Case cases[] = {
        {new CFileException(CFileException::fileNotFound, 2, "C:\\x\\parts.mdb"), "C:\\x\\parts.mdb was not found."},
        {new CFileException(CFileException::diskFull, 112, nullptr), "an unnamed file"},
        {new CFileException(99), "An unexpected error"},
        {new CArchiveException(CArchiveException::endOfFile, "dock.dat"), "dock.dat past its end"},
    };
    for (const Case& c : cases) {
        char text[256];
        UINT help = 7;
        EXPECT_TRUE(c.e->GetErrorMessage(text, sizeof(text), &help));
        EXPECT_NE(nullptr, std::strstr(text, c.expectedPart)) << text;
        EXPECT_EQ(0u, help);
        // A short buffer gets a cut, terminated text.
        char tiny[6];
        c.e->GetErrorMessage(tiny, sizeof(tiny));
        EXPECT_EQ(5u, std::strlen(tiny));
        c.e->Delete();
    }
    char text[16] = "x";
    CUserException user(FALSE);
    EXPECT_FALSE(user.GetErrorMessage(text, sizeof(text)));
    EXPECT_STREQ("", text);

    struct Os { LONG error; int cause; };
    for (Os os : {Os{ERROR_FILE_NOT_FOUND, CFileException::fileNotFound}, Os{ERROR_PATH_NOT_FOUND, CFileException::badPath},
                  Os{ERROR_ACCESS_DENIED, CFileException::accessDenied}, Os{ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
                  Os{ERROR_DISK_FULL, CFileException::diskFull}, Os{12345, CFileException::genericException}})
        EXPECT_EQ(os.cause, CFileException::OsErrorToException(os.error)) << os.error;
}

TEST(Exceptions, CatchBlocksDeleteUnlessRethrown)
{
    TRY {
        throw new CountedException;
    }
    CATCH(CFileException, e) {
        ADD_FAILURE() << "wrong handler";
    }
    AND_CATCH(CUserException, e) {
        EXPECT_EQ(1, CountedException::s_live);
    }
    END_CATCH
    EXPECT_EQ(0, CountedException::s_live);

    bool rethrown = false;
    try {
        TRY {
            throw new CountedException;
        }
        CATCH_ALL(e) {
            THROW_LAST();
        }
        END_CATCH_ALL
    } catch (CException* e) {
        rethrown = true;
        EXPECT_EQ(1, CountedException::s_live); // still alive after the inner block
        e->Delete();
    }
    EXPECT_TRUE(rethrown);
    EXPECT_EQ(0, CountedException::s_live);

    // A plain rethrow in the block keeps the exception alive too.
    try {
        TRY {
            throw new CountedException;
        }
        CATCH(CUserException, e) {
            throw;
        }
        END_CATCH
    } catch (CUserException* e) {
        EXPECT_EQ(1, CountedException::s_live);
        e->Delete();
    }
    EXPECT_EQ(0, CountedException::s_live);
}

TEST(Exceptions, ReportErrorShowsTheMessageInABox)
{
    kvtest::MessageBoxWatcher boxes;
    CFileException e(CFileException::accessDenied, 5, "C:\\db\\parts.mdb");
    EXPECT_EQ(IDOK, e.ReportError(MB_OK | MB_ICONEXCLAMATION));
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ("Access to C:\\db\\parts.mdb was denied.", boxes.Texts()[0]);
    EXPECT_EQ("Kelvaron", boxes.Captions()[0]);
}

TEST(Diagnostics, ValidAddressChecksCommittedAccessibleMemory)
{
    int local = 0;
    EXPECT_TRUE(AfxIsValidAddress(&local, sizeof(local)));
    EXPECT_FALSE(AfxIsValidAddress(nullptr, 1));
    EXPECT_TRUE(AfxIsValidString("text"));
    EXPECT_FALSE(AfxIsValidString(nullptr));

    SYSTEM_INFO si;
    ::GetSystemInfo(&si);
    const SIZE_T page = si.dwPageSize;
    // Three pages: read-only, read-write, then reserved only.
    BYTE* base = static_cast<BYTE*>(::VirtualAlloc(nullptr, 3 * page, MEM_RESERVE, PAGE_NOACCESS));
    ASSERT_NE(nullptr, base);
    ASSERT_NE(nullptr, ::VirtualAlloc(base, 2 * page, MEM_COMMIT, PAGE_READWRITE));
    DWORD old;
    ASSERT_TRUE(::VirtualProtect(base, page, PAGE_READONLY, &old));
    struct Case { SIZE_T offset; SIZE_T size; BOOL write; bool expected; };
    const Case cases[] = {
        {0, page, FALSE, true},
        {0, page, TRUE, false},          // read-only page
        {page, page, TRUE, true},
        {0, 2 * page, FALSE, true},      // spans two committed pages
        {page, page + 1, FALSE, false},  // runs into the reserved page
        {2 * page, 1, FALSE, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, AfxIsValidAddress(base + c.offset, c.size, c.write) != FALSE)
            << c.offset << "+" << c.size << (c.write ? " rw" : " r");
    // A text that runs to the end of readable memory without a terminator.
    std::memset(base + page, 'x', page);
    EXPECT_FALSE(AfxIsValidString((const char*)base + page));
    base[2 * page - 1] = '\0';
    EXPECT_TRUE(AfxIsValidString((const char*)base + page));
    ::VirtualFree(base, 0, MEM_RELEASE);
}

} // namespace
