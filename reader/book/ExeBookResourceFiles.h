// The packed files of a book: an index read from the settings XML, and the
// resource "EBOOKFILEDATA" of type "FILES", a sequence of zlib records
//
//   offset 0   file id (u32)          offset 4   stored size (u32)
//   offset 8   inflated size (u32)    offset 12  MD5 of the inflated file (16 bytes)
//   offset 28  zlib stream of `stored size` bytes
//
// all little-endian, one after another. Every read is bounded by the size of the
// resource; a record whose header or data does not fit, whose stream is damaged, or that
// inflates to more than its inflated size, is a failed record. One that inflates to fewer
// bytes gives exactly the bytes produced.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <vector>
#include "platform/framework/Strings.h"

class CQorXMLNode;
class CQorXMLDocumentEx;

enum { EXEBOOK_RECORD_HEADER_SIZE = 28 };

// One entry of the index.
struct EXEBOOKRESOURCEFILEDATA
{
    int ID;         // the file id used by the contents tree
    int Begin;      // offset of the record header within the resource
    int FileSize;   // inflated size
    int BufferSize; // stored (compressed) size
};

class CExeBookResourceFiles : public std::vector<EXEBOOKRESOURCEFILEDATA>
{
public:
    virtual ~CExeBookResourceFiles() = default;
};

// A file of a page request or of a contents record: entry 0 of a page request is
// the page itself, the others its companion files.
struct EXEBOOKFILEENTRY
{
    int nID;
    CString strName;
};
typedef std::vector<EXEBOOKFILEENTRY> CExeBookFileEntries;

// The locked bytes of the packed-file resource and their count.
struct EXEBOOKPACKEDDATA
{
    const BYTE* pData;
    DWORD dwSize;
};

// Reads the `ResourceFiles` child (any letter case) of `parent` into the index:
// every child whose name begins with "File_" (any case) with the integer
// attributes ID, FileSize, BufferSize and Begin. FALSE when the element is
// missing or an entry lacks one of the four (the entries before it stay).
BOOL ReadResourceFiles(const CQorXMLNode& parent, CExeBookResourceFiles& index);
// The same under the root element of a settings document.
BOOL ReadResourceFiles(CQorXMLDocumentEx& document, CExeBookResourceFiles& index);

// Position of the first entry with this id, or -1.
int FindFileIndex(const CExeBookResourceFiles& index, int id);

// Inflates `storedSize` bytes of zlib data into a buffer of at most `inflatedSize` bytes,
// sized to what was produced; FALSE when the data is damaged or inflates to more.
BOOL InflateRecordToBuffer(const BYTE* source, DWORD storedSize, DWORD inflatedSize, std::vector<BYTE>& out);
// The same, replacing the content of a stream.
BOOL InflateRecord(const BYTE* source, DWORD storedSize, DWORD inflatedSize, IStream* stream);
// The same, writing a file with mode "wb" piece by piece, so that no record is held in memory
// whole; a record that fails leaves no file behind.
BOOL InflateRecordToFile(const BYTE* source, DWORD storedSize, DWORD inflatedSize, LPCWSTR path);

// Inflates the record whose header starts at `begin`, with the sizes of its header.
BOOL InflateRecordAt(const EXEBOOKPACKEDDATA& resource, int begin, std::vector<BYTE>& out);

// -1 when the id is not in the index; else 1 when the file was written, 0 when not.
// Extraction writes each record once per run: a file that this run wrote from the same
// record, and that still has the size and time it had then, is kept as it is.
int ExtractFileById(int id, const EXEBOOKPACKEDDATA& resource, const CExeBookResourceFiles& index, LPCWSTR path);

// Writes the page (entry 0) to folder + its name and the other entries to the
// folder "<page title>_files\" beside it; `pagePath` receives the page's path.
// Fails when the request is empty, a name is not a plain file name (then nothing
// is written), the page itself is not in the index, or a record fails. Companion
// ids missing from the index are skipped.
BOOL ExtractPage(const CExeBookResourceFiles& index, const EXEBOOKPACKEDDATA& resource,
                 const CExeBookFileEntries& request, LPCWSTR folder, CString& pagePath);

// Appends a copy of every index entry whose file is UTF-16 text that contains
// `text` in any letter case. Records that fail are skipped. Each record is inflated and
// searched piece by piece; whether it is UTF-16 text is decided on its first 256 KB.
BOOL SearchFiles(const CExeBookResourceFiles& index, const EXEBOOKPACKEDDATA& resource, LPCWSTR text,
                 CExeBookResourceFiles& hits);

// Finds, loads and locks the resource "EBOOKFILEDATA" of type "FILES" of `module`
// (the executable's own module, never a language module) with its size.
BOOL LoadPackedFileResource(HMODULE module, EXEBOOKPACKEDDATA& resource);
