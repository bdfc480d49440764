// Packed-file benchmark: builds a book of about 50 MB of pages in memory and measures,
// in one run, raw zlib inflation of every record, SearchFiles over the same records,
// the search pane over a contents tree of one item per page against bare SearchFiles,
// the extraction of a page with 20 companion files, the load of a settings document whose
// 20,000 contents items stand at one level against the same count in ten levels, the copy
// of a 20 MB file through CopyFileViaStream against CopyFileW, and the extraction and search of
// records that inflate to 64 and 256 MB.
//
//   wine packed_files_benchmark.exe [megabytes of pages] [contents items]
//
// Exits non-zero when the search pane takes more than 1.2 times the bare search, the contents
// at one level take more than 1.5 times the same contents in ten levels, or the copy more than
// 1.5 times CopyFileW.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <psapi.h>
#include <zlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <algorithm>
#include <vector>
#include "books/packer/BookPacker.h"
#include "platform/framework/WinApp.h"
#include "reader/app/FileUtil.h"
#include "reader/book/ExeBookDocument.h"
#include "reader/book/ExeBookResourceFiles.h"
#include "reader/ui/AttachmentsListCtrl.h"
#include "reader/ui/ExeBookTreeCtrl.h"
#include "reader/ui/ReaderNavigationHost.h"
#include "reader/ui/SearchDlg.h"
#include "resources/resource.h"

namespace {

class CStopwatch
{
public:
    CStopwatch()
    {
        QueryPerformanceFrequency(&m_frequency);
        QueryPerformanceCounter(&m_start);
    }
    double Seconds() const
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return double(now.QuadPart - m_start.QuadPart) / double(m_frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_frequency, m_start;
};

// Deterministic pseudo-random words, so that pages compress like prose.
class CWordSource
{
public:
    std::wstring Word()
    {
        static const wchar_t* const words[] = {
            L"the",      L"reader", L"page",       L"book",      L"contents", L"of",       L"and",      L"with",
            L"a",        L"window", L"chapter",    L"search",    L"text",     L"is",       L"in",       L"to",
            L"zoom",     L"folder", L"attachment", L"link",      L"scroll",   L"print",    L"open",     L"next",
            L"previous", L"image",  L"pane",       L"tool",      L"bar",      L"settings", L"language", L"module",
            L"shows",    L"user",   L"keyword",    L"highlight", L"frame",    L"status",   L"menu",     L"it",
        };
        m_state = m_state * 1103515245u + 12345u;
        return words[(m_state >> 16) % (sizeof(words) / sizeof(words[0]))];
    }

private:
    unsigned m_state = 12345;
};

std::wstring MakePage(CWordSource& words, size_t characters, int number)
{
    std::wstring page = L"<html><head><title>Page " + std::to_wstring(number) + L"</title></head><body><p>";
    int sentence = 0;
    while (page.size() < characters) {
        page += words.Word();
        if (++sentence % 14 == 0)
            page += L".</p>\r\n<p>";
        else
            page += L' ';
    }
    page += L"</p></body></html>";
    return page;
}

std::vector<BYTE> RandomBytes(size_t n, unsigned seed)
{
    std::vector<BYTE> bytes(n);
    for (size_t i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = BYTE(seed >> 16);
    }
    return bytes;
}

bool LoadIndexFromRecords(const bookpacker::CBookPacker& packer, CExeBookResourceFiles& index)
{
    for (const bookpacker::PackedRecord& record : packer.Records())
        index.push_back({record.id, record.begin, record.fileSize, record.bufferSize});
    return !index.empty();
}

void RemoveFolder(const std::wstring& folder)
{
    std::wstring from = folder;
    if (!from.empty() && from.back() == L'\\')
        from.pop_back();
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&op);
}

// The frame of the search pane: a contents tree of one item per page, searched over the
// book in memory as the reader's frame searches its own. The pane keeps the size of its
// template.
class CPaneHost : public CWnd, public CReaderNavigationHost
{
public:
    CPaneHost(const CExeBookResourceFiles& index, const EXEBOOKPACKEDDATA& data) : m_index(index), m_data(data) {}

