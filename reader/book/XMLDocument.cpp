#include "reader/book/XMLDocument.h"
#include "platform/framework/ComSupport.h"
#include "platform/framework/DebugChecks.h"
#include "platform/framework/WinApp.h"
#include <oleauto.h>
#include <wchar.h>
#include <new>

namespace {

// Element names are ASCII; compare them without regard to case and locale.
bool NamesEqualNoCase(const wchar_t* a, const wchar_t* b)
{
    if (a == nullptr || b == nullptr)
        return false;
    for (;; ++a, ++b) {
        wchar_t ca = *a, cb = *b;
        if (ca >= L'A' && ca <= L'Z')
            ca = wchar_t(ca - L'A' + L'a');
        if (cb >= L'A' && cb <= L'Z')
            cb = wchar_t(cb - L'A' + L'a');
        if (ca != cb)
            return false;
        if (ca == 0)
            return true;
    }
}

void ReportDomFailure(LPCWSTR format, HRESULT hr)
{
    wchar_t text[128];
    _snwprintf(text, 127, format, static_cast<unsigned>(hr));
    text[127] = 0;
    MessageBoxW(GetForegroundWindow(), text, L"", MB_OK);
}

} // namespace

// ---------------------------------------------------------------------------
// CQorXMLNode

CQorXMLNode::CQorXMLNode(IXMLDOMNode* node, IXMLDOMDocument* document)
{
    Attach(node, document);
}

void CQorXMLNode::Attach(IXMLDOMNode* node, IXMLDOMDocument* document)
{
    // The holders reference the new interface before the old one goes, so assigning a node
    // to itself (or to a copy of itself) never drops the last reference.
    m_pNode = node;
    m_pDocument = document;
}

void CQorXMLNode::Release()
{
    m_pNode.Release();
    m_pDocument.Release();
}

CString CQorXMLNode::GetName() const
{
    CString name;
    if (m_pNode == nullptr)
        return name;
    CComBSTR bstr;
    if (SUCCEEDED(m_pNode->get_nodeName(&bstr)) && static_cast<BSTR>(bstr) != nullptr)
        name = static_cast<BSTR>(bstr);
    return name;
}

BOOL CQorXMLNode::GetChildNodes(std::vector<CQorXMLNode>& out) const
{
    if (m_pNode == nullptr)
        return FALSE;
    CComPtr<IXMLDOMNodeList> list;
    if (FAILED(m_pNode->get_childNodes(&list)) || list == nullptr)
        return FALSE;
    long length = 0;
    if (FAILED(list->get_length(&length)))
        return FALSE;
    for (long i = 0; i < length; ++i) {
        CComPtr<IXMLDOMNode> child;
        if (SUCCEEDED(list->get_item(i, &child)) && child != nullptr)
            out.push_back(CQorXMLNode(child, m_pDocument));
    }
    return TRUE;
}

BOOL CQorXMLNode::FindChild(LPCWSTR name, CQorXMLNode& out) const
{
    std::vector<CQorXMLNode> children;
    if (name == nullptr || !GetChildNodes(children))
        return FALSE;
    for (const CQorXMLNode& child : children) {
        if (NamesEqualNoCase(child.GetName(), name)) {
            out = child;
            return TRUE;
        }
    }
    return FALSE;
}

CString CQorXMLNode::GetText() const
{
    CString text;
    if (m_pNode == nullptr)
        return text;
    CComBSTR bstr;
    if (SUCCEEDED(m_pNode->get_text(&bstr)) && static_cast<BSTR>(bstr) != nullptr)
        text = static_cast<BSTR>(bstr);
    return text;
}

BOOL CQorXMLNode::GetAttributeValue(LPCWSTR name, CString& value) const
{
    if (m_pNode == nullptr || name == nullptr)
        return FALSE;
    CComPtr<IXMLDOMNamedNodeMap> attributes;
    if (FAILED(m_pNode->get_attributes(&attributes)) || attributes == nullptr)
        return FALSE;
    CComBSTR bstrName(name);
    CComPtr<IXMLDOMNode> attribute;
    if (attributes->getNamedItem(bstrName, &attribute) != S_OK || attribute == nullptr)
        return FALSE;
    CComVariant v;
    if (FAILED(attribute->get_nodeValue(&v)) || V_VT(&v) != VT_BSTR)
        return FALSE;
    value = V_BSTR(&v) != nullptr ? CString(V_BSTR(&v)) : CString();
    return TRUE;
}

CString CQorXMLNode::GetStringAttribute(LPCWSTR name, LPCWSTR defaultValue) const
{
    CString value;
    if (GetAttributeValue(name, value))
        return value;
    return defaultValue != nullptr ? CString(defaultValue) : CString();
}

BOOL CQorXMLNode::GetIntAttribute(LPCWSTR name, int& out) const
{
    CString value;
    if (!GetAttributeValue(name, value))
        return FALSE;
    out = _wtoi(value);
    return TRUE;
}

BOOL CQorXMLNode::GetBoolAttribute(LPCWSTR name, BOOL& out) const
{
    CString value;
    if (!GetAttributeValue(name, value))
        return FALSE;
    value.Trim();
    out = value == L"1" ? TRUE : FALSE;
    return TRUE;
}

// ---------------------------------------------------------------------------
// CQorXMLDocument

CQorXMLDocument::CQorXMLDocument()
{
    CreateDOM();
}

CQorXMLDocument::~CQorXMLDocument() = default;

