#include "reader/book/XMLDocument.h"
#include <algorithm>
#include "platform/framework/ComSupport.h"
#include "platform/framework/DebugChecks.h"
#include "platform/framework/WinApp.h"
#include <oleauto.h>
#include <wchar.h>
#include <new>
#include <utility>

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

// Folds ASCII capitals the way NamesEqualNoCase compares them.
std::wstring FoldName(const wchar_t* name)
{
    std::wstring folded(name != nullptr ? name : L"");
    for (wchar_t& c : folded) {
        if (c >= L'A' && c <= L'Z')
            c = wchar_t(c - L'A' + L'a');
    }
    return folded;
}

CString NodeName(IXMLDOMNode* node)
{
    CString name;
    CComBSTR bstr;
    if (node != nullptr && SUCCEEDED(node->get_nodeName(&bstr)) && static_cast<BSTR>(bstr) != nullptr)
        name = static_cast<BSTR>(bstr);
    return name;
}

// Calls `visit` for each direct child of `parent` in document order until it returns false.
// FALSE when there is no node or its first child cannot be asked for.
template <class Visit> BOOL ForEachChild(IXMLDOMNode* parent, Visit visit)
{
    if (parent == nullptr)
        return FALSE;
    CComPtr<IXMLDOMNode> child;
    if (FAILED(parent->get_firstChild(&child)))
        return FALSE;
    while (child != nullptr && visit(static_cast<IXMLDOMNode*>(child))) {
        CComPtr<IXMLDOMNode> next;
        if (FAILED(child->get_nextSibling(&next)))
            break;
        child = std::move(next);
    }
    return TRUE;
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
    return NodeName(m_pNode);
}

BOOL CQorXMLNode::GetChildNodes(std::vector<CQorXMLNode>& out) const
{
    return ForEachChild(m_pNode, [&](IXMLDOMNode* child) {
        out.push_back(CQorXMLNode(child, m_pDocument));
        return true;
    });
}

BOOL CQorXMLNode::FindChild(LPCWSTR name, CQorXMLNode& out) const
{
    if (name == nullptr)
        return FALSE;
    BOOL found = FALSE;
    ForEachChild(m_pNode, [&](IXMLDOMNode* child) {
        if (!NamesEqualNoCase(NodeName(child), name))
            return true;
        out.Attach(child, m_pDocument);
        found = TRUE;
        return false;
    });
    return found;
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
// CQorXMLChildIndex

BOOL CQorXMLChildIndex::Build(const CQorXMLNode& parent)
{
    m_children.clear();
    m_byName.clear();
    if (!parent.GetChildNodes(m_children))
        return FALSE;
    m_byName.reserve(m_children.size());
    for (size_t i = 0; i < m_children.size(); ++i)
        m_byName.emplace(FoldName(m_children[i].GetName()), i); // keeps the first of a name
    return TRUE;
}

BOOL CQorXMLChildIndex::Find(LPCWSTR name, CQorXMLNode& out) const
{
    if (name == nullptr)
        return FALSE;
    const auto found = m_byName.find(FoldName(name));
    if (found == m_byName.end())
        return FALSE;
    out = m_children[found->second];
    return TRUE;
}

std::vector<CQorXMLNode> CQorXMLChildIndex::FindNumbered(LPCWSTR prefix, int count) const
{
    // The numbers as "%d" writes them: digits without a leading zero (but "0" itself).
    std::vector<std::pair<int, size_t>> numbered;
    const std::wstring folded = FoldName(prefix);
    for (const auto& entry : m_byName) {
        const std::wstring& name = entry.first;
        if (name.size() <= folded.size() || name.compare(0, folded.size(), folded) != 0)
            continue;
        const size_t digits = name.size() - folded.size();
        if (digits > 10 || (digits > 1 && name[folded.size()] == L'0'))
            continue;
        long long number = 0;
        bool isNumber = true;
        for (size_t i = folded.size(); i < name.size() && isNumber; ++i) {
            isNumber = name[i] >= L'0' && name[i] <= L'9';
            number = number * 10 + (name[i] - L'0');
        }
        if (isNumber && number < count)
            numbered.push_back({int(number), entry.second});
    }
    std::sort(numbered.begin(), numbered.end());
    std::vector<CQorXMLNode> out;
    out.reserve(numbered.size());
    for (const auto& entry : numbered)
        out.push_back(m_children[entry.second]);
    return out;
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
    ++m_nChanges;
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
    ++m_nChanges;
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
    // The root's children are walked once per loaded text, not once per setting: a root with
    // thousands of elements would otherwise cost thousands of steps for every value read.
    if (m_nIndexedChanges != m_nChanges) {
        CQorXMLNode root;
        if (!GetRootElement(root))
            return FALSE;
        m_rootChildren.Build(root);
        m_nIndexedChanges = m_nChanges;
    }
    return m_rootChildren.Find(element, out);
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
