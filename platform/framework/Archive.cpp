#include "platform/framework/Archive.h"
#include "platform/framework/TextLines.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// Strings are read in pieces, so a corrupt length cannot demand a huge allocation
// before the end of the data shows that it is wrong.
const UINT kStringChunk = 16384;

const BYTE kLengthEscape = 0xFF;
const WORD kUnicodeTag = 0xFFFE;
const WORD kLongLengthTag = 0xFFFF;

CString ArchiveName(const CArchive& ar)
{
    return ar.GetFile() != nullptr ? ar.GetFile()->GetFilePath() : CString();
}

void ReadAll(CArchive& ar, void* lpBuf, UINT nCount)
{
    if (ar.Read(lpBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile, ArchiveName(ar));
}

void WriteStringLength(CArchive& ar, DWORD nLength, bool unicode)
{
    if (unicode)
        ar << kLengthEscape << kUnicodeTag;
    if (nLength < kLengthEscape) {
        ar << static_cast<BYTE>(nLength);
    } else if (nLength < kUnicodeTag) {
        ar << kLengthEscape << static_cast<WORD>(nLength);
    } else {
        ar << kLengthEscape << kLongLengthTag << static_cast<DWORD>(nLength);
    }
}

// The length prefix of a string; unicode tells whether UTF-16 characters follow.
DWORD ReadStringLength(CArchive& ar, bool& unicode)
{
    unicode = false;
    for (;;) {
        BYTE shortLength = 0;
        ar >> shortLength;
        if (shortLength < kLengthEscape)
            return shortLength;
        WORD length = 0;
        ar >> length;
        if (length == kUnicodeTag) {
            if (unicode) // the tag comes at most once
                AfxThrowArchiveException(CArchiveException::genericException, ArchiveName(ar));
            unicode = true;
            continue;
        }
        if (length < kLongLengthTag)
            return length;
        DWORD longLength = 0;
        ar >> longLength;
        return longLength;
    }
}

// nLength characters of a string (std::wstring or std::string).
template <class Chars> Chars ReadChars(CArchive& ar, DWORD nLength)
{
    Chars text;
    while (text.size() < nLength) {
        size_t done = text.size();
        UINT chunk = static_cast<UINT>(std::min<DWORD>(nLength - static_cast<DWORD>(done), kStringChunk));
        text.resize(done + chunk);
        ReadAll(ar, &text[done], chunk * sizeof(typename Chars::value_type));
    }
    return text;
}

// Reads characters up to and including a line feed, or maxChars of them.
// The line end is dropped (with a CR before it) or kept as a single LF.
bool ReadTextLine(CArchive& ar, CString& line, bool keepLineEnd, UINT maxChars)
{
    line.Empty();
    bool sawLineEnd = false;
    bool any = fxdetail::ReadLineUnits<CString, wchar_t>(
        line, maxChars, [&ar](wchar_t& ch) { return ar.Read(&ch, sizeof(ch)) == sizeof(ch); }, sawLineEnd);
    if (sawLineEnd && keepLineEnd)
        line.AppendChar(L'\n');
    return any;
}

} // namespace

// ---------------------------------------------------------------------------
// Class records

void CRuntimeClass::Store(CArchive& ar) const
{
    size_t length = std::strlen(m_lpszClassName);
    if (length > 0xFFFF)
        AfxThrowArchiveException(CArchiveException::badClass, ArchiveName(ar));
    ar << static_cast<WORD>(m_wSchema) << static_cast<WORD>(length);
    ar.Write(m_lpszClassName, static_cast<UINT>(length));
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD schema = 0;
    WORD length = 0;
    ar >> schema >> length;
    std::string name(length, '\0');
    ReadAll(ar, &name[0], length);
    if (pwSchemaNum != nullptr)
        *pwSchemaNum = schema;
    // A name with an embedded null is not a class name.
    if (name.find('\0') != std::string::npos)
        return nullptr;
    return FromName(name.c_str());
}

