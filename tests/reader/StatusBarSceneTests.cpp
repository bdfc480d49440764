// The reader's status bar as the user meets it: a fixture book with a cached feed, the bar at
// the bottom with its pane windows in order, and the panes' clicks.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "books/packer/BookPacker.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/FixtureReader.h"
#include "tests/reader/ReaderProcess.h"
#include "tests/reader/SettingsFolderOverride.h"

namespace {

using readertest::SettingsFolderOverride;

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

// A status window of another process. SB_ messages carry pointers that the system does not
// carry across processes, so the answers are written into memory lent inside the reader and
// read back from there.
class RemoteStatusBar
{
public:
    explicit RemoteStatusBar(HWND bar) : m_bar(bar)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(bar, &pid);
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process)
            m_remote = VirtualAllocEx(m_process, nullptr, kBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteStatusBar()
    {
        if (m_remote)
            VirtualFreeEx(m_process, m_remote, 0, MEM_RELEASE);
        if (m_process)
            CloseHandle(m_process);
    }
    RemoteStatusBar(const RemoteStatusBar&) = delete;
    RemoteStatusBar& operator=(const RemoteStatusBar&) = delete;

    bool IsReady() const { return m_remote != nullptr; }

    // The right edges of the parts.
    std::vector<int> Edges()
    {
        const int n = static_cast<int>(SendMessageW(m_bar, SB_GETPARTS, kMaxParts, Lend()));
        std::vector<int> edges(static_cast<size_t>(std::max(0, std::min(n, kMaxParts))));
        if (!edges.empty())
            Read(edges.data(), edges.size() * sizeof(int));
        return edges;
    }
    RECT PartRect(int part)
    {
        RECT rc = {};
        if (SendMessageW(m_bar, SB_GETRECT, static_cast<WPARAM>(part), Lend()))
            Read(&rc, sizeof(rc));
        return rc;
    }
    std::wstring Text(int part)
    {
        const LRESULT length = SendMessageW(m_bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0);
        if (LOWORD(length) >= kBytes / sizeof(wchar_t))
            return L"<too long>";
        std::vector<wchar_t> text(kBytes / sizeof(wchar_t), L'\0');
        SendMessageW(m_bar, SB_GETTEXTW, static_cast<WPARAM>(part), Lend());
        Read(text.data(), (LOWORD(length) + 1) * sizeof(wchar_t));
        return std::wstring(text.data());
    }

private:
    static constexpr int kMaxParts = 32;
    static constexpr size_t kBytes = 4096;

    LPARAM Lend()
    {
        std::vector<BYTE> zeros(kBytes, 0);
        WriteProcessMemory(m_process, m_remote, zeros.data(), kBytes, nullptr);
        return reinterpret_cast<LPARAM>(m_remote);
    }
    void Read(void* buffer, size_t bytes) { ReadProcessMemory(m_process, m_remote, buffer, bytes, nullptr); }

    HWND m_bar;
    HANDLE m_process = nullptr;
    void* m_remote = nullptr;
};

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}
} // namespace

// The reader on a fixture book, its settings folder holding a cached feed.
struct StatusBarScene : testing::Test
{
    testsupport::TempFolder folder;
    std::unique_ptr<SettingsFolderOverride> settingsOverride;
    readertest::ReaderProcess reader;
    HWND frame = nullptr;
    HWND bar = nullptr;

    void SetUp() override
    {
        const std::wstring settings = folder.File(L"settings\\");
        CreateDirectoryW(settings.c_str(), nullptr);
        testsupport::WriteFileBytes(settings + L"Ad.xml",
                                    "<Ads><Ad ID='1' Title='Scene title' URL='http://maker.example/'/></Ads>");
        settingsOverride.reset(new SettingsFolderOverride(settings));

        bookpacker::CBookPacker packer;
        readertest::AddHomePage(packer, readertest::UniqueName(L"status", L".htm"), L"status");
        const std::wstring exe = folder.File(L"StatusReader.exe");
        ASSERT_TRUE(readertest::MakeFixtureReader(packer, exe));
        frame = reader.StartAndWaitForFrame(exe);
        ASSERT_NE(frame, nullptr);
        bar = FindWindowExW(frame, nullptr, L"msctls_statusbar32", nullptr);
        ASSERT_NE(bar, nullptr);
    }
};

