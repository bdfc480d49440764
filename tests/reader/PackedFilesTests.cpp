// The packed-file index and extraction over fixture books made by the packer:
// reading the index, extracting pages with their companion folder, refusing unsafe
// names and damaged records without writing outside the work folder, and searching.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>
#include "books/packer/BookPacker.h"
#include "reader/book/BookFiles.h"
#include "reader/book/ExeBookResourceFiles.h"
#include "reader/app/FileUtil.h"
#include "reader/book/XMLDocument.h"
#include "tests/common/WineTestSupport.h"

using bookpacker::CBookPacker;
using bookpacker::PageBytes;

namespace {

std::vector<BYTE> Bytes(size_t n, unsigned seed)
{
    std::vector<BYTE> bytes(n);
    for (size_t i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = BYTE(seed >> 16);
    }
    return bytes;
}

std::vector<BYTE> Ansi(const char* text)
{
    return std::vector<BYTE>(text, text + strlen(text));
}

bool ReadFileBytes(const std::wstring& path, std::vector<BYTE>& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(file, nullptr);
    bytes.resize(size);
    DWORD read = 0;
    bool ok = size == 0 || (ReadFile(file, bytes.data(), size, &read, nullptr) && read == size);
    CloseHandle(file);
    return ok;
}

// Every file below a folder, as paths relative to it.
void ListFiles(const std::wstring& folder, const std::wstring& prefix, std::set<std::wstring>& out)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListFiles(folder + name + L"\\", prefix + name + L"\\", out);
        else
            out.insert(prefix + name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

// Reads the index out of the settings XML that the packer wrote.
bool LoadIndex(const std::wstring& xml, CExeBookResourceFiles& index)
{
    CQorXMLDocumentEx document;
    if (!document.LoadXML(xml.c_str()))
        return false;
    return ReadResourceFiles(document, index) != FALSE;
}

const wchar_t kPageText[] = L"<html><body><h1>Opening a Book</h1><p>Pages live in the work folder.</p>"
                            L"<img src=\"page_files/one.png\"><p>\u00c4rger und Gr\u00fc\u00dfe</p></body></html>";

// A small book: a UTF-16 page with two companion files, an 8-bit page, a binary
// attachment, and a page whose text ends with a word.
struct FixtureBook
{
    CBookPacker packer;
    int page = 0, one = 0, two = 0, ansiPage = 0, attachment = 0, endPage = 0;
    CExeBookResourceFiles index;

    FixtureBook()
    {
        page = packer.AddPage(kPageText);
        one = packer.AddFile(Bytes(3000, 1));
        two = packer.AddFile(Bytes(500, 2));
        ansiPage = packer.AddFile(Ansi("<html><body>Eightbit only text about Folionyx</body></html>"));
        attachment = packer.AddFile(Bytes(20000, 3));
        endPage = packer.AddPage(L"<p>the last word is Marmalade");
        std::wstring xml;
        EXPECT_TRUE(packer.BuildSettingsXml(xml));
        EXPECT_TRUE(LoadIndex(xml, index));
    }

    EXEBOOKPACKEDDATA Data() const { return {packer.PackedFiles().data(), DWORD(packer.PackedFiles().size())}; }

    CExeBookFileEntries Request() const { return {{page, L"page.htm"}, {one, L"one.png"}, {two, L"two.gif"}}; }
};

std::vector<int> HitIds(const FixtureBook& book, const EXEBOOKPACKEDDATA& data, LPCWSTR text)
{
    CExeBookResourceFiles hits;
    EXPECT_TRUE(SearchFiles(book.index, data, text, hits));
    std::vector<int> ids;
    for (const auto& hit : hits)
        ids.push_back(hit.ID);
    return ids;
}

} // namespace

TEST(PackedIndex, ReadsThePackersIndex)
{
    FixtureBook book;
    const auto& records = book.packer.Records();
    ASSERT_EQ(records.size(), book.index.size());
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].id, book.index[i].ID);
        EXPECT_EQ(records[i].begin, book.index[i].Begin);
        EXPECT_EQ(records[i].fileSize, book.index[i].FileSize);
        EXPECT_EQ(records[i].bufferSize, book.index[i].BufferSize);
    }
    // Records follow one another without gaps.
    EXPECT_EQ(0, book.index[0].Begin);
    EXPECT_EQ(book.index[0].Begin + 28 + book.index[0].BufferSize, book.index[1].Begin);
}