// ---------------------------------------------------------------------------
// Construction and the buffer

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(nullptr), m_pFile(pFile), m_nMode(nMode), m_nObjectSchema(static_cast<UINT>(-1)), m_lpBuf(nullptr),
      m_nBufSize(0), m_nBufCur(0), m_nBufMax(0), m_bMapsReady(false), m_nMapCount(0)
{
    if (pFile == nullptr)
        AfxThrowInvalidArgException();
    const int minimumSize = 16;
    if (lpBuf != nullptr && nBufSize >= minimumSize) {
        m_lpBuf = static_cast<BYTE*>(lpBuf);
        m_nBufSize = static_cast<UINT>(nBufSize);
    } else {
        m_ownBuffer.resize(static_cast<size_t>(std::max(nBufSize, minimumSize)));
        m_lpBuf = m_ownBuffer.data();
        m_nBufSize = static_cast<UINT>(m_ownBuffer.size());
    }
}

CArchive::~CArchive()
{
    if (m_pFile != nullptr && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
    m_pFile = nullptr;
}

void CArchive::Throw(int cause) const
{
    AfxThrowArchiveException(cause, ArchiveName(*this));
}

void CArchive::RequireStoring() const
{
    if (!IsStoring())
        Throw(CArchiveException::readOnly);
}

void CArchive::RequireLoading() const
{
    if (!IsLoading())
        Throw(CArchiveException::writeOnly);
}

void CArchive::RequireFile() const
{
    if (m_pFile == nullptr)
        Throw(CArchiveException::genericException);
}

UINT CArchive::GetObjectSchema()
{
    UINT schema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return schema;
}

UINT CArchive::FillBuffer()
{
    if (m_nBufCur > 0) {
        std::memmove(m_lpBuf, m_lpBuf + m_nBufCur, m_nBufMax - m_nBufCur);
        m_nBufMax -= m_nBufCur;
        m_nBufCur = 0;
    }
    while (m_nBufMax < m_nBufSize) {
        UINT read = m_pFile->Read(m_lpBuf + m_nBufMax, m_nBufSize - m_nBufMax);
        if (read == 0)
            break;
        m_nBufMax += read;
    }
    return m_nBufMax - m_nBufCur;
}

bool CArchive::BeginRead(const void* lpBuf, UINT nMax) const
{
    RequireLoading();
    RequireFile();
    if (nMax == 0)
        return false;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    return true;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (!BeginRead(lpBuf, nMax))
        return 0;
    BYTE* target = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        UINT available = m_nBufMax - m_nBufCur;
        if (available == 0) {
            UINT wanted = nMax - done;
            if (wanted >= m_nBufSize) {
                // Large reads go straight into the caller's memory.
                UINT read = m_pFile->Read(target + done, wanted);
                if (read == 0)
                    break;
                done += read;
                continue;
            }
            if (FillBuffer() == 0)
                break;
            available = m_nBufMax - m_nBufCur;
        }
        UINT count = std::min(available, nMax - done);
        std::memcpy(target + done, m_lpBuf + m_nBufCur, count);
        m_nBufCur += count;
        done += count;
    }
    return done;
}

UINT CArchive::Peek(void* lpBuf, UINT nMax)
{
    if (!BeginRead(lpBuf, nMax))
        return 0;
    nMax = std::min(nMax, m_nBufSize);
    if (m_nBufMax - m_nBufCur < nMax)
        FillBuffer();
    UINT count = std::min(m_nBufMax - m_nBufCur, nMax);
    std::memcpy(lpBuf, m_lpBuf + m_nBufCur, count);
    return count;
}

void CArchive::ReadExact(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        Throw(CArchiveException::endOfFile);
}