    bool Create(CExeBookDocument& settings)
    {
        return CreateEx(0, AfxRegisterWndClass(0), L"search host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 800,
                        nullptr, nullptr) &&
               m_tree.CreateEx(0, WS_CHILD | TVS_HASBUTTONS, CRect(0, 0, 10, 10), this, 1) && m_tree.Load(settings) &&
               m_pane.Create(this) && (m_pane.SetHost(this), true) && (m_pane.ShowWindow(SW_SHOW), true);
    }

    // Types the keyword, presses Enter in the edit and waits for the rows to be painted.
    int SearchInPane(LPCWSTR keyword)
    {
        m_pane.GetKeywordEdit().SetWindowText(keyword);
        MSG msg = {};
        msg.hwnd = m_pane.GetKeywordEdit().GetSafeHwnd();
        msg.message = WM_KEYDOWN;
        msg.wParam = VK_RETURN;
        m_pane.PreTranslateMessage(&msg);
        m_pane.GetResultList().UpdateWindow();
        return m_pane.GetResultList().GetItemCount();
    }

    HTREEITEM ResolveTreeLink(LPCTSTR) override { return nullptr; }
    void SelectTreeItem(HTREEITEM, LPCTSTR) override {}
    void SetZoomPaneText(LPCTSTR) override {}
    void SearchItems(LPCTSTR lpszText, std::vector<HTREEITEM>& items) override
    {
        m_tree.SearchItems(lpszText, m_index, m_data, items);
    }
    CString GetItemTitle(HTREEITEM hItem) override { return m_tree.GetItemText(hItem); }

private:
    const CExeBookResourceFiles& m_index;
    const EXEBOOKPACKEDDATA& m_data;
    CExeBookTreeCtrl m_tree;
    CSearchDlg m_pane;
};

// Best of three searches through the pane beside best of three bare SearchFiles calls, for a
// word on one page and a word on every page. FALSE when a search finds what it should not or
// the pane takes more than 1.2 times the bare search.
bool MeasureSearchPane(bookpacker::CBookPacker& packer, const CExeBookResourceFiles& index,
                       const EXEBOOKPACKEDDATA& data, int pageCount)
{
    for (int id = 1; id <= pageCount; ++id) {
        bookpacker::BookNode node;
        node.title = L"Page " + std::to_wstring(id);
        node.files.push_back({id, L"page" + std::to_wstring(id) + L".htm"});
        packer.nodes.push_back(node);
    }
    std::wstring xml;
    CExeBookDocument settings;
    if (!packer.BuildSettingsXml(xml) || !settings.LoadXML(xml.c_str())) {
        printf("the contents do not load\n");
        return false;
    }
    CPaneHost host(index, data);
    if (!host.Create(settings)) {
        printf("the search pane cannot be made\n");
        return false;
    }
    struct Word
    {
        const wchar_t* text;
        int rows;
    };
    bool within = true;
    for (const Word& word : {Word{L"QUIXOTIC", 1}, Word{L"reader", pageCount}}) {
        double bare = 1e9, pane = 1e9;
        for (int run = 0; run < 3; ++run) {
            CExeBookResourceFiles hits;
            CStopwatch search;
            SearchFiles(index, data, word.text, hits);
            bare = std::min(bare, search.Seconds());
            CStopwatch inPane;
            const int rows = host.SearchInPane(word.text);
            pane = std::min(pane, inPane.Seconds());
            if (rows != word.rows) {
                printf("the pane lists %d rows for \"%ls\", not %d\n", rows, word.text, word.rows);
                return false;
            }
        }
        const double ratio = pane / bare;
        printf("search pane:  %7.3f s  bare SearchFiles %7.3f s  ratio %.2f  (\"%ls\", %d rows)\n", pane, bare, ratio,
               word.text, word.rows);
        within = within && ratio <= 1.2;
    }
    host.DestroyWindow();
    if (!within)
        printf("the search pane takes more than 1.2 times the bare search\n");
    return within;
}

// A record that inflates to `size` bytes of `unit` repeated, deflated piece by piece so that
// the whole file is never held here.
std::vector<BYTE> MakeLargeRecord(int id, DWORD size, const std::vector<BYTE>& unit)
{
    std::vector<BYTE> record(28, 0);
    const DWORD fields[] = {DWORD(id), 0, size};
    for (int f = 0; f < 3; ++f)
        for (int b = 0; b < 4; ++b)
            record[size_t(f * 4 + b)] = BYTE(fields[f] >> (8 * b));
    std::vector<BYTE> piece;
    while (piece.size() < (1u << 20))
        piece.insert(piece.end(), unit.begin(), unit.end());
    z_stream stream = {};
    deflateInit(&stream, Z_BEST_COMPRESSION);
    std::vector<BYTE> out(1 << 16);
    DWORD left = size;
    int flush = Z_NO_FLUSH;
    do {
        const DWORD take = std::min<DWORD>(left, DWORD(piece.size()));
        left -= take;
        flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
        stream.next_in = piece.data();
        stream.avail_in = take;
        do {
            stream.next_out = out.data();
            stream.avail_out = uInt(out.size());
            deflate(&stream, flush);
            record.insert(record.end(), out.data(), out.data() + (out.size() - stream.avail_out));
        } while (stream.avail_out == 0);
    } while (flush != Z_FINISH);
    deflateEnd(&stream);
    const DWORD stored = DWORD(record.size() - 28);
    for (int b = 0; b < 4; ++b)
        record[size_t(4 + b)] = BYTE(stored >> (8 * b));
    return record;
}

double PeakMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakPagefileUsage / (1024.0 * 1024.0);
}

