#include "platform/framework/Collections.h"
#include "platform/framework/Exceptions.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

void* AsPointer(INT_PTR value)
{
    return reinterpret_cast<void*>(value);
}

// Out-of-range access must raise the framework's invalid-argument error instead of touching
// memory.
template <typename F> bool ThrowsInvalidArg(F f)
{
    try {
        f();
    } catch (CException* error) {
        bool invalidArg = error->IsKindOf(RUNTIME_CLASS(CInvalidArgException));
        error->Delete();
        return invalidArg;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// CArray

TEST(CArrayTest, GrowsWithZeroedElementsAndKeepsOrder)
{
    CDWordArray a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(-1, a.GetUpperBound());
    EXPECT_EQ(0, a.Add(10));
    EXPECT_EQ(1, a.Add(20));
    a.SetSize(4);
    EXPECT_EQ(4, a.GetSize());
    EXPECT_EQ(0u, a[2]);
    EXPECT_EQ(0u, a.GetAt(3));
    a.SetAtGrow(6, 70);
    EXPECT_EQ(7, a.GetCount());
    EXPECT_EQ(0u, a[5]);
    EXPECT_EQ(70u, a[6]);
    a.SetSize(2);
    EXPECT_EQ(2, a.GetSize());
    a[1] = 21;
    a.ElementAt(0) += 1;
    EXPECT_EQ(11u, a.GetData()[0]);
    EXPECT_EQ(21u, a.GetData()[1]);
    a.RemoveAll();
    EXPECT_EQ(0, a.GetSize());
}

TEST(CArrayTest, InsertAndRemoveRanges)
{
    CUIntArray a;
    for (UINT i = 0; i < 5; ++i)
        a.Add(i);        // 0 1 2 3 4
    a.InsertAt(2, 9, 3); // 0 1 9 9 9 2 3 4
    a.RemoveAt(0);       // 1 9 9 9 2 3 4
    a.RemoveAt(3, 2);    // 1 9 9 3 4
    a.InsertAt(7, 5);    // beyond the end: grows with zeros first
    const std::vector<UINT> expected = {1, 9, 9, 3, 4, 0, 0, 5};
    ASSERT_EQ(static_cast<INT_PTR>(expected.size()), a.GetSize());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], a[i]) << i;

    CUIntArray other;
    other.Add(100);
    other.Add(200);
    a.InsertAt(1, &other);
    EXPECT_EQ(100u, a[1]);
    EXPECT_EQ(200u, a[2]);
    EXPECT_EQ(9u, a[3]);
}

