// Files (CFile, CMemFile, CStdioFile) and archives: value layout, strings, counts,
// class records with schemas, object back references and damaged input.
#include "platform/framework/Archive.h"
#include "platform/framework/File.h"

#include "tests/common/WineTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <functional>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// Builds expected archive bytes.
struct ByteWriter
{
    Bytes bytes;
    ByteWriter& Byte(BYTE b)
    {
        bytes.push_back(b);
        return *this;
    }
    ByteWriter& Word(WORD w) { return Byte(LOBYTE(w)).Byte(HIBYTE(w)); }
    ByteWriter& DWord(DWORD d) { return Word(LOWORD(d)).Word(HIWORD(d)); }
    ByteWriter& Ascii(const char* text)
    {
        bytes.insert(bytes.end(), text, text + std::strlen(text));
        return *this;
    }
    // A CString as stored: the UTF-16 tag, a one-byte length and the characters.
    ByteWriter& Text(const wchar_t* text)
    {
        size_t length = std::wcslen(text);
        Byte(0xFF).Word(0xFFFE).Byte(static_cast<BYTE>(length));
        for (size_t i = 0; i < length; ++i)
            Word(static_cast<WORD>(text[i]));
        return *this;
    }
    // A new class record.
    ByteWriter& NewClass(const char* name, WORD schema)
    {
        return Word(0xFFFF).Word(schema).Word(static_cast<WORD>(std::strlen(name))).Ascii(name);
    }
};

Bytes Store(const std::function<void(CArchive&)>& write, int bufferSize = 4096)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store, bufferSize);
        write(ar);
        ar.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void Load(const Bytes& bytes, const std::function<void(CArchive&)>& read, int bufferSize = 4096)
{
    Bytes copy = bytes;
    CMemFile file(copy.empty() ? nullptr : copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load, bufferSize);
    read(ar);
}

// The cause of the CArchiveException that the action raises, or -1.
int ArchiveErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (CArchiveException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

int LoadError(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    return ArchiveErrorOf([&] { Load(bytes, read); });
}

// A node of an object graph: owns its children, refers to any node through m_pLink.
class CArchivedNode : public CObject
{
    DECLARE_SERIAL(CArchivedNode)
public:
    CArchivedNode() { ++s_live; }
    CArchivedNode(LPCTSTR name, int value) : m_name(name), m_value(value) { ++s_live; }
    ~CArchivedNode() override
    {
        for (CArchivedNode* child : m_children)
            delete child;
        --s_live;
    }

    CArchivedNode* Add(CArchivedNode* child)
    {
        m_children.push_back(child);
        return child;
    }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_name << m_value;
            ar.WriteCount(m_children.size());
            for (CArchivedNode* child : m_children)
                ar << child;
            ar << m_pLink;
        } else {
            ar >> m_name >> m_value;
            DWORD_PTR count = ar.ReadCount();
            for (DWORD_PTR i = 0; i < count; ++i) {
                CArchivedNode* child = nullptr;
                ar >> child;
                m_children.push_back(child);
            }
            ar >> m_pLink;
        }
    }

    CString m_name;
    int m_value = 0;
    std::vector<CArchivedNode*> m_children;
    CArchivedNode* m_pLink = nullptr;
    static int s_live;
};

int CArchivedNode::s_live = 0;

// Schema 2 added the note; schema 1 data has only the number.
class CVersioned : public CObject
{
    DECLARE_SERIAL(CVersioned)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_number << m_note;
            return;
        }
        m_loadedSchema = ar.GetObjectSchema();
        m_secondSchemaQuery = ar.GetObjectSchema();
        ar >> m_number;
        if (m_loadedSchema >= 2)
            ar >> m_note;
    }

    int m_number = 0;
    CString m_note;
    UINT m_loadedSchema = 0;
    UINT m_secondSchemaQuery = 0;
};

// Reads only its own schema.
class CStrictItem : public CObject
{
    DECLARE_SERIAL(CStrictItem)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_value;
        else
            ar >> m_value;
    }
    int m_value = 0;
};

class CCreatableOnly : public CObject
{
    DECLARE_DYNCREATE(CCreatableOnly)
};

IMPLEMENT_SERIAL(CArchivedNode, CObject, 1)
IMPLEMENT_SERIAL(CVersioned, CObject, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_SERIAL(CStrictItem, CObject, 5)
IMPLEMENT_DYNCREATE(CCreatableOnly, CObject)

// root("root") with children a and b; a links back to the root, b to its sibling a.
// Every node is written first as a child, so a failed load never orphans one.
std::unique_ptr<CArchivedNode> MakeGraph()
{
    auto root = std::make_unique<CArchivedNode>(L"root", 1);
    CArchivedNode* a = root->Add(new CArchivedNode(L"a", 2));
    CArchivedNode* b = root->Add(new CArchivedNode(L"b\x00FC", 3));
    a->m_pLink = root.get();
    b->m_pLink = a;
    return root;
}

} // namespace

// ---------------------------------------------------------------------------
// Values

