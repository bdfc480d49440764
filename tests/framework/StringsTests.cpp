#include "platform/framework/Strings.h"

#include <gtest/gtest.h>

TEST(CStringFormat, WideFormatTakesWideStringsForPercentS)
{
    CString s;
    s.Format(L"[%s|%S|%d|%08X]", L"wide", "narrow", -42, 0xBEEFu);
    EXPECT_STREQ(L"[wide|narrow|-42|0000BEEF]", s.GetString());
}
