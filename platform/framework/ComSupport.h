// COM helpers: a smart interface pointer (CComPtr, and CComQIPtr which queries on
// assignment), and owners of a BSTR (CComBSTR) and of a VARIANT (CComVariant).
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>
#include <memory>
#include <type_traits>
#include <utility>

class CString;

// ------------------------------------------------------------------------------------------
// Holds one reference on an interface pointer: AddRef when it takes a pointer it does not own,
// Release when it lets go.
template <class T> class CComPtr
{
public:
    CComPtr() = default;
    CComPtr(T* other) : p(other)
    {
        if (p)
            p->AddRef();
    }
    CComPtr(const CComPtr& other) : CComPtr(other.p) {}
    CComPtr(CComPtr&& other) noexcept : p(other.p) { other.p = nullptr; }
    ~CComPtr() { Release(); }

    CComPtr& operator=(T* other)
    {
        if (other != p) {
            if (other)
                other->AddRef();
            T* old = p;
            p = other;
            if (old)
                old->Release();
        }
        return *this;
    }
    CComPtr& operator=(const CComPtr& other) { return *this = other.p; }
    CComPtr& operator=(CComPtr&& other) noexcept
    {
        if (this != std::addressof(other)) {
            T* old = p;
            p = other.p;
            other.p = nullptr;
            if (old)
                old->Release();
        }
        return *this;
    }

    operator T*() const { return p; }
    T& operator*() const { return *p; }
    T* operator->() const { return p; }
    // Address for an out-parameter. Whatever the pointer held is released first, so that
    // filling it again does not leak a reference.
    T** operator&()
    {
        Release();
        return &p;
    }
    bool operator!() const { return p == nullptr; }
    bool operator==(T* other) const { return p == other; }
    bool operator!=(T* other) const { return p != other; }
    bool operator<(T* other) const { return p < other; }

    void Release()
    {
        T* old = p;
        if (old) {
            p = nullptr;
            old->Release();
        }
    }
    // Takes over a reference the caller owns.
    void Attach(T* other)
    {
        T* old = p;
        p = other;
        if (old)
            old->Release();
    }
    // Gives the reference to the caller.
    T* Detach()
    {
        T* result = p;
        p = nullptr;
        return result;
    }
    HRESULT CopyTo(T** target) const
    {
        if (!target)
            return E_POINTER;
        *target = p;
        if (p)
            p->AddRef();
        return S_OK;
    }
    template <class Q> HRESULT QueryInterface(Q** target) const
    {
        if (!target)
            return E_POINTER;
        *target = nullptr;
        if (!p)
            return E_POINTER;
        return p->QueryInterface(__uuidof(Q), reinterpret_cast<void**>(target));
    }
    HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer = nullptr, DWORD context = CLSCTX_ALL)
    {
        Release();
        return ::CoCreateInstance(clsid, outer, context, __uuidof(T), reinterpret_cast<void**>(&p));
    }
    HRESULT CoCreateInstance(LPCOLESTR progId, IUnknown* outer = nullptr, DWORD context = CLSCTX_ALL)
    {
        CLSID clsid;
        HRESULT hr = CLSIDFromProgID(progId, &clsid);
        return SUCCEEDED(hr) ? CoCreateInstance(clsid, outer, context) : hr;
    }
    // True when both pointers lead to the same COM object (compared through IUnknown).
    bool IsEqualObject(IUnknown* other) const
    {
        if (!p || !other)
            return p == nullptr && other == nullptr;
        IUnknown* mine = nullptr;
        IUnknown* theirs = nullptr;
        p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&mine));
        other->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&theirs));
        bool same = mine != nullptr && mine == theirs;
        if (mine)
            mine->Release();
        if (theirs)
            theirs->Release();
        return same;
    }

    T* p = nullptr;
};

