// Framework exceptions. They are thrown as pointers (the AfxThrow... functions do
// that), caught as CException* and disposed of with Delete(), never with delete.
#pragma once

#include "platform/framework/Object.h"
#include "platform/framework/Strings.h"

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    CException();
    // bAutoDelete FALSE: an object that Delete() leaves alone (static or on the stack).
    explicit CException(BOOL bAutoDelete);

    // Deletes the exception when it was allocated on the heap.
    void Delete();

    // Fills lpszError with a description; FALSE when there is none.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;

    BOOL m_bAutoDelete;

protected:
    // Copies text into the caller's buffer; used by the GetErrorMessage overrides.
    static BOOL CopyMessage(const CString& text, LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext);
};

class CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException() = default;
    explicit CMemoryException(BOOL bAutoDelete) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class CNotSupportedException : public CException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException() = default;
    explicit CNotSupportedException(BOOL bAutoDelete) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class CInvalidArgException : public CException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    CInvalidArgException() = default;
    explicit CInvalidArgException(BOOL bAutoDelete) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);

    // The cause that a Windows error code (GetLastError) stands for.
    static int OsErrorToException(LONG lOsError);
    [[noreturn]] static void ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = nullptr);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none,
        genericException,
        readOnly,  // writing into an archive that loads
        endOfFile, // fewer bytes than a value needs
        writeOnly, // reading from an archive that stores
        badIndex,  // a back reference that points nowhere, or a map that is full
        badClass,  // a class that is not registered or not the one requested
        badSchema, // a stored schema that the class cannot read
        bufferFull
    };

    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

// A resource that could not be found, loaded or made (a window, a GDI object, a bar).
class CResourceException : public CException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException() = default;
    explicit CResourceException(BOOL bAutoDelete) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

// A failed COM call, carrying its HRESULT.
class COleException : public CException
{
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(SCODE sc = E_FAIL) : m_sc(sc) {}

    // The HRESULT that an exception stands for (E_OUTOFMEMORY for a memory
    // exception, E_NOTIMPL for "not supported", E_UNEXPECTED for others).
    static SCODE Process(const CException* pException);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    SCODE m_sc;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);
[[noreturn]] void AfxThrowOleException(SCODE sc);
