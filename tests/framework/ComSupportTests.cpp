#include "platform/framework/ComSupport.h"
#include "platform/framework/Strings.h"

#include <gtest/gtest.h>

#include <msxml2.h>

namespace {

// A COM object that offers IUnknown and IPersist and counts its references.
class CountedObject : public IPersist
{
public:
    ULONG refs = 1; // the test's own reference

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPersist)) {
            *out = static_cast<IPersist*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override
    {
        *id = CLSID_NULL;
        return S_OK;
    }
};

// ---------------------------------------------------------------------------------------------
// CComPtr and CComQIPtr

TEST(CComPtrTest, HoldsExactlyOneReference)
{
    CountedObject object;
    {
        CComPtr<IPersist> a(&object);
        EXPECT_EQ(2u, object.refs);
        CComPtr<IPersist> b(a);
        EXPECT_EQ(3u, object.refs);
        CComPtr<IPersist> c(std::move(b));
        EXPECT_EQ(3u, object.refs);
        EXPECT_FALSE(b);
        c = a; // same object: no change
        EXPECT_EQ(3u, object.refs);
        c = c; // self-assignment
        EXPECT_EQ(3u, object.refs);
        c = nullptr;
        EXPECT_EQ(2u, object.refs);
        b = std::move(a);
        EXPECT_EQ(2u, object.refs);
        EXPECT_TRUE(b == &object);
        EXPECT_TRUE(!a);
    }
    EXPECT_EQ(1u, object.refs);
}

TEST(CComPtrTest, AttachDetachCopyToAndOutParameters)
{
    CountedObject object;
    CComPtr<IPersist> p;
    object.AddRef();
    p.Attach(&object); // takes the caller's reference
    EXPECT_EQ(2u, object.refs);
    IPersist* copy = nullptr;
    EXPECT_EQ(S_OK, p.CopyTo(&copy));
    EXPECT_EQ(3u, object.refs);
    copy->Release();
    EXPECT_EQ(&object, p.Detach()); // gives the reference back
    EXPECT_EQ(2u, object.refs);
    object.Release();

    // Filling a pointer through its address releases what it held, so nothing leaks.
    CComPtr<IPersist> held(&object);
    EXPECT_EQ(2u, object.refs);
    EXPECT_EQ(S_OK, object.QueryInterface(IID_IPersist, reinterpret_cast<void**>(&held)));
    EXPECT_EQ(2u, object.refs);
    held.Release();
    EXPECT_EQ(1u, object.refs);
    EXPECT_EQ(E_POINTER, held.CopyTo(nullptr));
}

TEST(CComPtrTest, QueriesForOtherInterfaces)
{
    CountedObject object;
    {
        CComPtr<IUnknown> unknown(static_cast<IUnknown*>(&object));
        CComPtr<IPersist> persist;
        EXPECT_EQ(S_OK, unknown.QueryInterface(&persist));
        EXPECT_TRUE(persist != nullptr);
        EXPECT_TRUE(persist.IsEqualObject(unknown));
        IDispatch* dispatch = reinterpret_cast<IDispatch*>(1);
        EXPECT_EQ(E_NOINTERFACE, unknown.QueryInterface(&dispatch));
        EXPECT_EQ(nullptr, dispatch);

        CComQIPtr<IPersist> viaQuery(unknown.p);
        EXPECT_TRUE(viaQuery == &object);
        CComQIPtr<IDispatch> none(unknown.p);
        EXPECT_TRUE(!none);
        CComQIPtr<IPersist> fromSmart(unknown);
        EXPECT_TRUE(fromSmart == &object);
        CComQIPtr<IPersist, &IID_IPersist> byIid;
        byIid = static_cast<IUnknown*>(&object);
        EXPECT_TRUE(byIid == &object);
        byIid = static_cast<IUnknown*>(nullptr);
        EXPECT_TRUE(!byIid);
        CLSID id;
        EXPECT_EQ(S_OK, viaQuery->GetClassID(&id));
    }
    EXPECT_EQ(1u, object.refs);
}