TEST(Archive, ValuesHaveTheirNaturalLittleEndianLayout)
{
    Bytes bytes = Store([](CArchive& ar) {
        ar << static_cast<BYTE>(0x12) << static_cast<WORD>(0x3456) << static_cast<LONG>(-2)
           << static_cast<DWORD>(0xDEADBEEF) << -3 << 7u << static_cast<short>(-4) << 'x' << L'\x03A9' << 1.5f << -2.25
           << static_cast<LONGLONG>(-5) << static_cast<ULONGLONG>(0x0123456789ABCDEFull) << true << false;
    });
    // Every byte is fixed, so that an archive written by either flavour (i686 or x86_64) is the
    // same and is read by the other; the load below reads these bytes.
    const Bytes expected = {
        0x12,                                           // BYTE
        0x56, 0x34,                                     // WORD
        0xFE, 0xFF, 0xFF, 0xFF,                         // LONG -2
        0xEF, 0xBE, 0xAD, 0xDE,                         // DWORD
        0xFD, 0xFF, 0xFF, 0xFF,                         // int -3
        0x07, 0x00, 0x00, 0x00,                         // UINT 7
        0xFC, 0xFF,                                     // short -4
        'x',                                            // char
        0xA9, 0x03,                                     // wchar_t
        0x00, 0x00, 0xC0, 0x3F,                         // float 1.5
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0xC0, // double -2.25
        0xFB, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, // LONGLONG -5
        0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01, // ULONGLONG
        0x01, 0x00,                                     // bool true, false
    };
    ASSERT_EQ(expected, bytes);

    Load(bytes, [](CArchive& ar) {
        BYTE by;
        WORD w;
        LONG l;
        DWORD dw;
        int i;
        UINT u;
        short s;
        char ch;
        wchar_t wch;
        float f;
        double d;
        LONGLONG ll;
        ULONGLONG ull;
        bool yes;
        bool no;
        ar >> by >> w >> l >> dw >> i >> u >> s >> ch >> wch >> f >> d >> ll >> ull >> yes >> no;
        EXPECT_EQ(0x12, by);
        EXPECT_EQ(0x3456, w);
        EXPECT_EQ(-2, l);
        EXPECT_EQ(0xDEADBEEFul, dw);
        EXPECT_EQ(-3, i);
        EXPECT_EQ(7u, u);
        EXPECT_EQ(-4, s);
        EXPECT_EQ('x', ch);
        EXPECT_EQ(L'\x03A9', wch);
        EXPECT_EQ(1.5f, f);
        EXPECT_EQ(-2.25, d);
        EXPECT_EQ(-5, ll);
        EXPECT_EQ(0x0123456789ABCDEFull, ull);
        EXPECT_TRUE(yes);
        EXPECT_FALSE(no);
        EXPECT_TRUE(ar.IsBufferEmpty());
    });
}

