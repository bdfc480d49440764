// The property exchange: exact archive bytes per value kind, counts and the schema tag, blobs
// through a name-based back end and the archive, classes by name, sections and enumerators.
#include "toolkit/foundation/PropExchange.h"
#include <gtest/gtest.h>
#include "tests/toolkit/foundation/TextExchange.h"
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// Exchanges release by reference count.
struct ReleaseExchange
{
    void operator()(CQorPropExchange* p) const { p->InternalRelease(); }
};
using ExchangeRef = std::unique_ptr<CQorPropExchange, ReleaseExchange>;

Bytes Store(const std::function<void(CQorPropExchange&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CQorPropExchangeArchive px(ar);
        write(px);
    }
    UINT size = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes(data, data + size);
    free(data);
    return bytes;
}

// Loads from the bytes; returns how many were left unread.
size_t Load(Bytes bytes, const std::function<void(CQorPropExchange&, CArchive&)>& read)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CQorPropExchangeArchive px(ar);
    read(px, ar);
    ar.Flush();
    return bytes.size() - static_cast<size_t>(file.GetPosition());
}

Bytes Le(ULONGLONG value, int size)
{
    Bytes bytes;
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
    return bytes;
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// ---------------------------------------------------------------------------------------
// Values

struct ValueCase
{
    const char* name;
    VARTYPE type;
    Bytes value;        // the value's memory
    Bytes stored;       // what the archive holds
    size_t padding = 0; // trailing bytes of the value's memory that hold no data
};

template <class T> Bytes Memory(const T& value)
{
    const BYTE* p = reinterpret_cast<const BYTE*>(&value);
    return Bytes(p, p + sizeof(T));
}

TEST(PropExchangeArchive, EachValueKindHasItsExactBytes)
{
    const float f = 1.5f;
    const double d = -2.25;
    CY cy;
    cy.Lo = 0x89ABCDEF;
    cy.Hi = 0x01234567;
    QOR_PROP_DATE_VALUE date = {};
    date.dt = 40000.5;
    date.status = 1;
    const RECT rc = {1, -2, 3, 0x7FFFFFFF};
    const SIZE size = {640, -1};
    const ValueCase cases[] = {
        {"short", QOR_PROP_I2, Memory<short>(-2), {0xFE, 0xFF}},
        {"int", QOR_PROP_I4, Memory<int>(0x12345678), {0x78, 0x56, 0x34, 0x12}},
        {"float", QOR_PROP_R4, Memory(f), Memory(f)},
        {"double", QOR_PROP_R8, Memory(d), Memory(d)},
        {"currency", QOR_PROP_CY, Memory(cy), {0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01}},
        {"date: status first", QOR_PROP_DATE, Memory(date), Le(1, 4) + Memory(date.dt), sizeof(date) - 12},
        {"bool", QOR_PROP_BOOL, Memory<BOOL>(TRUE), {1, 0, 0, 0}},
        {"byte", QOR_PROP_UI1, Memory<BYTE>(0xA5), {0xA5}},
        {"rect", QOR_PROP_RECT, Memory(rc), Memory(rc)},
        {"size", QOR_PROP_SIZE, Memory(size), Memory(size)},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes value = c.value;
        EXPECT_EQ(c.stored, Store([&](CQorPropExchange& px) {
                      EXPECT_TRUE(px.ExchangeProp(L"Value", c.type, value.data(), nullptr));
                  }));
        Bytes loaded(value.size(), 0xCC);
        EXPECT_EQ(0u, Load(c.stored, [&](CQorPropExchange& px, CArchive&) {
                      EXPECT_TRUE(px.ExchangeProp(L"Value", c.type, loaded.data(), nullptr));
                  }));
        EXPECT_EQ(Bytes(c.value.begin(), c.value.end() - c.padding), Bytes(loaded.begin(), loaded.end() - c.padding));
    }
}

TEST(PropExchangeArchive, StringsCarryTheUnicodeTagAndAGrowingLength)
{
    const Bytes tag = {0xFF, 0xFE, 0xFF};
    const struct
    {
        int length;
        Bytes prefix;
    } cases[] = {
        {0, tag + Bytes{0}},
        {254, tag + Bytes{254}},
        {255, tag + Bytes{0xFF, 0xFF, 0x00}},
        {0xFFFD, tag + Bytes{0xFF, 0xFD, 0xFF}},
        {0xFFFE, tag + Bytes{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        CString text(L'\x3042', c.length);
        Bytes stored = Store([&](CQorPropExchange& px) { px.ExchangeProp(L"Text", QOR_PROP_STRING, &text, nullptr); });
        ASSERT_EQ(c.prefix.size() + c.length * 2, stored.size());
        EXPECT_EQ(c.prefix, Bytes(stored.begin(), stored.begin() + c.prefix.size()));
        CString loaded;
        Load(stored,
             [&](CQorPropExchange& px, CArchive&) { px.ExchangeProp(L"Text", QOR_PROP_STRING, &loaded, nullptr); });
        EXPECT_TRUE(loaded == text);
    }
}

TEST(PropExchangeArchive, UnknownCodesDoNothingAndVariantsAreRefused)
{
    int value = 5;
    EXPECT_TRUE(Store([&](CQorPropExchange& px) {
                    EXPECT_TRUE(px.ExchangeProp(L"Odd", 99, &value, nullptr));
                    EXPECT_FALSE(px.ExchangeProp(L"Variant", QOR_PROP_VARIANT, &value, nullptr));
                }).empty());
}

TEST(PropExchangeArchive, ShortRawValuesRaiseEndOfFile)
{
    RECT rc = {};
    int cause = -1;
    Load(Bytes(12, 1), [&](CQorPropExchange& px, CArchive&) {
        try {
            px.ExchangeProp(L"Rect", QOR_PROP_RECT, &rc, nullptr);
        } catch (CArchiveException* e) {
            cause = e->m_cause;
            e->Delete();
        }
    });
    EXPECT_EQ(CArchiveException::endOfFile, cause);
}

TEST(PropExchangeArchive, CountsUseTheFrameworksCountedForm)
{
    const struct
    {
        DWORD count;
        Bytes stored;
    } cases[] = {
        {0, {0, 0}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(c.stored, Store([&](CQorPropExchange& px) { px.WriteCount(c.count); }));
        DWORD loaded = 1;
        Load(c.stored, [&](CQorPropExchange& px, CArchive&) { loaded = px.ReadCount(); });
        EXPECT_EQ(c.count, loaded);
    }
}

TEST(PropExchangeArchive, SchemaTagIsOptionalWhenLoading)
{
    Bytes tagged = Store([](CQorPropExchange& px) {
        px.m_nSchema = 30;
        px.ExchangeSchema();
    });
    EXPECT_EQ(Le(0x0FF0ADBF, 4) + Le(30, 4), tagged);
    int schema = 0;
    EXPECT_EQ(0u, Load(tagged, [&](CQorPropExchange& px, CArchive&) {
                  px.ExchangeSchema();
                  schema = px.GetSchema();
              }));
    EXPECT_EQ(30, schema);

    // An archive from before the tag: schema 17, and the first value is still there to read.
    int first = 0;
    EXPECT_EQ(0u, Load(Le(0x0FF0ADBE, 4), [&](CQorPropExchange& px, CArchive&) {
                  EXPECT_EQ(24, px.GetSchema());
                  px.ExchangeSchema();
                  schema = px.GetSchema();
                  px.ExchangeProp(L"First", QOR_PROP_I4, &first, nullptr);
              }));
    EXPECT_EQ(17, schema);
    EXPECT_EQ(0x0FF0ADBE, first);
    Load(Bytes{1, 2}, [&](CQorPropExchange& px, CArchive&) {
        px.ExchangeSchema(); // too short for a tag
        schema = px.GetSchema();
    });
    EXPECT_EQ(17, schema);
}

// ---------------------------------------------------------------------------------------
// Blobs

TEST(PropExchangeArchive, BlobsAreACountAndRawBytes)
{
    BYTE data[] = {1, 2, 3};
    Bytes stored = Store([&](CQorPropExchange& px) {
        BYTE* p = data;
        DWORD n = sizeof(data);
        EXPECT_TRUE(px.ExchangeBlobProp(L"Blob", p, n));
        EXPECT_TRUE(px.ExchangeBlobProp(L"Blob", p, n));
    });
    EXPECT_EQ((Bytes{3, 0, 1, 2, 3, 3, 0, 1, 2, 3}), stored);

    Load(stored, [&](CQorPropExchange& px, CArchive&) {
        // A buffer too small fails and takes only the count: the bytes are still there.
        BYTE small[2] = {};
        BYTE* p = small;
        DWORD n = sizeof(small);
        EXPECT_FALSE(px.ExchangeBlobProp(L"Blob", p, n));
        BYTE raw[3] = {};
        EXPECT_EQ(3u, px.ReadBlob(L"Blob", raw, sizeof(raw)));
        EXPECT_EQ(3, raw[2]);
        BYTE* allocated = nullptr;
        DWORD size = 0;
        EXPECT_TRUE(px.ExchangeBlobProp(L"Blob", allocated, size));
        ASSERT_NE(nullptr, allocated);
        EXPECT_EQ(3u, size);
        EXPECT_EQ(0, memcmp(allocated, data, 3));
        free(allocated);
    });
}

TEST(PropExchangeArchive, HugeStoredBlobSizeFailsCleanly)
{
    // A count of 0xFFFFFFF0 followed by a few bytes: no 4 GB allocation, no crash.
    Bytes stored = Bytes{0xFF, 0xFF} + Le(0xFFFFFFF0, 4) + Bytes{1, 2, 3};
    Load(stored, [&](CQorPropExchange& px, CArchive&) {
        BYTE* allocated = nullptr;
        DWORD size = 0;
        EXPECT_FALSE(px.ExchangeBlobProp(L"Blob", allocated, size));
        EXPECT_EQ(nullptr, allocated);
    });
}

TEST(PropExchange, BlobsTravelAsLettersAToP)
{
    std::map<CString, CString> values;
    CTextExchange storing(values, FALSE);
    BYTE data[] = {0x00, 0x1F, 0xFF, 0xA5};
    BYTE* p = data;
    DWORD n = sizeof(data);
    EXPECT_TRUE(storing.ExchangeBlobProp(L"Blob", p, n));
    EXPECT_TRUE(values[L"Blob"] == L"AAPBPPFK");

    CTextExchange loading(values, TRUE);
    BYTE* allocated = nullptr;
    DWORD size = 0;
    ASSERT_TRUE(loading.ExchangeBlobProp(L"Blob", allocated, size));
    ASSERT_EQ(4u, size);
    EXPECT_EQ(0, memcmp(allocated, data, 4));
    free(allocated);

    const struct
    {
        const wchar_t* text;
        BOOL result;
    } rows[] = {
        {L"AAPBPPFK", TRUE},
        {L"AAPBPPF", FALSE},  // odd length
        {L"AAPBPPFZ", FALSE}, // not a letter of the blob alphabet
        {L"", TRUE},          // empty: the buffer is left alone
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        values[L"Blob"] = row.text;
        BYTE buffer[4] = {9, 9, 9, 9};
        BYTE* q = buffer;
        DWORD room = sizeof(buffer);
        EXPECT_EQ(row.result, loading.ExchangeBlobProp(L"Blob", q, room));
        if (!*row.text) {
            EXPECT_EQ(9, buffer[0]);
        }
    }
    values[L"Blob"] = L"AAPBPPFKAA"; // five bytes into a buffer of four
    BYTE buffer[4] = {};
    EXPECT_EQ(0u, loading.ReadBlob(L"Blob", buffer, sizeof(buffer)));
}

TEST(PropExchange, ArchivesOverNamedBlobsRoundTrip)
{
    std::map<CString, CString> values;
    CTextExchange storing(values, FALSE);
    CArchive* pStore = storing.GetArchive(L"Data");
    ASSERT_NE(nullptr, pStore);
    *pStore << 0x01020304 << CString(L"x");
    storing.ReleaseArchive(L"Data", pStore);
    EXPECT_EQ(20, values[L"Data"].GetLength()); // 4 + 6 bytes, two letters each

    CTextExchange loading(values, TRUE);
    CArchive* pLoad = loading.GetArchive(L"Data");
    ASSERT_NE(nullptr, pLoad);
    int number = 0;
    CString text;
    *pLoad >> number >> text;
    loading.ReleaseArchive(L"Data", pLoad);
    EXPECT_EQ(0x01020304, number);
    EXPECT_TRUE(text == L"x");
    EXPECT_EQ(nullptr, loading.GetArchive(L"Missing"));
    loading.ReleaseArchive(L"Missing", nullptr);
}

// ---------------------------------------------------------------------------------------
// Classes and object instances

int g_constructed = 0;

class CExchangeBase : public CObject
{
    DECLARE_SERIAL(CExchangeBase)
public:
    CExchangeBase() { ++g_constructed; }
};
IMPLEMENT_SERIAL(CExchangeBase, CObject, 3)

class CExchangeDerived : public CExchangeBase
{
    DECLARE_SERIAL(CExchangeDerived)
};
IMPLEMENT_SERIAL(CExchangeDerived, CExchangeBase, 5)

class CExchangeUnrelated : public CObject
{
    DECLARE_SERIAL(CExchangeUnrelated)
public:
    CExchangeUnrelated() { ++g_constructed; }
};
IMPLEMENT_SERIAL(CExchangeUnrelated, CObject, 1)

TEST(PropExchange, ObjectInstancesAreMadeOnlyOfTheBaseOrItsDerivedClasses)
{
    const struct
    {
        const wchar_t* stored;
        BOOL made;
    } rows[] = {
        {L"CExchangeDerived", TRUE},
        {L"CExchangeUnrelated", FALSE}, // registered but of another family
        {L"CNoSuchClass", FALSE},
        {L"cexchangederived", FALSE}, // names compare exactly
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        std::map<CString, CString> values = {{L"Class", row.stored}};
        CTextExchange loading(values, TRUE);
        g_constructed = 0;
        CObject* pObject = reinterpret_cast<CObject*>(1);
        EXPECT_EQ(row.made, loading.ExchangeObjectInstance(pObject, RUNTIME_CLASS(CExchangeBase)));
        EXPECT_EQ(row.made ? 1 : 0, g_constructed);
        if (row.made) {
            ASSERT_NE(nullptr, pObject);
            EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CExchangeDerived)));
            delete pObject;
        } else {
            EXPECT_EQ(nullptr, pObject);
        }
    }
    // No stored name: the base class.
    std::map<CString, CString> empty;
    CTextExchange loading(empty, TRUE);
    CRuntimeClass* pClass = nullptr;
    EXPECT_TRUE(loading.ExchangeRuntimeClass(L"Class", pClass, RUNTIME_CLASS(CExchangeBase)));
    EXPECT_EQ(RUNTIME_CLASS(CExchangeBase), pClass);
}

TEST(PropExchangeArchive, ObjectInstancesJoinTheArchivesNumbering)
{
    CExchangeDerived object;
    Bytes stored = Store([&](CQorPropExchange& px) {
        CObject* pObject = &object;
        EXPECT_TRUE(px.ExchangeObjectInstance(pObject, RUNTIME_CLASS(CExchangeBase)));
        CArchive* pArchive = px.GetArchive(L"Same");
        *pArchive << pObject; // a back reference to the object just exchanged
    });
    Bytes record = Le(0xFFFF, 2) + Le(5, 2) + Le(16, 2);
    record.insert(record.end(), "CExchangeDerived", "CExchangeDerived" + 16);
    EXPECT_EQ(record + Le(2, 2), stored);

    g_constructed = 0;
    Load(stored, [&](CQorPropExchange& px, CArchive& ar) {
        CObject* pObject = nullptr;
        EXPECT_TRUE(px.ExchangeObjectInstance(pObject, RUNTIME_CLASS(CExchangeBase)));
        EXPECT_EQ(5, px.GetSchema()); // the stored class schema
        CObject* pReference = nullptr;
        ar >> pReference;
        EXPECT_EQ(pObject, pReference);
        delete pObject;
    });
    EXPECT_EQ(1, g_constructed);

    // A stored class of another family is the archive's class error; nothing is made.
    Bytes unrelated = Store([&](CQorPropExchange& px) {
        CRuntimeClass* pClass = RUNTIME_CLASS(CExchangeUnrelated);
        px.ExchangeRuntimeClass(L"Class", pClass, nullptr);
    });
    g_constructed = 0;
    int cause = -1;
    Load(unrelated, [&](CQorPropExchange& px, CArchive&) {
        CObject* pObject = reinterpret_cast<CObject*>(1);
        try {
            px.ExchangeObjectInstance(pObject, RUNTIME_CLASS(CExchangeBase));
        } catch (CArchiveException* e) {
            cause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(nullptr, pObject);
    });
    EXPECT_EQ(CArchiveException::badClass, cause);
    EXPECT_EQ(0, g_constructed);
}

// ---------------------------------------------------------------------------------------
// Sections and enumerators

TEST(PropExchangeArchive, SectionsInheritAndWriteNothingThemselves)
{
    int params = 0, map = 0;
    Bytes stored = Store([&](CQorPropExchange& px) {
        px.m_pExchangeParams = &params;
        px.m_pObjectMap = &map;
        px.m_nSchema = 20;
        px.m_bUseDefaultOnLoad = FALSE;
        px.SetInheritedFlag();
        ExchangeRef first(px.GetSection(L"First"));
        ExchangeRef second(first->GetSection(L"Second"));
        for (CQorPropExchange* pSection : {first.get(), second.get()}) {
            EXPECT_EQ(&params, pSection->m_pExchangeParams);
            EXPECT_EQ(&map, pSection->m_pObjectMap);
            EXPECT_EQ(20, pSection->GetSchema());
            EXPECT_FALSE(pSection->IsLoading());
            EXPECT_TRUE(pSection->m_bChildSection);
            EXPECT_TRUE(pSection->m_bInherited);
            EXPECT_FALSE(pSection->m_bUseDefaultOnLoad);
            EXPECT_TRUE(pSection->m_bUseDefaultOnSave);
        }
        EXPECT_FALSE(px.m_bChildSection);
    });
    EXPECT_TRUE(stored.empty());
}

TEST(PropExchange, EnumeratorsNameTheirSectionsAndCarryTheCount)
{
    std::map<CString, CString> values;
    {
        CTextExchange storing(values, FALSE);
        std::unique_ptr<CQorPropExchangeEnumerator> items(storing.GetEnumerator(L"Item"));
        POSITION pos = items->GetPosition(3, FALSE);
        int index = 0;
        while (pos) {
            ExchangeRef section(items->GetNext(pos));
            section->ExchangeProp(L"Index", QOR_PROP_I4, &index, nullptr);
            ++index;
        }
        EXPECT_EQ(3, index);
    }
    EXPECT_TRUE(values[L"Count"] == L"3");
    EXPECT_TRUE(values[L"Item2/Index"] == L"2");

    CTextExchange loading(values, TRUE);
    std::unique_ptr<CQorPropExchangeEnumerator> items(loading.GetEnumerator(L"Item"));
    POSITION pos = items->GetPosition(0, FALSE);
    EXPECT_EQ(3u, items->GetCount());
    int index = -1;
    while (pos) {
        ExchangeRef section(items->GetNext(pos));
        section->ExchangeProp(L"Index", QOR_PROP_I4, &index, nullptr);
    }
    EXPECT_EQ(2, index);

    std::map<CString, CString> empty;
    CTextExchange storing(empty, FALSE);
    std::unique_ptr<CQorPropExchangeEnumerator> none(storing.GetEnumerator(L"None"));
    EXPECT_EQ(nullptr, none->GetPosition(0, TRUE));
    EXPECT_TRUE(empty[L"Count"] == L"0");
}

TEST(PropExchangeArchive, CompactEnumeratorsWriteOnlyTheCount)
{
    Bytes stored = Store([](CQorPropExchange& px) {
        std::unique_ptr<CQorPropExchangeEnumerator> items(px.GetEnumerator(L"Item"));
        POSITION pos = items->GetPosition(2, TRUE);
        BYTE value = 7;
        while (pos) {
            ExchangeRef section(items->GetNext(pos));
            section->ExchangeProp(L"Value", QOR_PROP_UI1, &value, nullptr);
            ++value;
        }
    });
    EXPECT_EQ((Bytes{2, 0, 7, 8}), stored);
    Load(stored, [](CQorPropExchange& px, CArchive&) {
        std::unique_ptr<CQorPropExchangeEnumerator> items(px.GetEnumerator(L"Item"));
        EXPECT_NE(nullptr, items->GetPosition(0, TRUE));
        EXPECT_EQ(2u, items->GetCount());
    });
}

} // namespace
