#include "toolkit/foundation/PropExchange.h"
#include <cstdlib>

namespace {

// Reads exactly nBytes raw bytes or raises the archive's end-of-file error.
void ReadRaw(CArchive& ar, void* pData, UINT nBytes)
{
    if (ar.Read(pData, nBytes) != nBytes)
        AfxThrowArchiveException(CArchiveException::endOfFile, CString());
}

// A loaded blob of a stored size, read in pieces so that a damaged size cannot demand a
// huge allocation before the data runs out. Null when the data ends early or memory runs out.
BYTE* ReadAllocatedBlob(CArchive& ar, DWORD nBytes)
{
    const DWORD kPiece = 64 * 1024;
    BYTE* pData = nullptr;
    DWORD nDone = 0;
    do {
        DWORD nPiece = nBytes - nDone < kPiece ? nBytes - nDone : kPiece;
        BYTE* pGrown = static_cast<BYTE*>(realloc(pData, nDone + nPiece > 0 ? nDone + nPiece : 1));
        if (pGrown == nullptr) {
            free(pData);
            return nullptr;
        }
        pData = pGrown;
        UINT nRead = ar.Read(pData + nDone, nPiece);
        nDone += nRead;
        if (nRead != nPiece) {
            free(pData);
            return nullptr;
        }
    } while (nDone < nBytes);
    return pData;
}

template <class T> void ExchangeValue(CArchive& ar, void* pvProp)
{
    if (ar.IsLoading())
        ar >> *static_cast<T*>(pvProp);
    else
        ar << *static_cast<const T*>(pvProp);
}

void ExchangeRaw(CArchive& ar, void* pvProp, UINT nBytes)
{
    if (ar.IsLoading())
        ReadRaw(ar, pvProp, nBytes);
    else
        ar.Write(pvProp, nBytes);
}

} // namespace

CQorPropExchangeArchive::CQorPropExchangeArchive(CArchive& ar) : m_ar(ar)
{
    m_bLoading = ar.IsLoading();
}

BOOL CQorPropExchangeArchive::ExchangeProp(LPCTSTR, VARTYPE vtProp, void* pvProp, const void*)
{
    if (!OnBeforeExchange())
        return FALSE;
    switch (vtProp) {
    case QOR_PROP_I2:
        ExchangeValue<short>(m_ar, pvProp);
        break;
    case QOR_PROP_I4:
    case QOR_PROP_BOOL:
        ExchangeValue<int>(m_ar, pvProp);
        break;
    case QOR_PROP_R4:
        ExchangeValue<float>(m_ar, pvProp);
        break;
    case QOR_PROP_R8:
        ExchangeValue<double>(m_ar, pvProp);
        break;
    case QOR_PROP_CY: {
        CY& cy = *static_cast<CY*>(pvProp);
        ExchangeValue<DWORD>(m_ar, &cy.Lo);
        ExchangeValue<LONG>(m_ar, &cy.Hi);
        break;
    }
    case QOR_PROP_DATE: {
        QOR_PROP_DATE_VALUE& date = *static_cast<QOR_PROP_DATE_VALUE*>(pvProp);
        ExchangeValue<int>(m_ar, &date.status);
        ExchangeValue<double>(m_ar, &date.dt);
        break;
    }
    case QOR_PROP_VARIANT:
        return FALSE;
    case QOR_PROP_UI1:
        ExchangeValue<BYTE>(m_ar, pvProp);
        break;
    case QOR_PROP_STRING:
        if (m_ar.IsLoading())
            m_ar >> *static_cast<CString*>(pvProp);
        else
            m_ar << *static_cast<const CString*>(pvProp);
        break;
    case QOR_PROP_RECT:
        ExchangeRaw(m_ar, pvProp, 16);
        break;
    case QOR_PROP_SIZE:
        ExchangeRaw(m_ar, pvProp, 8);
        break;
    default:
        break;
    }
    return TRUE;
}

BOOL CQorPropExchangeArchive::ExchangeBlobProp(LPCTSTR, BYTE*& pData, DWORD& nBytes)
{
    if (!OnBeforeExchange())
        return FALSE;
    if (!IsLoading()) {
        WriteCount(nBytes);
        if (nBytes != 0 && pData != nullptr)
            m_ar.Write(pData, nBytes);
        return TRUE;
    }
    DWORD nStored = ReadCount();
    if (pData == nullptr) {
        pData = ReadAllocatedBlob(m_ar, nStored);
        if (pData == nullptr)
            return FALSE;
        nBytes = nStored;
        return TRUE;
    }
    if (nBytes < nStored)
        return FALSE;
    nBytes = nStored;
    return m_ar.Read(pData, nStored) == nStored;
}

BOOL CQorPropExchangeArchive::ExchangeRuntimeClass(LPCTSTR, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass)
{
    if (!OnBeforeExchange())
        return FALSE;
    if (!IsLoading()) {
        const CRuntimeClass* pStored = pClass != nullptr ? pClass : pDefaultClass;
        if (pStored == nullptr)
            return FALSE;
        m_ar.WriteClass(pStored);
        return TRUE;
    }
    UINT nSchema = 0;
    pClass = m_ar.ReadClass(pDefaultClass, &nSchema);
    m_nSchema = static_cast<int>(nSchema);
    return pClass != nullptr;
}

BOOL CQorPropExchangeArchive::ExchangeObjectInstance(CObject*& pObject, CRuntimeClass* pBaseClass)
{
    if (!CQorPropExchange::ExchangeObjectInstance(pObject, pBaseClass))
        return FALSE;
    // The archive numbers the object as its own object references would.
    m_ar.MapObject(pObject);
    return TRUE;
}

CArchive* CQorPropExchangeArchive::GetArchive(LPCTSTR)
{
    return &m_ar;
}

void CQorPropExchangeArchive::ReleaseArchive(LPCTSTR, CArchive*) {}

CQorPropExchange* CQorPropExchangeArchive::GetSection(LPCTSTR)
{
    CQorPropExchangeArchive* pSection = new CQorPropExchangeArchive(m_ar);
    pSection->InheritFrom(*this);
    return pSection;
}

void CQorPropExchangeArchive::WriteCount(DWORD dwCount)
{
    m_ar.WriteCount(dwCount);
}

DWORD CQorPropExchangeArchive::ReadCount()
{
    return static_cast<DWORD>(m_ar.ReadCount());
}

void CQorPropExchangeArchive::WriteBlob(LPCTSTR, BYTE* pData, DWORD nBytes)
{
    if (nBytes != 0)
        m_ar.Write(pData, nBytes);
}

DWORD CQorPropExchangeArchive::ReadBlob(LPCTSTR, BYTE* pData, DWORD nBytes)
{
    return m_ar.Read(pData, nBytes);
}

BOOL CQorPropExchangeArchive::IsAllowDefaultValues() const
{
    return FALSE;
}

BOOL CQorPropExchangeArchive::IsAllowBlobValues() const
{
    return TRUE;
}

void CQorPropExchangeArchive::ExchangeSchema()
{
    if (!IsLoading()) {
        m_ar << static_cast<DWORD>(kSchemaTag) << m_nSchema;
        return;
    }
    DWORD dwTag = 0;
    if (m_ar.Peek(&dwTag, sizeof(dwTag)) == sizeof(dwTag) && dwTag == kSchemaTag) {
        m_ar >> dwTag >> m_nSchema;
        return;
    }
    // Written before archives carried the tag: nothing is read.
    m_nSchema = kUntaggedSchema;
}