TEST(Archive, CountsUseAWordBelow0xFFFF)
{
    struct Case
    {
        DWORD_PTR count;
        Bytes bytes;
    } cases[] = {
        {0, {0x00, 0x00}},
        {0x1234, {0x34, 0x12}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x12345678, {0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.bytes, Store([&](CArchive& ar) { ar.WriteCount(c.count); })) << c.count;
        Load(c.bytes, [&](CArchive& ar) { EXPECT_EQ(c.count, ar.ReadCount()); });
    }
}

// The count field has no room for more than 32 bits in either flavour: a larger count is
// refused instead of being stored cut short.
TEST(Archive, CountsBeyond32BitsAreRefusedIn64BitBuilds)
{
    if (sizeof(DWORD_PTR) == sizeof(DWORD))
        GTEST_SKIP() << "a count cannot exceed 32 bits in the 32-bit flavour";
    const ULONGLONG tooLarge = 0x100000000ull;
    EXPECT_EQ(CArchiveException::genericException,
              ArchiveErrorOf([&] { Store([&](CArchive& ar) { ar.WriteCount(static_cast<DWORD_PTR>(tooLarge)); }); }));
    Bytes largest = Store([](CArchive& ar) { ar.WriteCount(0xFFFFFFFFu); });
    EXPECT_EQ((Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), largest);
}

TEST(Archive, StringsCarryTheUnicodeTagAndAGrowingLengthPrefix)
{
    struct Case
    {
        int length;
        Bytes prefix;
    } cases[] = {
        {0, {0xFF, 0xFE, 0xFF, 0x00}},
        {3, {0xFF, 0xFE, 0xFF, 0x03}},
        {254, {0xFF, 0xFE, 0xFF, 0xFE}},
        {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0x10001, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        CString text;
        for (int i = 0; i < c.length; ++i)
            text.AppendChar(static_cast<wchar_t>(L'a' + i % 26 + (i % 7 == 0 ? 0x100 : 0)));
        Bytes bytes = Store([&](CArchive& ar) { ar << text; });
        ASSERT_EQ(c.prefix.size() + 2 * c.length, bytes.size()) << c.length;
        EXPECT_EQ(c.prefix, Bytes(bytes.begin(), bytes.begin() + c.prefix.size())) << c.length;
        CString loaded(L"old");
        Load(bytes, [&](CArchive& ar) { ar >> loaded; });
        EXPECT_TRUE(loaded == text) << c.length;
    }
}

TEST(Archive, EightBitStringsAndBothFormsLoadIntoEitherString)
{
    CStringA narrow("abc");
    Bytes narrowBytes = Store([&](CArchive& ar) { ar << narrow; });
    EXPECT_EQ((Bytes{0x03, 'a', 'b', 'c'}), narrowBytes);

    CString wide;
    Load(narrowBytes, [&](CArchive& ar) { ar >> wide; });
    EXPECT_EQ(CString(L"abc"), wide);

    CStringA back;
    Load(Store([](CArchive& ar) { ar << CString(L"xyz"); }), [&](CArchive& ar) { ar >> back; });
    EXPECT_EQ(CStringA("xyz"), back);

    // The tag twice is not a string.
    Bytes twice = ByteWriter().Byte(0xFF).Word(0xFFFE).Byte(0xFF).Word(0xFFFE).Byte(0).bytes;
    EXPECT_EQ(CArchiveException::genericException, LoadError(twice, [](CArchive& ar) {
                  CString s;
                  ar >> s;
              }));
}

TEST(Archive, TextLinesAreRawCharacters)
{
    Bytes bytes = Store([](CArchive& ar) {
        ar.WriteString(L"first\r\n");
        ar.WriteString(L"second\n\nlast");
    });
    EXPECT_EQ(2 * wcslen(L"first\r\nsecond\n\nlast"), bytes.size());
    Load(bytes, [](CArchive& ar) {
        CString line;
        const wchar_t* expected[] = {L"first", L"second", L"", L"last"};
        for (const wchar_t* text : expected) {
            ASSERT_TRUE(ar.ReadString(line));
            EXPECT_EQ(CString(text), line);
        }
        EXPECT_FALSE(ar.ReadString(line));
    });
    Load(bytes, [](CArchive& ar) {
        TCHAR buffer[32];
        ASSERT_NE(nullptr, ar.ReadString(buffer, 32));
        EXPECT_STREQ(L"first\n", buffer);
        ASSERT_NE(nullptr, ar.ReadString(buffer, 4));
        EXPECT_STREQ(L"sec", buffer);
    });
}

TEST(Archive, DirectionIsEnforced)
{
    EXPECT_EQ(CArchiveException::writeOnly, ArchiveErrorOf([] {
                  Store([](CArchive& ar) {
                      int value;
                      ar >> value;
                  });
              }));
    EXPECT_EQ(CArchiveException::writeOnly,
              ArchiveErrorOf([] { Store([](CArchive& ar) { ar.ReadObject(nullptr); }); }));
    EXPECT_EQ(CArchiveException::readOnly, LoadError({1, 2, 3, 4}, [](CArchive& ar) { ar << 5; }));
    EXPECT_EQ(CArchiveException::readOnly,
              LoadError({1, 2, 3, 4}, [](CArchive& ar) { ar.WriteClass(RUNTIME_CLASS(CStrictItem)); }));
}

TEST(Archive, ReadingPastTheEndThrows)
{
    EXPECT_EQ(CArchiveException::endOfFile, LoadError({1, 2, 3}, [](CArchive& ar) {
                  DWORD value;
                  ar >> value;
              }));
    // A string whose length promises more than there is.
    Bytes shortString = ByteWriter().Byte(0xFF).Word(0xFFFE).Byte(10).Word(L'a').Word(L'b').bytes;
    EXPECT_EQ(CArchiveException::endOfFile, LoadError(shortString, [](CArchive& ar) {
                  CString s;
                  ar >> s;
              }));
    // Read itself reports a short count instead of throwing.
    Load({1, 2, 3}, [](CArchive& ar) {
        BYTE buffer[8];
        EXPECT_EQ(3u, ar.Read(buffer, 8));
        EXPECT_EQ(0u, ar.Read(buffer, 8));
    });
}

// ---------------------------------------------------------------------------
// Classes and objects

TEST(Archive, ClassRecordsAndBackReferencesHaveTheWellKnownLayout)
{
    CStrictItem a;
    CStrictItem b;
    a.m_value = 0x11;
    b.m_value = 0x22;
    Bytes bytes = Store([&](CArchive& ar) { ar << &a << &b << &a << static_cast<CObject*>(nullptr); });

    // Index 1 is the class, 2 the object a, 3 the object b.
    Bytes expected = ByteWriter().NewClass("CStrictItem", 5).DWord(0x11).Word(0x8001).DWord(0x22).Word(2).Word(0).bytes;
    EXPECT_EQ(expected, bytes);

    Load(bytes, [](CArchive& ar) {
        CObject* first = nullptr;
        CObject* second = nullptr;
        CObject* again = nullptr;
        CObject* none = reinterpret_cast<CObject*>(1);
        ar >> first >> second >> again >> none;
        std::unique_ptr<CObject> ownFirst(first);
        std::unique_ptr<CObject> ownSecond(second);
        ASSERT_NE(nullptr, first);
        ASSERT_NE(nullptr, second);
        EXPECT_EQ(0x11, static_cast<CStrictItem*>(first)->m_value);
        EXPECT_EQ(0x22, static_cast<CStrictItem*>(second)->m_value);
        EXPECT_EQ(first, again);
        EXPECT_EQ(nullptr, none);
    });
}

TEST(Archive, ObjectGraphsKeepSharedAndCyclicReferences)
{
    std::unique_ptr<CArchivedNode> original = MakeGraph();
    Bytes bytes = Store([&](CArchive& ar) { ar << original.get(); });
    // Pointers travel as numbered references: 1 is the class, 2 the root, 3 a, 4 b. The bytes
    // are the same in both flavours, whatever the size of a pointer.
    Bytes expected = ByteWriter()
                         .NewClass("CArchivedNode", 1)
                         .Text(L"root")
                         .DWord(1)
                         .Word(2)
                         .Word(0x8001)
                         .Text(L"a")
                         .DWord(2)
                         .Word(0)
                         .Word(2)
                         .Word(0x8001)
                         .Text(L"b\x00FC")
                         .DWord(3)
                         .Word(0)
                         .Word(3)
                         .Word(0)
                         .bytes;
    EXPECT_EQ(expected, bytes);

    int liveBefore = CArchivedNode::s_live;
    Load(bytes, [](CArchive& ar) {
        CArchivedNode* raw = nullptr;
        ar >> raw;
        std::unique_ptr<CArchivedNode> root(raw);
        ASSERT_NE(nullptr, root);
        EXPECT_EQ(CString(L"root"), root->m_name);
        ASSERT_EQ(2u, root->m_children.size());
        CArchivedNode* a = root->m_children[0];
        CArchivedNode* b = root->m_children[1];
        EXPECT_EQ(CString(L"a"), a->m_name);
        EXPECT_EQ(CString(L"b\x00FC"), b->m_name);
        EXPECT_EQ(3, b->m_value);
        EXPECT_EQ(root.get(), a->m_pLink);
        EXPECT_EQ(a, b->m_pLink);
        EXPECT_EQ(nullptr, root->m_pLink);
    });
    EXPECT_EQ(liveBefore, CArchivedNode::s_live);
}

TEST(Archive, EveryTruncationOfAGraphThrowsAndLeavesNothingBehind)
{
    std::unique_ptr<CArchivedNode> original = MakeGraph();
    Bytes bytes = Store([&](CArchive& ar) { ar << original.get(); });
    int liveBefore = CArchivedNode::s_live;
    for (size_t length = 0; length < bytes.size(); ++length) {
        Bytes cut(bytes.begin(), bytes.begin() + length);
        EXPECT_EQ(CArchiveException::endOfFile, LoadError(cut,
                                                          [](CArchive& ar) {
                                                              CArchivedNode* root = nullptr;
                                                              ar >> root;
                                                              delete root;
                                                          }))
            << length;
        EXPECT_EQ(liveBefore, CArchivedNode::s_live) << length;
    }
}

TEST(Archive, VersionableClassesReadOlderSchemas)
{
    // Written by a version of the program whose class had schema 1.
    Bytes schema1 = ByteWriter().NewClass("CVersioned", 1).DWord(42).bytes;
    Load(schema1, [](CArchive& ar) {
        std::unique_ptr<CObject> object(ar.ReadObject(RUNTIME_CLASS(CVersioned)));
        auto* versioned = static_cast<CVersioned*>(object.get());
        ASSERT_NE(nullptr, versioned);
        EXPECT_EQ(1u, versioned->m_loadedSchema);
        EXPECT_EQ(static_cast<UINT>(-1), versioned->m_secondSchemaQuery);
        EXPECT_EQ(42, versioned->m_number);
        EXPECT_TRUE(versioned->m_note.IsEmpty());
        EXPECT_TRUE(ar.IsBufferEmpty());
    });

    // The current schema is written without the versionable flag.
    CVersioned current;
    current.m_number = 7;
    current.m_note = L"note";
    Bytes bytes = Store([&](CArchive& ar) { ar << &current; });
    Bytes head = ByteWriter().NewClass("CVersioned", 2).bytes;
    EXPECT_EQ(head, Bytes(bytes.begin(), bytes.begin() + head.size()));
    Load(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> object(ar.ReadObject(nullptr));
        auto* versioned = static_cast<CVersioned*>(object.get());
        EXPECT_EQ(2u, versioned->m_loadedSchema);
        EXPECT_EQ(7, versioned->m_number);
        EXPECT_EQ(CString(L"note"), versioned->m_note);
    });
}

TEST(Archive, ClassReferencesReportTheStoredSchema)
{
    Bytes bytes = Store([](CArchive& ar) {
        ar.WriteClass(RUNTIME_CLASS(CVersioned));
        ar.WriteClass(RUNTIME_CLASS(CStrictItem));
        ar.WriteClass(RUNTIME_CLASS(CVersioned));
    });
    EXPECT_EQ(ByteWriter().NewClass("CVersioned", 2).NewClass("CStrictItem", 5).Word(0x8001).bytes, bytes);

    Bytes old = ByteWriter().NewClass("CVersioned", 1).Word(0x8001).bytes;
    Load(old, [](CArchive& ar) {
        UINT schema = 0;
        EXPECT_EQ(RUNTIME_CLASS(CVersioned), ar.ReadClass(RUNTIME_CLASS(CObject), &schema));
        EXPECT_EQ(1u, schema);
        // Without a schema pointer the number goes to the object schema.
        EXPECT_EQ(RUNTIME_CLASS(CVersioned), ar.ReadClass());
        EXPECT_EQ(1u, ar.GetObjectSchema());
    });
}

TEST(Archive, DamagedClassAndObjectReferencesAreRejected)
{
    auto readObject = [](CArchive& ar) { delete ar.ReadObject(nullptr); };
    auto readVersioned = [](CArchive& ar) { delete ar.ReadObject(RUNTIME_CLASS(CVersioned)); };
    auto readClass = [](CArchive& ar) { ar.ReadClass(); };
    struct Case
    {
        const char* what;
        Bytes bytes;
        std::function<void(CArchive&)> read;
        int cause;
    } cases[] = {
        {"unknown class name", ByteWriter().NewClass("CNoSuchThing", 1).DWord(0).bytes, readObject,
         CArchiveException::badClass},
        {"name differs in case", ByteWriter().NewClass("cstrictitem", 5).DWord(0).bytes, readObject,
         CArchiveException::badClass},
        {"other schema of a strict class", ByteWriter().NewClass("CStrictItem", 4).DWord(0).bytes, readObject,
         CArchiveException::badSchema},
        {"not the requested class", ByteWriter().NewClass("CStrictItem", 5).DWord(0).bytes, readVersioned,
         CArchiveException::badClass},
        {"creatable but not serialisable", ByteWriter().NewClass("CCreatableOnly", 0xFFFF).bytes, readObject,
         CArchiveException::badClass},
        {"object reference before any object", ByteWriter().Word(5).bytes, readObject, CArchiveException::badIndex},
        {"class reference before any class", ByteWriter().Word(0x8001).bytes, readObject, CArchiveException::badIndex},
        {"object reference to a class", ByteWriter().NewClass("CStrictItem", 5).DWord(0).Word(1).bytes,
         [](CArchive& ar) {
             delete ar.ReadObject(nullptr);
             ar.ReadObject(nullptr);
         },
         CArchiveException::badIndex},
        {"object where a class is expected", ByteWriter().Word(0).bytes, readClass, CArchiveException::badIndex},
        {"big class reference out of range", ByteWriter().Word(0x7FFF).DWord(0x80000009).bytes, readObject,
         CArchiveException::badIndex},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.cause, LoadError(c.bytes, c.read)) << c.what;

    // A class without a schema can be created but neither written nor read back.
    CCreatableOnly creatable;
    bool refused = false;
    try {
        Store([&](CArchive& ar) { ar << &creatable; });
    } catch (CNotSupportedException* e) {
        refused = true;
        e->Delete();
    }
    EXPECT_TRUE(refused);
}

TEST(Archive, BackReferencesBeyond0x7FFEUseTheBigTag)
{
    // Fill the numbering with 0x7FFE mapped objects so the class gets index 0x7FFF.
    const DWORD filler = 0x7FFE;
    std::vector<std::unique_ptr<CStrictItem>> mapped(filler);
    for (auto& item : mapped)
        item = std::make_unique<CStrictItem>();
    CStrictItem first;
    CStrictItem second;
    first.m_value = 1;
    second.m_value = 2;

    Bytes bytes = Store([&](CArchive& ar) {
        for (auto& item : mapped)
            ar.MapObject(item.get());
        ar << &first << &first << &second;
    });
    Bytes expected = ByteWriter()
                         .NewClass("CStrictItem", 5)
                         .DWord(1) // class 0x7FFF, object 0x8000
                         .Word(0x7FFF)
                         .DWord(0x8000) // first again
                         .Word(0x7FFF)
                         .DWord(0x80007FFF)
                         .DWord(2) // class again, then second
                         .bytes;
    EXPECT_EQ(expected, bytes);

    Load(bytes, [&](CArchive& ar) {
        for (auto& item : mapped)
            ar.MapObject(item.get());
        CObject* a = nullptr;
        CObject* again = nullptr;
        CObject* b = nullptr;
        ar >> a >> again >> b;
        std::unique_ptr<CObject> ownA(a);
        std::unique_ptr<CObject> ownB(b);
        EXPECT_EQ(a, again);
        ASSERT_NE(nullptr, b);
        EXPECT_NE(a, b);
        EXPECT_EQ(2, static_cast<CStrictItem*>(b)->m_value);
    });
}

TEST(Archive, MappedObjectsCanBeReferencedLater)
{
    CStrictItem outside;
    Bytes bytes = Store([&](CArchive& ar) {
        ar.MapObject(&outside);
        ar << &outside;
    });
    EXPECT_EQ((Bytes{0x01, 0x00}), bytes);
    CStrictItem loadedOutside;
    Load(bytes, [&](CArchive& ar) {
        ar.MapObject(&loadedOutside);
        CObject* object = nullptr;
        ar >> object;
        EXPECT_EQ(&loadedOutside, object);
    });
}

// ---------------------------------------------------------------------------
// Buffering, flushing and closing

TEST(Archive, FlushWhileLoadingReturnsTheFileToTheLogicalPosition)
{
    Bytes bytes = Store([](CArchive& ar) { ar << 1 << 2 << 3; });
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    int value = 0;
    ar >> value;
    EXPECT_EQ(12u, file.GetPosition()); // the buffer read everything
    ar.Flush();
    EXPECT_EQ(4u, file.GetPosition());
    ar >> value;
    EXPECT_EQ(2, value);
    ar.Close();
    EXPECT_EQ(8u, file.GetPosition());
    EXPECT_EQ(nullptr, ar.GetFile());
}

TEST(Archive, PeekShowsTheNextBytesWithoutConsumingThem)
{
    // With the smallest buffer (16 bytes), the peeked word straddles a refill.
    Bytes bytes = Store([](CArchive& ar) {
        for (BYTE i = 0; i < 14; ++i)
            ar << i;
        ar << static_cast<DWORD>(0x0FF0ADBF) << static_cast<BYTE>(0x77);
    });
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load, 16);
    BYTE skipped[14];
    ASSERT_EQ(14u, ar.Read(skipped, sizeof(skipped)));
    DWORD peeked = 0;
    EXPECT_EQ(4u, ar.Peek(&peeked, sizeof(peeked)));
    EXPECT_EQ(0x0FF0ADBFu, peeked);
    EXPECT_EQ(4u, ar.Peek(&peeked, sizeof(peeked))); // twice: still there
    DWORD read = 0;
    ar >> read;
    EXPECT_EQ(0x0FF0ADBFu, read);
    DWORD tail = 0;
    EXPECT_EQ(1u, ar.Peek(&tail, sizeof(tail))); // the end gives fewer
    EXPECT_EQ(0x77u, tail);
    BYTE last = 0;
    ar >> last;
    EXPECT_EQ(0u, ar.Peek(&tail, sizeof(tail)));

    CMemFile out;
    CArchive storing(&out, CArchive::store);
    EXPECT_EQ(CArchiveException::writeOnly, ArchiveErrorOf([&] { storing.Peek(&tail, 1); }));
}

