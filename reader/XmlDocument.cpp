#include "reader/XmlDocument.h"
#include "platform/framework/Exceptions.h"
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
        if (ca >= L'A' && ca <= L'Z') ca = wchar_t(ca - L'A' + L'a');
        if (cb >= L'A' && cb <= L'Z') cb = wchar_t(cb - L'A' + L'a');
        if (ca != cb)
            return false;
        if (ca == 0)
            return true;
    }
}

template <typename T>
void SafeRelease(T*& p)
{
    if (p != nullptr) {
        p->Release();
        p = nullptr;
    }
}

// A BSTR that frees itself; throws the framework's out-of-memory error when a
// copy cannot be made.
class ScopedBstr
{
public:
    explicit ScopedBstr(LPCWSTR text) : m_bstr(nullptr)
    {
        if (text != nullptr) {
            m_bstr = SysAllocString(text);
            if (m_bstr == nullptr)
                AfxThrowMemoryException();
        }
    }
    ScopedBstr() : m_bstr(nullptr) {}
    ~ScopedBstr() { SysFreeString(m_bstr); }
    BSTR* operator&() { return &m_bstr; }
    operator BSTR() const { return m_bstr; }
private:
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    BSTR m_bstr;
};

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

CQorXMLNode::CQorXMLNode() : m_pNode(nullptr), m_pDocument(nullptr)
{
}

CQorXMLNode::CQorXMLNode(IXMLDOMNode* node, IXMLDOMDocument* document)
    : m_pNode(nullptr), m_pDocument(nullptr)
{
    Attach(node, document);
}

CQorXMLNode::CQorXMLNode(const CQorXMLNode& other) : m_pNode(nullptr), m_pDocument(nullptr)
{
    Attach(other.m_pNode, other.m_pDocument);
}

CQorXMLNode& CQorXMLNode::operator=(const CQorXMLNode& other)
{
    Attach(other.m_pNode, other.m_pDocument);
    return *this;
}

CQorXMLNode::~CQorXMLNode()
{
    Release();
}

void CQorXMLNode::Attach(IXMLDOMNode* node, IXMLDOMDocument* document)
{
    // Reference the new interface before the old one goes, so that assigning a
    // node to itself (or to a copy of itself) never drops the last reference.
    if (node != m_pNode) {
        if (node != nullptr)
            node->AddRef();
        if (m_pNode != nullptr)
            m_pNode->Release();
        m_pNode = node;
    }
    if (document != m_pDocument) {
        if (document != nullptr)
            document->AddRef();
        if (m_pDocument != nullptr)
            m_pDocument->Release();
        m_pDocument = document;
    }
}

void CQorXMLNode::Release()
{
    SafeRelease(m_pNode);
    SafeRelease(m_pDocument);
}

CString CQorXMLNode::GetName() const
{
    CString name;
    if (m_pNode == nullptr)
        return name;
    ScopedBstr bstr;
    if (SUCCEEDED(m_pNode->get_nodeName(&bstr)) && static_cast<BSTR>(bstr) != nullptr)
        name = static_cast<BSTR>(bstr);
    return name;
}

BOOL CQorXMLNode::FindChild(LPCWSTR name, CQorXMLNode& out) const
{
    if (m_pNode == nullptr || name == nullptr)
        return FALSE;
    IXMLDOMNodeList* list = nullptr;
    if (FAILED(m_pNode->get_childNodes(&list)) || list == nullptr)
        return FALSE;
    BOOL found = FALSE;
    long length = 0;
    if (SUCCEEDED(list->get_length(&length))) {
        for (long i = 0; i < length && !found; ++i) {
            IXMLDOMNode* child = nullptr;
            if (FAILED(list->get_item(i, &child)) || child == nullptr)
                continue;
            ScopedBstr childName;
            if (SUCCEEDED(child->get_nodeName(&childName)) && NamesEqualNoCase(childName, name)) {
                out.Attach(child, m_pDocument);
                found = TRUE;
            }
            child->Release();
        }
    }
    list->Release();
    return found;
}

