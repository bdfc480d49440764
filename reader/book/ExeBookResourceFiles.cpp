#include "reader/book/ExeBookResourceFiles.h"
#include "reader/app/FileUtil.h"
#include "reader/book/XMLDocument.h"
#include <zlib.h>
#include <string.h>
#include <new>
#include <stdexcept>

namespace {

// Deflate cannot expand data more than about 1032 times; a record that claims more
// lies, and is refused before anything is allocated for it.
const ULONGLONG kMaxInflateRatio = 1032;
const ULONGLONG kInflateSlack = 1024;

DWORD ReadU32(const BYTE* p)
{
    return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
}

struct RecordHeader
{
    DWORD id;
    DWORD storedSize;
    DWORD inflatedSize;
    const BYTE* data;
};

// The header and data of the record at `begin`, when both lie inside the resource.
BOOL LocateRecord(const EXEBOOKPACKEDDATA& resource, int begin, RecordHeader& header)
{
    if (!resource.pData || begin < 0 || resource.dwSize < EXEBOOK_RECORD_HEADER_SIZE ||
        DWORD(begin) > resource.dwSize - EXEBOOK_RECORD_HEADER_SIZE)
        return FALSE;
    const BYTE* p = resource.pData + begin;
    header.id = ReadU32(p);
    header.storedSize = ReadU32(p + 4);
    header.inflatedSize = ReadU32(p + 8);
    header.data = p + EXEBOOK_RECORD_HEADER_SIZE;
    const DWORD available = resource.dwSize - DWORD(begin) - EXEBOOK_RECORD_HEADER_SIZE;
    return header.storedSize <= available;
}

BOOL IsFileNamePrefix(const CString& name)
{
    return name.GetLength() >= 5 && name.Left(5).CompareNoCase(L"File_") == 0;
}

} // namespace

BOOL ReadResourceFiles(const CQorXMLNode& parent, CExeBookResourceFiles& index)
{
    CQorXMLNode files;
    if (!parent.FindChild(L"ResourceFiles", files))
        return FALSE;
    std::vector<CQorXMLNode> children;
    if (!files.GetChildNodes(children))
        return FALSE;
    for (const CQorXMLNode& child : children) {
        if (!IsFileNamePrefix(child.GetName()))
            continue;
        EXEBOOKRESOURCEFILEDATA record = {};
        if (!child.GetIntAttribute(L"ID", record.ID) || !child.GetIntAttribute(L"FileSize", record.FileSize) ||
            !child.GetIntAttribute(L"BufferSize", record.BufferSize) || !child.GetIntAttribute(L"Begin", record.Begin))
            return FALSE;
        index.push_back(record);
    }
    return TRUE;
}

BOOL ReadResourceFiles(CQorXMLDocumentEx& document, CExeBookResourceFiles& index)
{
    CQorXMLNode root;
    if (!document.GetRootElement(root))
        return FALSE;
    return ReadResourceFiles(root, index);
}

int FindFileIndex(const CExeBookResourceFiles& index, int id)
{
    for (size_t i = 0; i < index.size(); ++i) {
        if (index[i].ID == id)
            return int(i);
    }
    return -1;
}

BOOL InflateRecordToBuffer(const BYTE* source, DWORD storedSize, DWORD inflatedSize, std::vector<BYTE>& out)
{
    out.clear();
    if (!source && storedSize > 0)
        return FALSE;
    if (ULONGLONG(inflatedSize) > ULONGLONG(storedSize) * kMaxInflateRatio + kInflateSlack)
        return FALSE;
    try {
        out.resize(inflatedSize);
    } catch (const std::exception&) { // out of memory, or beyond what a vector can hold
        out.clear();
        return FALSE;
    }
    BYTE empty = 0;
    uLongf produced = inflatedSize;
    int result = uncompress(inflatedSize ? out.data() : &empty, &produced, source, storedSize);
    // zlib's own check proves the stream whole; a stream that ends early gives exactly the
    // bytes it holds (another packer may store a rounded size). More than the size claimed
    // fails as a full buffer.
    if (result != Z_OK || produced > inflatedSize) {
        out.clear();
        return FALSE;
    }
    out.resize(produced);
    return TRUE;
}

