// Search-hit highlighting: pages of 2,500, 10,000 and 40,000 hits of one letter, half in a long
// preformatted text and half in paragraphs with inline markup. Measures the pass that runs
// when a page opens (one pass over the page's text, at most the first batch of hits) and the
// whole page highlighted batch after batch as stepping would, beside the former way of finding
// and pasting each hit in turn on pages of 1,000 and 4,000 hits. Prints the growth for four times the hits.
//
//   wine highlight_benchmark.exe
#include "platform/browser/Document.h"
#include "reader/ui/SearchHighlight.h"
#include "benchmarks/BenchmarkTiming.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

namespace {

std::wstring MakePage(int hits)
{
    std::wstring page = L"<html><body><pre>";
    for (int i = 0; i < hits / 2; ++i)
        page += L"line " + std::to_wstring(i) + L": a word with one vowel\n";
    page += L"</pre>";
    for (int i = hits / 2; i < hits; ++i)
        page += L"<p>paragraph " + std::to_wstring(i) + L" <b>of</b> <i>words</i> <u>with</u> one vowel</p>";
    page += L"</body></html>";
    return page;
}

std::shared_ptr<fxb::Document> Parse(const std::wstring& html)
{
    return fxb::Document::Create(L"file:///C:/page.htm", html, 65001, 2);
}

// The way hits were wrapped before: find one, paste a hit element over it, go on after it.
int FindAndPaste(fxb::Document& document)
{
    auto range = document.body().createTextRange();
    int hits = 0;
    while (range->findText(L"e", 0, 0)) {
        range->pasteHTML(L"<span id='fxsearchresult' style='color: black; background-color: #99FF99; "
                         L"font-weight: bold'>" +
                         range->htmlText() + L"</span>");
        range->moveEnd(L"Textedit", 1);
        ++hits;
    }
    return hits;
}

double Best(int runs, const std::function<double()>& measure)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, measure());
    return best;
}

} // namespace

int wmain()
{
    const int sizes[] = {2500, 10000, 40000};
    double opening[3] = {}, whole[3] = {};
    std::printf("%8s | %14s %18s\n", "hits", "opening ms", "every hit ms");
    for (int s = 0; s < 3; ++s) {
        const std::wstring html = MakePage(sizes[s]);
        int wrapped = 0;
        opening[s] = Best(5, [&] {
            auto document = Parse(html);
            const double start = benchmark::Now();
            size_t next = kNoMoreHits;
            wrapped = HighlightHits(document, L"e", 0, next);
            return benchmark::Now() - start;
        });
        int all = 0;
        whole[s] = Best(3, [&] {
            auto document = Parse(html);
            const double start = benchmark::Now();
            size_t next = 0;
            all = 0;
            while (next != kNoMoreHits)
                all += HighlightHits(document, L"e", next, next);
            return benchmark::Now() - start;
        });
        std::printf("%8d | %14.2f %18.2f   (%d then %d wrapped)\n", sizes[s], opening[s], whole[s], wrapped, all);
    }
    const double openingGrowth = opening[2] / opening[1];
    const double wholeGrowth = whole[2] / whole[1];
    std::printf("four times the hits (40,000 / 10,000): opening %.2f x, every hit %.2f x\n", openingGrowth,
                wholeGrowth);

    // The former way, on smaller pages: it grows with the square of the hits.
    const int smaller[] = {1000, 4000};
    double before[2] = {};
    for (int s = 0; s < 2; ++s) {
        const std::wstring html = MakePage(smaller[s]);
        auto document = Parse(html);
        const double start = benchmark::Now();
        const int hits = FindAndPaste(*document);
        before[s] = benchmark::Now() - start;
        std::printf("find and paste each hit: %5d hits %10.1f ms\n", hits, before[s]);
    }
    std::printf("find and paste, four times the hits (4,000 / 1,000): %.1f x\n", before[1] / before[0]);

    const bool met = openingGrowth <= 5.0 && wholeGrowth <= 5.0;
    std::printf("goal: highlighting grows linearly, at most 5 x the time for four times the hits: %s\n",
                met ? "met" : "missed");
    return met ? 0 : 1;
}