TEST(PackedIndex, WalksFileChildrenInAnyCaseAndStopsAtAnEntryWithoutBegin)
{
    struct Case
    {
        const wchar_t* xml;
        BOOL result;
        std::vector<int> ids;
    } cases[] = {
        {L"<FolionyxExeBook><resourcefiles Count=\"9\"><FILE_0 ID=\"4\" FileSize=\"1\" BufferSize=\"2\" Begin=\"0\"/>"
         L"<Other ID=\"5\" FileSize=\"1\" BufferSize=\"2\" Begin=\"0\"/><file_x ID=\"6\" FileSize=\"1\" "
         L"BufferSize=\"2\" Begin=\"30\"/>"
         L"</resourcefiles></FolionyxExeBook>",
         TRUE,
         {4, 6}},
        {L"<FolionyxExeBook><ResourceFiles><File_0 ID=\"1\" FileSize=\"1\" BufferSize=\"2\" Begin=\"0\"/>"
         L"<File_1 ID=\"2\" FileSize=\"1\" BufferSize=\"2\"/><File_2 ID=\"3\" FileSize=\"1\" BufferSize=\"2\" "
         L"Begin=\"60\"/>"
         L"</ResourceFiles></FolionyxExeBook>",
         FALSE,
         {1}},
        // Attribute names are exact: "begin" is not "Begin".
        {L"<FolionyxExeBook><ResourceFiles><File_0 ID=\"1\" FileSize=\"1\" BufferSize=\"2\" begin=\"0\"/>"
         L"</ResourceFiles></FolionyxExeBook>",
         FALSE,
         {}},
        {L"<FolionyxExeBook><Nodes/></FolionyxExeBook>", FALSE, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CStringA(c.xml, CP_ACP).GetString());
        CQorXMLDocumentEx document;
        ASSERT_TRUE(document.LoadXML(c.xml));
        CExeBookResourceFiles index;
        EXPECT_EQ(c.result, ReadResourceFiles(document, index));
        std::vector<int> ids;
        for (const auto& record : index)
            ids.push_back(record.ID);
        EXPECT_EQ(c.ids, ids);
    }
}

TEST(PackedIndex, FindFileIndexReturnsTheFirstOfTwoEqualIds)
{
    CBookPacker packer;
    packer.AddFileWithId(7, Ansi("first"));
    packer.AddFileWithId(3, Ansi("other"));
    packer.AddFileWithId(7, Ansi("second"));
    std::wstring xml;
    ASSERT_TRUE(packer.BuildSettingsXml(xml));
    CExeBookResourceFiles index;
    ASSERT_TRUE(LoadIndex(xml, index));
    EXPECT_EQ(0, FindFileIndex(index, 7));
    EXPECT_EQ(1, FindFileIndex(index, 3));
    EXPECT_EQ(-1, FindFileIndex(index, 8));

    testsupport::TempFolder temp;
    EXEBOOKPACKEDDATA data = {packer.PackedFiles().data(), DWORD(packer.PackedFiles().size())};
    EXPECT_EQ(1, ExtractFileById(7, data, index, temp.File(L"seven.txt").c_str()));
    std::vector<BYTE> bytes;
    ASSERT_TRUE(ReadFileBytes(temp.File(L"seven.txt"), bytes));
    EXPECT_EQ(Ansi("first"), bytes);
    EXPECT_EQ(-1, ExtractFileById(8, data, index, temp.File(L"eight.txt").c_str()));
    EXPECT_FALSE(testsupport::FileExists(temp.File(L"eight.txt")));
}

