#include "toolkit/foundation/PropExchange.h"
#include <cstdlib>

namespace {

// Blobs travel through name-based back ends as text: each byte becomes two letters A-P,
// the low nibble first.
CString BlobToText(const BYTE* pData, DWORD nBytes)
{
    CString text;
    LPTSTR out = text.GetBuffer(static_cast<int>(nBytes) * 2);
    for (DWORD i = 0; i < nBytes; ++i) {
        out[i * 2] = static_cast<TCHAR>(L'A' + (pData[i] & 0x0F));
        out[i * 2 + 1] = static_cast<TCHAR>(L'A' + (pData[i] >> 4));
    }
    text.ReleaseBuffer(static_cast<int>(nBytes) * 2);
    return text;
}

void TextToBlob(const CString& text, BYTE* pData, DWORD nBytes)
{
    for (DWORD i = 0; i < nBytes; ++i) {
        unsigned low = static_cast<unsigned>(text[static_cast<int>(i * 2)] - L'A');
        unsigned high = static_cast<unsigned>(text[static_cast<int>(i * 2 + 1)] - L'A');
        pData[i] = static_cast<BYTE>(high * 16 + low);
    }
}

} // namespace

CQorPropExchange::CQorPropExchange() = default;

void CQorPropExchange::InheritFrom(const CQorPropExchange& parent)
{
    m_pExchangeParams = parent.m_pExchangeParams;
    m_pObjectMap = parent.m_pObjectMap;
    m_bLoading = parent.m_bLoading;
    m_nSchema = parent.m_nSchema;
    m_bChildSection = TRUE;
    m_bInherited = parent.m_bInherited;
    m_bUseDefaultOnLoad = parent.m_bUseDefaultOnLoad;
    m_bUseDefaultOnSave = parent.m_bUseDefaultOnSave;
}

BOOL CQorPropExchange::ExchangeBlobProp(LPCTSTR pszPropName, BYTE*& pData, DWORD& nBytes)
{
    if (!IsLoading()) {
        CString text = BlobToText(pData, pData != nullptr ? nBytes : 0);
        CString empty;
        return ExchangeProp(pszPropName, QOR_PROP_STRING, &text, &empty);
    }
    CString text, empty;
    if (!ExchangeProp(pszPropName, QOR_PROP_STRING, &text, &empty))
        return FALSE;
    if (text.IsEmpty())
        return TRUE;
    if (text.GetLength() % 2 != 0)
        return FALSE;
    const DWORD nStored = static_cast<DWORD>(text.GetLength() / 2);
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] < L'A' || text[i] > L'P')
            return FALSE;
    }
    if (pData == nullptr) {
        pData = static_cast<BYTE*>(malloc(nStored));
        if (pData == nullptr)
            return FALSE;
    } else if (nBytes < nStored) {
        return FALSE;
    }
    nBytes = nStored;
    TextToBlob(text, pData, nStored);
    return TRUE;
}

BOOL CQorPropExchange::ExchangeRuntimeClass(LPCTSTR pszPropName, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass)
{
    CString defaultName = pDefaultClass != nullptr ? CString(pDefaultClass->m_lpszClassName) : CString();
    if (!IsLoading()) {
        CString name = pClass != nullptr ? CString(pClass->m_lpszClassName) : CString();
        return ExchangeProp(pszPropName, QOR_PROP_STRING, &name, &defaultName);
    }
    CString name;
    if (!ExchangeProp(pszPropName, QOR_PROP_STRING, &name, &defaultName)) {
        pClass = pDefaultClass;
        return TRUE;
    }
    pClass = CRuntimeClass::FromName(static_cast<LPCTSTR>(name));
    return pClass != nullptr;
}

BOOL CQorPropExchange::ExchangeObjectInstance(CObject*& pObject, CRuntimeClass* pBaseClass)
{
    if (!IsLoading()) {
        CRuntimeClass* pClass = pObject != nullptr ? pObject->GetRuntimeClass() : nullptr;
        ExchangeRuntimeClass(L"Class", pClass, pBaseClass);
        return TRUE;
    }
    pObject = nullptr;
    CRuntimeClass* pClass = nullptr;
    if (!ExchangeRuntimeClass(L"Class", pClass, pBaseClass) || pClass == nullptr)
        return FALSE;
    // The class record decides before anything is built: stored data must not construct
    // objects of unrelated classes.
    if (pBaseClass != nullptr && !pClass->IsDerivedFrom(pBaseClass))
        return FALSE;
    pObject = pClass->CreateObject();
    return pObject != nullptr;
}

