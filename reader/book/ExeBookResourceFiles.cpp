#include "reader/book/ExeBookResourceFiles.h"
#include "reader/app/FileUtil.h"
#include "reader/book/XMLDocument.h"
#include <zlib.h>
#include <stdio.h>
#include <string.h>
#include <algorithm>
#include <map>
#include <new>
#include <string>
#include <unordered_map>
#include <stdexcept>

namespace {

// Deflate cannot expand data more than about 1032 times; a record that claims more
// lies, and is refused before anything is allocated for it.
const ULONGLONG kMaxInflateRatio = 1032;
const ULONGLONG kInflateSlack = 1024;
// Records are inflated, written and searched in pieces of this size.
const DWORD kInflatePiece = 256 * 1024;

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

// Inflates one zlib stream piece by piece. The stream must end within the stored bytes and
// produce no more than the inflated size claimed.
class CRecordInflater
{
public:
    CRecordInflater() { memset(&m_stream, 0, sizeof(m_stream)); }
    ~CRecordInflater()
    {
        if (m_open)
            inflateEnd(&m_stream);
    }
    CRecordInflater(const CRecordInflater&) = delete;
    CRecordInflater& operator=(const CRecordInflater&) = delete;

    BOOL Open(const BYTE* source, DWORD storedSize, DWORD inflatedSize)
    {
        if ((!source && storedSize > 0) ||
            ULONGLONG(inflatedSize) > ULONGLONG(storedSize) * kMaxInflateRatio + kInflateSlack)
            return FALSE;
        static const BYTE kNothing = 0;
        m_stream.next_in = const_cast<Bytef*>(source ? source : &kNothing);
        m_stream.avail_in = storedSize;
        m_left = inflatedSize;
        m_open = inflateInit(&m_stream) == Z_OK;
        return m_open ? TRUE : FALSE;
    }

