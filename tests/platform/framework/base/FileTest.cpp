// Files and archives: binary and text round trips with non-ASCII names and
// texts, failures reported as the right exceptions, and object graphs.
#include "FrameworkTestHelpers.h"
#include "tests/support/TestSupport.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using fwtest::CauseOf;
using fwtest::Throws;

const char* const kNonAscii = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xE6\xB0\xB4"; // "Grüße € 水"

std::string ReadAll(const std::string& path)
{
    CFile f(path.c_str(), CFile::modeRead | CFile::shareDenyNone);
    std::string bytes((size_t)f.GetLength(), '\0');
    if (!bytes.empty()) {
        EXPECT_EQ(bytes.size(), f.Read(bytes.data(), (UINT)bytes.size()));
    }
    return bytes;
}

TEST(File, BinaryRoundTripUnderANonAsciiName)
{
    const std::string path = kvtest::ScratchDir("file_binary") + "\\" + kNonAscii + ".bin";
    std::string data;
    for (int i = 0; i < 70000; ++i)
        data += (char)(i * 31);
    {
        CFile f;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        f.Write(data.data(), (UINT)data.size());
        EXPECT_EQ(data.size(), f.GetLength());
        EXPECT_EQ(std::string(kNonAscii) + ".bin", std::string(f.GetFileName()));
        EXPECT_STREQ(kNonAscii, f.GetFileTitle());
        f.Close();
    }
    EXPECT_EQ(data, ReadAll(path));

    CFile f(path.c_str(), CFile::modeReadWrite);
    EXPECT_EQ(100u, f.Seek(100, CFile::begin));
    char four[4];
    EXPECT_EQ(4u, f.Read(four, 4));
    EXPECT_EQ(data.substr(100, 4), std::string(four, 4));
    EXPECT_EQ(data.size() - 10, f.Seek(-10, CFile::end));
    EXPECT_EQ(4u, f.Read(four, 4));
    f.SetLength(50);
    EXPECT_EQ(50u, f.GetLength());
    EXPECT_EQ(0u, f.Read(four, 4));
}