// Records that inflate to 64 and 256 MB, one of zero bytes (an attachment) and one of UTF-16
// text: extraction on the first visit and on the next, and a search of both, with the peak
// memory they add. FALSE when four times the size takes more than 5 times as long.
bool MeasureLargeRecords(const std::wstring& folder)
{
    const DWORD sizes[] = {64u << 20, 256u << 20};
    double firstVisit[2] = {}, search[2] = {};
    const double peakBefore = PeakMegabytes();
    for (int s = 0; s < 2; ++s) {
        std::vector<BYTE> packed = MakeLargeRecord(1, sizes[s], std::vector<BYTE>(16, 0));
        const int textBegin = int(packed.size());
        const std::vector<BYTE> text = MakeLargeRecord(2, sizes[s], {'a', 0, 'b', 0});
        packed.insert(packed.end(), text.begin(), text.end());
        CExeBookResourceFiles index;
        index.push_back({1, 0, int(sizes[s]), textBegin - 28});
        index.push_back({2, textBegin, int(sizes[s]), int(text.size() - 28)});
        const EXEBOOKPACKEDDATA data = {packed.data(), DWORD(packed.size())};
        const std::wstring path = folder + L"large.bin";
        CreateDirectoryW(folder.c_str(), nullptr);
        DeleteFileW(path.c_str());
        CStopwatch first;
        const int written = ExtractFileById(1, data, index, path.c_str());
        firstVisit[s] = first.Seconds();
        CStopwatch again;
        ExtractFileById(1, data, index, path.c_str());
        const double againSeconds = again.Seconds();
        CExeBookResourceFiles hits;
        CStopwatch searching;
        SearchFiles(index, data, L"BAB", hits);
        search[s] = searching.Seconds();
        printf("record of %3u MB (%.2f MB stored): extract %6.3f s (%s), again %6.4f s; search %6.3f s (%u hit)\n",
               unsigned(sizes[s] >> 20), (textBegin - 28) / (1024.0 * 1024.0), firstVisit[s],
               written == 1 ? "written" : "failed", againSeconds, search[s], unsigned(hits.size()));
        DeleteFileW(path.c_str());
    }
    RemoveFolder(folder);
    const double extractGrowth = firstVisit[1] / firstVisit[0], searchGrowth = search[1] / search[0];
    const bool linear = extractGrowth <= 5.0 && searchGrowth <= 5.0;
    printf("large records, four times the size: extract %.2f x, search %.2f x; peak memory grew %.0f MB "
           "(goal: at most 5 x, and far below the records' size: %s)\n",
           extractGrowth, searchGrowth, PeakMegabytes() - peakBefore, linear ? "met" : "missed");
    return linear;
}

