#include "platform/framework/Collections.h"

#include <gtest/gtest.h>

TEST(CMapIteration, RemovingTheCurrentEntryKeepsIterating)
{
    CMapStringToPtr map;
    for (int i = 0; i < 50; ++i) {
        CString key;
        key.Format(L"k%d", i);
        map.SetAt(key, reinterpret_cast<void*>(static_cast<INT_PTR>(i)));
    }
    int seen = 0;
    POSITION pos = map.GetStartPosition();
    while (pos) {
        CString key;
        void* value;
        map.GetNextAssoc(pos, key, value);
        map.RemoveKey(key);
        ++seen;
    }
    EXPECT_EQ(50, seen);
    EXPECT_TRUE(map.IsEmpty());
}
