#include "platform/framework/Exceptions.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)

namespace {

// Text for a cause with an optional file name in front of it.
CString DescribeWithFile(const CString& fileName, LPCTSTR what)
{
    CString text;
    if (fileName.IsEmpty())
        text = what;
    else
        text.Format(L"%s: %s", fileName.GetString(), what);
    return text;
}

// The text of a cause code; codes outside the table read as `fallback`.
template <size_t N> LPCTSTR CauseText(const LPCTSTR (&causes)[N], int cause, int fallback)
{
    return (cause >= 0 && cause < static_cast<int>(N)) ? causes[cause] : causes[fallback];
}

} // namespace

CException::CException() : m_bAutoDelete(TRUE) {}

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError != nullptr && nMaxError > 0)
        *lpszError = L'\0';
    return FALSE;
}

BOOL CException::CopyMessage(const CString& text, LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    lstrcpynW(lpszError, text, static_cast<int>(nMaxError));
    return TRUE;
}

BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage(L"Out of memory.", lpszError, nMaxError, pnHelpContext);
}

BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage(L"The operation is not supported.", lpszError, nMaxError, pnHelpContext);
}

BOOL CInvalidArgException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage(L"An invalid argument was passed.", lpszError, nMaxError, pnHelpContext);
}

BOOL CResourceException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage(L"A required resource was unavailable.", lpszError, nMaxError, pnHelpContext);
}

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszFileName) : m_cause(cause), m_lOsError(lOsError)
{
    if (lpszFileName != nullptr)
        m_strFileName = lpszFileName;
}

int CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError) {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_INVALID_ACCESS:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return removeCurrentDir;
    case ERROR_CANNOT_MAKE:
        return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return badSeek;
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
    case ERROR_LOCK_FAILED:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return genericException;
    }
}

void CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const LPCTSTR causes[] = {
        L"no error",
        L"the file could not be accessed",
        L"the file was not found",
        L"the path is not valid",
        L"too many files are open",
        L"access was denied",
        L"the file handle is not valid",
        L"the current folder cannot be removed",
        L"the folder is full",
        L"the file position could not be set",
        L"a hardware error occurred",
        L"the file is in use by another process",
        L"a locked part of the file was accessed",
        L"the disk is full",
        L"the end of the file was reached",
    };
    return CopyMessage(DescribeWithFile(m_strFileName, CauseText(causes, m_cause, genericException)), lpszError,
                       nMaxError, pnHelpContext);
}

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName) : m_cause(cause)
{
    if (lpszArchiveName != nullptr)
        m_strFileName = lpszArchiveName;
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const LPCTSTR causes[] = {
        L"no error",
        L"the archive could not be read or written",
        L"the archive is open for reading only",
        L"the archive ended unexpectedly",
        L"the archive is open for writing only",
        L"the archive refers to an object that it does not contain",
        L"the archive contains an unexpected class",
        L"the archive contains an unsupported version of a class",
        L"the archive buffer is full",
    };
    return CopyMessage(DescribeWithFile(m_strFileName, CauseText(causes, m_cause, genericException)), lpszError,
                       nMaxError, pnHelpContext);
}

SCODE COleException::Process(const CException* pException)
{
    if (pException == nullptr)
        return E_UNEXPECTED;
    if (pException->IsKindOf(RUNTIME_CLASS(COleException)))
        return static_cast<const COleException*>(pException)->m_sc;
    if (pException->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return E_OUTOFMEMORY;
    if (pException->IsKindOf(RUNTIME_CLASS(CNotSupportedException)))
        return E_NOTIMPL;
    if (pException->IsKindOf(RUNTIME_CLASS(CInvalidArgException)))
        return E_INVALIDARG;
    return E_UNEXPECTED;
}

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    LPWSTR systemText = nullptr;
    DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(m_sc), 0, reinterpret_cast<LPWSTR>(&systemText), 0, nullptr);
    CString text;
    if (length > 0 && systemText != nullptr) {
        text = systemText;
        text.TrimRight();
    } else {
        text.Format(L"COM error 0x%08lX", static_cast<unsigned long>(m_sc));
    }
    if (systemText != nullptr)
        LocalFree(systemText);
    return CopyMessage(text, lpszError, nMaxError, pnHelpContext);
}

void AfxThrowMemoryException()
{
    // Out of memory there may be no memory left for a new exception object.
    static CMemoryException outOfMemory(FALSE);
    throw static_cast<CMemoryException*>(&outOfMemory);
}

void AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}

void AfxThrowResourceException()
{
    // Like the memory failure: when resources run out, a new exception object may not be made.
    static CResourceException unavailable(FALSE);
    throw static_cast<CResourceException*>(&unavailable);
}

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

void AfxThrowOleException(SCODE sc)
{
    throw new COleException(sc);
}