void CArchive::WriteBuffer()
{
    if (m_nBufCur > 0) {
        UINT count = m_nBufCur;
        m_nBufCur = 0;
        m_pFile->Write(m_lpBuf, count);
    }
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    RequireStoring();
    RequireFile();
    if (nMax == 0)
        return;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    const BYTE* source = static_cast<const BYTE*>(lpBuf);
    while (nMax > 0) {
        if (m_nBufCur == 0 && nMax >= m_nBufSize) {
            m_pFile->Write(source, nMax);
            return;
        }
        UINT count = std::min(m_nBufSize - m_nBufCur, nMax);
        std::memcpy(m_lpBuf + m_nBufCur, source, count);
        m_nBufCur += count;
        source += count;
        nMax -= count;
        if (m_nBufCur == m_nBufSize)
            WriteBuffer();
    }
}

void CArchive::Flush()
{
    if (m_pFile == nullptr)
        return;
    if (IsStoring()) {
        WriteBuffer();
        return;
    }
    UINT unread = m_nBufMax - m_nBufCur;
    m_nBufCur = m_nBufMax = 0;
    if (unread > 0)
        m_pFile->Seek(-static_cast<LONGLONG>(unread), CFile::current);
}

void CArchive::Close()
{
    try {
        Flush();
    } catch (...) {
        Abort();
        throw;
    }
    Abort();
}

void CArchive::Abort()
{
    m_pFile = nullptr;
    m_nBufCur = m_nBufMax = 0;
}

// ---------------------------------------------------------------------------
// Values

#define FOLIONYX_ARCHIVE_VALUE(type)                                                                                   \
    CArchive& CArchive::operator<<(type value)                                                                         \
    {                                                                                                                  \
        Write(&value, sizeof(value));                                                                                  \
        return *this;                                                                                                  \
    }                                                                                                                  \
    CArchive& CArchive::operator>>(type& value)                                                                        \
    {                                                                                                                  \
        ReadExact(&value, sizeof(value));                                                                              \
        return *this;                                                                                                  \
    }

FOLIONYX_ARCHIVE_VALUE(BYTE)
FOLIONYX_ARCHIVE_VALUE(WORD)
FOLIONYX_ARCHIVE_VALUE(LONG)
FOLIONYX_ARCHIVE_VALUE(DWORD)
FOLIONYX_ARCHIVE_VALUE(int)
FOLIONYX_ARCHIVE_VALUE(UINT)
FOLIONYX_ARCHIVE_VALUE(short)
FOLIONYX_ARCHIVE_VALUE(char)
FOLIONYX_ARCHIVE_VALUE(wchar_t)
FOLIONYX_ARCHIVE_VALUE(float)
FOLIONYX_ARCHIVE_VALUE(double)
FOLIONYX_ARCHIVE_VALUE(LONGLONG)
FOLIONYX_ARCHIVE_VALUE(ULONGLONG)

#undef FOLIONYX_ARCHIVE_VALUE

CArchive& CArchive::operator<<(bool b)
{
    return *this << static_cast<BYTE>(b ? 1 : 0);
}

CArchive& CArchive::operator>>(bool& b)
{
    BYTE value = 0;
    *this >> value;
    b = value != 0;
    return *this;
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    // Both flavours read the same archives, so a count keeps its 32-bit field; a larger one
    // (possible only in the 64-bit flavour) would be stored cut short.
    if (static_cast<DWORD>(dwCount) != dwCount)
        Throw(CArchiveException::genericException);
    if (dwCount < kLongLengthTag) {
        *this << static_cast<WORD>(dwCount);
    } else {
        *this << kLongLengthTag << static_cast<DWORD>(dwCount);
    }
}

DWORD_PTR CArchive::ReadCount()
{
    WORD count = 0;
    *this >> count;
    if (count != kLongLengthTag)
        return count;
    DWORD longCount = 0;
    *this >> longCount;
    return longCount;
}

void CArchive::WriteString(LPCTSTR lpsz)
{
    if (lpsz == nullptr)
        AfxThrowInvalidArgException();
    Write(lpsz, static_cast<UINT>(lstrlenW(lpsz) * sizeof(wchar_t)));
}