TEST(Archive, StoringIsBufferedUntilFlushCloseOrDestruction)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << static_cast<WORD>(1);
        EXPECT_EQ(0u, file.GetLength());
        ar.Flush();
        EXPECT_EQ(2u, file.GetLength());
        ar << static_cast<WORD>(2);
    }
    EXPECT_EQ(4u, file.GetLength());
    {
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        ar << static_cast<WORD>(3);
    }
    EXPECT_EQ(4u, file.GetLength());

    CArchive closed(&file, CArchive::store);
    closed.Close();
    EXPECT_EQ(CArchiveException::genericException, ArchiveErrorOf([&] { closed << 1; }));
}

TEST(Archive, DiskFilesRoundTripThroughAnyBufferSize)
{
    testsupport::TempFolder folder;
    std::wstring path = folder.File(L"archive.bin");
    Bytes blob(40000);
    for (size_t i = 0; i < blob.size(); ++i)
        blob[i] = static_cast<BYTE>(i * 7);
    auto write = [&](CArchive& ar) {
        for (int i = 0; i < 3000; ++i)
            ar << i;
        for (int i = 0; i < 300; ++i)
            ar << CString(L'x', i);
        ar.WriteCount(blob.size());
        ar.Write(blob.data(), static_cast<UINT>(blob.size()));
        ar << 0x7E57;
    };
    Bytes reference = Store(write);

    for (int bufferSize : {16, 100, 4096}) {
        {
            CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
            CArchive ar(&file, CArchive::store, bufferSize);
            write(ar);
            ar.Close();
            EXPECT_EQ(reference.size(), file.GetLength()) << bufferSize;
        }
        CFile file(path.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load, bufferSize);
        for (int i = 0; i < 3000; ++i) {
            int value = -1;
            ar >> value;
            ASSERT_EQ(i, value) << bufferSize;
        }
        for (int i = 0; i < 300; ++i) {
            CString text;
            ar >> text;
            ASSERT_EQ(i, text.GetLength()) << bufferSize;
        }
        Bytes loaded(ar.ReadCount());
        ASSERT_EQ(blob.size(), loaded.size());
        EXPECT_EQ(loaded.size(), ar.Read(loaded.data(), static_cast<UINT>(loaded.size())));
        EXPECT_EQ(blob, loaded) << bufferSize;
        int tail = 0;
        ar >> tail;
        EXPECT_EQ(0x7E57, tail) << bufferSize;
    }
}

