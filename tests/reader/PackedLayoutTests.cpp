// The packed-file stream of a book is the same bytes whichever flavour (i686 or x86_64) packed
// it, and either flavour reads it: every byte of a few records is pinned here.
#include <gtest/gtest.h>
#include <windows.h>
#include <vector>
#include "books/packer/BookPacker.h"
#include "reader/book/ExeBookResourceFiles.h"

using namespace bookpacker;

namespace {

using Bytes = std::vector<BYTE>;

struct GoldenRecord
{
    const char* name;
    int id;
    Bytes file;
    Bytes record; // header (id, stored size, inflated size, MD5) and the zlib stream
};

// Header fields, then the MD5 of the file, then the zlib stream.
// clang-format off
const GoldenRecord kRecords[] = {
    { "three letters", 7, { 'a', 'b', 'c' },
      { 0x07, 0x00, 0x00, 0x00,  0x0B, 0x00, 0x00, 0x00,  0x03, 0x00, 0x00, 0x00,
        0x90, 0x01, 0x50, 0x98, 0x3C, 0xD2, 0x4F, 0xB0, 0xD6, 0x96, 0x3F, 0x7D, 0x28, 0xE1, 0x7F, 0x72,
        0x78, 0xDA, 0x4B, 0x4C, 0x4A, 0x06, 0x00, 0x02, 0x4D, 0x01, 0x27 } },
    { "empty file", 0x01020304, {},
      { 0x04, 0x03, 0x02, 0x01,  0x08, 0x00, 0x00, 0x00,  0x00, 0x00, 0x00, 0x00,
        0xD4, 0x1D, 0x8C, 0xD9, 0x8F, 0x00, 0xB2, 0x04, 0xE9, 0x80, 0x09, 0x98, 0xEC, 0xF8, 0x42, 0x7E,
        0x78, 0xDA, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01 } },
    { "UTF-16 page", 1, { 0xFF, 0xFE, 'A', 0x00, 0x14, 0x04 },
      { 0x01, 0x00, 0x00, 0x00,  0x0E, 0x00, 0x00, 0x00,  0x06, 0x00, 0x00, 0x00,
        0xCA, 0x47, 0x1A, 0x21, 0x8A, 0x4C, 0x9A, 0x22, 0x22, 0xE2, 0xB8, 0x83, 0x35, 0x1F, 0x5F, 0x60,
        0x78, 0xDA, 0xFB, 0xFF, 0xCF, 0x91, 0x41, 0x84, 0x05, 0x00, 0x0C, 0x26, 0x02, 0x57 } },
};
// clang-format on

} // namespace

TEST(PackedLayout, RecordsAreTheSameBytesInEitherFlavour)
{
    for (const GoldenRecord& golden : kRecords)
        EXPECT_EQ(golden.record, MakeRecord(golden.id, golden.file)) << golden.name;
}

// The packer lays the records one after another and indexes them by offset; the reader finds
// and inflates each from the pinned bytes.
TEST(PackedLayout, AStreamOfPinnedRecordsIsPackedAndReadBack)
{
    Bytes stream;
    CBookPacker packer;
    for (const GoldenRecord& golden : kRecords) {
        stream.insert(stream.end(), golden.record.begin(), golden.record.end());
        packer.AddFileWithId(golden.id, golden.file);
    }
    EXPECT_EQ(stream, packer.PackedFiles());

    CExeBookResourceFiles index;
    for (const PackedRecord& r : packer.Records())
        index.push_back({r.id, r.begin, r.fileSize, r.bufferSize});
    const EXEBOOKPACKEDDATA resource = {stream.data(), DWORD(stream.size())};
    int begin = 0;
    for (const GoldenRecord& golden : kRecords) {
        int at = FindFileIndex(index, golden.id);
        ASSERT_GE(at, 0) << golden.name;
        EXPECT_EQ(begin, index[at].Begin) << golden.name;
        EXPECT_EQ(int(golden.file.size()), index[at].FileSize) << golden.name;
        EXPECT_EQ(int(golden.record.size()) - EXEBOOK_RECORD_HEADER_SIZE, index[at].BufferSize) << golden.name;
        Bytes inflated = {0xEE};
        ASSERT_TRUE(InflateRecordAt(resource, index[at].Begin, inflated)) << golden.name;
        EXPECT_EQ(golden.file, inflated) << golden.name;
        begin += int(golden.record.size());
    }
}
