// CArchive: a buffered binary stream over a CFile that stores or loads values,
// strings and whole object graphs.
//
// Byte layout (little-endian, no padding):
// - numbers: their natural size; bool and char 1 byte, wchar_t 2.
// - counts (WriteCount): a WORD below 0xFFFF, else WORD 0xFFFF and a DWORD; a count
//   beyond 32 bits is refused (genericException), in both flavours alike.
// - CString: byte 0xFF, WORD 0xFFFE (UTF-16 tag), then the length in characters (a
//   byte up to 254; else 0xFF and a WORD up to 0xFFFD; else 0xFF, WORD 0xFFFF and a
//   DWORD), then the UTF-16 characters without terminator. CStringA has the same
//   length prefix without the tag. Loading accepts both forms into either string.
// - class references: a new class is WORD 0xFFFF, its schema as a WORD, the name
//   length as a WORD and the 8-bit name; a class met before is WORD 0x8000 | index.
// - object references: WORD 0 for null, the WORD index of an object met before, or a
//   class reference followed by the new object's own data.
// - indexes from 0x7FFF on: WORD 0x7FFF, then a DWORD (with bit 31 set for classes).
// Classes and objects share one numbering that starts at 1 in each archive.
#pragma once

#include "platform/framework/Exceptions.h"
#include "platform/framework/File.h"
#include "platform/framework/Object.h"
#include "platform/framework/Strings.h"

#include <unordered_map>
#include <vector>

class CDocument;

class CArchive
{
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    // nBufSize bytes of buffer; lpBuf, when given, is used as the buffer and stays the
    // caller's. The file must outlive the archive (or Close/Abort must come first).
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Flushes a storing archive unless bNoFlushOnDelete; errors are dropped here,
    // so call Close to see them.
    ~CArchive();

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    // TRUE when a loading archive has no unread bytes left in its buffer.
    BOOL IsBufferEmpty() const { return m_nBufCur == m_nBufMax; }
    CFile* GetFile() const { return m_pFile; }

    // Schema of the object being loaded, as stored in the archive. The value is
    // handed out once: a second call returns (UINT)-1.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Raw bytes. Read returns the number read (fewer only at the end of the data).
    UINT Read(void* lpBuf, UINT nMax);
    // Copies up to nMax of the next bytes without consuming them (at most the buffer size);
    // returns the number copied, fewer only at the end of the data.
    UINT Peek(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);

    // Storing: writes the buffer to the file. Loading: drops the buffer and moves the
    // file back to the archive's logical position.
    void Flush();
    // Flushes and detaches from the file (which stays open).
    void Close();
    // Detaches from the file without flushing.
    void Abort();

    // Text as raw UTF-16 characters, no terminator and no length; ReadString reads
    // up to and including a line feed and gives the line without CR/LF.
    void WriteString(LPCTSTR lpsz);
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    BOOL ReadString(CString& rString);

    // Object graphs.
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    void WriteObject(const CObject* pOb);
    // pClassRefRequested: the class read must be it or derived from it (else badClass).
    // pSchema receives the stored schema (otherwise it becomes the object schema).
    // pObTag receives an object tag met instead of a class (otherwise badIndex).
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                             DWORD* pObTag = nullptr);
    void WriteClass(const CRuntimeClass* pClassRef);
    void SerializeClass(const CRuntimeClass* pClassRef);
    // Gives an object the next index of the object numbering without writing it, for
    // callers that store objects by other means and still want back references.
    void MapObject(const CObject* pOb);

    DWORD_PTR ReadCount();
    void WriteCount(DWORD_PTR dwCount);

    CArchive& operator<<(BYTE by);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(LONG l);
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(int i);
    CArchive& operator<<(UINT u);
    CArchive& operator<<(short w);
    CArchive& operator<<(char ch);
    CArchive& operator<<(wchar_t ch);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    CArchive& operator<<(LONGLONG dwdw);
    CArchive& operator<<(ULONGLONG dwdw);
    CArchive& operator<<(bool b);
    // A pointer that is neither a CObject nor a string would otherwise be stored as a bool.
    CArchive& operator<<(const void*) = delete;

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(int& i);
    CArchive& operator>>(UINT& u);
    CArchive& operator>>(short& w);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(wchar_t& ch);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(LONGLONG& dwdw);
    CArchive& operator>>(ULONGLONG& dwdw);
    CArchive& operator>>(bool& b);

    CDocument* m_pDocument;

private:
    enum : DWORD {
        kNullTag = 0,
        kNewClassTag = 0xFFFF,
        kClassTag = 0x8000,
        kBigClassTag = 0x80000000,
        kBigObjectTag = 0x7FFF,
        kMaxMapCount = 0x3FFFFFFE
    };

    // One slot of the loading map: a class (with the schema stored for it) or an object.
    struct LoadEntry
    {
        const void* pointer;
        bool isClass;
        UINT schema;
    };

    void RequireStoring() const;
    void RequireLoading() const;
    void RequireFile() const;
    // Checks a read's direction, file and target; false when there is nothing to read.
    bool BeginRead(const void* lpBuf, UINT nMax) const;
    [[noreturn]] void Throw(int cause) const;
    // Reads exactly nCount bytes or throws endOfFile.
    void ReadExact(void* lpBuf, UINT nCount);
    // Refills the loading buffer; returns the number of bytes now available.
    UINT FillBuffer();
    void WriteBuffer();
    void PrepareMaps();
    DWORD NextMapIndex();
    // The index part of a reference: a WORD, or WORD 0x7FFF and a DWORD.
    void WriteReference(DWORD nIndex, bool isClass);

    CFile* m_pFile;
    UINT m_nMode;
    UINT m_nObjectSchema;

    std::vector<BYTE> m_ownBuffer;
    BYTE* m_lpBuf;
    UINT m_nBufSize;
    UINT m_nBufCur; // next byte to read or write
    UINT m_nBufMax; // end of the loaded bytes (loading)

    bool m_bMapsReady;
    DWORD m_nMapCount;
    std::unordered_map<const void*, DWORD> m_storeMap;
    std::vector<LoadEntry> m_loadArray;
};

CArchive& operator<<(CArchive& ar, const CString& str);
CArchive& operator>>(CArchive& ar, CString& str);
CArchive& operator<<(CArchive& ar, const CStringA& str);
CArchive& operator>>(CArchive& ar, CStringA& str);

CArchive& operator<<(CArchive& ar, const CObject* pOb);
CArchive& operator>>(CArchive& ar, CObject*& pOb);
CArchive& operator>>(CArchive& ar, const CObject*& pOb);