TEST(CArrayTest, OutOfRangeIndexesRaiseErrors)
{
    CPtrArray a;
    a.Add(nullptr);
    EXPECT_TRUE(ThrowsInvalidArg([&] { a.GetAt(1); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { (void)a[-1]; }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { a.SetAt(5, nullptr); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { a.RemoveAt(0, 2); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { a.RemoveAt(-1); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { a.SetAtGrow(-1, nullptr); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { a.InsertAt(-1, static_cast<void*>(nullptr)); }));
    EXPECT_FALSE(ThrowsInvalidArg([&] { a.RemoveAt(0); }));
    EXPECT_EQ(0, a.GetSize());
}

TEST(CArrayTest, AddingItsOwnElementsSurvivesReallocation)
{
    CStringArray a;
    a.Add(L"first");
    for (int i = 0; i < 100; ++i)
        a.Add(a[0]);
    a.SetAtGrow(300, a[50]);
    a.InsertAt(0, a[300], 2);
    EXPECT_EQ(303, a.GetSize());
    EXPECT_STREQ(L"first", a[0].GetString());
    EXPECT_STREQ(L"first", a[302].GetString());
    EXPECT_TRUE(a[150].IsEmpty());

    INT_PTR at = a.Append(a);
    EXPECT_EQ(303, at);
    EXPECT_EQ(606, a.GetSize());
    CStringArray copy;
    copy.Copy(a);
    EXPECT_EQ(606, copy.GetSize());
    EXPECT_STREQ(L"first", copy[605].GetString());
}

TEST(CArrayTest, TemplateWithStructuredElements)
{
    struct Item
    {
        int id;
        CString name;
    };
    CArray<Item, const Item&> items;
    items.Add({1, L"one"});
    items.Add({2, L"two"});
    items.InsertAt(0, {0, L"zero"});
    ASSERT_EQ(3, items.GetSize());
    EXPECT_STREQ(L"zero", items[0].name.GetString());
    EXPECT_EQ(2, items[2].id);
}

// ---------------------------------------------------------------------------------------------
// CList

std::vector<INT_PTR> Forward(const CPtrList& list)
{
    std::vector<INT_PTR> out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out.push_back(reinterpret_cast<INT_PTR>(list.GetNext(pos)));
    return out;
}

std::vector<INT_PTR> Backward(const CPtrList& list)
{
    std::vector<INT_PTR> out;
    for (POSITION pos = list.GetTailPosition(); pos;)
        out.push_back(reinterpret_cast<INT_PTR>(list.GetPrev(pos)));
    return out;
}

TEST(CListTest, AddsInsertsAndWalksBothWays)
{
    CPtrList list;
    list.AddTail(AsPointer(2));
    list.AddHead(AsPointer(1));
    POSITION three = list.AddTail(AsPointer(3));
    list.InsertBefore(three, AsPointer(25));
    list.InsertAfter(three, AsPointer(35));
    list.InsertBefore(nullptr, AsPointer(0)); // null: at the head
    list.InsertAfter(nullptr, AsPointer(99)); // null: at the tail
    EXPECT_EQ((std::vector<INT_PTR>{0, 1, 2, 25, 3, 35, 99}), Forward(list));
    EXPECT_EQ((std::vector<INT_PTR>{99, 35, 3, 25, 2, 1, 0}), Backward(list));
    EXPECT_EQ(7, list.GetCount());
    EXPECT_EQ(AsPointer(0), list.GetHead());
    EXPECT_EQ(AsPointer(99), list.GetTail());

    EXPECT_EQ(AsPointer(0), list.RemoveHead());
    EXPECT_EQ(AsPointer(99), list.RemoveTail());
    list.SetAt(three, AsPointer(30));
    EXPECT_EQ(AsPointer(30), list.GetAt(three));
    EXPECT_EQ(three, list.FindIndex(3));
    EXPECT_EQ(nullptr, list.FindIndex(5));
    EXPECT_EQ(nullptr, list.FindIndex(-1));
    EXPECT_EQ((std::vector<INT_PTR>{1, 2, 25, 30, 35}), Forward(list));

    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.RemoveHead(); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.GetTail(); }));
}

TEST(CListTest, RemovingTheCurrentEntryWhileIterating)
{
    CPtrList list;
    for (INT_PTR i = 0; i < 10; ++i)
        list.AddTail(AsPointer(i));
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        POSITION current = pos;
        INT_PTR value = reinterpret_cast<INT_PTR>(list.GetNext(pos));
        if (value % 3 != 0)
            list.RemoveAt(current);
    }
    EXPECT_EQ((std::vector<INT_PTR>{0, 3, 6, 9}), Forward(list));
    EXPECT_EQ((std::vector<INT_PTR>{9, 6, 3, 0}), Backward(list));
}

TEST(CListTest, FindsValuesAfterAPosition)
{
    CList<CString, const CString&> list;
    list.AddTail(L"a");
    POSITION firstB = list.AddTail(L"b");
    list.AddTail(L"c");
    POSITION secondB = list.AddTail(L"b");
    EXPECT_EQ(firstB, list.Find(L"b"));
    EXPECT_EQ(secondB, list.Find(L"b", firstB));
    EXPECT_EQ(nullptr, list.Find(L"b", secondB));
    EXPECT_EQ(nullptr, list.Find(L"z"));
}

TEST(CListTest, AppendsListsIncludingItself)
{
    CPtrList list, other;
    list.AddTail(AsPointer(1));
    list.AddTail(AsPointer(2));
    other.AddTail(AsPointer(8));
    other.AddTail(AsPointer(9));
    list.AddHead(&other);
    EXPECT_EQ((std::vector<INT_PTR>{8, 9, 1, 2}), Forward(list));
    list.AddTail(&list);
    EXPECT_EQ((std::vector<INT_PTR>{8, 9, 1, 2, 8, 9, 1, 2}), Forward(list));
    other.AddHead(&other);
    EXPECT_EQ((std::vector<INT_PTR>{8, 9, 8, 9}), Forward(other));
}

// ---------------------------------------------------------------------------------------------
// CMap

TEST(CMapTest, SetLookupReplaceAndRemove)
{
    CMapStringToPtr map;
    map.SetAt(L"one", AsPointer(1));
    map[L"two"] = AsPointer(2);
    map.SetAt(L"one", AsPointer(11)); // replaces
    EXPECT_EQ(2, map.GetCount());

    void* value = nullptr;
    EXPECT_TRUE(map.Lookup(L"one", value));
    EXPECT_EQ(AsPointer(11), value);
    EXPECT_FALSE(map.Lookup(L"ONE", value)); // keys are case-sensitive
    EXPECT_EQ(AsPointer(11), value);
    EXPECT_EQ(nullptr, map[L"three"]); // operator[] adds a null entry
    EXPECT_EQ(3, map.GetCount());

    EXPECT_TRUE(map.RemoveKey(L"two"));
    EXPECT_FALSE(map.RemoveKey(L"two"));
    EXPECT_FALSE(map.Lookup(L"two", value));
    ASSERT_NE(nullptr, map.PLookup(L"one"));
    EXPECT_STREQ(L"one", map.PLookup(L"one")->key.GetString());
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(nullptr, map.GetStartPosition());
    EXPECT_FALSE(map.RemoveKey(L"one"));
}

TEST(CMapTest, IterationVisitsEveryEntryOnceWhileTheCurrentOneIsRemoved)
{
    // Few buckets and many keys, so that removals happen inside long chains as well.
    for (UINT buckets : {1u, 3u, 17u, 199u}) {
        CMapPtrToPtr map;
        map.InitHashTable(buckets);
        EXPECT_EQ(buckets, map.GetHashTableSize());
        for (INT_PTR i = 1; i <= 200; ++i)
            map.SetAt(AsPointer(i * 16), AsPointer(i));

        std::set<INT_PTR> seen;
        POSITION pos = map.GetStartPosition();
        while (pos) {
            void* key;
            void* value;
            map.GetNextAssoc(pos, key, value);
            EXPECT_TRUE(seen.insert(reinterpret_cast<INT_PTR>(value)).second);
            if (reinterpret_cast<INT_PTR>(value) % 2 == 0) {
                EXPECT_TRUE(map.RemoveKey(key));
            }
        }
        EXPECT_EQ(200u, seen.size()) << buckets;
        EXPECT_EQ(100, map.GetCount()) << buckets;

        // The survivors are exactly the odd values.
        int odd = 0;
        for (const auto* pair = map.PGetFirstAssoc(); pair; pair = map.PGetNextAssoc(pair)) {
            EXPECT_EQ(1, reinterpret_cast<INT_PTR>(pair->value) % 2);
            EXPECT_EQ(reinterpret_cast<INT_PTR>(pair->value) * 16, reinterpret_cast<INT_PTR>(pair->key));
            ++odd;
        }
        EXPECT_EQ(100, odd);
    }
}

TEST(CMapTest, HashTableSizeIsFixedOnceEntriesExist)
{
    CMapWordToPtr map;
    EXPECT_EQ(17u, map.GetHashTableSize());
    map.InitHashTable(199);
    map.SetAt(7, AsPointer(7));
    map.InitHashTable(5);
    EXPECT_EQ(199u, map.GetHashTableSize());
    void* value = nullptr;
    EXPECT_TRUE(map.Lookup(7, value));
    EXPECT_EQ(AsPointer(7), value);
}

TEST(CMapTest, StringMapsAndTemplateKeys)
{
    CMapStringToString names;
    names[L"k"] = L"v";
    names.SetAt(L"empty", L"");
    CString found;
    EXPECT_TRUE(names.Lookup(L"k", found));
    EXPECT_STREQ(L"v", found.GetString());
    EXPECT_TRUE(names.Lookup(L"empty", found));
    EXPECT_TRUE(found.IsEmpty());

    CMap<CString, const CString&, int, int> counts;
    for (const wchar_t* word : {L"a", L"b", L"a", L"c", L"a"})
        counts[CString(word)] += 1;
    std::map<std::wstring, int> all;
    POSITION pos = counts.GetStartPosition();
    while (pos) {
        CString key;
        int value;
        counts.GetNextAssoc(pos, key, value);
        all[key.GetString()] = value;
    }
    EXPECT_EQ((std::map<std::wstring, int>{{L"a", 3}, {L"b", 1}, {L"c", 1}}), all);

    CMap<int, int, CString, const CString&> byNumber;
    byNumber.SetAt(-5, L"minus five");
    EXPECT_STREQ(L"minus five", byNumber[-5].GetString());
}

TEST(CMapTest, HashKeysOfStringsDependOnTheText)
{
    EXPECT_EQ(HashKey<LPCWSTR>(L"abc"), HashKey<const CString&>(CString(L"abc")));
    EXPECT_EQ(HashKey<LPCSTR>("abc"), HashKey<LPCWSTR>(L"abc"));
    EXPECT_NE(HashKey<LPCWSTR>(L"abc"), HashKey<LPCWSTR>(L"abd"));
    EXPECT_EQ(0u, HashKey<LPCWSTR>(L""));
}

// ---------------------------------------------------------------------------------------------
// Named collections are framework objects with run-time classes.

class WindowTable : public CMapPtrToPtr
{
    DECLARE_DYNAMIC(WindowTable)
};
IMPLEMENT_DYNAMIC(WindowTable, CMapPtrToPtr)

TEST(NamedCollections, HaveRuntimeClassesThatCanBeDerivedFrom)
{
    WindowTable table;
    EXPECT_TRUE(table.IsKindOf(RUNTIME_CLASS(CMapPtrToPtr)));
    EXPECT_TRUE(table.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(table.IsKindOf(RUNTIME_CLASS(CPtrList)));
    EXPECT_STREQ("WindowTable", table.GetRuntimeClass()->m_lpszClassName);

    CObList objects;
    objects.AddTail(&table);
    EXPECT_EQ(static_cast<CObject*>(&table), objects.GetHead());
    CObArray array;
    array.Add(&table);
    EXPECT_STREQ("CObArray", array.GetRuntimeClass()->m_lpszClassName);
    EXPECT_STREQ("CStringArray", CStringArray().GetRuntimeClass()->m_lpszClassName);
}

} // namespace
