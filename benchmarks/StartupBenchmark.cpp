// Start-up of the reader against a bare window: a fixture reader whose Home page is one colour
// (no splash screen, no password) and bare_window.exe, a window of the reader's size filled
// with one colour, built and linked the same way. Each start is timed from just before
// CreateProcess until sample points of the view (the reader) or of the client (the bare
// window) show their colour on the screen, polled every 2 ms; then the program is closed and
// waited for. One discarded start of each, then ten of each in turn; prints the medians,
// minima, maxima and the ratio the reader is held to. Reads the screen: run it alone on its
// display.
//
//   startup_benchmark --feed   the same reader started with a cached announcement feed of
//                              100,000 entries against an empty cached feed, alternated.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "benchmarks/BenchmarkTiming.h"
#include "books/packer/BookPacker.h"
#include "platform/framework/FrameworkIds.h"
#include "tests/common/ProcessWindows.h"
#include "tests/reader/SettingsFolderOverride.h"

namespace {

const int kRuns = 10;
const DWORD kPollMs = 2;
const double kGiveUpMs = 60000.0;
const double kGoal = 2.0;
// The fixture's Home page, and the bare window's fill (bare_window.exe).
const COLORREF kPageColour = RGB(0x2A, 0x6E, 0x3C);
const COLORREF kBareColour = RGB(0xC8, 0x3C, 0x28);

using benchmark::Median;
using benchmark::Now;

std::wstring ExecutableFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// A copy of the reader beside this program carrying a book whose Home page is one colour.
bool MakeFixtureReader(const std::wstring& exePath)
{
    bookpacker::CBookPacker packer;
    packer.settings.bookName = L"Start-up fixture";
    bookpacker::BookNode home;
    home.title = L"Home";
    home.url = L"http://fixture.example/startup.htm";
    home.home = true;
    home.files = {{packer.AddPage(L"<html><body style='margin:0;background:#2A6E3C'></body></html>"), L"startup.htm"}};
    packer.nodes.push_back(home);
    std::vector<BYTE> settings;
    if (!packer.BuildSettingsResource(settings))
        return false;
    if (!::CopyFileW((ExecutableFolder() + L"FolionyxReader.exe").c_str(), exePath.c_str(), FALSE))
        return false;
    return bookpacker::EmbedBookInExecutable(exePath, settings, packer.PackedFiles());
}

HWND TopLevelOf(DWORD pid)
{
    return testsupport::FindProcessWindow(pid, testsupport::IsUnownedWindow, nullptr);
}

// The window whose client must show the colour: the reader's view, or the bare window itself.
HWND SampledWindow(HWND topLevel, bool bReader)
{
    return bReader ? ::GetDlgItem(topLevel, AFX_IDW_PANE_FIRST) : topLevel;
}

// Whether the centre and four points near the corners of the client show the colour.
bool ShowsColour(HWND hwnd, COLORREF colour)
{
    RECT rc;
    if (!::IsWindowVisible(hwnd) || !::GetClientRect(hwnd, &rc) || rc.right < 20 || rc.bottom < 20)
        return false;
    ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    const int dx = (rc.right - rc.left) / 8;
    const int dy = (rc.bottom - rc.top) / 8;
    const POINT points[] = {{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2},
                            {rc.left + dx, rc.top + dy},
                            {rc.right - dx, rc.top + dy},
                            {rc.left + dx, rc.bottom - dy},
                            {rc.right - dx, rc.bottom - dy}};
    HDC hScreen = ::GetDC(nullptr);
    bool bAll = true;
    for (const POINT& pt : points)
        if (::GetPixel(hScreen, pt.x, pt.y) != colour) {
            bAll = false;
            break;
        }
    ::ReleaseDC(nullptr, hScreen);
    return bAll;
}

struct Start
{
    double ms = -1.0;      // negative: the colour never showed
    double shownMs = -1.0; // until the top-level window was first seen
    RECT window = {};
};

// Starts a program, times it until its colour shows, then closes it and waits for it.
Start TimeStart(const std::wstring& exe, const std::wstring& arguments, bool bReader)
{
    Start result;
    std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    const double t0 = Now();
    if (!::CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "cannot start %ls (error %lu)\n", exe.c_str(), ::GetLastError());
        return result;
    }
    const COLORREF colour = bReader ? kPageColour : kBareColour;
    HWND topLevel = nullptr;
    for (;;) {
        if (!topLevel) {
            topLevel = TopLevelOf(pi.dwProcessId);
            if (topLevel)
                result.shownMs = Now() - t0;
        }
        if (topLevel) {
            HWND sampled = SampledWindow(topLevel, bReader);
            if (sampled && ShowsColour(sampled, colour)) {
                result.ms = Now() - t0;
                break;
            }
        }
        if (Now() - t0 > kGiveUpMs || ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0)
            break;
        ::Sleep(kPollMs);
    }
    if (topLevel) {
        ::GetWindowRect(topLevel, &result.window);
        ::PostMessageW(topLevel, WM_CLOSE, 0, 0);
    }
    if (::WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "%ls did not close; ended\n", exe.c_str());
        ::TerminateProcess(pi.hProcess, 1);
        ::WaitForSingleObject(pi.hProcess, 5000);
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return result;
}

void PrintRow(const char* name, const std::vector<double>& times)
{
    std::printf("%-14s median %8.1f ms   min %8.1f ms   max %8.1f ms\n", name, Median(times),
                *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()));
}