// Rows of the attachment list and companion files of one page, 1,000 against 4,000: the list
// filled in a window (every name of a type of its own, as a hostile book may have it) and the
// page extracted into a fresh folder. FALSE when four times as many take more than 5 times as long.
bool MeasureManyFiles(const std::wstring& folder)
{
    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), L"attachments host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                  nullptr, nullptr);
    CExeBookAttachmentsListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 380, 260), &host, 1);
    const int counts[] = {1000, 4000};
    double fill[2] = {}, extract[2] = {};
    for (int c = 0; c < 2; ++c) {
        bookpacker::CBookPacker packer;
        CExeBookFileEntries entries;
        for (int i = 0; i < counts[c]; ++i) {
            CString name;
            name.Format(L"file%d.t%d", i, i);
            entries.push_back({packer.AddFile(RandomBytes(64, unsigned(i))), name});
        }
        CExeBookResourceFiles index;
        LoadIndexFromRecords(packer, index);
        CStopwatch filling;
        list.Fill(entries, index);
        list.UpdateWindow();
        fill[c] = filling.Seconds();
        CExeBookFileEntries request = {{packer.AddPage(L"<p>page</p>"), L"many.htm"}};
        request.insert(request.end(), entries.begin(), entries.end());
        index.clear();
        LoadIndexFromRecords(packer, index);
        const EXEBOOKPACKEDDATA withPage = {packer.PackedFiles().data(), DWORD(packer.PackedFiles().size())};
        RemoveFolder(folder);
        CString pagePath;
        CStopwatch extracting;
        const BOOL extracted = ExtractPage(index, withPage, request, folder.c_str(), pagePath);
        extract[c] = extracting.Seconds();
        printf("%5d attachment rows filled in %6.3f s (%d rows); %5d companion files extracted in %6.3f s (%s)\n",
               counts[c], fill[c], list.GetItemCount(), counts[c], extract[c], extracted ? "written" : "failed");
    }
    RemoveFolder(folder);
    host.DestroyWindow();
    const double fillGrowth = fill[1] / fill[0], extractGrowth = extract[1] / extract[0];
    const bool linear = fillGrowth <= 5.0 && extractGrowth <= 5.0;
    printf("four times the rows and files: fill %.2f x, extract %.2f x (goal: at most 5 x: %s)\n", fillGrowth,
           extractGrowth, linear ? "met" : "missed");
    return linear;
}

// Contents items of one page and one attachment each: `perLevel` items at each of `levels`
// levels, the last item of a level holding the next level.
std::vector<bookpacker::BookNode> MakeContentsLevels(int levels, int perLevel)
{
    std::vector<bookpacker::BookNode> level;
    for (int i = 0; i < perLevel; ++i) {
        bookpacker::BookNode node;
        node.title = L"Item " + std::to_wstring(levels) + L"." + std::to_wstring(i);
        node.files.push_back({i + 1, L"page" + std::to_wstring(i) + L".htm"});
        node.attachments.push_back({i + 1, L"notes" + std::to_wstring(i) + L".txt"});
        level.push_back(node);
    }
    if (levels > 1)
        level.back().children = MakeContentsLevels(levels - 1, perLevel);
    return level;
}

// Best of three: parsing the settings text and filling a contents tree from it.
double MeasureContentsLoad(const std::vector<bookpacker::BookNode>& nodes, unsigned expectedItems)
{
    bookpacker::CBookPacker packer;
    packer.nodes = nodes;
    std::wstring xml;
    if (!packer.BuildSettingsXml(xml))
        return -1;
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        CWnd host;
        host.CreateEx(0, AfxRegisterWndClass(0), L"contents host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 600,
                      nullptr, nullptr);
        CExeBookTreeCtrl tree;
        tree.CreateEx(0, WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 280, 560), &host, 1);
        CStopwatch load;
        CExeBookDocument settings;
        if (!settings.LoadXML(xml.c_str()) || !tree.Load(settings))
            return -1;
        best = std::min(best, load.Seconds());
        if (tree.GetCount() != expectedItems) {
            printf("the contents tree holds %u items, not %u\n", tree.GetCount(), expectedItems);
            return -1;
        }
        tree.DestroyWindow();
        host.DestroyWindow();
    }
    return best;
}

