// Saving and loading object state: one routine per class names each of its values, and the
// same routine stores or loads depending on the exchange it is given. Values travel by name
// with a type code and a default; nested objects get sections, lists a count and numbered
// sections, polymorphic objects their class name; a schema number lets newer readers skip
// what older writers did not have.
#pragma once
#include "platform/framework/Archive.h"
#include "platform/framework/CmdTarget.h"
#include "platform/framework/Collections.h"

class CQorPropExchangeEnumerator;

// Value kinds of ExchangeProp (OLE VARTYPE numbers plus two of the toolkit's own).
enum QorPropType : VARTYPE {
    QOR_PROP_I2 = 2,       // short
    QOR_PROP_I4 = 3,       // int
    QOR_PROP_R4 = 4,       // float
    QOR_PROP_R8 = 5,       // double
    QOR_PROP_CY = 6,       // CY: low 32 bits, then high 32 bits
    QOR_PROP_DATE = 7,     // QOR_PROP_DATE_VALUE
    QOR_PROP_BOOL = 11,    // BOOL (a 32-bit int)
    QOR_PROP_VARIANT = 12, // not supported: no exchange routine uses variants
    QOR_PROP_UI1 = 17,     // BYTE
    QOR_PROP_STRING = 30,  // CString
    QOR_PROP_RECT = 100,   // 16 raw bytes: RECT
    QOR_PROP_SIZE = 101,   // 8 raw bytes: SIZE or POINT
};

// The value of QOR_PROP_DATE: an OLE date and its validity status.
struct QOR_PROP_DATE_VALUE
{
    DATE dt;
    int status;
};

// Reference-counted: created with a count of 1, released with InternalRelease.
class CQorPropExchange : public CCmdTarget
{
public:
    CQorPropExchange();

    // The schema a new exchange writes, and the one assumed for archives older than the
    // schema tag.
    enum { kCurrentSchema = 24, kUntaggedSchema = 17 };

    virtual BOOL ExchangeProp(LPCTSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) = 0;
    // pData null when loading: the data comes in a buffer from malloc, which the caller frees.
    virtual BOOL ExchangeBlobProp(LPCTSTR pszPropName, BYTE*& pData, DWORD& nBytes);
    virtual BOOL ExchangeRuntimeClass(LPCTSTR pszPropName, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass);
    // Loading creates an object of the stored class only when that class is pBaseClass or
    // derived from it; otherwise pObject stays null and the result is FALSE.
    virtual BOOL ExchangeObjectInstance(CObject*& pObject, CRuntimeClass* pBaseClass);
    // An archive over the named blob, to Serialize framework objects into; hand it back to
    // ReleaseArchive. Null when loading an empty or missing blob.
    virtual CArchive* GetArchive(LPCTSTR pszPropName);
    virtual void ReleaseArchive(LPCTSTR pszPropName, CArchive* pArchive);
    // A new section, released by the caller.
    virtual CQorPropExchange* GetSection(LPCTSTR pszSection) = 0;
    virtual void SetInheritedFlag();
    virtual void WriteCount(DWORD dwCount);
    virtual DWORD ReadCount();
    virtual void WriteBlob(LPCTSTR pszPropName, BYTE* pData, DWORD nBytes);
    // The number of bytes read, 0 on failure.
    virtual DWORD ReadBlob(LPCTSTR pszPropName, BYTE* pData, DWORD nBytes);
    virtual BOOL IsAllowDefaultValues() const;
    virtual BOOL IsAllowBlobValues() const;
    virtual BOOL OnBeforeExchange();
    // A new enumerator over the sections pszItemName0, pszItemName1, ...; the caller deletes it.
    virtual CQorPropExchangeEnumerator* GetEnumerator(LPCTSTR pszItemName);
    virtual void ExchangeSchema();

    BOOL IsLoading() const { return m_bLoading; }
    int GetSchema() const { return m_nSchema; }

    // Set by the caller on the root exchange and inherited by every section.
    void* m_pExchangeParams = nullptr;
    void* m_pObjectMap = nullptr;

    BOOL m_bLoading = FALSE;
    int m_nSchema = kCurrentSchema;
    BOOL m_bChildSection = FALSE;
    BOOL m_bInherited = FALSE;
    BOOL m_bStarted = FALSE;
    BOOL m_bUseDefaultOnLoad = TRUE;
    BOOL m_bUseDefaultOnSave = TRUE;

protected:
    // Copies what a section inherits from its parent.
    void InheritFrom(const CQorPropExchange& parent);
};

// The back end over a framework archive. Names and defaults are never written: values are
// stored in the order the exchange routines visit them, and must be read in the same order.
class CQorPropExchangeArchive : public CQorPropExchange
{
public:
    explicit CQorPropExchangeArchive(CArchive& ar);

    BOOL ExchangeProp(LPCTSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) override;
    BOOL ExchangeBlobProp(LPCTSTR pszPropName, BYTE*& pData, DWORD& nBytes) override;
    BOOL ExchangeRuntimeClass(LPCTSTR pszPropName, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass) override;
    BOOL ExchangeObjectInstance(CObject*& pObject, CRuntimeClass* pBaseClass) override;
    CArchive* GetArchive(LPCTSTR pszPropName) override;
    void ReleaseArchive(LPCTSTR pszPropName, CArchive* pArchive) override;
    CQorPropExchange* GetSection(LPCTSTR pszSection) override;
    void WriteCount(DWORD dwCount) override;
    DWORD ReadCount() override;
    void WriteBlob(LPCTSTR pszPropName, BYTE* pData, DWORD nBytes) override;
    DWORD ReadBlob(LPCTSTR pszPropName, BYTE* pData, DWORD nBytes) override;
    BOOL IsAllowDefaultValues() const override;
    BOOL IsAllowBlobValues() const override;
    void ExchangeSchema() override;

    // The tag word that precedes the schema in archives that carry one.
    enum : DWORD { kSchemaTag = 0x0FF0ADBF };

protected:
    CArchive& m_ar;
};

// Walks the numbered sections of a list. Owned by its caller.
class CQorPropExchangeEnumerator
{
public:
    CQorPropExchangeEnumerator(CQorPropExchange* pContainer, LPCTSTR pszItemName);
    virtual ~CQorPropExchangeEnumerator() = default;

    // Exchanges the item count (as "Count", or through Read/WriteCount in compact mode, so
    // loading replaces dwCount) and returns the first position, null for no items.
    virtual POSITION GetPosition(DWORD dwCount, BOOL bCompactMode);
    // The section of the item at pos, released by the caller; pos moves on, null after the last.
    virtual CQorPropExchange* GetNext(POSITION& pos);

    DWORD GetCount() const { return m_nCount; }

protected:
    CQorPropExchange* m_pContainer;
    CString m_strItemName;
    DWORD m_nCount = 0;
};
