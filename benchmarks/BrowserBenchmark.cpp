// Page engine benchmark: parse, layout and first paint of a typical 20 KB page and of 1 MB and
// 4 MB pages of mixed content, in one run. Prints milliseconds per stage and the 4 MB / 1 MB ratio.
#include "platform/browser/Document.h"
#include "platform/browser/ImageLoader.h"
#include "platform/browser/Layout.h"
#include "platform/browser/Painter.h"
#include <windows.h>
#include <psapi.h>
#include <cstdio>
#include <string>

using namespace fxb;

namespace {

// Mixed content like a book's pages: headings, paragraphs with inline markup, lists, tables,
// preformatted text and entities.
std::wstring MakePage(size_t targetChars)
{
    std::wstring page = L"<html><head><title>Benchmark</title><style>p.note { color: #335; margin-left: 2em }"
                        L" td { border: 1px solid #999; padding: 2px } h2 { font-family: Arial }"
                        L" .box b { color: red }</style></head><body>";
    int section = 0;
    while (page.size() < targetChars) {
        std::wstring n = std::to_wstring(section++);
        page += L"<h2 id='s" + n + L"'>Chapter " + n + L"</h2>";
        page += L"<p>The <b>quick</b> brown <i>fox</i> jumps over the <a href='p" + n +
                L".htm'>lazy dog</a> &amp; runs away; the dog sleeps on in the afternoon sun while the "
                L"fox disappears into the wood behind the old house at the end of the lane.</p>";
        page += L"<p class=note>Notes &mdash; <span style='font-size:90%'>small print</span> with &copy; 2024 "
                L"and a longer sentence that wraps over several lines of the page at any usual width.</p>";
        page += L"<ul><li>first item<li>second item with <u>underline</u><li>third item</ul>";
        page += L"<table cellspacing=0><tr><td>cell one</td><td>cell two</td><td>3</td></tr>"
                L"<tr><td colspan=2>wide cell</td><td>x</td></tr></table>";
        page += L"<div class=box><b>Box</b> text in a division.</div><pre>  code  line\n  next line</pre>";
    }
    page += L"</body></html>";
    return page;
}

double Now()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

struct Timing
{
    double parse, layout, paint;
    double Total() const { return parse + layout + paint; }
};

Timing Measure(const std::wstring& page)
{
    Timing t{};
    double a = Now();
    auto doc = Document::Create(L"C:\\bench\\page.htm", page, 1200, 2);
    doc->Stream();
    double b = Now();
    LayoutTree layout(*doc, 1000, 1.0f, true);
    double c = Now();
    Image canvas(1000, 800);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, canvas.Bitmap());
    PaintOptions opt;
    opt.clip = {0, 0, 1000, 800};
    Painter(*doc, layout).Paint(dc, opt);
    GdiFlush();
    double d = Now();
    SelectObject(dc, old);
    DeleteDC(dc);
    t.parse = b - a;
    t.layout = c - b;
    t.paint = d - c;
    return t;
}

} // namespace

int wmain()
{
    struct Size
    {
        const char* name;
        size_t chars;
    };
    const Size sizes[] = {
        {"20 KB", 10 * 1024}, {"1 MB", 512 * 1024}, {"4 MB", 2 * 1024 * 1024}}; // UTF-16: 2 bytes a character
    Measure(MakePage(10 * 1024));                                               // warm the font caches
    double total[3] = {};
    std::printf("%-6s %10s %10s %10s %10s\n", "page", "parse ms", "layout ms", "paint ms", "total ms");
    for (int i = 0; i < 3; ++i) {
        std::wstring page = MakePage(sizes[i].chars);
        Timing t = Measure(page);
        total[i] = t.Total();
        std::printf("%-6s %10.1f %10.1f %10.1f %10.1f\n", sizes[i].name, t.parse, t.layout, t.paint, t.Total());
    }
    double ratio = total[2] / (total[1] > 0 ? total[1] : 1);
    std::printf("4 MB / 1 MB: %.2f (linear growth gives about 4, the limit is 5)\n", ratio);
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    if (GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc)))
        std::printf("peak working set: %lu MB\n", static_cast<unsigned long>(pmc.PeakWorkingSetSize >> 20));
    return ratio <= 5.0 ? 0 : 1;
}