TEST(File, OpenFailuresGiveTheirCauses)
{
    const std::string dir = kvtest::ScratchDir("file_errors");
    const std::string missing = dir + "\\missing.txt";
    CFileException error;
    CFile f;
    EXPECT_FALSE(f.Open(missing.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_NE(-1, error.m_lOsError);
    EXPECT_NE(-1, error.m_strFileName.Find("missing.txt"));
    char text[512];
    ASSERT_TRUE(error.GetErrorMessage(text, sizeof(text)));
    EXPECT_NE(nullptr, std::strstr(text, "missing.txt")) << text;

    EXPECT_EQ(CFileException::fileNotFound,
              CauseOf<CFileException>([&] { CFile g(missing.c_str(), CFile::modeRead); }));
    EXPECT_EQ(CFileException::badPath,
              CauseOf<CFileException>([&] { CFile g((dir + "\\no\\such\\dir\\x").c_str(), CFile::modeCreate | CFile::modeWrite); }));

    // A file held with share-deny-write refuses a second writer but not a reader.
    const std::string held = dir + "\\held.txt";
    CFile writer(held.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);
    CFile second;
    EXPECT_FALSE(second.Open(held.c_str(), CFile::modeWrite | CFile::shareDenyNone, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
    EXPECT_TRUE(second.Open(held.c_str(), CFile::modeRead | CFile::shareDenyNone));

    EXPECT_EQ(CFileException::fileNotFound, CauseOf<CFileException>([&] { CFile::Remove(missing.c_str()); }));
    const std::string renamed = dir + "\\renamed.txt";
    second.Close();
    writer.Close();
    CFile::Rename(held.c_str(), renamed.c_str());
    CFile check;
    EXPECT_TRUE(check.Open(renamed.c_str(), CFile::modeRead));
}

TEST(StdioFile, TextModeWritesCrLfAndReadsLinesBack)
{
    const std::string path = kvtest::ScratchDir("stdio") + "\\report \xC3\xA9.txt";
    const std::string longLine(3000, 'L');
    {
        CStdioFile f;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite |
                                             CFile::typeText));
        f.WriteString("first\n");
        f.WriteString(kNonAscii);
        f.WriteString("\n\n");
        f.WriteString(longLine.c_str());
        f.WriteString("\nlast without end");
        f.Close();
    }
    EXPECT_EQ("first\r\n" + std::string(kNonAscii) + "\r\n\r\n" + longLine + "\r\nlast without end",
              ReadAll(path));

    CStdioFile f(path.c_str(), CFile::modeRead | CFile::shareDenyNone | CFile::typeText);
    std::vector<std::string> lines;
    CString line;
    while (f.ReadString(line))
        lines.push_back(std::string(line));
    EXPECT_EQ((std::vector<std::string>{"first", kNonAscii, "", longLine, "last without end"}), lines);
    EXPECT_FALSE(f.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());

    // A binary stream sees the CR LF; ReadString still gives the bare line.
    CStdioFile binary(path.c_str(), CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary);
    char buffer[16];
    ASSERT_NE(nullptr, binary.ReadString(buffer, sizeof(buffer)));
    EXPECT_STREQ("first\r\n", buffer);
    ASSERT_TRUE(binary.ReadString(line));
    EXPECT_STREQ(kNonAscii, line);
}

TEST(MemFile, GrowsSeeksAndDetaches)
{
    CMemFile mem(16);
    const std::string text(100, 'm');
    mem.Write(text.data(), (UINT)text.size());
    EXPECT_EQ(100u, mem.GetLength());
    mem.Seek(200, CFile::begin);
    mem.Write("e", 1);
    EXPECT_EQ(201u, mem.GetLength());
    mem.SeekToBegin();
    std::string back(201, '?');
    EXPECT_EQ(201u, mem.Read(back.data(), 300));
    EXPECT_EQ(text, back.substr(0, 100));
    EXPECT_EQ(std::string(100, '\0'), back.substr(100, 100));
    EXPECT_TRUE(Throws<CFileException>([&] { mem.Seek(-1, CFile::begin); }));

    BYTE fixed[4] = {1, 2, 3, 4};
    CMemFile reader(fixed, sizeof(fixed));
    BYTE got[8] = {};
    EXPECT_EQ(4u, reader.Read(got, sizeof(got)));
    EXPECT_EQ(3, got[2]);
    reader.SeekToBegin();
    EXPECT_TRUE(Throws<CMemoryException>([&] { reader.Write(got, 8); })); // a fixed buffer cannot grow
    EXPECT_EQ(fixed, reader.Detach());
}

// ---- archives ----------------------------------------------------------------

} // namespace

namespace filetest {

class Part : public CObject
{
    DECLARE_SERIAL(Part)
public:
    CString m_strName;
    Part* m_pLinked = nullptr;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_strName << m_pLinked;
        else
            ar >> m_strName >> m_pLinked;
    }
};
IMPLEMENT_SERIAL(Part, CObject, 2)

class Assembly : public Part
{
    DECLARE_SERIAL(Assembly)
public:
    CObArray m_parts;
    void Serialize(CArchive& ar) override
    {
        Part::Serialize(ar);
        m_parts.Serialize(ar);
    }
};
IMPLEMENT_SERIAL(Assembly, Part, 1)

// Same name as a stored class would have, other schema.
class Versioned : public CObject
{
    DECLARE_SERIAL(Versioned)
public:
    UINT m_nLoadedSchema = 0;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsLoading())
            m_nLoadedSchema = ar.GetObjectSchema();
    }
};
IMPLEMENT_SERIAL(Versioned, CObject, VERSIONABLE_SCHEMA | 3)