    // 1 when `produced` bytes (possibly none) came and more may follow; 0 when the stream
    // ended whole after them; -1 when it is damaged, cut off or longer than claimed.
    int Read(BYTE* out, DWORD capacity, DWORD& produced)
    {
        produced = 0;
        if (m_ended)
            return 0;
        if (!m_open)
            return -1;
        // One byte beyond what is left shows a stream that is longer than claimed.
        const DWORD room = DWORD(std::min<ULONGLONG>(capacity, ULONGLONG(m_left) + 1));
        m_stream.next_out = out;
        m_stream.avail_out = room;
        const int result = inflate(&m_stream, Z_NO_FLUSH);
        produced = room - m_stream.avail_out;
        if (produced > m_left)
            return -1;
        m_left -= produced;
        if (result == Z_STREAM_END) {
            m_ended = true;
            return produced > 0 ? 1 : 0;
        }
        if (result == Z_OK)
            return 1;
        // Z_BUF_ERROR with input left means no progress was possible; with none left the
        // stream was cut off. Either way it is not whole.
        return -1;
    }

private:
    z_stream m_stream;
    DWORD m_left = 0;
    bool m_open = false;
    bool m_ended = false;
};

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
    CRecordInflater inflater;
    if (!inflater.Open(source, storedSize, inflatedSize))
        return FALSE;
    // The buffer grows with what the stream actually produces, so that a size claim costs
    // nothing the data does not back. zlib's own check proves the stream whole; one that ends
    // early gives exactly the bytes it holds (another packer may store a rounded size).
    try {
        out.reserve(std::min<DWORD>(inflatedSize, kInflatePiece));
        for (;;) {
            const size_t at = out.size();
            // Doubling, but never past one byte beyond the size claimed (which shows a longer stream).
            const DWORD room =
                DWORD(std::min<ULONGLONG>(std::max<size_t>(at, kInflatePiece), ULONGLONG(inflatedSize) - at + 1));
            out.resize(at + room);
            DWORD produced = 0;
            const int state = inflater.Read(out.data() + at, room, produced);
            out.resize(at + produced);
            if (state <= 0) {
                if (state < 0)
                    out.clear();
                return state == 0 ? TRUE : FALSE;
            }
        }
    } catch (const std::exception&) { // out of memory, or beyond what a vector can hold
        out.clear();
        return FALSE;
    }
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
    CRecordInflater inflater;
    if (!path || !*path || !inflater.Open(source, storedSize, inflatedSize))
        return FALSE;
    const CString folder = GetFolderOfPath(path);
    if (!folder.IsEmpty())
        EnsureFolder(folder);
    FILE* file = _wfopen(path, L"wb");
    if (!file)
        return FALSE;
    // Written piece by piece: a record may inflate to far more than is wise to hold at once.
    std::vector<BYTE> piece(kInflatePiece);
    bool ok = true;
    for (;;) {
        DWORD produced = 0;
        const int state = inflater.Read(piece.data(), DWORD(piece.size()), produced);
        if (state < 0 || (produced > 0 && fwrite(piece.data(), 1, produced, file) != produced)) {
            ok = false;
            break;
        }
        if (state == 0)
            break;
    }
    ok = fclose(file) == 0 && ok;
    if (!ok) // a damaged or cut-off file must not pass for the real one later
        DeleteFileW(path);
    return ok ? TRUE : FALSE;
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

namespace {

// The files this run has written from records. A file that still has the size and time it
// had when written, from the same record, is not written again: pages and their companion
// files are visited again and again, and a record may inflate to a great deal.
class CExtractedFiles
{
public:
    bool Holds(const CString& path, const BYTE* record)
    {
        CFileStamp stamp;
        if (!Stamp(path, stamp))
            return false;
        CSharedLock lock(m_lock, false);
        auto it = m_files.find(Key(path));
        return it != m_files.end() && it->second.record == record &&
               memcmp(it->second.header, record, EXEBOOK_RECORD_HEADER_SIZE) == 0 && it->second.stamp == stamp;
    }
    void Remember(const CString& path, const BYTE* record)
    {
        Entry entry;
        entry.record = record;
        memcpy(entry.header, record, EXEBOOK_RECORD_HEADER_SIZE);
        const bool stamped = Stamp(path, entry.stamp);
        CSharedLock lock(m_lock, true);
        if (stamped)
            m_files[Key(path)] = entry;
        else
            m_files.erase(Key(path));
    }
    void Forget(const CString& path)
    {
        CSharedLock lock(m_lock, true);
        m_files.erase(Key(path));
    }

private:
    struct CFileStamp
    {
        ULONGLONG size = 0, written = 0;
        bool operator==(const CFileStamp& other) const { return size == other.size && written == other.written; }
    };
    struct Entry
    {
        const BYTE* record = nullptr;
        BYTE header[EXEBOOK_RECORD_HEADER_SIZE] = {};
        CFileStamp stamp;
    };
    class CSharedLock
    {
    public:
        CSharedLock(SRWLOCK& lock, bool exclusive) : m_lock(lock), m_exclusive(exclusive)
        {
            if (exclusive)
                AcquireSRWLockExclusive(&m_lock);
            else
                AcquireSRWLockShared(&m_lock);
        }
        ~CSharedLock()
        {
            if (m_exclusive)
                ReleaseSRWLockExclusive(&m_lock);
            else
                ReleaseSRWLockShared(&m_lock);
        }