CArchive* CQorPropExchange::GetArchive(LPCTSTR pszPropName)
{
    const int kArchiveBuffer = 4096;
    if (IsLoading()) {
        BYTE* pData = nullptr;
        DWORD nBytes = 0;
        if (!ExchangeBlobProp(pszPropName, pData, nBytes) || pData == nullptr)
            return nullptr;
        if (nBytes == 0) {
            free(pData);
            return nullptr;
        }
        CMemFile* pFile = new CMemFile(pData, nBytes);
        return new CArchive(pFile, CArchive::load, kArchiveBuffer);
    }
    CMemFile* pFile = new CMemFile(1024);
    return new CArchive(pFile, CArchive::store, kArchiveBuffer);
}

void CQorPropExchange::ReleaseArchive(LPCTSTR pszPropName, CArchive* pArchive)
{
    if (pArchive == nullptr)
        return;
    CMemFile* pFile = DYNAMIC_DOWNCAST(CMemFile, pArchive->GetFile());
    if (pFile == nullptr)
        return;
    BYTE* pData = nullptr;
    try {
        if (pArchive->IsStoring()) {
            pArchive->Flush();
            DWORD nBytes = static_cast<DWORD>(pFile->GetLength());
            pData = pFile->Detach();
            ExchangeBlobProp(pszPropName, pData, nBytes);
        } else {
            pData = pFile->Detach();
        }
    } catch (...) {
        pArchive->Abort();
        pFile->Abort();
        delete pFile;
        free(pData);
        delete pArchive;
        throw;
    }
    pArchive->Abort();
    pFile->Abort();
    delete pFile;
    free(pData);
    delete pArchive;
}

void CQorPropExchange::SetInheritedFlag()
{
    m_bInherited = TRUE;
}

void CQorPropExchange::WriteCount(DWORD dwCount)
{
    int nCount = static_cast<int>(dwCount), nDefault = 0;
    ExchangeProp(L"Count", QOR_PROP_I4, &nCount, &nDefault);
}

DWORD CQorPropExchange::ReadCount()
{
    int nCount = 0, nDefault = 0;
    ExchangeProp(L"Count", QOR_PROP_I4, &nCount, &nDefault);
    return static_cast<DWORD>(nCount);
}

void CQorPropExchange::WriteBlob(LPCTSTR pszPropName, BYTE* pData, DWORD nBytes)
{
    ExchangeBlobProp(pszPropName, pData, nBytes);
}

DWORD CQorPropExchange::ReadBlob(LPCTSTR pszPropName, BYTE* pData, DWORD nBytes)
{
    if (pData == nullptr)
        return 0;
    return ExchangeBlobProp(pszPropName, pData, nBytes) ? nBytes : 0;
}

BOOL CQorPropExchange::IsAllowDefaultValues() const
{
    return TRUE;
}

BOOL CQorPropExchange::IsAllowBlobValues() const
{
    return FALSE;
}

BOOL CQorPropExchange::OnBeforeExchange()
{
    m_bStarted = TRUE;
    return TRUE;
}

CQorPropExchangeEnumerator* CQorPropExchange::GetEnumerator(LPCTSTR pszItemName)
{
    return new CQorPropExchangeEnumerator(this, pszItemName);
}

void CQorPropExchange::ExchangeSchema()
{
    int nDefault = kCurrentSchema;
    ExchangeProp(L"Schema", QOR_PROP_I4, &m_nSchema, &nDefault);
}

// ---------------------------------------------------------------------------------------

CQorPropExchangeEnumerator::CQorPropExchangeEnumerator(CQorPropExchange* pContainer, LPCTSTR pszItemName)
    : m_pContainer(pContainer), m_strItemName(pszItemName)
{}

POSITION CQorPropExchangeEnumerator::GetPosition(DWORD dwCount, BOOL bCompactMode)
{
    m_nCount = dwCount;
    if (m_pContainer == nullptr)
        return nullptr;
    if (!bCompactMode) {
        int nCount = static_cast<int>(m_nCount), nDefault = 0;
        m_pContainer->ExchangeProp(L"Count", QOR_PROP_I4, &nCount, &nDefault);
        m_nCount = static_cast<DWORD>(nCount);
    } else if (m_pContainer->IsLoading()) {
        m_nCount = m_pContainer->ReadCount();
    } else {
        m_pContainer->WriteCount(m_nCount);
    }
    return m_nCount != 0 ? reinterpret_cast<POSITION>(static_cast<DWORD_PTR>(1)) : nullptr;
}

CQorPropExchange* CQorPropExchangeEnumerator::GetNext(POSITION& pos)
{
    DWORD_PTR nPos = reinterpret_cast<DWORD_PTR>(pos);
    CString strSection;
    strSection.Format(L"%s%i", static_cast<LPCTSTR>(m_strItemName), static_cast<int>(nPos - 1));
    CQorPropExchange* pSection = m_pContainer->GetSection(strSection);
    ++nPos;
    pos = nPos > m_nCount ? nullptr : reinterpret_cast<POSITION>(nPos);
    return pSection;
}