BOOL CQorXMLNode::GetChildNodes(std::vector<CQorXMLNode>& out) const
{
    if (m_pNode == nullptr)
        return FALSE;
    IXMLDOMNodeList* list = nullptr;
    if (FAILED(m_pNode->get_childNodes(&list)) || list == nullptr)
        return FALSE;
    long length = 0;
    BOOL ok = SUCCEEDED(list->get_length(&length));
    for (long i = 0; ok && i < length; ++i) {
        IXMLDOMNode* child = nullptr;
        if (FAILED(list->get_item(i, &child)) || child == nullptr)
            continue;
        out.push_back(CQorXMLNode(child, m_pDocument));
        child->Release();
    }
    list->Release();
    return ok;
}

CString CQorXMLNode::GetText() const
{
    CString text;
    if (m_pNode == nullptr)
        return text;
    ScopedBstr bstr;
    if (SUCCEEDED(m_pNode->get_text(&bstr)) && static_cast<BSTR>(bstr) != nullptr)
        text = static_cast<BSTR>(bstr);
    return text;
}

BOOL CQorXMLNode::GetAttributeValue(LPCWSTR name, CString& value) const
{
    if (m_pNode == nullptr || name == nullptr)
        return FALSE;
    IXMLDOMNamedNodeMap* attributes = nullptr;
    if (FAILED(m_pNode->get_attributes(&attributes)) || attributes == nullptr)
        return FALSE;
    BOOL found = FALSE;
    ScopedBstr bstrName(name);
    IXMLDOMNode* attribute = nullptr;
    if (attributes->getNamedItem(bstrName, &attribute) == S_OK && attribute != nullptr) {
        VARIANT v;
        VariantInit(&v);
        if (SUCCEEDED(attribute->get_nodeValue(&v)) && V_VT(&v) == VT_BSTR) {
            value = V_BSTR(&v) != nullptr ? CString(V_BSTR(&v)) : CString();
            found = TRUE;
        }
        VariantClear(&v);
        attribute->Release();
    }
    attributes->Release();
    return found;
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

CQorXMLDocument::CQorXMLDocument() : m_pDocument(nullptr)
{
    CreateDOM();
}

CQorXMLDocument::~CQorXMLDocument()
{
    SafeRelease(m_pDocument);
}

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
        m_pDocument = nullptr;
        ReportDomFailure(L"Failed to create XMLDocument, HRESULT=0x%08X", hr);
        return FALSE;
    }
    return TRUE;
}

BOOL CQorXMLDocument::LoadXML(LPCWSTR text)
{
    if (m_pDocument == nullptr)
        return FALSE;
    ScopedBstr bstr(text != nullptr ? text : L"");
    VARIANT_BOOL ok = VARIANT_FALSE;
    HRESULT hr = m_pDocument->loadXML(bstr, &ok);
    return SUCCEEDED(hr) && ok == VARIANT_TRUE;
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
    VARIANT type;
    VariantInit(&type);
    V_VT(&type) = VT_I4;
    V_I4(&type) = NODE_ELEMENT;
    ScopedBstr bstrName(name);
    ScopedBstr bstrNamespace(L"");
    IXMLDOMNode* created = nullptr;
    if (FAILED(m_pDocument->createNode(type, bstrName, bstrNamespace, &created)) || created == nullptr)
        return FALSE;
    IXMLDOMNode* appended = nullptr;
    HRESULT hr = m_pDocument->appendChild(created, &appended);
    created->Release();
    if (FAILED(hr) || appended == nullptr)
        return FALSE;
    out.Attach(appended, m_pDocument);
    appended->Release();
    return TRUE;
}

// ---------------------------------------------------------------------------
// CQorXMLDocumentEx

CQorXMLDocumentEx::CQorXMLDocumentEx() : m_strRootName(L"FolionyxExeBook")
{
}

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
    BSTR text = SysAllocStringLen(nullptr, charCount);
    if (text == nullptr)
        return FALSE;
    memcpy(text, bytes, size_t(charCount) * sizeof(wchar_t));
    text[charCount] = 0;
    BOOL ok = document.LoadXML(text);
    SysFreeString(text);
    return ok;
}
