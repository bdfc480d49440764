// Document tree of the page engine: elements and text nodes, owned by their parents.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

namespace fxb {

struct ComputedStyle;

struct Attribute
{
    std::wstring name; // lower case
    std::wstring value;
};

// Geometry of a node from the last screen layout, in document pixels.
struct NodeGeometry
{
    int left = 0, top = 0, width = 0, height = 0;
    bool valid = false;
};

class Node
{
public:
    enum class Type { Element, Text };

    Node(Type type, std::wstring nameOrText);

    // Nodes come from chunks of their own rather than one heap block each: a page has tens of
    // thousands of them, all made together and mostly released together.
    static void* operator new(size_t size);
    static void operator delete(void* p) noexcept;

    Type type() const { return m_type; }
    bool IsElement() const { return m_type == Type::Element; }
    bool IsText() const { return m_type == Type::Text; }

    // Elements: lower-case tag name. Text nodes: empty.
    const std::wstring& Tag() const { return m_tag; }
    bool Is(const wchar_t* tag) const { return IsElement() && m_tag == tag; }

    // Text nodes: the source text (entities already decoded).
    std::wstring& Text() { return m_text; }
    const std::wstring& Text() const { return m_text; }

    // Attributes of elements.
    const std::vector<Attribute>& Attributes() const { return m_attributes; }
    const std::wstring* FindAttribute(const wchar_t* name) const;
    std::wstring GetAttribute(const wchar_t* name) const;
    bool HasAttribute(const wchar_t* name) const { return FindAttribute(name) != nullptr; }
    void SetAttribute(const std::wstring& name, const std::wstring& value);
    // Replaces every attribute by `attributes`, whose names are lower case and distinct (as the
    // tokenizer gives them); nothing is copied.
    void AdoptAttributes(std::vector<Attribute>&& attributes) { m_attributes = std::move(attributes); }

    // Tree.
    Node* Parent() const { return m_parent; }
    const std::vector<std::unique_ptr<Node>>& Children() const { return m_children; }
    size_t ChildCount() const { return m_children.size(); }
    Node* Child(size_t i) const { return m_children[i].get(); }
    Node* AppendChild(std::unique_ptr<Node> child);
    Node* InsertChild(size_t index, std::unique_ptr<Node> child);
    std::unique_ptr<Node> RemoveChild(size_t index);
    size_t IndexInParent() const;
    bool IsAncestorOf(const Node* other) const;
    int Depth() const;

    // Next node in document order (pre-order), staying inside `root` when given.
    Node* NextInOrder(const Node* root = nullptr) const;
    Node* NextSkippingChildren(const Node* root = nullptr) const;

    // Data computed by the engine's passes.
    const ComputedStyle* style = nullptr; // elements; text nodes use the parent's
    NodeGeometry geometry;                // from the screen layout
    size_t streamStart = 0;               // text nodes: offset in the document's text stream
    size_t streamLength = 0;              // text nodes: length of the rendered text
    bool collapseLeading = false;         // text nodes: rendering started after a space

    // Element accessors named after the document-object calls the reader uses.
    std::wstring id() const { return GetAttribute(L"id"); }
    std::wstring tagName() const; // upper case, as documents report it

private:
    Type m_type;
    std::wstring m_tag;
    std::wstring m_text;
    std::vector<Attribute> m_attributes;
    Node* m_parent = nullptr;
    size_t m_index = 0; // position among the parent's children
    void Renumber(size_t from);
    std::vector<std::unique_ptr<Node>> m_children;
};

// Releases a subtree without recursion, so that no tree shape can exhaust the stack.
void DestroyTree(std::unique_ptr<Node> root);

// Elements of the whole tree with a tag name (lower case, "*" for all) in document order.
std::vector<Node*> ElementsByTag(Node* root, const std::wstring& tagLower);

bool IsVoidElement(const std::wstring& tag);

} // namespace fxb