BOOL InflateRecord(const BYTE* source, DWORD storedSize, DWORD inflatedSize, IStream* stream)
{
    if (!stream)
        return FALSE;
    std::vector<BYTE> bytes;
    if (!InflateRecordToBuffer(source, storedSize, inflatedSize, bytes))
        return FALSE;
    LARGE_INTEGER zero = {};
    ULARGE_INTEGER empty = {};
    if (FAILED(stream->Seek(zero, STREAM_SEEK_SET, nullptr)) || FAILED(stream->SetSize(empty)))
        return FALSE;
    ULONG written = 0;
    if (!bytes.empty() &&
        (FAILED(stream->Write(bytes.data(), ULONG(bytes.size()), &written)) || written != bytes.size()))
        return FALSE;
    return TRUE;
}

BOOL InflateRecordToFile(const BYTE* source, DWORD storedSize, DWORD inflatedSize, LPCWSTR path)
{
    std::vector<BYTE> bytes;
    if (!InflateRecordToBuffer(source, storedSize, inflatedSize, bytes))
        return FALSE;
    return WriteBytesToFile(path, bytes.data(), bytes.size());
}

BOOL InflateRecordAt(const EXEBOOKPACKEDDATA& resource, int begin, std::vector<BYTE>& out)
{
    RecordHeader header;
    if (!LocateRecord(resource, begin, header)) {
        out.clear();
        return FALSE;
    }
    return InflateRecordToBuffer(header.data, header.storedSize, header.inflatedSize, out);
}

int ExtractFileById(int id, const EXEBOOKPACKEDDATA& resource, const CExeBookResourceFiles& index, LPCWSTR path)
{
    int position = FindFileIndex(index, id);
    if (position < 0)
        return -1;
    RecordHeader header;
    if (!LocateRecord(resource, index[position].Begin, header))
        return 0;
    return InflateRecordToFile(header.data, header.storedSize, header.inflatedSize, path) ? 1 : 0;
}

BOOL ExtractPage(const CExeBookResourceFiles& index, const EXEBOOKPACKEDDATA& resource,
                 const CExeBookFileEntries& request, LPCWSTR folder, CString& pagePath)
{
    if (request.empty())
        return FALSE;
    // Names come from the book; one that could leave the target folder refuses the
    // whole request before anything is written.
    for (const EXEBOOKFILEENTRY& entry : request) {
        if (!IsPlainFileName(entry.strName))
            return FALSE;
    }

    CString target(folder ? folder : L"");
    AppendPathSeparator(target);
    pagePath = target + request[0].strName;
    const CString companionFolder = GetFolderOfPath(pagePath) + GetFileTitleOfPath(pagePath) + L"_files\\";

    // Without its own page the request would show whatever an earlier book left there.
    if (FindFileIndex(index, request[0].nID) < 0)
        return FALSE;

    std::vector<BYTE> bytes;
    for (size_t i = 0; i < request.size(); ++i) {
        int position = FindFileIndex(index, request[i].nID);
        if (position < 0)
            continue;
        if (!InflateRecordAt(resource, index[position].Begin, bytes))
            return FALSE;
        CString path;
        if (i == 0) {
            path = pagePath;
        } else {
            if (!EnsureFolder(companionFolder))
                return FALSE;
            path = companionFolder + request[i].strName;
        }
        if (!WriteBytesToFile(path, bytes.data(), bytes.size()))
            return FALSE;
    }
    return TRUE;
}

BOOL SearchFiles(const CExeBookResourceFiles& index, const EXEBOOKPACKEDDATA& resource, LPCWSTR text,
                 CExeBookResourceFiles& hits)
{
    std::vector<BYTE> bytes;
    for (const EXEBOOKRESOURCEFILEDATA& record : index) {
        if (!InflateRecordAt(resource, record.Begin, bytes))
            continue;
        // Only what was actually inflated is looked at, whatever the index claims.
        if (bytes.size() < 2 || bytes.size() > 0x7FFFFFFF)
            continue;
        if (!IsTextUnicode(bytes.data(), int(bytes.size()), nullptr))
            continue;
        const wchar_t* chars = reinterpret_cast<const wchar_t*>(bytes.data());
        if (FindTextNoCase(chars, int(bytes.size() / 2), text) >= 0)
            hits.push_back(record);
    }
    return TRUE;
}

BOOL LoadPackedFileResource(HMODULE module, EXEBOOKPACKEDDATA& resource)
{
    resource.pData = nullptr;
    resource.dwSize = 0;
    HRSRC info = FindResourceW(module, L"EBOOKFILEDATA", L"FILES");
    if (!info)
        return FALSE;
    HGLOBAL handle = LoadResource(module, info);
    if (!handle)
        return FALSE;
    const BYTE* data = static_cast<const BYTE*>(LockResource(handle));
    if (!data)
        return FALSE;
    resource.pData = data;
    resource.dwSize = SizeofResource(module, info);
    return TRUE;
}
