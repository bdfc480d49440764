#include "reader/app/FileUtil.h"
#include <share.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <wchar.h>
#include <algorithm>
#include <new>
#include <vector>

namespace {

bool IsSeparator(wchar_t ch)
{
    return ch == L'\\' || ch == L'/';
}

// Length of the drive part ("C:") of a path; 0 when it has none.
int DriveLength(LPCWSTR path)
{
    return (path && path[0] && path[1] == L':') ? 2 : 0;
}

// Position just after the last separator or the drive; the start of the file name.
int FileNameStart(LPCWSTR path)
{
    int start = DriveLength(path);
    for (int i = start; path[i]; ++i) {
        if (IsSeparator(path[i]))
            start = i + 1;
    }
    return start;
}

BOOL IsFolder(LPCWSTR path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Upper-case form of every UTF-16 code unit, built once; the search folds both
// sides through it so that it costs one table look-up per character.
class CCaseFoldTable
{
public:
    CCaseFoldTable() : m_upper(65536)
    {
        for (int i = 0; i < 65536; ++i)
            m_upper[i] = wchar_t(i);
        CharUpperBuffW(&m_upper[1], 65535);
    }
    wchar_t Fold(wchar_t ch) const { return m_upper[static_cast<unsigned short>(ch)]; }

private:
    std::vector<wchar_t> m_upper;
};

const CCaseFoldTable& CaseFold()
{
    static const CCaseFoldTable table;
    return table;
}

} // namespace

BOOL EnsureFolder(LPCWSTR path)
{
    if (!path || !*path)
        return FALSE;
    if (IsFolder(path))
        return TRUE;
    CString folder(path);
    while (folder.GetLength() > 0 && IsSeparator(folder[folder.GetLength() - 1]))
        folder.Truncate(folder.GetLength() - 1);
    if (folder.IsEmpty() || (folder.GetLength() == 2 && folder[1] == L':'))
        return IsFolder(path);
    int nameStart = FileNameStart(folder);
    if (nameStart > 0) {
        CString parent = folder.Left(nameStart);
        if (!IsFolder(parent) && !EnsureFolder(parent))
            return FALSE;
    }
    if (CreateDirectoryW(folder, nullptr))
        return TRUE;
    return IsFolder(folder);
}

void AppendPathSeparator(CString& path)
{
    if (path.IsEmpty())
        return;
    wchar_t last = path[path.GetLength() - 1];
    if (!IsSeparator(last))
        path += L'\\';
}

CString GetFolderOfPath(LPCWSTR path)
{
    if (!path)
        return CString();
    return CString(path, FileNameStart(path));
}

CString GetFileNameOfPath(LPCWSTR path)
{
    if (!path)
        return CString();
    return CString(path + FileNameStart(path));
}

CString GetFileExtensionOfPath(LPCWSTR path)
{
    CString name = GetFileNameOfPath(path);
    int dot = name.ReverseFind(L'.');
    return dot < 0 ? CString() : name.Mid(dot);
}

CString GetFileTitleOfPath(LPCWSTR path)
{
    CString name = GetFileNameOfPath(path);
    int dot = name.ReverseFind(L'.');
    return dot < 0 ? name : name.Left(dot);
}

CString GetLongPath(LPCWSTR path)
{
    if (!path)
        return CString();
    DWORD needed = GetLongPathNameW(path, nullptr, 0);
    if (needed == 0)
        return CString(path);
    CString result;
    DWORD length = GetLongPathNameW(path, result.GetBuffer(int(needed)), needed);
    if (length == 0 || length >= needed) {
        result.ReleaseBuffer(0);
        return CString(path);
    }
    result.ReleaseBuffer(int(length));
    return result;
}

ULONGLONG GetFileSizeOfPath(LPCWSTR path)
{
    if (!path || !*path)
        return 0;
    struct _stat64 info;
    if (_wstat64(path, &info) != 0 || (info.st_mode & _S_IFDIR))
        return 0;
    return ULONGLONG(info.st_size);
}

BOOL IsPlainFileName(LPCWSTR name)
{
    if (!name || !*name)
        return FALSE;
    size_t length = wcslen(name);
    if (length > MAX_PATH)
        return FALSE;
    for (size_t i = 0; i < length; ++i) {
        wchar_t ch = name[i];
        if (ch < 32 || wcschr(L"<>:\"/\\|?*", ch))
            return FALSE;
    }
    // Windows drops trailing dots and spaces, so "..." or "a. " would name something else.
    if (name[length - 1] == L'.' || name[length - 1] == L' ')
        return FALSE;
    // Device names stay devices whatever folder or extension goes with them.
    CString base(name);
    int dot = base.Find(L'.');
    if (dot >= 0)
        base = base.Left(dot);
    base.TrimRight(L' ');
    static const wchar_t* const devices[] = {
        L"CON",  L"PRN",  L"AUX",  L"NUL",  L"CONIN$", L"CONOUT$", L"COM1", L"COM2", L"COM3", L"COM4", L"COM5", L"COM6",
        L"COM7", L"COM8", L"COM9", L"LPT1", L"LPT2",   L"LPT3",    L"LPT4", L"LPT5", L"LPT6", L"LPT7", L"LPT8", L"LPT9",
    };
    for (const wchar_t* device : devices) {
        if (base.CompareNoCase(device) == 0)
            return FALSE;
    }
    return TRUE;
}

namespace {

// Characters that change the order in which text shows, or that take no room on the screen.
bool IsHiddenOrReordering(wchar_t ch)
{
    if (ch < 0x20 || (ch >= 0x7F && ch <= 0x9F))
        return true;
    switch (ch) {
    case 0x00AD: // soft hyphen
    case 0x034F: // combining grapheme joiner
    case 0x061C: // Arabic letter mark
    case 0x115F:
    case 0x1160:
    case 0x17B4:
    case 0x17B5:
    case 0x3164:
    case 0xFEFF: // zero-width no-break space
    case 0xFFA0:
        return true;
    default:
        break;
    }
    return (ch >= 0x180B && ch <= 0x180E) || (ch >= 0x200B && ch <= 0x200F) || (ch >= 0x202A && ch <= 0x202E) ||
           (ch >= 0x2060 && ch <= 0x206F) || (ch >= 0xFE00 && ch <= 0xFE0F) || (ch >= 0xFFF9 && ch <= 0xFFFB);
}

bool IsWhiteSpace(wchar_t ch)
{
    return ch == L' ' || ch == 0x00A0 || ch == 0x1680 || (ch >= 0x2000 && ch <= 0x200A) || ch == 0x2028 ||
           ch == 0x2029 || ch == 0x202F || ch == 0x205F || ch == 0x3000;
}

bool IsHighSurrogate(wchar_t ch)
{
    return ch >= 0xD800 && ch <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t ch)
{
    return ch >= 0xDC00 && ch <= 0xDFFF;
}

// The longest extension a shortened name keeps.
const int kMaxKeptExtension = 16;

} // namespace

CString DisplayFileName(LPCWSTR name)
{
    CString shown;
    if (!name)
        return shown;
    for (LPCWSTR p = name; *p; ++p) {
        const wchar_t ch = *p;
        if (IsWhiteSpace(ch)) {
            while (IsWhiteSpace(p[1]))
                ++p;
            shown += L' ';
        } else if (IsHighSurrogate(ch) && IsLowSurrogate(p[1])) {
            shown += ch;
            shown += *++p;
        } else if (IsHiddenOrReordering(ch) || IsHighSurrogate(ch) || IsLowSurrogate(ch)) {
            CString code;
            code.Format(L"[U+%04X]", unsigned(ch));
            shown += code;
        } else {
            shown += ch;
        }
    }
    return shown;
}

CString ShortenFileName(const CString& name, int maxLength)
{
    if (name.GetLength() <= maxLength)
        return name;
    if (maxLength <= 0)
        return CString();
    CString extension = GetFileExtensionOfPath(name);
    if (extension.GetLength() > kMaxKeptExtension || extension.GetLength() >= maxLength)
        extension.Empty();
    CString title = name.Left(maxLength - extension.GetLength());
    if (!title.IsEmpty() && IsHighSurrogate(title[title.GetLength() - 1]))
        title.Truncate(title.GetLength() - 1);
    title.TrimRight(L". ");
    return title.IsEmpty() ? CString() : title + extension;
}

BOOL WriteBytesToFile(LPCWSTR path, const void* bytes, size_t length)
{
    if (!path || !*path || (!bytes && length > 0))
        return FALSE;
    CString folder = GetFolderOfPath(path);
    if (!folder.IsEmpty() && !IsFolder(folder))
        EnsureFolder(folder);
    FILE* file = _wfopen(path, L"wb");
    if (!file)
        return FALSE;
    size_t written = length > 0 ? fwrite(bytes, 1, length, file) : 0;
    bool closed = fclose(file) == 0;
    if (written != length || !closed) {
        // A cut-off file must not pass for the real one later.
        DeleteFileW(path);
        return FALSE;
    }
    return TRUE;
}

BOOL SaveStreamToFile(IStream* stream, LPCWSTR path)
{
    if (!stream)
        return FALSE;
    LARGE_INTEGER zero = {};
    if (FAILED(stream->Seek(zero, STREAM_SEEK_SET, nullptr)))
        return FALSE;
    STATSTG stat = {};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart > 0x7FFFFFFF)
        return FALSE;
    const ULONG size = ULONG(stat.cbSize.QuadPart);
    BYTE* buffer = new (std::nothrow) BYTE[size ? size : 1];
    if (!buffer)
        return FALSE;
    ULONG read = 0;
    BOOL ok = size == 0 || (SUCCEEDED(stream->Read(buffer, size, &read)) && read == size);
    if (ok)
        ok = WriteBytesToFile(path, buffer, size);
    delete[] buffer;
    return ok;
}

