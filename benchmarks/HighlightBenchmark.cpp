// Search-hit highlighting: pages of 2,500, 10,000 and 40,000 hits of one letter, half in a long
// preformatted text and half in paragraphs with inline markup. Measures the pass that runs
// when a page opens (one pass over the page's text, the first batch of hits), one step past
// the last hit shown (the next batch), and every hit batch after batch, beside the former way
// of finding and pasting each hit in turn on pages of 1,000 and 4,000 hits. Prints the growth
// for four times the hits.
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

// One "e" per hit: half on the lines of one preformatted text, half in paragraphs with markup.
std::wstring MakePage(int hits)
{
    std::wstring page = L"<html><body><pre>";
    for (int i = 0; i < hits / 2; ++i)
        page += L"row " + std::to_wstring(i) + L": a hit, an e\n";
    page += L"</pre>";
    for (int i = hits / 2; i < hits; ++i)
        page += L"<p>part " + std::to_wstring(i) + L" <b>of</b> <i>words</i> <u>with</u> an e</p>";
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
    double opening[3] = {}, step[3] = {}, whole[3] = {};
    std::printf("%8s | %12s %16s %16s\n", "hits", "opening ms", "one step on ms", "every hit ms");
    for (int s = 0; s < 3; ++s) {
        const std::wstring html = MakePage(sizes[s]);
        int wrapped = 0, stepped = 0, all = 0;
        // The page opens: the first hits are highlighted.
        opening[s] = Best(5, [&] {
            auto document = Parse(html);
            const double start = benchmark::Now();
            size_t next = kNoMoreHits;
            wrapped = HighlightHits(document, L"e", 0, next);
            return benchmark::Now() - start;
        });
        // Stepping passes the last of them: the next ones are highlighted.
        step[s] = Best(5, [&] {
            auto document = Parse(html);
            size_t next = kNoMoreHits;
            HighlightHits(document, L"e", 0, next);
            const double start = benchmark::Now();
            stepped = HighlightHits(document, L"e", next, next);
            return benchmark::Now() - start;
        });
        // Every hit of the page, one batch after another.
        whole[s] = Best(3, [&] {
            auto document = Parse(html);
            const double start = benchmark::Now();
            size_t next = 0;
            all = 0;
            while (next != kNoMoreHits)
                all += HighlightHits(document, L"e", next, next);
            return benchmark::Now() - start;
        });
        std::printf("%8d | %12.2f %16.2f %16.2f   (%d, %d and %d wrapped)\n", sizes[s], opening[s], step[s], whole[s],
                    wrapped, stepped, all);
    }
    const double openingGrowth = opening[2] / opening[1], stepGrowth = step[2] / step[1];
    std::printf("four times the hits (40,000 / 10,000): opening %.2f x, one step on %.2f x, every hit %.2f x\n",
                openingGrowth, stepGrowth, whole[2] / whole[1]);

    // The former way, on smaller pages: it grows with the square of the hits.
    const int smaller[] = {1000, 4000};
    double before[2] = {};
    for (int s = 0; s < 2; ++s) {
        auto document = Parse(MakePage(smaller[s]));
        const double start = benchmark::Now();
        const int hits = FindAndPaste(*document);
        before[s] = benchmark::Now() - start;
        std::printf("find and paste each hit: %5d hits %10.1f ms\n", hits, before[s]);
    }
    std::printf("find and paste, four times the hits (4,000 / 1,000): %.1f x\n", before[1] / before[0]);

    const bool met = openingGrowth <= 5.0 && stepGrowth <= 5.0;
    std::printf("goal: opening and each step on grow linearly, at most 5 x the time for four times the hits: %s\n",
                met ? "met" : "missed");
    return met ? 0 : 1;
}