// A settings document of 20,000 contents items at one level against one of ten levels of
// 2,000: loading it must grow with the item count, not with the items of one level.
bool MeasureContentsLevels(int total)
{
    const double flat = MeasureContentsLoad(MakeContentsLevels(1, total), total);
    const double nested = MeasureContentsLoad(MakeContentsLevels(10, total / 10), total);
    if (flat < 0 || nested < 0) {
        printf("the contents do not load\n");
        return false;
    }
    const double ratio = flat / nested;
    const bool within = ratio <= 1.5;
    printf("contents load: %d items at one level %7.3f s, in ten levels %7.3f s, ratio %.2f "
           "(goal: at most 1.5) %s\n",
           total, flat, nested, ratio, within ? "met" : "MISSED");
    return within;
}

// Best of five copies of a 20 MB file each way, alternated, into a fresh target every time.
bool MeasureFileCopy(const std::wstring& folder)
{
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring source = folder + L"source.bin", target = folder + L"target.bin";
    const std::vector<BYTE> bytes = RandomBytes(20 * 1024 * 1024, 77);
    if (!WriteBytesToFile(source.c_str(), bytes.data(), bytes.size())) {
        printf("the file to copy cannot be written\n");
        return false;
    }
    double viaStream = 1e9, system = 1e9;
    bool copied = true;
    for (int run = 0; run < 5; ++run) {
        DeleteFileW(target.c_str());
        CStopwatch ours;
        copied = copied && CopyFileViaStream(source.c_str(), target.c_str());
        viaStream = std::min(viaStream, ours.Seconds());
        copied = copied && GetFileSizeOfPath(target.c_str()) == bytes.size();
        DeleteFileW(target.c_str());
        CStopwatch theirs;
        copied = copied && CopyFileW(source.c_str(), target.c_str(), FALSE);
        system = std::min(system, theirs.Seconds());
    }
    RemoveFolder(folder);
    if (!copied) {
        printf("a copy failed\n");
        return false;
    }
    const double ratio = viaStream / system;
    const bool within = ratio <= 1.5;
    printf("copy of 20 MB: CopyFileViaStream %7.3f s, CopyFileW %7.3f s, ratio %.2f (goal: at most 1.5) %s\n",
           viaStream, system, ratio, within ? "met" : "MISSED");
    return within;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0); // each line as it is measured
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    OleInitialize(nullptr);
    const size_t megabytes = argc > 1 ? size_t(_wtoi(argv[1])) : 50;
    const size_t pageCharacters = 25 * 1024; // 50 KB of UTF-16 per page
    const size_t pageCount = megabytes * 1024 * 1024 / (pageCharacters * 2);

    // The book: pages, one rare word on one page, and a page with 20 companion files.
    CStopwatch packing;
    bookpacker::CBookPacker packer;
    CWordSource words;
    int rarePage = 0;
    for (size_t i = 0; i < pageCount; ++i) {
        std::wstring page = MakePage(words, pageCharacters, int(i));
        if (i == pageCount / 2) {
            page.insert(page.size() / 2, L" Quixotic ");
            rarePage = int(i + 1);
        }
        packer.AddPage(page);
    }
    CExeBookFileEntries request;
    request.push_back({packer.AddPage(MakePage(words, pageCharacters, -1)), L"gallery.htm"});
    for (int i = 0; i < 20; ++i) {
        wchar_t name[32];
        wsprintfW(name, L"image%02d.png", i);
        request.push_back({packer.AddFile(RandomBytes(30 * 1024, unsigned(i + 7))), name});
    }
    const double packSeconds = packing.Seconds();

    CExeBookResourceFiles index;
    LoadIndexFromRecords(packer, index);
    EXEBOOKPACKEDDATA data = {packer.PackedFiles().data(), DWORD(packer.PackedFiles().size())};
    double inflatedBytes = 0;
    for (const auto& record : index)
        inflatedBytes += record.FileSize;
    const double inflatedMB = inflatedBytes / (1024.0 * 1024.0);

    printf("book: %u records, %.1f MB inflated, %.1f MB packed (packing took %.2f s)\n", unsigned(index.size()),
           inflatedMB, packer.PackedFiles().size() / (1024.0 * 1024.0), packSeconds);

    // Raw zlib: uncompress of every record into one reused buffer.
    std::vector<BYTE> buffer;
    double rawSeconds = 1e9;
    for (int run = 0; run < 3; ++run) {
        CStopwatch raw;
        for (const auto& record : index) {
            if (buffer.size() < size_t(record.FileSize))
                buffer.resize(size_t(record.FileSize));
            uLongf produced = uLongf(record.FileSize);
            if (uncompress(buffer.data(), &produced, data.pData + record.Begin + 28, uLong(record.BufferSize)) !=
                Z_OK) {
                printf("record %d does not inflate\n", record.ID);
                return 1;
            }
        }
        rawSeconds = std::min(rawSeconds, raw.Seconds());
    }
    printf("raw inflate:  %7.3f s  %8.1f MB/s\n", rawSeconds, inflatedMB / rawSeconds);

    // SearchFiles: a word on one page, and a word on none.
    const wchar_t* keywords[] = {L"QUIXOTIC", L"nowhere-to-be-found"};
    double searchSeconds[2] = {1e9, 1e9};
    for (int k = 0; k < 2; ++k) {
        for (int run = 0; run < 3; ++run) {
            CExeBookResourceFiles hits;
            CStopwatch search;
            SearchFiles(index, data, keywords[k], hits);
            searchSeconds[k] = std::min(searchSeconds[k], search.Seconds());
            if (run == 0) {
                bool expected = k == 0 ? (hits.size() == 1 && hits[0].ID == rarePage) : hits.empty();
                if (!expected) {
                    printf("search for %ls found %u records\n", keywords[k], unsigned(hits.size()));
                    return 1;
                }
            }
        }
        printf("SearchFiles:  %7.3f s  %8.1f MB/s  (\"%ls\")\n", searchSeconds[k], inflatedMB / searchSeconds[k],
               keywords[k]);
    }
    const double foundRatio = rawSeconds / searchSeconds[0], absentRatio = rawSeconds / searchSeconds[1];
    const bool searchMet = foundRatio >= 0.9 && absentRatio >= 0.9;
    printf("search throughput / raw inflate: %.2f found, %.2f absent (goal: at least 0.9 for both: %s)\n", foundRatio,
           absentRatio, searchMet ? "met" : "missed");

    // Where the search spends its time beyond inflating: the UTF-16 test and the match.
    {
        std::vector<std::vector<BYTE>> files;
        for (const auto& record : index) {
            files.emplace_back();
            InflateRecordAt(data, record.Begin, files.back());
        }
        CStopwatch unicodeTest;
        int unicode = 0;
        for (const auto& file : files)
            unicode += IsTextUnicode(file.data(), int(file.size()), nullptr) ? 1 : 0;
        const double unicodeSeconds = unicodeTest.Seconds();
        CStopwatch matching;
        int found = 0;
        for (const auto& file : files)
            found +=
                FindTextNoCase(reinterpret_cast<const wchar_t*>(file.data()), int(file.size() / 2), keywords[1]) >= 0;
        const double matchSeconds = matching.Seconds();
        printf("  of which IsTextUnicode %.3f s (%d files), FindTextNoCase %.3f s (%d hits)\n", unicodeSeconds, unicode,
               matchSeconds, found);
    }

    // Extraction of one page with 20 companion files into a fresh folder, repeated.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"fx_benchmark_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    const int extractions = 20;
    double extractSeconds = 0;
    for (int run = 0; run < extractions; ++run) {
        RemoveFolder(folder);
        CString pagePath;
        CStopwatch extract;
        if (!ExtractPage(index, data, request, folder.c_str(), pagePath)) {
            printf("extraction failed\n");
            return 1;
        }
        extractSeconds += extract.Seconds();
    }
    RemoveFolder(folder);
    printf("ExtractPage (page + 20 files, %.0f KB): %.2f ms per page\n",
           (request.size() - 1) * 30.0 + pageCharacters * 2 / 1024.0, 1000.0 * extractSeconds / extractions);

    const bool largeLinear = MeasureLargeRecords(folder);
    const bool manyLinear = MeasureManyFiles(folder);
    const bool paneWithin = MeasureSearchPane(packer, index, data, int(pageCount));
    const bool contentsWithin = MeasureContentsLevels(argc > 2 ? _wtoi(argv[2]) : 20000);
    const bool copyWithin = MeasureFileCopy(folder);
    OleUninitialize();
    return paneWithin && contentsWithin && copyWithin && largeLinear && manyLinear ? 0 : 1;
}
