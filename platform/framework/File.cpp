#include "platform/framework/File.h"
#include "platform/framework/TextLines.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CMemFile, CFile)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

DWORD AccessOf(UINT nOpenFlags)
{
    switch (nOpenFlags & 3) {
    case CFile::modeRead:
        return GENERIC_READ;
    case CFile::modeWrite:
        return GENERIC_WRITE;
    case CFile::modeReadWrite:
        return GENERIC_READ | GENERIC_WRITE;
    default:
        return 0;
    }
}

DWORD ShareOf(UINT nOpenFlags)
{
    switch (nOpenFlags & 0x70) {
    case CFile::shareDenyWrite:
        return FILE_SHARE_READ;
    case CFile::shareDenyRead:
        return FILE_SHARE_WRITE;
    case CFile::shareDenyNone:
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: // compatibility mode and exclusive: nobody else
        return 0;
    }
}

DWORD CreationOf(UINT nOpenFlags)
{
    if (nOpenFlags & CFile::modeCreate)
        return (nOpenFlags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    return OPEN_EXISTING;
}

DWORD AttributesOf(UINT nOpenFlags)
{
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & CFile::osNoBuffer)
        attributes |= FILE_FLAG_NO_BUFFERING;
    if (nOpenFlags & CFile::osWriteThrough)
        attributes |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & CFile::osRandomAccess)
        attributes |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & CFile::osSequentialScan)
        attributes |= FILE_FLAG_SEQUENTIAL_SCAN;
    return attributes;
}

CString FullPathOf(LPCTSTR lpszFileName)
{
    DWORD needed = GetFullPathNameW(lpszFileName, 0, nullptr, nullptr);
    if (needed == 0)
        return CString(lpszFileName);
    CString path;
    DWORD length = GetFullPathNameW(lpszFileName, needed, path.GetBuffer(static_cast<int>(needed)), nullptr);
    path.ReleaseBuffer(length < needed ? static_cast<int>(length) : 0);
    return path.IsEmpty() ? CString(lpszFileName) : path;
}

// The name part of a path (after the last slash, backslash or drive colon).
CString NamePartOf(const CString& path)
{
    int cut = -1;
    for (int i = path.GetLength() - 1; i >= 0; --i) {
        wchar_t ch = path[i];
        if (ch == L'\\' || ch == L'/' || ch == L':') {
            cut = i;
            break;
        }
    }
    return path.Mid(cut + 1);
}

} // namespace

// ---------------------------------------------------------------------------
// CFile