BOOL CArchive::ReadString(CString& rString)
{
    RequireLoading();
    return ReadTextLine(*this, rString, false, static_cast<UINT>(-1)) ? TRUE : FALSE;
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    RequireLoading();
    if (lpsz == nullptr || nMax == 0)
        AfxThrowInvalidArgException();
    *lpsz = L'\0';
    if (nMax == 1)
        return lpsz;
    CString line;
    if (!ReadTextLine(*this, line, true, nMax - 1))
        return nullptr;
    lstrcpynW(lpsz, line, static_cast<int>(nMax));
    return lpsz;
}

namespace {

// Stored characters into a string of either width (the ANSI code page between the two).
void AssignStored(CString& str, const std::wstring& text)
{
    str.SetString(text.data(), static_cast<int>(text.size()));
}
void AssignStored(CString& str, const std::string& text)
{
    str = CString(CStringA(text.data(), static_cast<int>(text.size())), CP_ACP);
}
void AssignStored(CStringA& str, const std::wstring& text)
{
    str = CStringA(CString(text.data(), static_cast<int>(text.size())), CP_ACP);
}
void AssignStored(CStringA& str, const std::string& text)
{
    str.SetString(text.data(), static_cast<int>(text.size()));
}

// A string in its own width: the length (marked as wide for CString) and the characters.
template <class Text> CArchive& WriteStoredString(CArchive& ar, const Text& str)
{
    const bool unicode = sizeof(*str.GetString()) == sizeof(wchar_t);
    WriteStringLength(ar, static_cast<DWORD>(str.GetLength()), unicode);
    ar.Write(str.GetString(), static_cast<UINT>(str.GetLength()) * sizeof(*str.GetString()));
    return ar;
}

// A string stored in either width, read into a string of the caller's width.
template <class Text> CArchive& ReadStoredString(CArchive& ar, Text& str)
{
    bool unicode = false;
    DWORD length = ReadStringLength(ar, unicode);
    if (unicode)
        AssignStored(str, ReadChars<std::wstring>(ar, length));
    else
        AssignStored(str, ReadChars<std::string>(ar, length));
    return ar;
}

} // namespace

CArchive& operator<<(CArchive& ar, const CString& str)
{
    return WriteStoredString(ar, str);
}
CArchive& operator>>(CArchive& ar, CString& str)
{
    return ReadStoredString(ar, str);
}
CArchive& operator<<(CArchive& ar, const CStringA& str)
{
    return WriteStoredString(ar, str);
}
CArchive& operator>>(CArchive& ar, CStringA& str)
{
    return ReadStoredString(ar, str);
}

// ---------------------------------------------------------------------------
// Classes and objects

void CArchive::PrepareMaps()
{
    if (m_bMapsReady)
        return;
    m_bMapsReady = true;
    m_nMapCount = 1; // index 0 is the null object
    if (IsLoading())
        m_loadArray.push_back(LoadEntry{nullptr, false, 0});
}

DWORD CArchive::NextMapIndex()
{
    if (m_nMapCount >= kMaxMapCount)
        Throw(CArchiveException::badIndex);
    return m_nMapCount++;
}

void CArchive::MapObject(const CObject* pOb)
{
    PrepareMaps();
    if (pOb == nullptr)
        return;
    if (IsStoring()) {
        m_storeMap[pOb] = NextMapIndex();
    } else {
        NextMapIndex();
        m_loadArray.push_back(LoadEntry{pOb, false, 0});
    }
}