BOOL CQorXMLDocument::CreateDOM()
{
    if (m_pDocument != nullptr)
        return FALSE;
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(L"Msxml2.DOMDocument", &clsid);
    if (FAILED(hr)) {
        hr = CLSIDFromProgID(L"MSXML.DOMDocument", &clsid);
        if (FAILED(hr)) {
            ReportDomFailure(L"No MSXML Installed, HRESULT=0x%08X", hr);
            return FALSE;
        }
    }
    hr = CoCreateInstance(clsid, nullptr,
                          CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER,
                          IID_IXMLDOMDocument, reinterpret_cast<void**>(&m_pDocument));
    if (FAILED(hr) || m_pDocument == nullptr) {
        m_pDocument.Detach(); // whatever a failing call left there is not a reference
        ReportDomFailure(L"Failed to create XMLDocument, HRESULT=0x%08X", hr);
        return FALSE;
    }
    return TRUE;
}

BOOL CQorXMLDocument::LoadXML(LPCWSTR text)
{
    if (m_pDocument == nullptr)
        return FALSE;
    CComBSTR bstr(text != nullptr ? text : L"");
    VARIANT_BOOL ok = VARIANT_FALSE;
    HRESULT hr = m_pDocument->loadXML(bstr, &ok);
    if (FAILED(hr) || ok != VARIANT_TRUE) {
        QOR_TRACE_READER(L"text is not well-formed XML (0x%08X); every reader of it keeps its default", unsigned(hr));
        return FALSE;
    }
    return TRUE;
}

BOOL CQorXMLDocument::FindTopElement(LPCWSTR name, CQorXMLNode& out) const
{
    if (m_pDocument == nullptr)
        return FALSE;
    CQorXMLNode document(m_pDocument, m_pDocument);
    return document.FindChild(name, out);
}

BOOL CQorXMLDocument::CreateTopElement(LPCWSTR name, CQorXMLNode& out)
{
    if (m_pDocument == nullptr || name == nullptr)
        return FALSE;
    CComVariant type;
    V_VT(&type) = VT_I4;
    V_I4(&type) = NODE_ELEMENT;
    CComBSTR bstrName(name);
    CComBSTR bstrNamespace(L"");
    CComPtr<IXMLDOMNode> created;
    if (FAILED(m_pDocument->createNode(type, bstrName, bstrNamespace, &created)) || created == nullptr)
        return FALSE;
    CComPtr<IXMLDOMNode> appended;
    if (FAILED(m_pDocument->appendChild(created, &appended)) || appended == nullptr)
        return FALSE;
    out.Attach(appended, m_pDocument);
    return TRUE;
}

// ---------------------------------------------------------------------------
// CQorXMLDocumentEx

CQorXMLDocumentEx::CQorXMLDocumentEx() : m_strRootName(L"FolionyxExeBook") {}

BOOL CQorXMLDocumentEx::GetRootElement(CQorXMLNode& out)
{
    if (FindTopElement(m_strRootName, out))
        return TRUE;
    return CreateTopElement(m_strRootName, out);
}

BOOL CQorXMLDocumentEx::FindElement(LPCWSTR element, CQorXMLNode& out)
{
    CQorXMLNode root;
    if (!GetRootElement(root))
        return FALSE;
    return root.FindChild(element, out);
}

CString CQorXMLDocumentEx::ReadString(LPCWSTR element, LPCWSTR attribute, LPCWSTR defaultValue)
{
    CQorXMLNode node;
    if (!FindElement(element, node))
        return defaultValue != nullptr ? CString(defaultValue) : CString();
    return node.GetStringAttribute(attribute, defaultValue);
}

int CQorXMLDocumentEx::ReadInt(LPCWSTR element, LPCWSTR attribute, int defaultValue)
{
    CQorXMLNode node;
    int value = defaultValue;
    if (FindElement(element, node))
        node.GetIntAttribute(attribute, value);
    return value;
}

BOOL CQorXMLDocumentEx::ReadBool(LPCWSTR element, LPCWSTR attribute, BOOL defaultValue)
{
    CQorXMLNode node;
    BOOL value = defaultValue;
    if (FindElement(element, node))
        node.GetBoolAttribute(attribute, value);
    return value;
}

CString CQorXMLDocumentEx::ReadElementText(LPCWSTR element)
{
    CQorXMLNode node;
    if (!FindElement(element, node))
        return CString();
    return node.GetText();
}

// ---------------------------------------------------------------------------

BOOL LoadXMLFromResource(HMODULE module, CQorXMLDocument& document)
{
    if (module == nullptr)
        module = AfxGetResourceHandle();
    HRSRC info = FindResourceW(module, L"EBOOKSETTINGSDATA", L"FILES");
    if (info == nullptr)
        return FALSE;
    HGLOBAL handle = LoadResource(module, info);
    if (handle == nullptr)
        return FALSE;
    const BYTE* bytes = static_cast<const BYTE*>(LockResource(handle));
    if (bytes == nullptr)
        return FALSE;
    DWORD byteCount = SizeofResource(module, info);
    if (byteCount >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        bytes += 2;
        byteCount -= 2;
    }
    const DWORD charCount = byteCount / 2;
    // The resource is not terminated: copy it into a buffer one character longer.
    CComBSTR text;
    text.Attach(SysAllocStringLen(nullptr, charCount));
    if (!text)
        return FALSE;
    memcpy(text.m_str, bytes, size_t(charCount) * sizeof(wchar_t));
    text.m_str[charCount] = 0;
    return document.LoadXML(text);
}