// ---------------------------------------------------------------------------
// CMemFile

TEST(MemFile, GrowsInStepsAndHandsOverItsBuffer)
{
    CMemFile file(1024);
    Bytes data(3000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<BYTE>(i);
    file.Write(data.data(), 1000);
    file.Write(data.data() + 1000, 2000);
    EXPECT_EQ(3000u, file.GetLength());
    EXPECT_EQ(3000u, file.GetPosition());

    file.SeekToBegin();
    Bytes back(3100, 0xCC);
    EXPECT_EQ(3000u, file.Read(back.data(), 3100));
    EXPECT_TRUE(std::equal(data.begin(), data.end(), back.begin()));
    EXPECT_EQ(0u, file.Read(back.data(), 10));

    BYTE* buffer = file.Detach();
    ASSERT_NE(nullptr, buffer);
    EXPECT_EQ(0, std::memcmp(buffer, data.data(), data.size()));
    std::free(buffer);
    EXPECT_EQ(0u, file.GetLength());
    // Still usable after handing the buffer over.
    file.Write("ab", 2);
    EXPECT_EQ(2u, file.GetLength());
}

TEST(MemFile, SeeksAnywhereAtOrAfterTheStart)
{
    CMemFile file(16);
    file.Write("0123456789", 10);
    EXPECT_EQ(7u, file.Seek(-3, CFile::end));
    EXPECT_EQ(9u, file.Seek(2, CFile::current));
    EXPECT_EQ(4u, file.Seek(4, CFile::begin));
    char ch = 0;
    file.Read(&ch, 1);
    EXPECT_EQ('4', ch);

    // A write after a seek past the end leaves zeros in the gap.
    EXPECT_EQ(14u, file.Seek(14, CFile::begin));
    file.Write("Z", 1);
    EXPECT_EQ(15u, file.GetLength());
    BYTE tail[5] = {};
    file.Seek(10, CFile::begin);
    EXPECT_EQ(5u, file.Read(tail, 5));
    EXPECT_EQ(0, std::memcmp(tail, "\0\0\0\0Z", 5));

    for (LONGLONG offset : {-1LL, -100LL}) {
        int cause = -1;
        try {
            file.Seek(offset, CFile::begin);
        } catch (CFileException* e) {
            cause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(CFileException::badSeek, cause) << offset;
    }
    EXPECT_EQ(15u, file.GetPosition()); // unchanged by the failed seeks
}

TEST(MemFile, SetLengthTruncatesAndExtendsWithZeros)
{
    CMemFile file;
    file.Write("abcdef", 6);
    file.SetLength(3);
    EXPECT_EQ(3u, file.GetLength());
    EXPECT_EQ(3u, file.GetPosition());
    file.SetLength(5);
    file.SeekToBegin();
    char text[5];
    EXPECT_EQ(5u, file.Read(text, 5));
    EXPECT_EQ(0, std::memcmp(text, "abc\0\0", 5));
}

TEST(MemFile, AttachedBuffersAreFixedOrOwned)
{
    BYTE fixed[4] = {'w', 'x', 'y', 'z'};
    CMemFile file(fixed, sizeof(fixed));
    EXPECT_EQ(4u, file.GetLength());
    file.Seek(1, CFile::begin);
    file.Write("XY", 2);
    EXPECT_EQ('X', fixed[1]);
    bool outOfMemory = false;
    try {
        file.Write("12", 2);
    } catch (CMemoryException* e) {
        outOfMemory = true;
        e->Delete();
    }
    EXPECT_TRUE(outOfMemory);
    EXPECT_EQ(fixed, file.Detach());

    // With a grow size the buffer is the file's own and it starts empty.
    auto* owned = static_cast<BYTE*>(std::malloc(8));
    file.Attach(owned, 8, 8);
    EXPECT_EQ(0u, file.GetLength());
    Bytes many(100, 0x5A);
    file.Write(many.data(), 100);
    EXPECT_EQ(100u, file.GetLength());
    file.Close();
    EXPECT_EQ(0u, file.GetLength());

    bool notSupported = false;
    try {
        file.Open(L"x", CFile::modeRead);
    } catch (CNotSupportedException* e) {
        notSupported = true;
        e->Delete();
    }
    EXPECT_TRUE(notSupported);
}

// ---------------------------------------------------------------------------
// CFile

TEST(File, ReadsWritesSeeksAndNamesItself)
{
    testsupport::TempFolder folder;
    std::wstring path = folder.File(L"Book Data.txt");
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite));
    EXPECT_EQ(CString(L"Book Data.txt"), file.GetFileName());
    EXPECT_EQ(CString(L"Book Data"), file.GetFileTitle());
    EXPECT_EQ(0, file.GetFilePath().CompareNoCase(path.c_str()));

    file.Write("hello world", 11);
    EXPECT_EQ(11u, file.GetLength());
    EXPECT_EQ(6u, file.Seek(-5, CFile::end));
    char word[6] = {};
    EXPECT_EQ(5u, file.Read(word, 5));
    EXPECT_STREQ("world", word);
    EXPECT_EQ(0u, file.Read(word, 5));
    file.SetLength(5);
    EXPECT_EQ(5u, file.GetLength());
    file.Close();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);

    // modeNoTruncate keeps the content.
    CFile again(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeRead);
    EXPECT_EQ(5u, again.GetLength());
}

