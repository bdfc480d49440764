#include "platform/framework/ComSupport.h"
#include "platform/framework/Strings.h"
#include "platform/framework/Exceptions.h"

#include <cwchar>

namespace {

// A new BSTR of the text, or null for null text; raises out-of-memory on failure.
BSTR AllocText(LPCOLESTR text, int length)
{
    if (!text && length <= 0)
        return nullptr;
    BSTR result = SysAllocStringLen(text, static_cast<UINT>(length < 0 ? 0 : length));
    if (!result)
        AfxThrowMemoryException();
    return result;
}

BSTR AllocText(LPCOLESTR text)
{
    return text ? AllocText(text, static_cast<int>(wcslen(text))) : nullptr;
}

} // namespace

// ------------------------------------------------------------------------------------------
// CComBSTR

CComBSTR::CComBSTR(LPCOLESTR text) : m_str(AllocText(text)) {}

CComBSTR::CComBSTR(int length, LPCOLESTR text)
{
    if (length < 0)
        length = 0;
    m_str = SysAllocStringLen(text, static_cast<UINT>(length));
    if (!m_str)
        AfxThrowMemoryException();
}

CComBSTR::CComBSTR(int length) : CComBSTR(length, nullptr) {}

CComBSTR::CComBSTR(LPCSTR text)
{
    if (text) {
        CString wide(text);
        m_str = AllocText(wide.GetString(), wide.GetLength());
    }
}

CComBSTR::CComBSTR(const CString& text) : m_str(AllocText(text.GetString(), text.GetLength())) {}

CComBSTR::CComBSTR(const CComBSTR& other) : m_str(other.Copy()) {}

CComBSTR& CComBSTR::operator=(LPCOLESTR text)
{
    if (text != m_str) {
        BSTR copy = AllocText(text);
        Empty();
        m_str = copy;
    }
    return *this;
}

CComBSTR& CComBSTR::operator=(LPCSTR text)
{
    CComBSTR converted(text);
    Attach(converted.Detach());
    return *this;
}

CComBSTR& CComBSTR::operator=(const CComBSTR& other)
{
    if (this != std::addressof(other)) {
        BSTR copy = other.Copy();
        Empty();
        m_str = copy;
    }
    return *this;
}

CComBSTR& CComBSTR::operator=(CComBSTR&& other) noexcept
{
    if (this != std::addressof(other)) {
        Empty();
        m_str = other.m_str;
        other.m_str = nullptr;
    }
    return *this;
}

bool CComBSTR::operator==(LPCOLESTR text) const
{
    const wchar_t* mine = m_str ? m_str : L"";
    return wcscmp(mine, text ? text : L"") == 0;
}

void CComBSTR::Empty()
{
    if (m_str) {
        SysFreeString(m_str);
        m_str = nullptr;
    }
}

BSTR CComBSTR::Copy() const
{
    if (!m_str)
        return nullptr;
    // Byte length keeps strings with embedded nulls or odd byte counts intact.
    BSTR result = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(m_str), SysStringByteLen(m_str));
    if (!result)
        AfxThrowMemoryException();
    return result;
}

HRESULT CComBSTR::CopyTo(BSTR* target) const
{
    if (!target)
        return E_POINTER;
    *target = Copy();
    return (m_str && !*target) ? E_OUTOFMEMORY : S_OK;
}

void CComBSTR::Attach(BSTR text)
{
    if (text != m_str) {
        Empty();
        m_str = text;
    }
}

BSTR CComBSTR::Detach()
{
    BSTR result = m_str;
    m_str = nullptr;
    return result;
}

HRESULT CComBSTR::Append(LPCOLESTR text)
{
    return Append(text, text ? static_cast<int>(wcslen(text)) : 0);
}

HRESULT CComBSTR::Append(const CComBSTR& other)
{
    return Append(other.m_str, static_cast<int>(other.Length()));
}

HRESULT CComBSTR::Append(LPCOLESTR text, int length)
{
    if (!text || length <= 0)
        return S_OK;
    unsigned int old = Length();
    BSTR joined = SysAllocStringLen(nullptr, old + static_cast<UINT>(length));
    if (!joined)
        AfxThrowMemoryException();
    if (old)
        wmemcpy(joined, m_str, old);
    wmemcpy(joined + old, text, static_cast<size_t>(length)); // text may be m_str itself
    Empty();
    m_str = joined;
    return S_OK;
}