TEST_F(StatusBarScene, BarPanesAndTheirClicks)
{
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
    })) << panes.size()
        << " " << (panes.empty() ? L"" : TextOf(panes[0]).c_str()) << "|"
        << (panes.size() > 1 ? TextOf(panes[1]).c_str() : L"");
    HWND ad = panes[0], zoom = panes[1], icon = panes[2];
    EXPECT_EQ(TextOf(icon), L"");
    RECT rcAd = testsupport::WindowRectIn(ad, bar), rcZoom = testsupport::WindowRectIn(zoom, bar),
         rcIcon = testsupport::WindowRectIn(icon, bar);
    EXPECT_GT(rcAd.left, 0);
    EXPECT_GT(rcZoom.left - rcAd.right, 40) << "the three indicators lie between";
    EXPECT_LE(rcIcon.right, rcBar.right - rcBar.left);
    for (HWND pane : panes) {
        RECT rc = testsupport::WindowRectIn(pane, bar);
        EXPECT_GE(rc.top, 0);
        EXPECT_LE(rc.bottom, rcBar.bottom - rcBar.top);
    }

    // Parts: free text, advertisement, CAP, NUM, SCRL, zoom, icon; each pane window in its own.
    RemoteStatusBar remote(bar);
    ASSERT_TRUE(remote.IsReady());
    const std::vector<int> edges = remote.Edges();
    ASSERT_EQ(edges.size(), 7u);
    EXPECT_TRUE(std::is_sorted(edges.begin(), edges.end()));
    const int kAdPart = 1, kZoomPart = 5, kIconPart = 6;
    EXPECT_TRUE(Inside(rcAd, remote.PartRect(kAdPart)));
    EXPECT_TRUE(Inside(rcZoom, remote.PartRect(kZoomPart)));
    EXPECT_TRUE(Inside(rcIcon, remote.PartRect(kIconPart)));

    // A click steps the zoom.
    PostMessageW(zoom, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return TextOf(zoom) == L"125%"; })) << std::wstring(TextOf(zoom));

    // A right click opens the zoom menu, a popup of the bars, which takes its keys in front.
    PostMessageW(zoom, WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    HWND menu = reader.WaitForWindowOfClass(L"QorPopupBar", 10000);
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(readertest::PressKeys(frame, {}, VK_ESCAPE));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(menu) || !IsWindowVisible(menu); }));

    // The icon pane opens the about box.
    PostMessageW(icon, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    HWND about = reader.WaitForWindowOfClass(L"#32770", 10000);
    ASSERT_NE(about, nullptr);
    SendMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(about); }));
}

TEST_F(StatusBarScene, IndicatorsFollowTheLockKeysOfTheRunningReader)
{
    RemoteStatusBar remote(bar);
    ASSERT_TRUE(remote.IsReady());
    // The indicators come before the pane windows are added: wait for the whole bar.
    ASSERT_TRUE(testsupport::PumpUntil([&] { return remote.Edges().size() == 7; }, 15000));
    struct Indicator
    {
        WORD vk;
        int part;
        const wchar_t* text;
    } indicators[] = {{VK_CAPITAL, 2, L"CAP"}, {VK_NUMLOCK, 3, L"NUM"}, {VK_SCROLL, 4, L"SCRL"}};
    // Measured under Wine: the first lock-key press the reader gets leaves its toggle as it
    // was (whichever lock key comes first, also after a Shift press and with the reader's
    // thread holding the focus); every later press toggles. A press that shows nothing within
    // a while is therefore sent once more.
    auto pressUntil = [&](const Indicator& indicator, const std::wstring& expected) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (!readertest::PressKeys(frame, {}, indicator.vk))
                return false;
            if (testsupport::PumpUntil([&] { return remote.Text(indicator.part) == expected; }, 3000))
                return true;
        }
        return false;
    };
    for (const Indicator& indicator : indicators) {
        const std::wstring before = remote.Text(indicator.part);
        ASSERT_TRUE(before.empty() || before == indicator.text) << std::string(before.begin(), before.end());
        const std::wstring toggled = before.empty() ? indicator.text : L"";
        // The key goes to the reader in front; pressing it again gives the toggle back.
        EXPECT_TRUE(pressUntil(indicator, toggled))
            << "part " << indicator.part << " stayed \"" << std::string(before.begin(), before.end()) << "\"";
        EXPECT_TRUE(pressUntil(indicator, before)) << "part " << indicator.part << " kept its toggled text";
    }
}