TEST(CComPtrTest, CreatesRegisteredClasses)
{
    CComPtr<IDispatch> created;
    ASSERT_EQ(S_OK, created.CoCreateInstance(L"Msxml2.DOMDocument"));
    // The headers give this interface no __uuidof, so its id is named explicitly.
    CComQIPtr<IXMLDOMDocument, &IID_IXMLDOMDocument> document(created.p);
    ASSERT_TRUE(document != nullptr);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    EXPECT_EQ(S_OK, document->loadXML(CComBSTR(L"<root/>"), &loaded));
    EXPECT_EQ(VARIANT_TRUE, loaded);

    CComPtr<IDispatch> missing;
    EXPECT_TRUE(FAILED(missing.CoCreateInstance(L"Folionyx.NoSuchClass")));
    EXPECT_TRUE(!missing);
}

// ---------------------------------------------------------------------------------------------
// CComBSTR

TEST(CComBSTRTest, ConstructionAndComparison)
{
    EXPECT_EQ(nullptr, CComBSTR().m_str);
    EXPECT_EQ(nullptr, CComBSTR(static_cast<LPCOLESTR>(nullptr)).m_str);
    EXPECT_STREQ(L"wide", CComBSTR(L"wide"));
    EXPECT_STREQ(L"narrow", CComBSTR("narrow"));
    EXPECT_STREQ(L"from CString", CComBSTR(CString(L"from CString")));
    CComBSTR sized(3, L"abcdef");
    EXPECT_EQ(3u, sized.Length());
    EXPECT_EQ(6u, sized.ByteLength());
    CComBSTR zeroes(4);
    EXPECT_EQ(4u, zeroes.Length());

    // A null BSTR stands for the empty string.
    EXPECT_TRUE(CComBSTR() == L"");
    EXPECT_TRUE(CComBSTR(L"") == static_cast<LPCOLESTR>(nullptr));
    EXPECT_TRUE(CComBSTR(L"a") != L"b");
    EXPECT_TRUE(CComBSTR(L"same") == CComBSTR(L"same"));
}

TEST(CComBSTRTest, CopiesKeepEmbeddedNullsAndOwnTheirMemory)
{
    const wchar_t withNull[] = {L'a', 0, L'b'};
    CComBSTR original(3, withNull);
    CComBSTR copy(original);
    EXPECT_NE(original.m_str, copy.m_str);
    EXPECT_EQ(3u, copy.Length());
    EXPECT_EQ(L'b', copy.m_str[2]);

    BSTR raw = nullptr;
    EXPECT_EQ(S_OK, original.CopyTo(&raw));
    EXPECT_EQ(3u, SysStringLen(raw));
    SysFreeString(raw);

    CComBSTR assigned;
    assigned = copy;
    assigned = assigned; // self-assignment
    EXPECT_EQ(3u, assigned.Length());
    CComBSTR moved(std::move(assigned));
    EXPECT_EQ(nullptr, assigned.m_str);
    EXPECT_EQ(3u, moved.Length());

    BSTR detached = moved.Detach();
    EXPECT_EQ(nullptr, moved.m_str);
    moved.Attach(detached);
    EXPECT_EQ(detached, moved.m_str);
    moved.Empty();
    EXPECT_TRUE(!moved);
}

TEST(CComBSTRTest, AppendingAndCaseChanges)
{
    CComBSTR text;
    text.Append(L"ab");
    text += L"cd";
    text.Append(L'e');
    text.Append(L"xyz", 1);
    text.Append(static_cast<LPCOLESTR>(nullptr));
    EXPECT_STREQ(L"abcdex", text);
    text += text; // appending itself
    EXPECT_STREQ(L"abcdexabcdex", text);
    text.ToUpper();
    EXPECT_STREQ(L"ABCDEXABCDEX", text);
    text.ToLower();
    EXPECT_STREQ(L"abcdexabcdex", text);

    // Passing the address to a function that fills it frees the previous string first.
    CComBSTR filled(L"previous");
    CComVariant number(42);
    EXPECT_EQ(S_OK, VarBstrFromI4(number.lVal, LOCALE_USER_DEFAULT, 0, &filled));
    EXPECT_STREQ(L"42", filled);
}

// ---------------------------------------------------------------------------------------------
// CComVariant