TEST(PackedExtraction, WritesThePageAndItsFilesFolder)
{
    FixtureBook book;
    testsupport::TempFolder temp;
    std::wstring folder = temp.Path() + L"work"; // no trailing separator: one is added
    CString pagePath;
    ASSERT_TRUE(ExtractPage(book.index, book.Data(), book.Request(), folder.c_str(), pagePath));
    EXPECT_STREQ((folder + L"\\page.htm").c_str(), pagePath.GetString());

    std::vector<BYTE> bytes;
    ASSERT_TRUE(ReadFileBytes(folder + L"\\page.htm", bytes));
    EXPECT_EQ(PageBytes(kPageText), bytes);
    ASSERT_EQ(0xFF, bytes[0]);
    ASSERT_EQ(0xFE, bytes[1]);
    ASSERT_TRUE(ReadFileBytes(folder + L"\\page_files\\one.png", bytes));
    EXPECT_EQ(Bytes(3000, 1), bytes);
    ASSERT_TRUE(ReadFileBytes(folder + L"\\page_files\\two.gif", bytes));
    EXPECT_EQ(Bytes(500, 2), bytes);

    std::set<std::wstring> files;
    ListFiles(temp.Path(), L"", files);
    EXPECT_EQ((std::set<std::wstring>{L"work\\page.htm", L"work\\page_files\\one.png", L"work\\page_files\\two.gif"}),
              files);
}

TEST(PackedExtraction, SkipsMissingCompanionsButNotAMissingPage)
{
    FixtureBook book;
    testsupport::TempFolder temp;
    CString pagePath;
    CExeBookFileEntries request = {{book.page, L"page.htm"}, {999, L"gone.png"}, {book.two, L"two.gif"}};
    ASSERT_TRUE(ExtractPage(book.index, book.Data(), request, temp.Path().c_str(), pagePath));
    EXPECT_TRUE(testsupport::FileExists(temp.File(L"page.htm")));
    EXPECT_FALSE(testsupport::FileExists(temp.File(L"page_files\\gone.png")));
    EXPECT_TRUE(testsupport::FileExists(temp.File(L"page_files\\two.gif")));

    // A stale page of an earlier book in the shared work folder must not pass for
    // this one when the request's own page is not in the index.
    testsupport::TempFolder stale;
    std::vector<BYTE> old = Ansi("stale page");
    ASSERT_TRUE(WriteBytesToFile(stale.File(L"page.htm").c_str(), old.data(), old.size()));
    CExeBookFileEntries orphan = {{999, L"page.htm"}, {book.one, L"one.png"}};
    EXPECT_FALSE(ExtractPage(book.index, book.Data(), orphan, stale.Path().c_str(), pagePath));
    EXPECT_FALSE(testsupport::FileExists(stale.File(L"page_files\\one.png")));

    EXPECT_FALSE(ExtractPage(book.index, book.Data(), CExeBookFileEntries(), temp.Path().c_str(), pagePath));
}

TEST(PackedExtraction, RefusesNamesThatLeaveTheFolderAndWritesNothing)
{
    FixtureBook book;
    const wchar_t* pageNames[] = {
        L"..\\evil.htm",
        L"../evil.htm",
        L"C:\\evil.htm",
        L"C:evil.htm",
        L"\\evil.htm",
        L"sub\\page.htm",
        L"..",
        L".",
        L"...",
        L"",
        L"CON",
        L"nul.htm",
        L"page.htm:stream",
        L"a?.htm",
        L"page.htm.",
    };
    const wchar_t* companionNames[] = {L"..\\..\\evil.png", L"..\\one.png", L"C:\\one.png",
                                       L"x/one.png",        L"AUX.png",     L" .."};
    testsupport::TempFolder temp;
    std::wstring work = temp.Path() + L"work\\";
    ASSERT_TRUE(EnsureFolder(work.c_str()));
    CString pagePath;
    for (const wchar_t* name : pageNames) {
        CExeBookFileEntries request = {{book.page, name}, {book.one, L"one.png"}};
        EXPECT_FALSE(ExtractPage(book.index, book.Data(), request, work.c_str(), pagePath))
            << CStringA(name, CP_ACP).GetString();
    }
    for (const wchar_t* name : companionNames) {
        CExeBookFileEntries request = {{book.page, L"page.htm"}, {book.one, name}};
        EXPECT_FALSE(ExtractPage(book.index, book.Data(), request, work.c_str(), pagePath))
            << CStringA(name, CP_ACP).GetString();
    }
    std::set<std::wstring> files;
    ListFiles(temp.Path(), L"", files);
    EXPECT_TRUE(files.empty()) << "a refused request wrote " << files.size() << " files";
}