// A CComPtr that asks any interface it is given for T (QueryInterface), so it holds null when
// the object does not offer T. piid names the interface id when T has no __uuidof.
template <class T, const IID* piid = nullptr> class CComQIPtr : public CComPtr<T>
{
public:
    CComQIPtr() = default;
    CComQIPtr(T* other) : CComPtr<T>(other) {}
    CComQIPtr(const CComQIPtr& other) : CComPtr<T>(other.p) {}
    CComQIPtr(IUnknown* other) { Query(other); }
    template <class Q, typename = std::enable_if_t<!std::is_same<Q, T>::value && !std::is_same<Q, IUnknown>::value>>
    CComQIPtr(const CComPtr<Q>& other)
    {
        Query(other.p);
    }

    CComQIPtr& operator=(T* other)
    {
        CComPtr<T>::operator=(other);
        return *this;
    }
    CComQIPtr& operator=(const CComQIPtr& other)
    {
        CComPtr<T>::operator=(other.p);
        return *this;
    }
    CComQIPtr& operator=(IUnknown* other)
    {
        T* found = nullptr;
        if (other)
            other->QueryInterface(Iid(), reinterpret_cast<void**>(&found));
        this->Attach(found);
        return *this;
    }

private:
    static const IID& Iid()
    {
        if constexpr (piid != nullptr)
            return *piid;
        else
            return __uuidof(T);
    }
    void Query(IUnknown* other)
    {
        if (other)
            other->QueryInterface(Iid(), reinterpret_cast<void**>(&this->p));
    }
};

// ------------------------------------------------------------------------------------------
// Owns a BSTR (null for an empty string). Allocation failures raise the framework's
// out-of-memory error.
class CComBSTR
{
public:
    CComBSTR() = default;
    CComBSTR(LPCOLESTR text);
    CComBSTR(int length, LPCOLESTR text); // text may be null: a zero-filled string
    explicit CComBSTR(int length);
    CComBSTR(LPCSTR text); // converted through the ANSI code page
    CComBSTR(const CString& text);
    CComBSTR(const CComBSTR& other);
    CComBSTR(CComBSTR&& other) noexcept : m_str(other.m_str) { other.m_str = nullptr; }
    ~CComBSTR() { Empty(); }

    CComBSTR& operator=(LPCOLESTR text);
    CComBSTR& operator=(LPCSTR text);
    CComBSTR& operator=(const CComBSTR& other);
    CComBSTR& operator=(CComBSTR&& other) noexcept;

    operator BSTR() const { return m_str; }
    // Address for an out-parameter; the string held so far is freed first.
    BSTR* operator&()
    {
        Empty();
        return &m_str;
    }
    bool operator!() const { return m_str == nullptr; }
    // Equal text (a null BSTR equals the empty string).
    bool operator==(LPCOLESTR text) const;
    bool operator!=(LPCOLESTR text) const { return !(*this == text); }
    bool operator==(const CComBSTR& other) const { return *this == static_cast<LPCOLESTR>(other.m_str); }
    bool operator!=(const CComBSTR& other) const { return !(*this == other); }

    unsigned int Length() const { return m_str ? SysStringLen(m_str) : 0; }
    unsigned int ByteLength() const { return m_str ? SysStringByteLen(m_str) : 0; }
    void Empty();
    BSTR Copy() const; // a new BSTR the caller frees
    HRESULT CopyTo(BSTR* target) const;
    void Attach(BSTR text);
    BSTR Detach();

    HRESULT Append(LPCOLESTR text);
    HRESULT Append(LPCOLESTR text, int length);
    HRESULT Append(const CComBSTR& other);
    HRESULT Append(wchar_t ch) { return Append(&ch, 1); }
    HRESULT AppendBSTR(BSTR text) { return Append(text, text ? static_cast<int>(SysStringLen(text)) : 0); }
    CComBSTR& operator+=(LPCOLESTR text)
    {
        Append(text);
        return *this;
    }
    CComBSTR& operator+=(const CComBSTR& other)
    {
        Append(other);
        return *this;
    }

    HRESULT ToLower();
    HRESULT ToUpper();
    // A string of the current resource module's string table.
    bool LoadString(UINT id);

    BSTR m_str = nullptr;
};