HRESULT CComBSTR::ToLower()
{
    if (m_str)
        CharLowerBuffW(m_str, Length());
    return S_OK;
}

HRESULT CComBSTR::ToUpper()
{
    if (m_str)
        CharUpperBuffW(m_str, Length());
    return S_OK;
}

bool CComBSTR::LoadString(UINT id)
{
    CString text;
    if (!text.LoadString(id))
        return false;
    *this = CComBSTR(text);
    return true;
}

// ------------------------------------------------------------------------------------------
// CComVariant

void CComVariant::InternalCopy(const VARIANT* source)
{
    HRESULT hr = Copy(source);
    if (FAILED(hr)) {
        vt = VT_ERROR;
        scode = hr;
    }
}

HRESULT CComVariant::Copy(const VARIANT* source)
{
    if (!source)
        return E_POINTER;
    return ::VariantCopy(this, const_cast<VARIANT*>(source));
}

void CComVariant::SetInt(long value, VARTYPE type)
{
    Clear();
    if (type == VT_ERROR) {
        vt = VT_ERROR;
        scode = value;
    } else {
        vt = type == VT_INT ? VT_INT : VT_I4;
        lVal = value;
    }
}

void CComVariant::SetUInt(unsigned long value, VARTYPE type)
{
    Clear();
    vt = type == VT_UINT ? VT_UINT : VT_UI4;
    ulVal = value;
}

CComVariant& CComVariant::operator=(LPCOLESTR text)
{
    BSTR copy = text ? AllocText(text) : nullptr;
    Clear();
    vt = VT_BSTR;
    bstrVal = copy;
    return *this;
}

CComVariant& CComVariant::operator=(LPCSTR text)
{
    CComBSTR converted(text);
    Clear();
    vt = VT_BSTR;
    bstrVal = converted.Detach();
    return *this;
}

CComVariant& CComVariant::operator=(IDispatch* value)
{
    if (value)
        value->AddRef();
    Clear();
    vt = VT_DISPATCH;
    pdispVal = value;
    return *this;
}

CComVariant& CComVariant::operator=(IUnknown* value)
{
    if (value)
        value->AddRef();
    Clear();
    vt = VT_UNKNOWN;
    punkVal = value;
    return *this;
}

bool CComVariant::operator==(const VARIANT& other) const
{
    if (this == &other)
        return true;
    if (vt != other.vt)
        return false;
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return punkVal == other.punkVal;
    case VT_ERROR:
        return scode == other.scode;
    case VT_BSTR:
        // Compared as text: VarCmp would follow the locale and ignore nothing of the byte form.
        return wcscmp(bstrVal ? bstrVal : L"", other.bstrVal ? other.bstrVal : L"") == 0 &&
               SysStringLen(bstrVal) == SysStringLen(other.bstrVal);
    default:
        return ::VarCmp(const_cast<CComVariant*>(this), const_cast<VARIANT*>(&other), LOCALE_USER_DEFAULT, 0) ==
               static_cast<HRESULT>(VARCMP_EQ);
    }
}

HRESULT CComVariant::CopyTo(BSTR* target) const
{
    if (!target)
        return E_POINTER;
    if (vt != VT_BSTR)
        return DISP_E_TYPEMISMATCH;
    *target = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(bstrVal), SysStringByteLen(bstrVal));
    return (*target || !bstrVal) ? S_OK : E_OUTOFMEMORY;
}

HRESULT CComVariant::Attach(VARIANT* source)
{
    if (!source)
        return E_INVALIDARG;
    HRESULT hr = Clear();
    if (FAILED(hr))
        return hr;
    *static_cast<VARIANT*>(this) = *source;
    source->vt = VT_EMPTY;
    return S_OK;
}

HRESULT CComVariant::Detach(VARIANT* target)
{
    if (!target)
        return E_POINTER;
    HRESULT hr = ::VariantClear(target);
    if (FAILED(hr))
        return hr;
    *target = *static_cast<VARIANT*>(this);
    vt = VT_EMPTY;
    return S_OK;
}

HRESULT CComVariant::ChangeType(VARTYPE type, const VARIANT* source)
{
    VARIANT* from = const_cast<VARIANT*>(source ? source : this);
    return ::VariantChangeType(this, from, 0, type);
}
