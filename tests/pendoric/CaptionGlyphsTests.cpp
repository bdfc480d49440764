// Pendoric's Chinese captions and log text have a glyph for every character in the font each
// control draws with, whatever locale the Wine prefix runs under. They run in both runs of
// pendoric_tests; the Western one (C locale) is where the empty boxes were seen. The system
// message font of these prefixes (Tahoma) has none of the characters itself.
#include "tests/common/WineTestSupport.h"
#include "tests/pendoric/PendoricTestSupport.h"
#include "tools/pendoric/PendoricWindow.h"
#include <gtest/gtest.h>
#include <richedit.h>
#include <memory>
#include <string>
#include <vector>

using namespace pendoric;
using namespace pendoric_test;

namespace {

// The characters of `text` that `font` draws as the missing-glyph box.
std::wstring MissingGlyphs(HFONT font, const std::wstring& text)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    std::vector<WORD> glyphs(text.size());
    std::wstring missing;
    if (GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) ==
        GDI_ERROR) {
        missing = L"<no glyph indices>";
    } else {
        for (size_t i = 0; i < text.size(); ++i) {
            if (glyphs[i] == 0xFFFF && text[i] != L' ')
                missing += text[i];
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return missing;
}

std::string Utf8(const std::wstring& text)
{
    int length =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], length, nullptr, nullptr);
    return bytes;
}

std::wstring WindowText(HWND hwnd)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, &text[0], static_cast<int>(text.size()))));
    return text;
}

// The font a rich-edit box draws its text with: the one its default character format names.
HFONT CreateBoxFont(HWND box)
{
    CHARFORMAT2W format = {};
    format.cbSize = sizeof(format);
    SendMessageW(box, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    LOGFONTW font = {};
    HDC dc = GetDC(nullptr);
    font.lfHeight = -MulDiv(format.yHeight, GetDeviceCaps(dc, LOGPIXELSY), 1440);
    ReleaseDC(nullptr, dc);
    font.lfWeight = (format.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = format.bCharSet;
    font.lfPitchAndFamily = format.bPitchAndFamily;
    lstrcpynW(font.lfFaceName, format.szFaceName, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

class CaptionGlyphs : public testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<PendoricWindow>(prompts);
        ASSERT_TRUE(window->Create(GetModuleHandleW(nullptr)));
    }

    void TearDown() override
    {
        window.reset();
        testsupport::PumpMessages();
    }

    HWND Control(int id) const { return GetDlgItem(window->Handle(), id); }

    ScriptedPrompts prompts;
    std::unique_ptr<PendoricWindow> window;
};

} // namespace

TEST_F(CaptionGlyphs, EveryButtonCaptionHasItsGlyphsInTheButtonsFont)
{
    const int ids[] = {PendoricWindow::IdColumn9Check, PendoricWindow::IdColumns11To13Check, PendoricWindow::IdAbout,
                       PendoricWindow::IdExit};
    for (int id : ids) {
        HWND button = Control(id);
        ASSERT_NE(button, nullptr) << id;
        std::wstring caption = WindowText(button);
        ASSERT_FALSE(caption.empty()) << id;
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0));
        EXPECT_EQ(MissingGlyphs(font, caption), L"") << Utf8(caption) << " (code page " << GetACP() << ")";
    }
}

TEST_F(CaptionGlyphs, TheLogBoxDrawsChineseTextWithGlyphs)
{
    const std::wstring text = L"行号：12 中文字符测试，第九列逗号串字符检查完毕！";
    HWND box = Control(PendoricWindow::IdLogView);
    SETTEXTEX set = {ST_DEFAULT, 1200};
    SendMessageW(box, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set), reinterpret_cast<LPARAM>(text.c_str()));
    ASSERT_EQ(WindowText(box), text);
    HFONT font = CreateBoxFont(box);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(MissingGlyphs(font, text), L"") << "code page " << GetACP();
    DeleteObject(font);
}