TEST(File, ErrorsCarryTheirCause)
{
    testsupport::TempFolder folder;
    std::wstring existing = folder.File(L"locked.bin");
    CFile locked(existing.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);

    struct Case
    {
        const char* what;
        std::wstring path;
        UINT flags;
        int cause;
    } cases[] = {
        {"missing file", folder.File(L"missing.bin"), CFile::modeRead, CFileException::fileNotFound},
        {"missing folder", folder.File(L"no\\such\\folder.bin"), CFile::modeRead, CFileException::badPath},
        {"file in use", existing, CFile::modeRead, CFileException::sharingViolation},
        {"folder as file", folder.Path().substr(0, folder.Path().size() - 1), CFile::modeCreate | CFile::modeWrite,
         CFileException::accessDenied},
    };
    for (const Case& c : cases) {
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open(c.path.c_str(), c.flags, &error)) << c.what;
        EXPECT_EQ(c.cause, error.m_cause) << c.what;
        EXPECT_NE(0, error.m_lOsError) << c.what;
        EXPECT_EQ(CString(c.path.c_str()), error.m_strFileName) << c.what;

        int thrown = -1;
        try {
            CFile opened(c.path.c_str(), c.flags);
        } catch (CFileException* e) {
            thrown = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(c.cause, thrown) << c.what;
    }

    auto causeOf = [](const std::function<void()>& action) {
        try {
            action();
        } catch (CFileException* e) {
            int cause = e->m_cause;
            e->Delete();
            return cause;
        }
        return -1;
    };
    EXPECT_EQ(CFileException::badSeek, causeOf([&] { locked.Seek(-1, CFile::begin); }));
    char buffer[4];
    EXPECT_EQ(CFileException::accessDenied, causeOf([&] { locked.Read(buffer, 4); }));
    CFile closed;
    EXPECT_EQ(CFileException::invalidFile, causeOf([&] { closed.Write("x", 1); }));
    EXPECT_EQ(CFileException::fileNotFound, causeOf([&] { CFile::Remove(folder.File(L"gone").c_str()); }));
    EXPECT_EQ(CFileException::fileNotFound,
              causeOf([&] { CFile::Rename(folder.File(L"gone").c_str(), folder.File(L"new").c_str()); }));
}

