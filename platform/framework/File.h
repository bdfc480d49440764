// Files: CFile over a Windows file handle, CMemFile over a growing block of
// memory and CStdioFile for line-oriented text. Errors raise CFileException
// (CMemoryException when a memory file cannot grow).
#pragma once

#include "platform/framework/Exceptions.h"
#include "platform/framework/Object.h"
#include "platform/framework/Strings.h"

#include <vector>

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000
    };

    enum SeekPosition { begin = 0, current = 1, end = 2 };

    static const HANDLE hFileNull;

    CFile();
    // Wraps a handle that the caller keeps owning (it is not closed by this object).
    explicit CFile(HANDLE hFile);
    // Opens the file or throws CFileException.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    operator HANDLE() const { return m_hFile; }

    // FALSE on failure, with the cause in *pError when given.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);

    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);

    // Reads up to nCount bytes; fewer only at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    // Writes all nCount bytes or throws.
    virtual void Write(const void* lpBuf, UINT nCount);

    virtual void Flush();
    // Closes the handle; errors throw.
    virtual void Close();
    // Closes the handle and ignores errors; for clean-up paths.
    virtual void Abort();

    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual CString GetFilePath() const;
    virtual void SetFilePath(LPCTSTR lpszNewName);

    static void Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void Remove(LPCTSTR lpszFileName);

    HANDLE m_hFile;

protected:
    // Throws CFileException::invalidFile when no file is open.
    void RequireOpen() const;

    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

class CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    // An empty file whose memory grows in steps of nGrowBytes.
    explicit CMemFile(UINT nGrowBytes = 1024);
    // A file over the caller's buffer; see Attach.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    // nGrowBytes 0: the file is the nBufferSize bytes of the buffer, which stays the
    // caller's and cannot grow. Otherwise the file starts empty and takes ownership of
    // the buffer, which must come from malloc (it is reallocated and freed with free).
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the buffer to the caller (free it with free() when it was the file's own)
    // and leaves the file empty.
    BYTE* Detach();

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG dwNewLen) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

protected:
    // Makes the buffer at least nNewSize bytes long.
    void GrowFile(SIZE_T nNewSize);
    void FreeBuffer();

    UINT m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete; // the buffer belongs to the file
};

// Text files. In text mode (the default) lines are 8-bit text in the ANSI code page
// with CR LF line ends; with typeBinary they are raw UTF-16 characters with LF ends.
class CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile() = default;
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;

    // Writes the text; in text mode every LF becomes CR LF.
    virtual void WriteString(LPCTSTR lpsz);
    // The next line without its line end; FALSE at the end of the file.
    virtual BOOL ReadString(CString& rString);
    // Up to nMax - 1 characters, stopping after a line end (kept as a single LF);
    // null at the end of the file.
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);

    ULONGLONG GetPosition() const override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void SetLength(ULONGLONG dwNewLen) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

private:
    // Reads one line (with its line end) in the file's encoding; FALSE at the end.
    BOOL ReadRawLine(CString& line, bool keepLineEnd, UINT maxChars);
    // Gives back the bytes read ahead, so the handle's position is the logical one.
    void DropReadAhead();
    bool NextByte(BYTE& value);

    bool m_bText = true;
    std::vector<BYTE> m_readAhead;
    size_t m_nReadPos = 0;
};
