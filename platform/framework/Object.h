// CObject and CRuntimeClass: run-time type records, dynamic creation, lookup of a
// class by its name and the serial schema that archives write with each class.
#pragma once

#include <windows.h>

class CObject;
class CArchive;

// Set in a class's schema to say that it reads every older schema itself
// (it asks the archive for the stored number with GetObjectSchema).
#define VERSIONABLE_SCHEMA (0x80000000u)

// Schema of classes that can be created dynamically but not serialised.
#define FOLIONYX_NO_SCHEMA (0xFFFFu)

// One record per class that declares itself dynamic. The records are constant
// data, so their base pointers are valid before any constructor runs.
struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                  // FOLIONYX_NO_SCHEMA: not serialisable
    CObject* (*m_pfnCreateObject)(); // null: not dynamically creatable
    CRuntimeClass* m_pBaseClass;     // null only for CObject

    // A new default-constructed object, or null when the class cannot be created.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Registered classes by exact, case-sensitive name; null when none matches.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    static CRuntimeClass* FromName(LPCWSTR lpszClassName);
    static CObject* CreateObject(LPCSTR lpszClassName);
    static CObject* CreateObject(LPCWSTR lpszClassName);

    // The class record of an archive: schema, name length and 8-bit name.
    void Store(CArchive& ar) const;
    // Reads what Store wrote; null when the name is not registered.
    static CRuntimeClass* Load(CArchive& ar, UINT* pwSchemaNum);
};

// Adds a class to the process-wide list that FromName searches. Registering a
// class twice is harmless. Every IMPLEMENT_DYNAMIC/DYNCREATE/SERIAL registers its
// class at start-up.
void AfxClassInit(CRuntimeClass* pNewClass);

struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass) { AfxClassInit(pNewClass); }
};

class CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = 0;

    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
};

// The object itself when it is of the class or derived from it, else null.
CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

#define DYNAMIC_DOWNCAST(class_name, object)                                                                           \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object))))

// The caller knows the type; no check is made.
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(static_cast<CObject*>(object)))

#define DECLARE_DYNAMIC(class_name)                                                                                    \
public:                                                                                                                \
    static const CRuntimeClass class##class_name;                                                                      \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name)                                                                                  \
    DECLARE_DYNAMIC(class_name)                                                                                        \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)                                                                                     \
    DECLARE_DYNCREATE(class_name)                                                                                      \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                                           \
    const CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)), (wSchema), \
                                                         (pfnNew), RUNTIME_CLASS(base_class_name)};                    \
    CRuntimeClass* class_name::GetRuntimeClass() const                                                                 \
    {                                                                                                                  \
        return RUNTIME_CLASS(class_name);                                                                              \
    }                                                                                                                  \
    static const AFX_CLASSINIT folionyxClassInit_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                                 \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, FOLIONYX_NO_SCHEMA, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                                               \
    CObject* class_name::CreateObject()                                                                                \
    {                                                                                                                  \
        return new class_name;                                                                                         \
    }                                                                                                                  \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, FOLIONYX_NO_SCHEMA, &class_name::CreateObject)

// Needs platform/framework/Archive.h where it is used.
#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                                         \
    CObject* class_name::CreateObject()                                                                                \
    {                                                                                                                  \
        return new class_name;                                                                                         \
    }                                                                                                                  \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, (wSchema), &class_name::CreateObject)                          \
    [[maybe_unused]] CArchive& operator>>(CArchive& ar, class_name*& pOb)                                              \
    {                                                                                                                  \
        pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));                                      \
        return ar;                                                                                                     \
    }