BOOL CopyFileViaStream(LPCWSTR source, LPCWSTR target)
{
    if (!source || !target)
        return FALSE;
    const ULONGLONG size = GetFileSizeOfPath(source);
    if (size > 0x7FFFFFFF)
        return FALSE;
    FILE* in = _wfsopen(source, L"rb", _SH_DENYNO);
    if (!in)
        return FALSE;
    const CString folder = GetFolderOfPath(target);
    if (!folder.IsEmpty() && !IsFolder(folder))
        EnsureFolder(folder);
    FILE* out = _wfopen(target, L"wb");
    if (!out) {
        fclose(in);
        return FALSE;
    }
    // Piece by piece straight into the target: a memory stream grown 64 KB at a time copies what
    // it holds at every step (minutes for tens of MB), and one buffer of the whole file is slow
    // to fill under Wine.
    static const size_t kPiece = 64 * 1024;
    std::vector<BYTE> piece(kPiece);
    ULONGLONG copied = 0;
    bool written = true;
    while (copied < size && written) {
        const size_t want = size_t(std::min<ULONGLONG>(kPiece, size - copied));
        const size_t got = fread(piece.data(), 1, want, in);
        if (got == 0)
            break;
        written = fwrite(piece.data(), 1, got, out) == got;
        copied += got;
    }
    fclose(in);
    const bool closed = fclose(out) == 0;
    // A source that shrank while it was read, or a target that filled up, leaves no cut-off copy.
    if (!written || !closed || copied != size) {
        ::DeleteFileW(target);
        return FALSE;
    }
    return TRUE;
}

