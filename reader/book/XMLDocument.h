// A read-only layer over the MSXML DOM: counted node handles, case-insensitive
// child lookup and attribute readers that fall back to caller defaults, so that
// a partial settings document never makes a reader fail.
#pragma once
#include <windows.h>
#include <msxml.h>
#include <string>
#include <unordered_map>
#include <vector>
#include "platform/framework/ComSupport.h"
#include "platform/framework/Strings.h"

// A node of a DOM together with the document that owns it. Both references are
// counted; copies share them.
class CQorXMLNode
{
public:
    CQorXMLNode() = default;
    CQorXMLNode(IXMLDOMNode* node, IXMLDOMDocument* document);
    CQorXMLNode(const CQorXMLNode& other) = default;
    CQorXMLNode& operator=(const CQorXMLNode& other) = default;
    virtual ~CQorXMLNode() = default;

    BOOL IsEmpty() const { return m_pNode == nullptr; }
    IXMLDOMNode* GetNode() const { return m_pNode; }
    IXMLDOMDocument* GetDocument() const { return m_pDocument; }

    // Holds the given interfaces (adding a reference to each), releasing the old ones.
    void Attach(IXMLDOMNode* node, IXMLDOMDocument* document);
    void Release();

    // The node's name as the DOM reports it; empty when it cannot be read.
    CString GetName() const;
    // The first direct child whose name equals `name` in any letter case. One lookup walks
    // the children once; a caller that looks up many names builds a CQorXMLChildIndex.
    BOOL FindChild(LPCWSTR name, CQorXMLNode& out) const;
    // Appends every direct child (all node types, document order). The children are walked
    // from the first to its siblings: asking a DOM list for item i walks from the first child
    // in some parsers, which made reading all of them grow as the square of their number.
    BOOL GetChildNodes(std::vector<CQorXMLNode>& out) const;
    // The node's text content; empty when it cannot be read.
    CString GetText() const;

    // Attributes are matched by their exact name. A missing attribute gives the
    // default (string) or FALSE with `out` untouched (int, BOOL).
    CString GetStringAttribute(LPCWSTR name, LPCWSTR defaultValue = nullptr) const;
    BOOL GetIntAttribute(LPCWSTR name, int& out) const;
    // TRUE exactly for the text "1" after white space is trimmed at both ends.
    BOOL GetBoolAttribute(LPCWSTR name, BOOL& out) const;

private:
    BOOL GetAttributeValue(LPCWSTR name, CString& value) const;

    CComPtr<IXMLDOMNode> m_pNode;
    CComPtr<IXMLDOMDocument> m_pDocument;
};

// The direct children of a node, walked once and indexed by name (in any letter case), so that
// a loader looking up "Node_0" ... "Node_n" of a large element pays for each lookup once rather
// than for a walk of every child before it.
class CQorXMLChildIndex
{
public:
    CQorXMLChildIndex() = default;
    explicit CQorXMLChildIndex(const CQorXMLNode& parent) { Build(parent); }

    // Replaces the index by the children of `parent`; FALSE (and empty) when they cannot be read.
    BOOL Build(const CQorXMLNode& parent);
    // The first child of that name in document order, as FindChild finds it.
    BOOL Find(LPCWSTR name, CQorXMLNode& out) const;
    // The children named `prefix` followed by a number below `count` (written as "%d" writes
    // it, the first child of each name), in the order of their numbers. The count is a bound,
    // not a promise: what it costs is the children there are, however large the count.
    std::vector<CQorXMLNode> FindNumbered(LPCWSTR prefix, int count) const;
    // Every child, all node types, in document order.
    const std::vector<CQorXMLNode>& GetChildren() const { return m_children; }

private:
    std::vector<CQorXMLNode> m_children;
    std::unordered_map<std::wstring, size_t> m_byName; // folded name -> first position
};

// Owns one DOM document, created at construction. Without MSXML every operation
// fails (after one message box), and callers keep their defaults.
class CQorXMLDocument
{
public:
    CQorXMLDocument();
    virtual ~CQorXMLDocument();

    // Creates the DOM; FALSE when one exists already or it cannot be created.
    BOOL CreateDOM();
    BOOL LoadXML(LPCWSTR text);
    BOOL FindTopElement(LPCWSTR name, CQorXMLNode& out) const;
    BOOL CreateTopElement(LPCWSTR name, CQorXMLNode& out);

    IXMLDOMDocument* GetDOM() const { return m_pDocument; }

private:
    CQorXMLDocument(const CQorXMLDocument&) = delete;
    CQorXMLDocument& operator=(const CQorXMLDocument&) = delete;

protected:
    CComPtr<IXMLDOMDocument> m_pDocument;
    // Counts the loads and the elements added, so that what was read from the tree is known stale.
    unsigned m_nChanges = 0;
};

// A document with a known root element; the typed readers look at the direct
// children of that root and return the default for anything missing.
class CQorXMLDocumentEx : public CQorXMLDocument
{
public:
    CQorXMLDocumentEx();

    const CString& GetRootName() const { return m_strRootName; }
    // The root element; when the document has none of that name, an empty one is
    // appended to the in-memory document so that every lookup under it fails.
    BOOL GetRootElement(CQorXMLNode& out);

    CString ReadString(LPCWSTR element, LPCWSTR attribute, LPCWSTR defaultValue);
    int ReadInt(LPCWSTR element, LPCWSTR attribute, int defaultValue);
    BOOL ReadBool(LPCWSTR element, LPCWSTR attribute, BOOL defaultValue);
    CString ReadElementText(LPCWSTR element);

private:
    BOOL FindElement(LPCWSTR element, CQorXMLNode& out);

    CString m_strRootName;
    // The root's children, indexed for the tree as it stood after m_nIndexedChanges changes.
    CQorXMLChildIndex m_rootChildren;
    unsigned m_nIndexedChanges = unsigned(-1);
};

// Loads the UTF-16 settings text (resource "EBOOKSETTINGSDATA" of type "FILES",
// with or without a byte-order mark) of `module` into `document`. A null module
// means the current resource module.
BOOL LoadXMLFromResource(HMODULE module, CQorXMLDocument& document);
