// Records whose header claims more bytes than their stream holds, as a packer that stores a
// rounded size writes them: the pages, attachments and hits they carry are not lost.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include "books/packer/BookPacker.h"
#include "reader/book/ExeBookResourceFiles.h"
#include "reader/book/XMLDocument.h"
#include "tests/common/WineTestSupport.h"

namespace {

// The record of `bytes` with its inflated size raised by `extra`.
std::vector<BYTE> RoundedRecord(int id, const std::vector<BYTE>& bytes, DWORD extra)
{
    std::vector<BYTE> record = bookpacker::MakeRecord(id, bytes);
    DWORD claimed = DWORD(bytes.size()) + extra;
    for (int i = 0; i < 4; ++i)
        record[8 + i] = BYTE(claimed >> (8 * i));
    return record;
}

std::vector<BYTE> ReadAll(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(ShortRecords, AStreamShorterThanItsHeaderGivesExactlyItsBytes)
{
    const std::vector<BYTE> page = bookpacker::PageBytes(L"<html><body>Rounded marmalade</body></html>");
    const std::vector<BYTE> attachment(1000, 0x5A);
    struct Case
    {
        const char* what;
        DWORD extra;
    };
    const Case cases[] = {{"one byte short", 1}, {"rounded up to 4 KB", 4096 - DWORD(page.size())}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<BYTE> packed = RoundedRecord(1, page, c.extra);
        const int second = int(packed.size());
        const std::vector<BYTE> record = RoundedRecord(2, attachment, c.extra);
        packed.insert(packed.end(), record.begin(), record.end());
        CExeBookResourceFiles index;
        index.push_back({1, 0, int(page.size() + c.extra), int(packed.size()) - 28});
        index.push_back({2, second, int(attachment.size() + c.extra), int(record.size()) - 28});
        index[0].BufferSize = second - 28;
        EXEBOOKPACKEDDATA data = {packed.data(), DWORD(packed.size())};

        testsupport::TempFolder temp;
        CString pagePath;
        ASSERT_TRUE(ExtractPage(index, data, {{1, L"page.htm"}, {2, L"sheet.bin"}}, temp.Path().c_str(), pagePath));
        EXPECT_EQ(page, ReadAll(pagePath.GetString()));
        EXPECT_EQ(attachment, ReadAll(temp.File(L"page_files\\sheet.bin")));
        EXPECT_EQ(1, ExtractFileById(2, data, index, temp.File(L"direct.bin").c_str()));
        EXPECT_EQ(attachment, ReadAll(temp.File(L"direct.bin")));

        CExeBookResourceFiles hits;
        EXPECT_TRUE(SearchFiles(index, data, L"MARMALADE", hits));
        ASSERT_EQ(1u, hits.size());
        EXPECT_EQ(1, hits[0].ID);
    }
}

TEST(ShortRecords, AStreamLongerThanItsHeaderStillFails)
{
    const std::vector<BYTE> bytes(500, 7);
    const std::vector<BYTE> record = bookpacker::MakeRecord(1, bytes);
    std::vector<BYTE> out;
    EXPECT_FALSE(InflateRecordToBuffer(&record[28], DWORD(record.size() - 28), 499, out));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(InflateRecordToBuffer(&record[28], DWORD(record.size() - 28), 500, out));
    EXPECT_EQ(bytes, out);
}
