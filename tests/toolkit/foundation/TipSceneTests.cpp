// The foundation's tool-tip scene, driven only by injected input: tips of every style at the
// right time and place in their colours, a hook-able that leaves mid-dispatch, arrow keys
// swallowed while letters reach the edit, and an accessibility client reading a name.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include <cstdlib>

#include "demos/foundation/TipScene.h"
#include "platform/framework/ComSupport.h"
#include "tests/common/WineTestSupport.h"
#include "tests/toolkit/foundation/FoundationTestSupport.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/ToolTipContext.h"

using foundationtest::Near;
using foundationtest::SendKey;
using foundationtest::SendMouse;

namespace {

class TipScene : public testing::Test
{
protected:
    void SetUp() override
    {
        m_savedKind = GetColorManager()->m_nRequestedKind;
        SendMouse(MOUSEEVENTF_MOVE, {5, 5});
        scene = tipscene::CreateScene(60, 60, qorToolTipFlat);
        ASSERT_NE(nullptr, scene);
        SetForegroundWindow(scene);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return GetForegroundWindow() == scene; }));
    }
    void TearDown() override
    {
        DestroyWindow(scene);
        testsupport::PumpMessages();
        GetColorManager()->m_nRequestedKind = m_savedKind;
    }
    POINT StripPoint(int x, int y) const
    {
        POINT pt = {x, y};
        ClientToScreen(tipscene::GetToolStrip(scene), &pt);
        return pt;
    }
    bool TipVisible() const
    {
        HWND hTip = tipscene::GetTipWindow(scene);
        return hTip && IsWindowVisible(hTip);
    }

    HWND scene = nullptr;
    int m_savedKind = 0;
};

TEST_F(TipScene, EveryStyleShowsItsTipInTimeBelowTheCursorInItsColours)
{
    GetColorManager()->m_nRequestedKind = 1; // Luna in its blue style
    const COLORREF infoBack = GetColor(COLOR_INFOBK);
    struct
    {
        const char* name;
        int style;
        COLORREF inside; // near the top-left corner, inside the frame
    } const cases[] = {
        {"standard", qorToolTipStandard, GetSysColor(COLOR_INFOBK)},
        {"flat", qorToolTipFlat, infoBack},
        {"rich text", qorToolTipRichText, infoBack},
        {"Luna", qorToolTipLuna, RGB(0xFF, 0xD4, 0x97)},
        {"Office 2007", qorToolTipOffice2007, RGB(0xFF, 0xFF, 0xFF)},
        {"HTML", qorToolTipHtml, infoBack},
    };
    int tool = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tipscene::SetTipStyle(scene, c.style);
        SendMouse(MOUSEEVENTF_MOVE, StripPoint(400, 70)); // off every tool
        testsupport::PumpUntil([] { return false; }, 300);
        const RECT& rcTool = tipscene::kTools[tool++ % 3];
        POINT pt = StripPoint((rcTool.left + rcTool.right) / 2, (rcTool.top + rcTool.bottom) / 2);
        DWORD start = GetTickCount();
        SendMouse(MOUSEEVENTF_MOVE, pt);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return TipVisible(); }, 3000));
        DWORD elapsed = GetTickCount() - start;
        EXPECT_GE(elapsed, 300u);
        EXPECT_LT(elapsed, 2000u);
        testsupport::PumpUntil([] { return false; }, 100); // let it paint
        RECT rcTip = {};
        GetWindowRect(tipscene::GetTipWindow(scene), &rcTip);
        POINT ptCursor = {};
        GetCursorPos(&ptCursor);
        EXPECT_GT(rcTip.top, ptCursor.y);
        EXPECT_LE(std::abs(rcTip.left - ptCursor.x), 40);
        testsupport::WindowCapture capture(tipscene::GetTipWindow(scene), true);
        EXPECT_TRUE(Near(capture.Pixel(3, 3), c.inside, 10)) << std::hex << capture.Pixel(3, 3);
    }
}

TEST_F(TipScene, HookAblesKeysAndAccessibilityMeanwhile)
{
    PostMessageW(scene, tipscene::kPing, 0, 0);
    PostMessageW(scene, tipscene::kPing, 0, 0);
    int nHookAble = 0, nFrame = 0;
    testsupport::PumpUntil([&] {
        tipscene::GetPingCounts(scene, &nHookAble, &nFrame);
        return nFrame == 2;
    });
    EXPECT_EQ(nHookAble, 1); // removed itself the first time
    EXPECT_EQ(nFrame, 2);    // the frame handled both

    HWND hEdit = tipscene::GetEdit(scene);
    SetFocus(hEdit);
    SendKey('A');
    SendKey(VK_LEFT); // swallowed: the caret stays after "a"
    SendKey('B');
    testsupport::PumpUntil([&] { return GetWindowTextLengthW(hEdit) == 2; });
    wchar_t text[8] = {};
    GetWindowTextW(hEdit, text, 8);
    EXPECT_STREQ(text, L"ab");

    typedef HRESULT(WINAPI * PFNACCFROMWINDOW)(HWND, DWORD, REFIID, void**);
    HMODULE hOleacc = LoadLibraryW(L"oleacc.dll");
    ASSERT_NE(hOleacc, nullptr);
    auto pfn = reinterpret_cast<PFNACCFROMWINDOW>(
        reinterpret_cast<void*>(GetProcAddress(hOleacc, "AccessibleObjectFromWindow")));
    {
        CComPtr<IAccessible> pAccessible;
        ASSERT_EQ(pfn(tipscene::GetToolStrip(scene), static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                      reinterpret_cast<void**>(&pAccessible)),
                  S_OK);
        VARIANT self;
        VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        ASSERT_EQ(pAccessible->get_accName(self, &name), S_OK);
        EXPECT_STREQ(name, tipscene::kStripName);
        SysFreeString(name);
    }
    FreeLibrary(hOleacc);
}

} // namespace
