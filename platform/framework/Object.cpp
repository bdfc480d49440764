#include "platform/framework/Object.h"

#include <cstring>
#include <mutex>
#include <new>
#include <vector>

namespace {

// The classes that FromName can find. Registration happens mostly during static
// initialisation, lookups later and possibly on several threads.
struct ClassRegistry
{
    std::mutex lock;
    std::vector<CRuntimeClass*> classes;
};

ClassRegistry& Registry()
{
    static ClassRegistry registry;
    return registry;
}

// Class names are plain ASCII: a wide name matches when every character equals
// the corresponding byte.
bool SameName(LPCSTR narrow, LPCWSTR wide)
{
    for (;; ++narrow, ++wide) {
        if (static_cast<unsigned char>(*narrow) != *wide)
            return false;
        if (*narrow == '\0')
            return true;
    }
}

template <typename Matches> CRuntimeClass* FindClass(Matches matches)
{
    ClassRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    for (CRuntimeClass* pClass : registry.classes) {
        if (matches(pClass->m_lpszClassName))
            return pClass;
    }
    return nullptr;
}

} // namespace

void AfxClassInit(CRuntimeClass* pNewClass)
{
    if (pNewClass == nullptr)
        return;
    ClassRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    for (CRuntimeClass* pClass : registry.classes) {
        if (pClass == pNewClass)
            return;
    }
    registry.classes.push_back(pNewClass);
}

CObject* CRuntimeClass::CreateObject() const
{
    if (m_pfnCreateObject == nullptr)
        return nullptr;
    try {
        return m_pfnCreateObject();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    if (pBaseClass == nullptr)
        return FALSE;
    for (const CRuntimeClass* pClass = this; pClass != nullptr; pClass = pClass->m_pBaseClass) {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    return FindClass([lpszClassName](LPCSTR name) { return std::strcmp(name, lpszClassName) == 0; });
}

CRuntimeClass* CRuntimeClass::FromName(LPCWSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    return FindClass([lpszClassName](LPCSTR name) { return SameName(name, lpszClassName); });
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != nullptr ? pClass->CreateObject() : nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCWSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != nullptr ? pClass->CreateObject() : nullptr;
}

// CObject is the root: it has no base and cannot be created on its own.
const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), FOLIONYX_NO_SCHEMA, nullptr,
                                             nullptr};

static const AFX_CLASSINIT folionyxClassInit_CObject(RUNTIME_CLASS(CObject));

CObject::~CObject() = default;

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != FOLIONYX_NO_SCHEMA;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&) {}

void CObject::AssertValid() const {}

CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(pClass) ? pObject : nullptr;
}