TEST(File, RenameAndRemove)
{
    testsupport::TempFolder folder;
    std::wstring first = folder.File(L"one.txt");
    std::wstring second = folder.File(L"two.txt");
    {
        CFile file(first.c_str(), CFile::modeCreate | CFile::modeWrite);
    }
    CFile::Rename(first.c_str(), second.c_str());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(first.c_str()));
    CFile::Remove(second.c_str());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(second.c_str()));
}

// ---------------------------------------------------------------------------
// CStdioFile

TEST(StdioFile, TextModeWritesCrLfAndReadsLines)
{
    testsupport::TempFolder folder;
    std::wstring path = folder.File(L"lines.txt");
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString(L"first\n\nthird caf\x00E9\n");
        file.WriteString(L"last");
    }
    {
        CFile raw(path.c_str(), CFile::modeRead);
        char bytes[64] = {};
        UINT count = raw.Read(bytes, sizeof(bytes));
        EXPECT_EQ(std::string("first\r\n\r\nthird caf\xE9\r\nlast"), std::string(bytes, count));
    }
    CStdioFile file(path.c_str(), CFile::modeRead | CFile::typeText);
    CString line;
    const wchar_t* expected[] = {L"first", L"", L"third caf\x00E9", L"last"};
    for (const wchar_t* text : expected) {
        ASSERT_TRUE(file.ReadString(line));
        EXPECT_EQ(CString(text), line);
    }
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());

    // The position accounts for what was read ahead, and seeking restarts reading there.
    file.SeekToBegin();
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(7u, file.GetPosition());
    TCHAR buffer[16];
    ASSERT_NE(nullptr, file.ReadString(buffer, 16));
    EXPECT_STREQ(L"\n", buffer);
    char raw[5] = {};
    EXPECT_EQ(5u, file.Read(raw, 5));
    EXPECT_EQ(0, std::memcmp(raw, "third", 5));
}

TEST(StdioFile, BinaryModeKeepsUtf16Characters)
{
    testsupport::TempFolder folder;
    std::wstring path = folder.File(L"wide.txt");
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        file.WriteString(L"\x0416uk\r\nsecond");
        EXPECT_EQ(2 * wcslen(L"\x0416uk\r\nsecond"), file.GetLength());
    }
    CStdioFile file(path.c_str(), CFile::modeRead | CFile::typeBinary);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(CString(L"\x0416uk"), line);
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(CString(L"second"), line);
    EXPECT_FALSE(file.ReadString(line));
}
