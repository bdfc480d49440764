// The reader's status bar as the user meets it: a fixture book with a cached feed, the bar at
// the bottom with its pane windows in order, and the panes' clicks.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "books/packer/BookPacker.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/FixtureReader.h"
#include "tests/reader/ReaderProcess.h"

namespace {

const wchar_t kSettingsKey[] = L"Software\\Vemlorat\\Folionyx";
const wchar_t kSettingsValue[] = L"Settings folder";

// Points the reader's settings folder at a folder of the test while it lives.
class SettingsFolderOverride
{
public:
    explicit SettingsFolderOverride(const std::wstring& folder)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
            ERROR_SUCCESS) {
            RegSetValueExW(key, kSettingsValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                           static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
            RegCloseKey(key);
        }
    }
    ~SettingsFolderOverride() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, kSettingsValue); }
};

std::wstring TextOf(HWND hWnd)
{
    wchar_t buffer[256] = {};
    GetWindowTextW(hWnd, buffer, 256);
    return buffer;
}


std::vector<HWND> ChildrenByX(HWND hParent)
{
    std::vector<HWND> children;
    for (HWND h = GetWindow(hParent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        children.push_back(h);
    std::sort(children.begin(), children.end(), [&](HWND a, HWND b) {
        return testsupport::WindowRectIn(a, hParent).left < testsupport::WindowRectIn(b, hParent).left;
    });
    return children;
}

} // namespace

TEST(StatusBarScene, BarPanesAndTheirClicks)
{
    testsupport::TempFolder folder;
    const std::wstring settings = folder.File(L"settings\\");
    CreateDirectoryW(settings.c_str(), nullptr);
    testsupport::WriteFileBytes(settings + L"Ad.xml", "<Ads><Ad ID='1' Title='Scene title' URL='http://maker.example/'/></Ads>");
    SettingsFolderOverride settingsOverride(settings);

    bookpacker::CBookPacker packer;
    readertest::AddHomePage(packer, readertest::UniqueName(L"status", L".htm"), L"status");
    const std::wstring exe = folder.File(L"StatusReader.exe");
    ASSERT_TRUE(readertest::MakeFixtureReader(packer, exe));
    readertest::ReaderProcess reader;
    HWND frame = reader.StartAndWaitForFrame(exe);
    ASSERT_NE(frame, nullptr);

    HWND bar = FindWindowExW(frame, nullptr, L"msctls_statusbar32", nullptr);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetDlgCtrlID(bar), 0xE801);
    RECT client, rcBar;
    GetClientRect(frame, &client);
    rcBar = testsupport::WindowRectIn(bar, frame);
    EXPECT_EQ(rcBar.bottom, client.bottom);
    EXPECT_GT(rcBar.bottom - rcBar.top, 10);
    HWND view = GetDlgItem(frame, 0xE900);
    ASSERT_NE(view, nullptr);
    EXPECT_LE(testsupport::WindowRectIn(view, frame).bottom, rcBar.top) << "the view sits above the bar";

    // Free text, advertisement, CAP, NUM, SCRL, zoom, icon: three pane windows in that order.
    std::vector<HWND> panes;
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        panes = ChildrenByX(bar);
        return panes.size() == 3 && TextOf(panes[0]) == L"Scene title" && TextOf(panes[1]) == L"100%";
    })) << panes.size() << " " << (panes.empty() ? L"" : TextOf(panes[0]).c_str()) << "|"
        << (panes.size() > 1 ? TextOf(panes[1]).c_str() : L"");
    HWND ad = panes[0], zoom = panes[1], icon = panes[2];
    EXPECT_EQ(TextOf(icon), L"");
    RECT rcAd = testsupport::WindowRectIn(ad, bar), rcZoom = testsupport::WindowRectIn(zoom, bar), rcIcon = testsupport::WindowRectIn(icon, bar);
    EXPECT_GT(rcAd.left, 0);
    EXPECT_GT(rcZoom.left - rcAd.right, 40) << "the three indicators lie between";
    EXPECT_LE(rcIcon.right, rcBar.right - rcBar.left);
    for (HWND pane : panes) {
        RECT rc = testsupport::WindowRectIn(pane, bar);
        EXPECT_GE(rc.top, 0);
        EXPECT_LE(rc.bottom, rcBar.bottom - rcBar.top);
    }

    // A click steps the zoom.
    PostMessageW(zoom, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return TextOf(zoom) == L"125%"; })) << std::wstring(TextOf(zoom));

    // A right click opens the zoom menu.
    PostMessageW(zoom, WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    HWND menu = reader.WaitForWindowOfClass(L"#32768", 10000);
    ASSERT_NE(menu, nullptr);
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsWindowVisible(menu); }));

    // The icon pane opens the about box.
    PostMessageW(icon, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    HWND about = reader.WaitForWindowOfClass(L"#32770", 10000);
    ASSERT_NE(about, nullptr);
    SendMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(about); }));
}
