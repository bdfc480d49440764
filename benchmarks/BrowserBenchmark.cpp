// Page engine benchmark: parse, layout and first paint of a typical 20 KB page and of 1 MB and
// 4 MB pages of mixed content, in one run. Prints the median milliseconds per stage over several
// runs, how much of the parse the document tree alone takes, the 4 MB / 1 MB ratio and the goals.
#include "benchmarks/BenchmarkTiming.h"
#include "platform/browser/Document.h"
#include "platform/browser/HtmlParser.h"
#include "platform/browser/ImageLoader.h"
#include "platform/browser/Layout.h"
#include "platform/browser/Painter.h"
#include <windows.h>
#include <psapi.h>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

using namespace fxb;
using benchmark::Median;
using benchmark::Now;

// Every allocation of the program comes through here, so that the benchmark can say how many
// building the document tree takes: a count that the machine's load does not blur.
static size_t g_allocations = 0;

void* operator new(size_t size)
{
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, size_t) noexcept
{
    std::free(p);
}

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

struct Timing
{
    double parse, layout, paint;
    double Total() const { return parse + layout + paint; }
};

// The document tree alone, as the parse builds it before styles and the text stream; counts
// the allocations it makes.
double MeasureTree(const std::wstring& page, size_t& allocations)
{
    size_t before = g_allocations;
    double a = Now();
    std::unique_ptr<Node> root = ParseHtmlDocument(page);
    double b = Now();
    allocations = g_allocations - before;
    DestroyTree(std::move(root));
    return b - a;
}

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
        int runs;
    };
    const Size sizes[] = {{"20 KB", 10 * 1024, 9}, {"1 MB", 512 * 1024, 7}, {"4 MB", 2 * 1024 * 1024, 3}}; // UTF-16
    Measure(MakePage(10 * 1024)); // warm the font caches
    double total[3] = {};
    std::printf("medians of several runs each, the fastest run's total, and the allocations of the tree\n");
    std::printf("%-6s %10s %10s %10s %10s %10s %10s %12s\n", "page", "parse ms", "(tree ms)", "layout ms", "paint ms",
                "total ms", "fastest ms", "tree allocs");
    for (int i = 0; i < 3; ++i) {
        std::wstring page = MakePage(sizes[i].chars);
        std::vector<double> parse, tree, layout, paint, sum;
        size_t allocations = 0;
        for (int run = 0; run < sizes[i].runs; ++run) {
            Timing t = Measure(page);
            parse.push_back(t.parse);
            layout.push_back(t.layout);
            paint.push_back(t.paint);
            sum.push_back(t.Total());
            tree.push_back(MeasureTree(page, allocations));
        }
        total[i] = Median(sum);
        std::printf("%-6s %10.2f %10.2f %10.2f %10.2f %10.2f %10.2f %12zu\n", sizes[i].name, Median(parse),
                    Median(tree), Median(layout), Median(paint), total[i], *std::min_element(sum.begin(), sum.end()),
                    allocations);
    }
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    if (GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc)))
        std::printf("peak working set: %lu MB\n", static_cast<unsigned long>(pmc.PeakWorkingSetSize >> 20));
    benchmark::ReportGoal("1 MB page, parse + layout + first paint, ms", total[1], "at most 100", total[1] <= 100.0);
    double ratio = total[2] / (total[1] > 0 ? total[1] : 1);
    // Linear growth gives about 4.
    return benchmark::ReportGoal("4 MB / 1 MB", ratio, "at most 5", ratio <= 5.0) ? 0 : 1;
}