// ------------------------------------------------------------------------------------------
// Owns a VARIANT and clears it on destruction. Failed copies leave VT_ERROR with the HRESULT.
class CComVariant : public tagVARIANT
{
public:
    CComVariant() { ::VariantInit(this); }
    CComVariant(const CComVariant& other)
    {
        ::VariantInit(this);
        InternalCopy(&other);
    }
    CComVariant(const VARIANT& other)
    {
        ::VariantInit(this);
        InternalCopy(&other);
    }
    CComVariant(LPCOLESTR text)
    {
        ::VariantInit(this);
        *this = text;
    }
    CComVariant(LPCSTR text)
    {
        ::VariantInit(this);
        *this = text;
    }
    CComVariant(const CComBSTR& text)
    {
        ::VariantInit(this);
        *this = static_cast<LPCOLESTR>(text.m_str);
    }
    CComVariant(bool value)
    {
        ::VariantInit(this);
        *this = value;
    }
    CComVariant(int value, VARTYPE type = VT_I4)
    {
        ::VariantInit(this);
        SetInt(value, type);
    }
    CComVariant(long value, VARTYPE type = VT_I4)
    {
        ::VariantInit(this);
        SetInt(value, type);
    }
    CComVariant(unsigned int value, VARTYPE type = VT_UI4)
    {
        ::VariantInit(this);
        SetUInt(value, type);
    }
    CComVariant(unsigned long value)
    {
        ::VariantInit(this);
        SetUInt(value, VT_UI4);
    }
    CComVariant(short value)
    {
        ::VariantInit(this);
        vt = VT_I2;
        iVal = value;
    }
    CComVariant(unsigned short value)
    {
        ::VariantInit(this);
        vt = VT_UI2;
        uiVal = value;
    }
    CComVariant(BYTE value)
    {
        ::VariantInit(this);
        vt = VT_UI1;
        bVal = value;
    }
    CComVariant(char value)
    {
        ::VariantInit(this);
        vt = VT_I1;
        cVal = value;
    }
    CComVariant(float value)
    {
        ::VariantInit(this);
        vt = VT_R4;
        fltVal = value;
    }
    CComVariant(double value, VARTYPE type = VT_R8)
    {
        ::VariantInit(this);
        vt = type == VT_DATE ? VT_DATE : VT_R8;
        dblVal = value;
    }
    CComVariant(LONGLONG value)
    {
        ::VariantInit(this);
        vt = VT_I8;
        llVal = value;
    }
    CComVariant(ULONGLONG value)
    {
        ::VariantInit(this);
        vt = VT_UI8;
        ullVal = value;
    }
    CComVariant(IDispatch* value)
    {
        ::VariantInit(this);
        *this = value;
    }
    CComVariant(IUnknown* value)
    {
        ::VariantInit(this);
        *this = value;
    }
    ~CComVariant() { Clear(); }

    CComVariant& operator=(const CComVariant& other)
    {
        if (this != std::addressof(other))
            InternalCopy(&other);
        return *this;
    }
    CComVariant& operator=(const VARIANT& other)
    {
        if (this != std::addressof(other))
            InternalCopy(&other);
        return *this;
    }
    CComVariant& operator=(LPCOLESTR text);
    CComVariant& operator=(LPCSTR text);
    CComVariant& operator=(bool value)
    {
        Clear();
        vt = VT_BOOL;
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        return *this;
    }
    CComVariant& operator=(int value)
    {
        SetInt(value, VT_I4);
        return *this;
    }
    CComVariant& operator=(long value)
    {
        SetInt(value, VT_I4);
        return *this;
    }
    CComVariant& operator=(unsigned int value)
    {
        SetUInt(value, VT_UI4);
        return *this;
    }
    CComVariant& operator=(double value)
    {
        Clear();
        vt = VT_R8;
        dblVal = value;
        return *this;
    }
    CComVariant& operator=(IDispatch* value);
    CComVariant& operator=(IUnknown* value);

    // Same type and equal value (interfaces: the same pointer).
    bool operator==(const VARIANT& other) const;
    bool operator!=(const VARIANT& other) const { return !(*this == other); }

    HRESULT Clear() { return ::VariantClear(this); }
    HRESULT Copy(const VARIANT* source);
    HRESULT CopyTo(BSTR* target) const; // only for VT_BSTR
    HRESULT Attach(VARIANT* source);    // takes the content; source becomes VT_EMPTY
    HRESULT Detach(VARIANT* target);    // gives the content; this becomes VT_EMPTY
    HRESULT ChangeType(VARTYPE type, const VARIANT* source = nullptr);

private:
    void InternalCopy(const VARIANT* source);
    void SetInt(long value, VARTYPE type);
    void SetUInt(unsigned long value, VARTYPE type);
};
