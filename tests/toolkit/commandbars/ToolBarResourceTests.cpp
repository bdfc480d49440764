// Reading a tool-bar resource: the sound forms, and broken ones that must fail before anything
// is read past their end and leave the caller's data as it was.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "tests/toolkit/commandbars/ToolBarResourceTests.h"
#include "toolkit/commandbars/ToolBarResource.h"

TEST(ToolBarResource, ReadsSizeAndIdsWithTheGroupBreaks)
{
    struct Case
    {
        UINT nId;
        int nWidth, nHeight;
        std::vector<UINT> ids;
    } cases[] = {
        {IDR_TEST_TOOLBAR_GROUP, 16, 16, {1, 0, 2}},
        {IDR_TEST_TOOLBAR_WIDE, 24, 22, {32771, 65535}},
        {IDR_TEST_TOOLBAR_EMPTY, 16, 16, {}},
    };
    for (const Case& c : cases) {
        QOR_TOOLBAR_RESOURCE toolBar;
        toolBar.ids = {9, 9, 9, 9};
        ASSERT_TRUE(QorReadToolBarResource(::GetModuleHandleW(nullptr), c.nId, toolBar)) << c.nId;
        EXPECT_EQ(toolBar.nWidth, c.nWidth) << c.nId;
        EXPECT_EQ(toolBar.nHeight, c.nHeight) << c.nId;
        EXPECT_EQ(toolBar.ids, c.ids) << c.nId;
    }
}

TEST(ToolBarResource, BrokenOrMissingResourceFailsAndLeavesTheCallersDataAlone)
{
    struct Case
    {
        const char* name;
        HMODULE hModule;
        UINT nId;
    } cases[] = {
        {"version 2", ::GetModuleHandleW(nullptr), IDR_TEST_TOOLBAR_VERSION2},
        {"count beyond the data", ::GetModuleHandleW(nullptr), IDR_TEST_TOOLBAR_TRUNCATED},
        {"shorter than its header", ::GetModuleHandleW(nullptr), IDR_TEST_TOOLBAR_HEADERLESS},
        {"missing", ::GetModuleHandleW(nullptr), IDR_TEST_TOOLBAR_MISSING},
        {"id 0", ::GetModuleHandleW(nullptr), 0},
        {"no module", nullptr, IDR_TEST_TOOLBAR_GROUP},
    };
    for (const Case& c : cases) {
        QOR_TOOLBAR_RESOURCE toolBar;
        toolBar.nWidth = 20;
        toolBar.nHeight = 18;
        toolBar.ids = {5, 0, 6};
        EXPECT_FALSE(QorReadToolBarResource(c.hModule, c.nId, toolBar)) << c.name;
        EXPECT_EQ(toolBar.nWidth, 20) << c.name;
        EXPECT_EQ(toolBar.nHeight, 18) << c.name;
        EXPECT_EQ(toolBar.ids, (std::vector<UINT>{5, 0, 6})) << c.name;
    }
}