namespace {

TEST(Archive, ValuesAndTextsRoundTripThroughAFile)
{
    const std::string path = kvtest::ScratchDir("archive_values") + "\\" + kNonAscii + ".dat";
    std::vector<CString> texts = {"", kNonAscii};
    for (int n : {254, 255, 256, 65533, 65534, 65535, 70000})
        texts.push_back(CString(std::string((size_t)n, 'a' + n % 26)));
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store);
        ar << (BYTE)0xAB << (WORD)0xBEEF << (LONG)-5 << (DWORD)0xDEADBEEF << 1.5f << -2.25 << (LONGLONG)-1
           << 7 << true << CPoint(3, -4) << CSize(5, 6) << CRect(1, 2, 3, 4);
        for (const CString& s : texts)
            ar << s;
        ar.WriteCount(3);
        ar.WriteCount(0xFFFF);
        ar.WriteCount(0x12345678);
        ar.Close();
    }
    CFile f(path.c_str(), CFile::modeRead);
    CArchive ar(&f, CArchive::load);
    BYTE by; WORD w; LONG l; DWORD dw; float fl; double d; LONGLONG ll; int i; bool b;
    CPoint pt; CSize sz; CRect rc;
    ar >> by >> w >> l >> dw >> fl >> d >> ll >> i >> b >> pt >> sz >> rc;
    EXPECT_EQ(0xAB, by);
    EXPECT_EQ(0xBEEF, w);
    EXPECT_EQ(-5, l);
    EXPECT_EQ(0xDEADBEEFu, dw);
    EXPECT_EQ(1.5f, fl);
    EXPECT_EQ(-2.25, d);
    EXPECT_EQ(-1, ll);
    EXPECT_EQ(7, i);
    EXPECT_TRUE(b);
    EXPECT_EQ(CPoint(3, -4), pt);
    EXPECT_EQ(CSize(5, 6), sz);
    EXPECT_EQ(CRect(1, 2, 3, 4), rc);
    for (const CString& expected : texts) {
        CString s;
        ar >> s;
        EXPECT_EQ(expected.GetLength(), s.GetLength());
        EXPECT_TRUE(expected == s);
    }
    EXPECT_EQ(3u, ar.ReadCount());
    EXPECT_EQ(0xFFFFu, ar.ReadCount());
    EXPECT_EQ(0x12345678u, ar.ReadCount());
    EXPECT_EQ(CArchiveException::endOfFile, CauseOf<CArchiveException>([&] { ar >> dw; }));
}

TEST(Archive, StoredTextLayoutIsLengthPrefixed)
{
    CMemFile mem;
    {
        CArchive ar(&mem, CArchive::store);
        ar << CString("ab") << CString(std::string(300, 'x'));
    }
    std::vector<BYTE> bytes((size_t)mem.GetLength());
    mem.SeekToBegin();
    mem.Read(bytes.data(), (UINT)bytes.size());
    ASSERT_EQ(3u + 3u + 300u, bytes.size());
    EXPECT_EQ((std::vector<BYTE>{2, 'a', 'b', 0xFF, 300 & 0xFF, 300 >> 8}),
              std::vector<BYTE>(bytes.begin(), bytes.begin() + 6));

    // A text stored as UTF-16 reads back as UTF-8.
    const BYTE wide[] = {0xFF, 0xFE, 0xFF, 2, 'h', 0, 0xFC, 0};
    CMemFile in(const_cast<BYTE*>(wide), sizeof(wide));
    CArchive ar(&in, CArchive::load);
    CString s;
    ar >> s;
    EXPECT_STREQ("h\xC3\xBC", s);
}