// INVALID_HANDLE_VALUE doubles as the current-process pseudo handle, so a closed
// file must never reach the file functions.
void CFile::RequireOpen() const
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
}

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        CloseHandle(m_hFile);
    m_hFile = hFileNull;
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull)
        Abort();
    if (pError != nullptr) {
        pError->m_cause = CFileException::none;
        pError->m_lOsError = 0;
        pError->m_strFileName.Empty();
    }
    bool noName = lpszFileName == nullptr || *lpszFileName == L'\0';
    if (noName || (nOpenFlags & 3) == 3) {
        if (pError != nullptr) {
            pError->m_cause = noName ? CFileException::badPath : CFileException::genericException;
            pError->m_lOsError = noName ? ERROR_INVALID_NAME : ERROR_INVALID_PARAMETER;
            if (lpszFileName != nullptr)
                pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }

    SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};
    HANDLE hFile = CreateFileW(lpszFileName, AccessOf(nOpenFlags), ShareOf(nOpenFlags), &security,
                               CreationOf(nOpenFlags), AttributesOf(nOpenFlags), nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        if (pError != nullptr) {
            LONG osError = static_cast<LONG>(GetLastError());
            pError->m_lOsError = osError;
            pError->m_cause = CFileException::OsErrorToException(osError);
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    m_strFileName = FullPathOf(lpszFileName);
    return TRUE;
}

ULONGLONG CFile::GetPosition() const
{
    RequireOpen();
    LARGE_INTEGER zero = {};
    LARGE_INTEGER position = {};
    if (!SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    RequireOpen();
    DWORD method;
    switch (nFrom) {
    case begin:
        method = FILE_BEGIN;
        break;
    case current:
        method = FILE_CURRENT;
        break;
    case end:
        method = FILE_END;
        break;
    default:
        AfxThrowFileException(CFileException::badSeek, ERROR_INVALID_PARAMETER, m_strFileName);
    }
    LARGE_INTEGER distance;
    distance.QuadPart = lOff;
    LARGE_INTEGER position = {};
    if (!SetFilePointerEx(m_hFile, distance, &position, method))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    RequireOpen();
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(m_hFile, &size))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    RequireOpen();
    if (dwNewLen > static_cast<ULONGLONG>(std::numeric_limits<LONGLONG>::max()))
        AfxThrowFileException(CFileException::badSeek, ERROR_INVALID_PARAMETER, m_strFileName);
    Seek(static_cast<LONGLONG>(dwNewLen), begin);
    if (!SetEndOfFile(m_hFile))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    RequireOpen();
    if (nCount == 0)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    DWORD read = 0;
    if (!ReadFile(m_hFile, lpBuf, nCount, &read, nullptr))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return read;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    RequireOpen();
    if (nCount == 0)
        return;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    DWORD written = 0;
    if (!WriteFile(m_hFile, lpBuf, nCount, &written, nullptr))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    if (written != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    // A handle opened for reading only has nothing to flush and refuses the call.
    if (!FlushFileBuffers(m_hFile) && GetLastError() != ERROR_ACCESS_DENIED)
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::Close()
{
    BOOL ok = TRUE;
    LONG osError = 0;
    if (m_hFile != hFileNull) {
        ok = CloseHandle(m_hFile);
        if (!ok)
            osError = static_cast<LONG>(GetLastError());
    }
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    CString name = m_strFileName;
    m_strFileName.Empty();
    if (!ok)
        CFileException::ThrowOsError(osError, name);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CString CFile::GetFileName() const
{
    return NamePartOf(m_strFileName);
}

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

void CFile::SetFilePath(LPCTSTR lpszNewName)
{
    m_strFileName = lpszNewName != nullptr ? lpszNewName : L"";
}

void CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (!MoveFileW(lpszOldName, lpszNewName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszOldName);
}

void CFile::Remove(LPCTSTR lpszFileName)
{
    if (!DeleteFileW(lpszFileName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
}

// ---------------------------------------------------------------------------
// CMemFile

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(nullptr),
      m_bAutoDelete(TRUE)
{}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : CMemFile(nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    FreeBuffer();
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    FreeBuffer();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = lpBuffer != nullptr ? nBufferSize : 0;
    m_nGrowBytes = nGrowBytes;
    m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
    m_nPosition = 0;
    m_bAutoDelete = nGrowBytes != 0;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return lpBuffer;
}

void CMemFile::FreeBuffer()
{
    if (m_bAutoDelete && m_lpBuffer != nullptr)
        std::free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
}

void CMemFile::GrowFile(SIZE_T nNewSize)
{
    if (nNewSize <= m_nBufferSize)
        return;
    // A buffer that belongs to the caller has a fixed size.
    if (!m_bAutoDelete)
        AfxThrowMemoryException();
    SIZE_T newBufferSize = nNewSize;
    if (m_nGrowBytes > 0) {
        SIZE_T steps = (nNewSize - 1) / m_nGrowBytes + 1;
        if (steps > std::numeric_limits<SIZE_T>::max() / m_nGrowBytes)
            AfxThrowMemoryException();
        newBufferSize = steps * m_nGrowBytes;
    }
    void* lpNew = std::realloc(m_lpBuffer, newBufferSize);
    if (lpNew == nullptr)
        AfxThrowMemoryException();
    m_lpBuffer = static_cast<BYTE*>(lpNew);
    m_nBufferSize = newBufferSize;
}

BOOL CMemFile::Open(LPCTSTR, UINT, CFileException*)
{
    AfxThrowNotSupportedException();
}

ULONGLONG CMemFile::GetPosition() const
{
    return m_nPosition;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base;
    switch (nFrom) {
    case begin:
        base = 0;
        break;
    case current:
        base = static_cast<LONGLONG>(m_nPosition);
        break;
    case end:
        base = static_cast<LONGLONG>(m_nFileSize);
        break;
    default:
        AfxThrowFileException(CFileException::badSeek, ERROR_INVALID_PARAMETER);
    }
    LONGLONG position = base + lOff;
    if (position < 0 || static_cast<ULONGLONG>(position) > std::numeric_limits<SIZE_T>::max())
        AfxThrowFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK);
    m_nPosition = static_cast<SIZE_T>(position);
    return m_nPosition;
}

ULONGLONG CMemFile::GetLength() const
{
    return m_nFileSize;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > std::numeric_limits<SIZE_T>::max())
        AfxThrowMemoryException();
    SIZE_T newLength = static_cast<SIZE_T>(dwNewLen);
    GrowFile(newLength);
    if (newLength > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, newLength - m_nFileSize);
    if (m_nPosition > newLength)
        m_nPosition = newLength;
    m_nFileSize = newLength;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    SIZE_T available = m_nFileSize - m_nPosition;
    UINT count = available < nCount ? static_cast<UINT>(available) : nCount;
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, count);
    m_nPosition += count;
    return count;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    if (nCount > std::numeric_limits<SIZE_T>::max() - m_nPosition)
        AfxThrowMemoryException();
    SIZE_T endPosition = m_nPosition + nCount;
    GrowFile(endPosition);
    // A write after a seek past the end leaves zeros in the gap, as a disk file does.
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memmove(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = endPosition;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

void CMemFile::Flush() {}

void CMemFile::Close()
{
    FreeBuffer();
}

void CMemFile::Abort()
{
    FreeBuffer();
}

// ---------------------------------------------------------------------------
// CStdioFile

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_readAhead.clear();
    m_nReadPos = 0;
    m_bText = (nOpenFlags & typeBinary) == 0;
    return CFile::Open(lpszFileName, nOpenFlags & ~static_cast<UINT>(typeText | typeBinary), pError);
}

void CStdioFile::DropReadAhead()
{
    size_t unread = m_readAhead.size() - m_nReadPos;
    m_readAhead.clear();
    m_nReadPos = 0;
    if (unread > 0)
        CFile::Seek(-static_cast<LONGLONG>(unread), current);
}

bool CStdioFile::NextByte(BYTE& value)
{
    if (m_nReadPos >= m_readAhead.size()) {
        m_readAhead.resize(4096);
        m_nReadPos = 0;
        UINT read = CFile::Read(m_readAhead.data(), static_cast<UINT>(m_readAhead.size()));
        m_readAhead.resize(read);
        if (read == 0)
            return false;
    }
    value = m_readAhead[m_nReadPos++];
    return true;
}

BOOL CStdioFile::ReadRawLine(CString& line, bool keepLineEnd, UINT maxChars)
{
    line.Empty();
    bool any = false;
    bool sawLineEnd = false;
    if (m_bText) {
        CStringA bytes;
        any = fxdetail::ReadLineUnits<CStringA, char>(
            bytes, maxChars,
            [this](char& ch) {
                BYTE value = 0;
                if (!NextByte(value))
                    return false;
                ch = static_cast<char>(value);
                return true;
            },
            sawLineEnd);
        line = CString(bytes, CP_ACP);
    } else {
        bool loneByte = false; // a lone final byte is read but is not a character
        any = fxdetail::ReadLineUnits<CString, wchar_t>(
            line, maxChars,
            [this, &loneByte](wchar_t& ch) {
                BYTE low = 0;
                BYTE high = 0;
                if (!NextByte(low))
                    return false;
                if (!NextByte(high)) {
                    loneByte = true;
                    return false;
                }
                ch = static_cast<wchar_t>(low | (high << 8));
                return true;
            },
            sawLineEnd);
        any = any || loneByte;
    }
    if (sawLineEnd && keepLineEnd)
        line.AppendChar(L'\n');
    return any ? TRUE : FALSE;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    return ReadRawLine(rString, false, UINT_MAX);
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax == 0)
        AfxThrowInvalidArgException();
    *lpsz = L'\0';
    if (nMax == 1)
        return lpsz;
    CString line;
    // The line end, when kept, counts against the nMax - 1 characters.
    if (!ReadRawLine(line, true, nMax - 1)) {
        *lpsz = L'\0';
        return nullptr;
    }
    lstrcpynW(lpsz, line, static_cast<int>(nMax));
    return lpsz;
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    if (lpsz == nullptr)
        AfxThrowInvalidArgException();
    DropReadAhead();
    if (!m_bText) {
        CFile::Write(lpsz, static_cast<UINT>(lstrlenW(lpsz) * sizeof(wchar_t)));
        return;
    }
    CString text(lpsz);
    text.Replace(L"\n", L"\r\n");
    CStringA bytes(text, CP_ACP);
    CFile::Write(bytes.GetString(), static_cast<UINT>(bytes.GetLength()));
}

ULONGLONG CStdioFile::GetPosition() const
{
    return CFile::GetPosition() - (m_readAhead.size() - m_nReadPos);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    DropReadAhead();
    return CFile::Seek(lOff, nFrom);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    BYTE* target = static_cast<BYTE*>(lpBuf);
    size_t buffered = m_readAhead.size() - m_nReadPos;
    UINT fromBuffer = buffered < nCount ? static_cast<UINT>(buffered) : nCount;
    if (fromBuffer > 0) {
        std::memcpy(target, m_readAhead.data() + m_nReadPos, fromBuffer);
        m_nReadPos += fromBuffer;
    }
    if (fromBuffer == nCount)
        return nCount;
    return fromBuffer + CFile::Read(target + fromBuffer, nCount - fromBuffer);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    DropReadAhead();
    CFile::Write(lpBuf, nCount);
}

void CStdioFile::SetLength(ULONGLONG dwNewLen)
{
    DropReadAhead();
    CFile::SetLength(dwNewLen);
}

void CStdioFile::Flush()
{
    DropReadAhead();
    CFile::Flush();
}

void CStdioFile::Close()
{
    m_readAhead.clear();
    m_nReadPos = 0;
    CFile::Close();
}

void CStdioFile::Abort()
{
    m_readAhead.clear();
    m_nReadPos = 0;
    CFile::Abort();
}