CString IntToDecimalString(int value)
{
    CString text;
    text.Format(L"%d", value);
    return text;
}

CString ReplacePlaceholderOne(LPCWSTR text, LPCWSTR value)
{
    CString result(text ? text : L"");
    result.Replace(L"%1", value ? value : L"");
    return result;
}

int FindTextNoCase(const wchar_t* text, int length, LPCWSTR pattern)
{
    if (!text || !pattern || !*pattern || length <= 0)
        return -1;
    const int patternLength = int(wcslen(pattern));
    if (patternLength > length)
        return -1;
    const CCaseFoldTable& fold = CaseFold();
    std::vector<wchar_t> folded(pattern, pattern + patternLength);
    for (wchar_t& ch : folded)
        ch = fold.Fold(ch);

    // Horspool's scan over folded characters: the window's last character decides
    // how far the window may move. Shifts are kept per low byte of the character,
    // the smallest of the characters sharing it, so no match is ever skipped and the
    // first one found is the leftmost.
    const int last = patternLength - 1;
    int shift[256];
    for (int& s : shift)
        s = patternLength;
    for (int i = 0; i < last; ++i)
        shift[folded[i] & 0xFF] = last - i;

    const wchar_t lastChar = folded[last];
    const int lastStart = length - patternLength;
    int position = 0;
    while (position <= lastStart) {
        const wchar_t ch = fold.Fold(text[position + last]);
        if (ch == lastChar) {
            int k = 0;
            while (k < last && fold.Fold(text[position + k]) == folded[k])
                ++k;
            if (k == last)
                return position;
        }
        position += shift[ch & 0xFF];
    }
    return -1;
}