TEST(Archive, ObjectGraphsKeepSharedReferences)
{
    CMemFile mem;
    {
        Part bolt, nut;
        bolt.m_strName = kNonAscii;
        nut.m_strName = "nut";
        nut.m_pLinked = &bolt;
        bolt.m_pLinked = &nut; // a cycle
        Assembly kit;
        kit.m_strName = "kit";
        kit.m_parts.Add(&bolt);
        kit.m_parts.Add(&nut);
        kit.m_parts.Add(&bolt);
        kit.m_parts.Add(nullptr);
        CArchive ar(&mem, CArchive::store);
        ar << &kit << &kit << &nut;
    }
    mem.SeekToBegin();
    CArchive ar(&mem, CArchive::load);
    Assembly* pKit = nullptr;
    Assembly* pSameKit = nullptr;
    CObject* pNut = nullptr;
    ar >> pKit >> pSameKit >> pNut;
    ASSERT_NE(nullptr, pKit);
    std::unique_ptr<Assembly> owner(pKit);
    EXPECT_EQ(pKit, pSameKit);
    EXPECT_STREQ("kit", pKit->m_strName);
    ASSERT_EQ(4, pKit->m_parts.GetSize());
    Part* pBolt = DYNAMIC_DOWNCAST(Part, pKit->m_parts[0]);
    ASSERT_NE(nullptr, pBolt);
    EXPECT_STREQ(kNonAscii, pBolt->m_strName);
    EXPECT_EQ(pBolt, pKit->m_parts[2]);
    EXPECT_EQ(nullptr, pKit->m_parts[3]);
    EXPECT_EQ(pNut, pKit->m_parts[1]);
    EXPECT_EQ(pBolt, static_cast<Part*>(pNut)->m_pLinked);
    EXPECT_EQ(pNut, pBolt->m_pLinked);
    delete pBolt;
    delete pNut;
}

// Writes a class record for "Versioned" or "Part" with the given schema and
// an empty object body.
CMemFile* ArchiveWithClass(const char* name, WORD schema)
{
    auto* mem = new CMemFile;
    CArchive ar(mem, CArchive::store);
    ar << (WORD)0xFFFF << schema << (WORD)std::strlen(name);
    ar.Write(name, (UINT)std::strlen(name));
    ar << CString("body") << (WORD)0; // Part's fields: name and a null link
    ar.Close();
    mem->SeekToBegin();
    return mem;
}

TEST(Archive, ClassAndSchemaChecksOnLoad)
{
    struct Case { const char* name; WORD schema; const CRuntimeClass* asked; int cause; };
    const Case cases[] = {
        {"Part", 2, RUNTIME_CLASS(Part), CArchiveException::none},
        {"Part", 1, RUNTIME_CLASS(Part), CArchiveException::badSchema},
        {"Part", 2, RUNTIME_CLASS(Assembly), CArchiveException::badClass},
        {"Unknown", 2, nullptr, CArchiveException::badClass},
        {"Versioned", 1, RUNTIME_CLASS(Versioned), CArchiveException::none},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CMemFile> mem(ArchiveWithClass(c.name, c.schema));
        CArchive ar(mem.get(), CArchive::load);
        CObject* pOb = nullptr;
        const int cause = CauseOf<CArchiveException>([&] { pOb = ar.ReadObject(c.asked); });
        EXPECT_EQ(c.cause == CArchiveException::none ? -1 : c.cause, cause) << c.name << " " << c.schema;
        std::unique_ptr<CObject> owner(pOb);
        if (auto* pVersioned = DYNAMIC_DOWNCAST(Versioned, pOb)) {
            EXPECT_EQ(1u, pVersioned->m_nLoadedSchema);
        }
    }

    // A bad object reference and a truncated archive.
    CMemFile refs;
    {
        CArchive ar(&refs, CArchive::store);
        ar << (WORD)5;
    }
    refs.SeekToBegin();
    CArchive badRef(&refs, CArchive::load);
    EXPECT_EQ(CArchiveException::badIndex, CauseOf<CArchiveException>([&] { badRef.ReadObject(nullptr); }));

    std::unique_ptr<CMemFile> whole(ArchiveWithClass("Part", 2));
    std::vector<BYTE> bytes((size_t)whole->GetLength() - 3);
    whole->Read(bytes.data(), (UINT)bytes.size());
    CMemFile cut(bytes.data(), (UINT)bytes.size());
    CArchive truncated(&cut, CArchive::load);
    EXPECT_EQ(CArchiveException::endOfFile, CauseOf<CArchiveException>([&] { truncated.ReadObject(nullptr); }));

    // The direction is checked.
    CMemFile any;
    CArchive storing(&any, CArchive::store);
    DWORD dw = 0;
    EXPECT_EQ(CArchiveException::writeOnly, CauseOf<CArchiveException>([&] { storing >> dw; }));
    storing.Abort();
    CArchive loading(&any, CArchive::load);
    EXPECT_EQ(CArchiveException::readOnly, CauseOf<CArchiveException>([&] { loading << dw; }));
    // A class that cannot be created is refused when stored, not when read back.
    class Plain : public CObject {};
    Plain plain;
    CMemFile sink;
    CArchive writer(&sink, CArchive::store);
    EXPECT_EQ(CArchiveException::badClass, CauseOf<CArchiveException>([&] { writer << &plain; }));
    writer.Abort();
}