TEST(PackedExtraction, DamagedRecordsFailCleanly)
{
    // Each case damages the packed bytes or the index of the page record (entry 0).
    struct Case
    {
        const char* what;
        std::function<void(std::vector<BYTE>& packed, CExeBookResourceFiles& index, int begin)> damage;
    };
    auto putU32 = [](std::vector<BYTE>& p, size_t at, DWORD v) {
        p[at] = BYTE(v);
        p[at + 1] = BYTE(v >> 8);
        p[at + 2] = BYTE(v >> 16);
        p[at + 3] = BYTE(v >> 24);
    };
    auto getU32 = [](const std::vector<BYTE>& p, size_t at) {
        return DWORD(p[at]) | (DWORD(p[at + 1]) << 8) | (DWORD(p[at + 2]) << 16) | (DWORD(p[at + 3]) << 24);
    };
    const Case cases[] = {
        {"truncated header",
         [](std::vector<BYTE>& p, CExeBookResourceFiles&, int begin) { p.resize(size_t(begin) + 20); }},
        {"truncated data",
         [](std::vector<BYTE>& p, CExeBookResourceFiles&, int begin) { p.resize(size_t(begin) + 40); }},
        {"stored size past the end", [&](std::vector<BYTE>& p, CExeBookResourceFiles&,
                                         int begin) { putU32(p, size_t(begin) + 4, DWORD(p.size())); }},
        {"stored size of 4 GB",
         [&](std::vector<BYTE>& p, CExeBookResourceFiles&, int begin) { putU32(p, size_t(begin) + 4, 0xFFFFFFF0u); }},
        {"inflated size one too small",
         [&](std::vector<BYTE>& p, CExeBookResourceFiles&, int begin) {
             putU32(p, size_t(begin) + 8, getU32(p, size_t(begin) + 8) - 1);
         }},
        {"inflated size of 2 GB",
         [&](std::vector<BYTE>& p, CExeBookResourceFiles&, int begin) { putU32(p, size_t(begin) + 8, 0x7FFFFFFFu); }},
        {"zlib garbage",
         [&](std::vector<BYTE>& p, CExeBookResourceFiles&, int begin) {
             for (DWORD i = 0; i < getU32(p, size_t(begin) + 4); ++i)
                 p[size_t(begin) + 28 + i] = BYTE(0xA5 ^ i);
         }},
        {"Begin past the end",
         [](std::vector<BYTE>& p, CExeBookResourceFiles& index, int) { index[0].Begin = int(p.size()) - 10; }},
        {"negative Begin", [](std::vector<BYTE>&, CExeBookResourceFiles& index, int) { index[0].Begin = -28; }},
        {"empty resource", [](std::vector<BYTE>& p, CExeBookResourceFiles&, int) { p.clear(); }},
    };

    testsupport::TempFolder temp;
    std::wstring work = temp.Path() + L"work\\";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The page record moves to the end so that truncation hits it.
        CBookPacker packer;
        int companion = packer.AddFile(Bytes(3000, 1));
        int page = packer.AddPage(kPageText);
        std::wstring xml;
        ASSERT_TRUE(packer.BuildSettingsXml(xml));
        CExeBookResourceFiles index;
        ASSERT_TRUE(LoadIndex(xml, index));
        std::vector<BYTE> packed = packer.PackedFiles();
        int position = FindFileIndex(index, page);
        ASSERT_EQ(1, position);
        std::swap(index[0], index[1]); // the damaged entry first, for the index-only cases
        c.damage(packed, index, index[0].Begin);
        EXEBOOKPACKEDDATA data = {packed.empty() ? nullptr : packed.data(), DWORD(packed.size())};

        CString pagePath;
        CExeBookFileEntries request = {{page, L"page.htm"}, {companion, L"one.png"}};
        EXPECT_FALSE(ExtractPage(index, data, request, work.c_str(), pagePath));
        EXPECT_EQ(0, ExtractFileById(page, data, index, (work + L"direct.htm").c_str()));
        std::vector<BYTE> out;
        EXPECT_FALSE(InflateRecordAt(data, index[0].Begin, out));
        // The search skips the damaged record.
        CExeBookResourceFiles hits;
        EXPECT_TRUE(SearchFiles(index, data, L"work folder", hits));
        EXPECT_TRUE(hits.empty());
    }
    std::set<std::wstring> files;
    ListFiles(temp.Path(), L"", files);
    EXPECT_TRUE(files.empty()) << files.size() << " files written for damaged records";
}