    private:
        SRWLOCK& m_lock;
        bool m_exclusive;
    };
    static std::wstring Key(const CString& path)
    {
        CString lower(path);
        lower.MakeLower();
        return std::wstring(lower.GetString());
    }
    static bool Stamp(const CString& path, CFileStamp& stamp)
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return false;
        stamp.size = (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        stamp.written = (ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
        return true;
    }

    SRWLOCK m_lock = SRWLOCK_INIT;
    std::map<std::wstring, Entry> m_files;
};

CExtractedFiles& ExtractedFiles()
{
    static CExtractedFiles files;
    return files;
}

// Writes the record at `begin` to `path` unless this run wrote it there already.
BOOL ExtractRecord(const EXEBOOKPACKEDDATA& resource, int begin, const CString& path)
{
    RecordHeader header;
    if (!LocateRecord(resource, begin, header))
        return FALSE;
    const BYTE* record = resource.pData + begin;
    if (ExtractedFiles().Holds(path, record))
        return TRUE;
    ExtractedFiles().Forget(path);
    if (!InflateRecordToFile(header.data, header.storedSize, header.inflatedSize, path))
        return FALSE;
    ExtractedFiles().Remember(path, record);
    return TRUE;
}

} // namespace

int ExtractFileById(int id, const EXEBOOKPACKEDDATA& resource, const CExeBookResourceFiles& index, LPCWSTR path)
{
    int position = FindFileIndex(index, id);
    if (position < 0)
        return -1;
    return ExtractRecord(resource, index[position].Begin, CString(path ? path : L"")) ? 1 : 0;
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

    // The records of the request, found in one walk over the index (the first of equal ids),
    // so that a page with thousands of companion files costs no more than their number.
    std::unordered_map<int, int> positions;
    for (const EXEBOOKFILEENTRY& entry : request)
        positions.emplace(entry.nID, -1);
    for (size_t i = 0; i < index.size(); ++i) {
        auto it = positions.find(index[i].ID);
        if (it != positions.end() && it->second < 0)
            it->second = int(i);
    }

    // Without its own page the request would show whatever an earlier book left there.
    if (positions[request[0].nID] < 0)
        return FALSE;

    bool companionFolderMade = false;
    for (size_t i = 0; i < request.size(); ++i) {
        const int position = positions[request[i].nID];
        if (position < 0)
            continue;
        CString path;
        if (i == 0) {
            path = pagePath;
        } else {
            if (!companionFolderMade && !EnsureFolder(companionFolder))
                return FALSE;
            companionFolderMade = true;
            path = companionFolder + request[i].strName;
        }
        if (!ExtractRecord(resource, index[size_t(position)].Begin, path))
            return FALSE;
    }
    return TRUE;
}

namespace {

// Fills `out` from the inflater until `want` bytes are there or the stream ended; the
// state of the last read (1 more may follow, 0 ended, -1 failed).
int ReadAtLeast(CRecordInflater& inflater, BYTE* out, DWORD want, DWORD& filled)
{
    filled = 0;
    int state = 1;
    while (state > 0 && filled < want) {
        DWORD produced = 0;
        state = inflater.Read(out + filled, want - filled, produced);
        filled += produced;
    }
    return state;
}

// Reads the rest of a stream, so that only a whole record counts.
bool EndsWhole(CRecordInflater& inflater, std::vector<BYTE>& scratch)
{
    for (;;) {
        DWORD produced = 0;
        const int state = inflater.Read(scratch.data(), DWORD(scratch.size()), produced);
        if (state <= 0)
            return state == 0;
    }
}

// TRUE when the record is UTF-16 text that holds `text`. The record is inflated piece by
// piece; each piece is searched together with the end of the one before it, so that a match
// across two pieces is found. Whether the file is UTF-16 is decided on its first piece,
// which for any ordinary page is the whole file.
bool RecordHoldsText(CRecordInflater& inflater, LPCWSTR text, size_t textLength, std::vector<BYTE>& buffer)
{
    const DWORD keepBytes = DWORD(textLength) * 2; // covers the pattern's tail and an odd byte
    if (buffer.size() < keepBytes + kInflatePiece)
        buffer.resize(keepBytes + kInflatePiece);
    BYTE* data = buffer.data();
    DWORD filled = 0;
    int state = ReadAtLeast(inflater, data, kInflatePiece, filled);
    if (state < 0 || filled < 2 || !IsTextUnicode(data, int(filled), nullptr))
        return false;
    for (;;) {
        const wchar_t* chars = reinterpret_cast<const wchar_t*>(data);
        if (FindTextNoCase(chars, int(filled / 2), text) >= 0)
            return EndsWhole(inflater, buffer);
        if (state == 0)
            return false;
        // Keep what a match across the boundary could start with, and an odd last byte.
        DWORD keep = std::min<DWORD>(filled, DWORD(textLength - 1) * 2 + (filled & 1));
        memmove(data, data + filled - keep, keep);
        DWORD more = 0;
        state = ReadAtLeast(inflater, data + keep, kInflatePiece, more);
        if (state < 0)
            return false;
        filled = keep + more;
        if (more == 0 && state == 0)
            return false;
    }
}

} // namespace

BOOL SearchFiles(const CExeBookResourceFiles& index, const EXEBOOKPACKEDDATA& resource, LPCWSTR text,
                 CExeBookResourceFiles& hits)
{
    const size_t textLength = text ? wcslen(text) : 0;
    if (textLength == 0 || textLength > 0x10000)
        return TRUE;
    std::vector<BYTE> buffer;
    for (const EXEBOOKRESOURCEFILEDATA& record : index) {
        // Only what is actually inflated is looked at, whatever the index claims.
        RecordHeader header;
        CRecordInflater inflater;
        if (!LocateRecord(resource, record.Begin, header) ||
            !inflater.Open(header.data, header.storedSize, header.inflatedSize))
            continue;
        if (RecordHoldsText(inflater, text, textLength, buffer))
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