TEST(Archive, CollectionsSerialiseThemselves)
{
    CMemFile mem;
    {
        CStringArray names;
        names.Add("a");
        names.Add(kNonAscii);
        CByteArray bytes;
        for (int i = 0; i < 300; ++i)
            bytes.Add((BYTE)i);
        CMap<DWORD, DWORD, DWORD, DWORD> bits;
        bits[100] = 1;
        bits[200] = 2;
        CList<long, long> keys;
        keys.AddTail(-7);
        keys.AddTail(8);
        CMapStringToString texts;
        texts["k"] = kNonAscii;
        CArchive ar(&mem, CArchive::store);
        names.Serialize(ar);
        bytes.Serialize(ar);
        bits.Serialize(ar);
        keys.Serialize(ar);
        texts.Serialize(ar);
    }
    mem.SeekToBegin();
    CArchive ar(&mem, CArchive::load);
    CStringArray names;
    names.Add("old");
    names.Serialize(ar);
    ASSERT_EQ(2, names.GetSize());
    EXPECT_STREQ(kNonAscii, names[1]);
    CByteArray bytes;
    bytes.Serialize(ar);
    ASSERT_EQ(300, bytes.GetSize());
    EXPECT_EQ(299 & 0xFF, bytes[299]);
    CMap<DWORD, DWORD, DWORD, DWORD> bits;
    bits.Serialize(ar);
    DWORD v = 0;
    EXPECT_EQ(2, bits.GetCount());
    EXPECT_TRUE(bits.Lookup(200, v));
    EXPECT_EQ(2u, v);
    CList<long, long> keys;
    keys.Serialize(ar);
    EXPECT_EQ(-7, keys.GetHead());
    EXPECT_EQ(8, keys.GetTail());
    CMapStringToString texts;
    texts.Serialize(ar);
    CString text;
    EXPECT_TRUE(texts.Lookup("k", text));
    EXPECT_STREQ(kNonAscii, text);
}

TEST(Archive, ReadsTextLinesAndGivesBackReadAhead)
{
    CMemFile mem;
    mem.Write("one\r\ntwo\nthree", 14);
    mem.SeekToBegin();
    {
        CArchive ar(&mem, CArchive::load);
        CString line;
        ASSERT_TRUE(ar.ReadString(line));
        EXPECT_STREQ("one", line);
        ar.Flush(); // the file goes back to where the archive is
        EXPECT_EQ(5u, mem.GetPosition());
        ASSERT_TRUE(ar.ReadString(line));
        EXPECT_STREQ("two", line);
        ASSERT_TRUE(ar.ReadString(line));
        EXPECT_STREQ("three", line);
        EXPECT_FALSE(ar.ReadString(line));
    }
}

} // namespace
} // namespace filetest