TEST(PackedExtraction, AFailingCompanionFailsTheRequestAfterThePage)
{
    FixtureBook book;
    std::vector<BYTE> packed = book.packer.PackedFiles();
    int begin = book.index[FindFileIndex(book.index, book.two)].Begin;
    packed[size_t(begin) + 30] ^= 0xFF; // inside the zlib stream of two.gif
    EXEBOOKPACKEDDATA data = {packed.data(), DWORD(packed.size())};
    testsupport::TempFolder temp;
    CString pagePath;
    EXPECT_FALSE(ExtractPage(book.index, data, book.Request(), temp.Path().c_str(), pagePath));
    EXPECT_TRUE(testsupport::FileExists(temp.File(L"page.htm")));
    EXPECT_TRUE(testsupport::FileExists(temp.File(L"page_files\\one.png")));
    EXPECT_FALSE(testsupport::FileExists(temp.File(L"page_files\\two.gif")));
}

TEST(PackedSearch, FindsUtf16TextInAnyCaseOnly)
{
    FixtureBook book;
    struct
    {
        const wchar_t* text;
        std::vector<int> hits;
    } cases[] = {
        {L"work folder", {book.page}},
        {L"WORK FOLDER", {book.page}},
        {L"oPeNiNg a bOOK", {book.page}},
        {L"\u00e4RGER UND GR\u00dc\u00dfE", {book.page}}, // beyond ASCII
        {L"Eightbit only", {}},                           // only in the 8-bit page
        {L"Folionyx", {}},
        {L"marmalade", {book.endPage}}, // ends at the very end of the text
        {L"Marmalades", {}},
        {L"<p>", {book.page, book.endPage}}, // hits keep index order
        {L"not anywhere", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(CStringA(c.text, CP_UTF8).GetString());
        EXPECT_EQ(c.hits, HitIds(book, book.Data(), c.text));
    }
}

TEST(PackedSearch, SearchesTheBytesInflatedNotTheSizesTheIndexClaims)
{
    FixtureBook book;
    CExeBookResourceFiles lying = book.index;
    int position = FindFileIndex(lying, book.endPage);
    lying[position].FileSize = 1 << 20; // claims a megabyte
    lying[position].BufferSize = 5;
    CExeBookResourceFiles hits;
    EXPECT_TRUE(SearchFiles(lying, book.Data(), L"Marmalade", hits));
    ASSERT_EQ(1u, hits.size());
    EXPECT_EQ(book.endPage, hits[0].ID);
    EXPECT_EQ(1 << 20, hits[0].FileSize); // the hit is a copy of the index record
}

TEST(PackedExtraction, ImpossibleInflatedSizesAreRefusedWithoutAllocating)
{
    std::vector<BYTE> stored = Bytes(4 << 20, 9); // 4 MB of anything
    std::vector<BYTE> out(10, 1);
    // Beyond what deflate can expand 4 MB to.
    EXPECT_FALSE(InflateRecordToBuffer(stored.data(), 100, 200000, out));
    EXPECT_TRUE(out.empty());
    // Within the expansion limit but beyond what the process can hold.
    EXPECT_FALSE(InflateRecordToBuffer(stored.data(), DWORD(stored.size()), 0xF0000000u, out));
    EXPECT_FALSE(InflateRecordToBuffer(nullptr, 10, 10, out));
    // An empty file inflates to nothing.
    std::vector<BYTE> record = bookpacker::MakeRecord(1, std::vector<BYTE>());
    EXPECT_TRUE(InflateRecordToBuffer(&record[28], DWORD(record.size() - 28), 0, out));
    EXPECT_TRUE(out.empty());
}

TEST(PackedExtraction, ExtractsOneFileByIdWithTheSizesOfItsRecord)
{
    FixtureBook book;
    testsupport::TempFolder temp;
    const std::wstring target = temp.Path() + L"attachments\\sheet.bin";
    EXPECT_EQ(-1, ExtractFileById(12345, book.Data(), book.index, target.c_str()));
    EXPECT_FALSE(testsupport::FileExists(target));

    // The sizes of the index may be wrong; the record's own header decides.
    CExeBookResourceFiles lying = book.index;
    int position = FindFileIndex(lying, book.attachment);
    lying[position].FileSize = 7;
    lying[position].BufferSize = 3;
    EXPECT_EQ(1, ExtractFileById(book.attachment, book.Data(), lying, target.c_str()));
    std::vector<BYTE> bytes;
    ASSERT_TRUE(ReadFileBytes(target, bytes));
    EXPECT_EQ(Bytes(20000, 3), bytes);
}

TEST(PackedExtraction, InflatingIntoAStreamReplacesItsContent)
{
    const std::vector<BYTE> file = Bytes(5000, 4);
    const std::vector<BYTE> record = bookpacker::MakeRecord(1, file);
    IStream* stream = nullptr;
    ASSERT_TRUE(SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)));
    const std::vector<BYTE> old = Bytes(9000, 5);
    ULONG written = 0;
    ASSERT_TRUE(SUCCEEDED(stream->Write(old.data(), ULONG(old.size()), &written)));

    EXPECT_TRUE(InflateRecord(&record[28], DWORD(record.size() - 28), DWORD(file.size()), stream));
    STATSTG stat = {};
    ASSERT_TRUE(SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)));
    EXPECT_EQ(file.size(), stat.cbSize.QuadPart);
    std::vector<BYTE> back(file.size());
    LARGE_INTEGER zero = {};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    ASSERT_TRUE(SUCCEEDED(stream->Read(back.data(), ULONG(back.size()), &read)));
    EXPECT_EQ(file, back);

    // A record that inflates to more than the size asked for leaves the stream as it was.
    EXPECT_FALSE(InflateRecord(&record[28], DWORD(record.size() - 28), DWORD(file.size() - 1), stream));
    ASSERT_TRUE(SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)));
    EXPECT_EQ(file.size(), stat.cbSize.QuadPart);
    stream->Release();
}

