#include "platform/framework/ComSupport.h"

#include <gtest/gtest.h>

TEST(CComBSTRBasics, AppendsAndCompares)
{
    CComBSTR text(L"ab");
    text += L"cd";
    EXPECT_TRUE(text == L"abcd");
    EXPECT_EQ(4u, text.Length());
}
