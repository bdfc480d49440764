// Rich text without a window: plain and RTF text are drawn, measuring wraps as the width
// narrows, wide text keeps its script, and without the library nothing happens.
#include "toolkit/foundation/RichRender.h"
#include "platform/framework/Strings.h"
#include "tests/toolkit/foundation/MemoryCanvas.h"
#include <gtest/gtest.h>

using foundationtest::Canvas;

namespace {

// The text the services hold, without the final paragraph mark.
CString TextOf(CQorRichRender& render)
{
    BSTR text = nullptr;
    if (FAILED(render.GetTextServices()->TxGetText(&text)) || text == nullptr)
        return CString();
    CString result(text);
    ::SysFreeString(text);
    result.TrimRight(L"\r\n");
    return result;
}

TEST(RichRender, PlainAndRtfTextAreRead)
{
    CQorRichRender render;
    ASSERT_TRUE(render.IsAvailable());
    const struct
    {
        const wchar_t* input;
        const wchar_t* text;
    } rows[] = {
        {L"Plain words", L"Plain words"}, // not RTF: the second, plain pass
        {L"{\\rtf1 Rich {\\b bold} words}", L"Rich bold words"},
        {L"\x65E5\x672C\x8A9E\x306E\x30C6\x30AD\x30B9\x30C8", L"\x65E5\x672C\x8A9E\x306E\x30C6\x30AD\x30B9\x30C8"},
        {L"Ελληνικά и русский", L"Ελληνικά и русский"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(wcslen(row.input)));
        EXPECT_GT(render.SetText(row.input), 0);
        EXPECT_STREQ(row.text, static_cast<LPCWSTR>(TextOf(render)));
    }
    EXPECT_EQ(0, render.SetText(nullptr));
    EXPECT_STREQ(L"", static_cast<LPCWSTR>(TextOf(render)));
}

TEST(RichRender, PlainTextIsDrawn)
{
    CQorRichRender render;
    ASSERT_TRUE(render.IsAvailable());
    render.SetText(L"Drawn without a window");
    Canvas canvas(200, 40, RGB(255, 255, 255));
    render.DrawText(canvas.Dc(), CRect(0, 0, 200, 40));
    EXPECT_GT(canvas.CountOther(RGB(255, 255, 255), 200, 40), 20);
}

TEST(RichRender, ExtentGrowsTallerAsTheWidthNarrows)
{
    CQorRichRender render;
    ASSERT_TRUE(render.IsAvailable());
    render.SetText(L"The quick brown fox jumps over the lazy dog and keeps on running far away");
    Canvas canvas(10, 10, RGB(255, 255, 255));
    CSize previous(0, 0);
    for (int width : {1000, 200, 80}) {
        SCOPED_TRACE(width);
        CSize size = render.GetTextExtent(canvas.Dc(), width);
        EXPECT_GT(size.cy, 0);
        EXPECT_LE(size.cx, width);
        EXPECT_GT(size.cx, 0);
        if (previous.cy != 0) {
            EXPECT_GT(size.cy, previous.cy);
        }
        previous = size;
    }
    // One line at a generous width takes much less than the width.
    render.SetText(L"Short");
    EXPECT_LT(render.GetTextExtent(canvas.Dc(), 1000).cx, 200);
}

TEST(RichRender, WithoutTheLibraryNothingHappens)
{
    CQorRichRender render("FolionyxNoSuchRichEdit.dll");
    EXPECT_FALSE(render.IsAvailable());
    EXPECT_EQ(0, render.SetText(L"text"));
    Canvas canvas(20, 20, RGB(255, 255, 255));
    EXPECT_EQ(CSize(0, 0), render.GetTextExtent(canvas.Dc(), 100));
    render.DrawText(canvas.Dc(), CRect(0, 0, 20, 20));
    EXPECT_EQ(0, canvas.CountOther(RGB(255, 255, 255), 20, 20));
}

} // namespace