bool WriteFeed(const std::wstring& path, int entries)
{
    std::string xml = "<?xml version='1.0'?><Ads>";
    for (int i = 0; i < entries; ++i)
        xml += "<Ad ID='" + std::to_string(i) + "' Title='Announcement " + std::to_string(i) +
               "' URL='http://maker.example/" + std::to_string(i) + "'/>";
    xml += "</Ads>";
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(file, xml.data(), DWORD(xml.size()), &written, nullptr) && written == xml.size();
    ::CloseHandle(file);
    return ok;
}

// The reader with an empty cached feed against the same reader with a feed of 100,000 entries
// (several MB) in its settings folder, alternated.
int MeasureCachedFeed(const std::wstring& reader)
{
    const int kEntries = 100000;
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring emptyFolder = std::wstring(temp) + L"StartupFeedEmpty\\";
    const std::wstring largeFolder = std::wstring(temp) + L"StartupFeedLarge\\";
    ::CreateDirectoryW(emptyFolder.c_str(), nullptr);
    ::CreateDirectoryW(largeFolder.c_str(), nullptr);
    if (!WriteFeed(emptyFolder + L"Ad.xml", 0) || !WriteFeed(largeFolder + L"Ad.xml", kEntries)) {
        std::fprintf(stderr, "cannot write the cached feeds\n");
        return 1;
    }
    std::vector<double> emptyTimes, largeTimes;
    for (int i = -1; i < kRuns; i++) {
        Start empty, large;
        {
            readertest::SettingsFolderOverride settings(emptyFolder);
            empty = TimeStart(reader, L"", true);
        }
        {
            readertest::SettingsFolderOverride settings(largeFolder);
            large = TimeStart(reader, L"", true);
        }
        if (empty.ms < 0 || large.ms < 0) {
            std::fprintf(stderr, "run %d: the Home page never showed\n", i + 1);
            return 1;
        }
        if (i < 0)
            continue; // warms the Wine server and the file cache
        emptyTimes.push_back(empty.ms);
        largeTimes.push_back(large.ms);
        std::printf("run %2d: empty feed %7.1f ms, %d entries %7.1f ms\n", i + 1, empty.ms, kEntries, large.ms);
        std::fflush(stdout);
    }
    ::DeleteFileW((emptyFolder + L"Ad.xml").c_str());
    ::DeleteFileW((largeFolder + L"Ad.xml").c_str());
    ::RemoveDirectoryW(emptyFolder.c_str());
    ::RemoveDirectoryW(largeFolder.c_str());
    std::printf("\nStart-up until the Home page shows, %d runs each:\n", kRuns);
    PrintRow("empty feed", emptyTimes);
    PrintRow("large feed", largeTimes);
    const double ratio = Median(largeTimes) / Median(emptyTimes);
    const double kFeedGoal = 1.2;
    std::printf("cached feed of %d entries / empty cached feed: %.2f (goal at most %.1f): %s\n", kEntries, ratio,
                kFeedGoal, ratio <= kFeedGoal ? "met" : "missed");
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring reader = std::wstring(temp) + L"StartupFixtureReader.exe";
    if (!MakeFixtureReader(reader)) {
        std::fprintf(stderr, "cannot make the fixture reader beside FolionyxReader.exe\n");
        return 1;
    }
    if (argc > 1 && std::wstring(argv[1]) == L"--feed") {
        const int result = MeasureCachedFeed(reader);
        ::DeleteFileW(reader.c_str());
        return result;
    }
    const std::wstring bare = ExecutableFolder() + L"bare_window.exe";

    // The discarded starts: they warm the Wine server, the prefix and the file cache, and the
    // reader's tells the bare window its size.
    const Start first = TimeStart(reader, L"", true);
    if (first.ms < 0) {
        std::fprintf(stderr, "the reader's Home page never showed\n");
        return 1;
    }
    const RECT& rc = first.window;
    wchar_t size[64];
    std::swprintf(size, 64, L"%ld %ld", rc.right - rc.left, rc.bottom - rc.top);
    if (TimeStart(bare, size, false).ms < 0) {
        std::fprintf(stderr, "the bare window never showed\n");
        return 1;
    }

    std::vector<double> bareTimes, readerTimes, bareShown, readerShown;
    for (int i = 0; i < kRuns; i++) {
        const Start b = TimeStart(bare, size, false);
        const Start r = TimeStart(reader, L"", true);
        if (b.ms < 0 || r.ms < 0) {
            std::fprintf(stderr, "run %d: a colour never showed\n", i + 1);
            return 1;
        }
        bareTimes.push_back(b.ms);
        readerTimes.push_back(r.ms);
        bareShown.push_back(b.shownMs);
        readerShown.push_back(r.shownMs);
        std::printf("run %2d: bare window %7.1f ms, reader %7.1f ms\n", i + 1, b.ms, r.ms);
        std::fflush(stdout);
    }
    ::DeleteFileW(reader.c_str());

    std::printf("\nStart-up until the first frame shows its colour, window %ld x %ld, %d runs each:\n",
                rc.right - rc.left, rc.bottom - rc.top, kRuns);
    PrintRow("bare window", bareTimes);
    PrintRow("reader", readerTimes);
    // Where the reader's time goes: before its frame exists (process start, the book, the
    // frame's creation) and after (bars, panes and the Home page until it paints).
    std::printf("until the top-level window is seen: bare window median %.1f ms, reader median %.1f ms\n",
                Median(bareShown), Median(readerShown));
    const double ratio = Median(readerTimes) / Median(bareTimes);
    benchmark::ReportGoal("reader / bare window", ratio, "at most 2.0", ratio <= kGoal);
    return 0;
}