TEST(CComVariantTest, ConstructorsChooseTheVariantType)
{
    struct Case
    {
        CComVariant value;
        VARTYPE type;
    };
    const Case cases[] = {
        {CComVariant(), VT_EMPTY},
        {CComVariant(L"text"), VT_BSTR},
        {CComVariant("text"), VT_BSTR},
        {CComVariant(true), VT_BOOL},
        {CComVariant(5), VT_I4},
        {CComVariant(5L), VT_I4},
        {CComVariant(5, VT_INT), VT_INT},
        {CComVariant(5u), VT_UI4},
        {CComVariant(static_cast<short>(5)), VT_I2},
        {CComVariant(static_cast<BYTE>(5)), VT_UI1},
        {CComVariant(2.5f), VT_R4},
        {CComVariant(2.5), VT_R8},
        {CComVariant(40000.5, VT_DATE), VT_DATE},
        {CComVariant(static_cast<LONGLONG>(1) << 40), VT_I8},
        {CComVariant(E_FAIL, VT_ERROR), VT_ERROR},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.type, c.value.vt);
    EXPECT_EQ(VARIANT_TRUE, CComVariant(true).boolVal);
    EXPECT_EQ(VARIANT_FALSE, CComVariant(false).boolVal);
    EXPECT_STREQ(L"text", CComVariant("text").bstrVal);
}

TEST(CComVariantTest, CopiesAreDeepAndCompareByValue)
{
    CComVariant text(L"abc");
    CComVariant copy(text);
    EXPECT_NE(text.bstrVal, copy.bstrVal);
    EXPECT_TRUE(copy == text);
    EXPECT_TRUE(CComVariant(L"abd") != text);
    EXPECT_TRUE(CComVariant(7) == CComVariant(7));
    EXPECT_TRUE(CComVariant(7) != CComVariant(8));
    EXPECT_TRUE(CComVariant(7) != CComVariant(7L, VT_INT)); // different types differ
    EXPECT_TRUE(CComVariant(2.5) == CComVariant(2.5));
    EXPECT_TRUE(CComVariant() == CComVariant());

    copy = 12;
    EXPECT_EQ(VT_I4, copy.vt);
    copy = text;
    copy = copy; // self-assignment keeps the text
    EXPECT_STREQ(L"abc", copy.bstrVal);

    BSTR out = nullptr;
    EXPECT_EQ(S_OK, text.CopyTo(&out));
    EXPECT_STREQ(L"abc", out);
    SysFreeString(out);
    EXPECT_EQ(DISP_E_TYPEMISMATCH, CComVariant(1).CopyTo(&out));
}

TEST(CComVariantTest, InterfacesAreReferenced)
{
    CountedObject object;
    {
        CComVariant unknown(static_cast<IUnknown*>(&object));
        EXPECT_EQ(VT_UNKNOWN, unknown.vt);
        EXPECT_EQ(2u, object.refs);
        CComVariant copy(unknown);
        EXPECT_EQ(3u, object.refs);
        EXPECT_TRUE(copy == unknown);
        copy.Clear();
        EXPECT_EQ(VT_EMPTY, copy.vt);
        EXPECT_EQ(2u, object.refs);
    }
    EXPECT_EQ(1u, object.refs);
}

TEST(CComVariantTest, AttachDetachAndChangeType)
{
    VARIANT raw;
    VariantInit(&raw);
    raw.vt = VT_BSTR;
    raw.bstrVal = SysAllocString(L"owned");
    CComVariant holder(1);
    EXPECT_EQ(S_OK, holder.Attach(&raw));
    EXPECT_EQ(VT_EMPTY, raw.vt);
    EXPECT_STREQ(L"owned", holder.bstrVal);
    EXPECT_EQ(S_OK, holder.Detach(&raw));
    EXPECT_EQ(VT_EMPTY, holder.vt);
    EXPECT_STREQ(L"owned", raw.bstrVal);
    VariantClear(&raw);

    CComVariant number(42);
    EXPECT_EQ(S_OK, number.ChangeType(VT_BSTR));
    EXPECT_EQ(VT_BSTR, number.vt);
    EXPECT_STREQ(L"42", number.bstrVal);
    CComVariant parsed;
    EXPECT_EQ(S_OK, parsed.ChangeType(VT_I4, &number));
    EXPECT_EQ(42, parsed.lVal);
    CComVariant bad(L"not a number");
    EXPECT_TRUE(FAILED(bad.ChangeType(VT_I4)));
}

} // namespace