TEST(PackedFilesOfTheBook, RoutinesTakeTheirSourceOrTheRunningBook)
{
    FixtureBook book;
    testsupport::TempFolder temp;
    const EXEBOOKPACKEDDATA data = book.Data();
    const PackedFilesSource given = [&](EXEBOOKPACKEDDATA& resource, const CExeBookResourceFiles*& index) {
        resource = data;
        index = &book.index;
        return TRUE;
    };
    const PackedFilesSource refusing = [](EXEBOOKPACKEDDATA&, const CExeBookResourceFiles*&) { return FALSE; };
    // This test program is no reader: without a source there is no running book either.
    struct Case
    {
        const char* name;
        PackedFilesSource source;
        bool book;
    };
    const Case cases[] = {{"given", given, true}, {"refusing", refusing, false}, {"running book", {}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring folder = temp.Path() + std::wstring(c.name, c.name + strlen(c.name)) + L"\\";
        EXPECT_EQ(c.book ? 1 : 0, ExtractFileById(book.attachment, (folder + L"a.bin").c_str(), c.source));
        EXPECT_EQ(c.book, testsupport::FileExists(folder + L"a.bin"));
        if (c.book) {
            EXPECT_EQ(-1, ExtractFileById(12345, (folder + L"b.bin").c_str(), c.source));
        }
        CString pagePath;
        EXPECT_EQ(c.book, ExtractPage(book.Request(), folder.c_str(), pagePath, c.source) != FALSE);
        EXPECT_EQ(c.book, testsupport::FileExists(folder + L"page_files\\one.png"));
        CExeBookResourceFiles hits;
        EXPECT_EQ(c.book, SearchPackedFiles(L"marmalade", hits, c.source) != FALSE);
        EXPECT_EQ(c.book ? 1u : 0u, hits.size());
    }
}

TEST(PackedSearch, FindsWordsThatCrossThePiecesOfALargeRecord)
{
    // Records are searched in pieces of 256 KB (131,072 characters with the byte-order mark);
    // the word sits across, before and after the first two piece boundaries, and at the end.
    const size_t filler = 400000;
    const std::wstring word = L"Needle";
    const size_t boundaries[] = {131072, 262144};
    std::vector<size_t> positions;
    for (size_t boundary : boundaries)
        for (size_t back = 0; back <= word.size(); ++back)
            positions.push_back(boundary - 1 - back); // the page's text starts after the mark
    positions.push_back(filler - word.size());
    CBookPacker packer;
    std::vector<int> ids;
    for (size_t position : positions) {
        std::wstring text(filler, L'x');
        text.replace(position, word.size(), L"nEEDLE");
        ids.push_back(packer.AddPage(text));
    }
    const int absent = packer.AddPage(std::wstring(filler, L'x') + L"Needl");
    std::wstring xml;
    ASSERT_TRUE(packer.BuildSettingsXml(xml));
    CExeBookResourceFiles index;
    ASSERT_TRUE(LoadIndex(xml, index));
    const EXEBOOKPACKEDDATA data = {packer.PackedFiles().data(), DWORD(packer.PackedFiles().size())};
    CExeBookResourceFiles hits;
    ASSERT_TRUE(SearchFiles(index, data, word.c_str(), hits));
    std::vector<int> found;
    for (const auto& hit : hits)
        found.push_back(hit.ID);
    EXPECT_EQ(ids, found);
    EXPECT_EQ(0, std::count(found.begin(), found.end(), absent));
}

TEST(PackedExtraction, WritesEachRecordOncePerRunWhileTheFileStaysAsWritten)
{
    FixtureBook book;
    testsupport::TempFolder temp;
    const std::wstring companion = temp.File(L"page_files\\one.png");
    auto writeTime = [&] {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        GetFileAttributesExW(companion.c_str(), GetFileExInfoStandard, &data);
        return (ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    };
    CString pagePath;
    ASSERT_TRUE(ExtractPage(book.index, book.Data(), book.Request(), temp.Path().c_str(), pagePath));
    const ULONGLONG first = writeTime();
    ASSERT_NE(0u, first);
    // A second write would show in the file's time, kept to a tenth of a microsecond.
    ASSERT_TRUE(ExtractPage(book.index, book.Data(), book.Request(), temp.Path().c_str(), pagePath));
    EXPECT_EQ(first, writeTime());

    // A file changed, removed or claimed by another record is written again.
    std::vector<BYTE> bytes;
    struct Case
    {
        const char* what;
        std::function<void()> change;
    };
    FixtureBook other; // the same ids and names, other bytes at other addresses
    std::vector<BYTE> otherBytes = Bytes(777, 5);
    other.packer.AddFileWithId(other.one, otherBytes);
    const Case cases[] = {
        {"changed", [&] { ASSERT_TRUE(WriteBytesToFile(companion.c_str(), "x", 1)); }},
        {"removed", [&] { ASSERT_TRUE(DeleteFileW(companion.c_str())); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.change();
        ASSERT_TRUE(ExtractPage(book.index, book.Data(), book.Request(), temp.Path().c_str(), pagePath));
        ASSERT_TRUE(ReadFileBytes(companion, bytes));
        EXPECT_EQ(Bytes(3000, 1), bytes);
    }
    CExeBookResourceFiles otherIndex = other.index;
    otherIndex[size_t(FindFileIndex(otherIndex, other.one))].Begin = other.packer.Records().back().begin;
    ASSERT_TRUE(ExtractPage(otherIndex, other.Data(), other.Request(), temp.Path().c_str(), pagePath));
    ASSERT_TRUE(ReadFileBytes(companion, bytes));
    EXPECT_EQ(otherBytes, bytes);
}
