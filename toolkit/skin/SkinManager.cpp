#include "toolkit/skin/SkinManager.h"

#include "toolkit/skin/SkinManagerClass.h"
#include "toolkit/skin/SkinManagerMetrics.h"
#include "toolkit/skin/SkinManagerResourceFile.h"
#include "toolkit/skin/SkinManagerSchema.h"
#include "toolkit/skin/SkinVocabulary.h"

CQorSkinManager::CQorSkinManager()
{
    m_pMetrics = new CQorSkinManagerMetrics(this);
    m_pResourceFile = new CQorSkinManagerResourceFile;
    m_pResourceFile->SetOwner(this);
}

CQorSkinManager::~CQorSkinManager()
{
    FreeClasses();
    RemoveColorFilters();
    delete m_pSchema;
    delete m_pMetrics;
    delete m_pResourceFile;
}

CQorSkinManagerClass* CQorSkinManager::GetClass(LPCTSTR lpszClassName)
{
    CString strName(lpszClassName ? lpszClassName : L"");
    strName.MakeUpper();
    // Theme handles are asked for from whichever thread draws.
    CSingleLock lock(&m_lockClasses, TRUE);
    void* pClass = nullptr;
    if (m_mapClasses.Lookup(strName, pClass))
        return static_cast<CQorSkinManagerClass*>(pClass);
    CQorSkinManagerClass* pNew = new CQorSkinManagerClass(this, strName, LookupClassId(strName));
    m_mapClasses.SetAt(strName, pNew);
    return pNew;
}

CQorSkinManagerClass* CQorSkinManager::FindClass(const void* pHandle)
{
    CSingleLock lock(&m_lockClasses, TRUE);
    POSITION pos = m_mapClasses.GetStartPosition();
    while (pos) {
        CString strName;
        void* pClass = nullptr;
        m_mapClasses.GetNextAssoc(pos, strName, pClass);
        if (pClass == pHandle)
            return static_cast<CQorSkinManagerClass*>(pClass);
    }
    return nullptr;
}

void CQorSkinManager::FreeClasses()
{
    {
        CSingleLock lock(&m_lockClasses, TRUE);
        POSITION pos = m_mapClasses.GetStartPosition();
        while (pos) {
            CString strName;
            void* pClass = nullptr;
            m_mapClasses.GetNextAssoc(pos, strName, pClass);
            delete static_cast<CQorSkinManagerClass*>(pClass);
        }
        m_mapClasses.RemoveAll();
    }
    if (m_pResourceFile)
        m_pResourceFile->Close();
}

BOOL CQorSkinManager::OpenSkinFile(LPCTSTR lpszSkinPath, LPCTSTR lpszIniName)
{
    FreeClasses();
    // The classes that cached the old schema's properties are gone with it.
    delete m_pSchema;
    m_pSchema = nullptr;
    if (!m_pResourceFile->Open(lpszSkinPath, lpszIniName))
        return FALSE;
    m_pSchema = m_pResourceFile->CreateSchema();
    if (!m_pSchema)
        return FALSE;
    return ReadSchema(m_pSchema, m_pResourceFile) >= 0;
}

void CQorSkinManager::ApplyColorFilters(COLORREF& clr) const
{
    for (INT_PTR i = 0; i < m_arrFilters.GetSize(); ++i)
        m_arrFilters[i]->ApplyColorFilter(clr);
}

void CQorSkinManager::AddColorFilter(CQorSkinManagerColorFilter* pFilter)
{
    if (pFilter)
        m_arrFilters.Add(pFilter);
}

void CQorSkinManager::RemoveColorFilters()
{
    for (INT_PTR i = 0; i < m_arrFilters.GetSize(); ++i)
        delete m_arrFilters[i];
    m_arrFilters.RemoveAll();
}