void CArchive::WriteReference(DWORD nIndex, bool isClass)
{
    if (nIndex < kBigObjectTag) {
        *this << static_cast<WORD>(isClass ? (kClassTag | nIndex) : nIndex);
    } else {
        *this << static_cast<WORD>(kBigObjectTag) << static_cast<DWORD>(isClass ? (kBigClassTag | nIndex) : nIndex);
    }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    RequireStoring();
    if (pClassRef == nullptr)
        AfxThrowInvalidArgException();
    if (pClassRef->m_wSchema == FOLIONYX_NO_SCHEMA)
        AfxThrowNotSupportedException();
    PrepareMaps();
    auto found = m_storeMap.find(pClassRef);
    if (found != m_storeMap.end()) {
        WriteReference(found->second, true);
        return;
    }
    *this << static_cast<WORD>(kNewClassTag);
    pClassRef->Store(*this);
    m_storeMap[pClassRef] = NextMapIndex();
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    RequireLoading();
    PrepareMaps();

    WORD tag = 0;
    *this >> tag;
    DWORD obTag;
    if (tag == kBigObjectTag)
        *this >> obTag;
    else
        obTag = (static_cast<DWORD>(tag & kClassTag) << 16) | (tag & ~kClassTag);

    if (!(obTag & kBigClassTag)) {
        // An object reference where a class was expected.
        if (pObTag == nullptr)
            Throw(CArchiveException::badIndex);
        *pObTag = obTag;
        return nullptr;
    }

    CRuntimeClass* pClassRef = nullptr;
    UINT nSchema = 0;
    if (tag == kNewClassTag) {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        // Unknown, or known but never written by WriteClass.
        if (pClassRef == nullptr || pClassRef->m_wSchema == FOLIONYX_NO_SCHEMA)
            Throw(CArchiveException::badClass);
        // Only a versionable class reads schemas other than its own.
        WORD ownSchema = static_cast<WORD>(pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA);
        if (ownSchema != nSchema && !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
            Throw(CArchiveException::badSchema);
        NextMapIndex();
        m_loadArray.push_back(LoadEntry{pClassRef, true, nSchema});
    } else {
        DWORD index = obTag & ~kBigClassTag;
        if (index == 0 || index >= m_loadArray.size() || !m_loadArray[index].isClass)
            Throw(CArchiveException::badIndex);
        pClassRef = const_cast<CRuntimeClass*>(static_cast<const CRuntimeClass*>(m_loadArray[index].pointer));
        nSchema = m_loadArray[index].schema;
    }

    if (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested))
        Throw(CArchiveException::badClass);
    if (pSchema != nullptr)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef);
}

void CArchive::WriteObject(const CObject* pOb)
{
    RequireStoring();
    PrepareMaps();
    if (pOb == nullptr) {
        *this << static_cast<WORD>(kNullTag);
        return;
    }
    auto found = m_storeMap.find(pOb);
    if (found != m_storeMap.end()) {
        WriteReference(found->second, false);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    // Numbered before its data, so that references to it from inside resolve.
    m_storeMap[pOb] = NextMapIndex();
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    RequireLoading();
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);

    if (pClassRef == nullptr) {
        if (obTag >= m_loadArray.size() || m_loadArray[obTag].isClass)
            Throw(CArchiveException::badIndex);
        CObject* pOb = const_cast<CObject*>(static_cast<const CObject*>(m_loadArray[obTag].pointer));
        if (pOb != nullptr && pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
            Throw(CArchiveException::badClass);
        return pOb;
    }

    if (pClassRef->m_pfnCreateObject == nullptr)
        Throw(CArchiveException::badClass);
    NextMapIndex();
    CObject* pOb = pClassRef->CreateObject();
    if (pOb == nullptr)
        AfxThrowMemoryException();
    size_t slot = m_loadArray.size();
    m_loadArray.push_back(LoadEntry{pOb, false, 0});

    UINT savedSchema = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        // The caller never sees this object: it is not left behind half-loaded.
        m_loadArray[slot].pointer = nullptr;
        m_nObjectSchema = savedSchema;
        delete pOb;
        throw;
    }
    m_nObjectSchema = savedSchema;
    return pOb;
}

CArchive& operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}

CArchive& operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}
