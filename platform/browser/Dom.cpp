#include "platform/browser/Dom.h"
#include <algorithm>
#include <cstdlib>
#include <new>

namespace fxb {

namespace {

// The node chunks. Nodes are carved one after another from the current chunk and never reused
// one by one; a chunk goes back to the heap when its last node is released. Each slot starts
// with its chunk's address, so that a node finds its chunk. The chunks come from the heap,
// which keeps released memory for the next page.
constexpr size_t kChunkBytes = 64 * 1024;
constexpr size_t kSlotAlign = 16;

struct NodeChunk
{
    size_t live; // nodes carved from it and not yet released
    size_t used; // bytes carved, the header included
};
constexpr size_t kChunkHeader = (sizeof(NodeChunk) + kSlotAlign - 1) & ~(kSlotAlign - 1);
constexpr size_t kSlotHeader = kSlotAlign; // room for the chunk's address, alignment kept

SRWLOCK g_chunkLock = SRWLOCK_INIT;
NodeChunk* g_currentChunk = nullptr;

} // namespace

void* Node::operator new(size_t size)
{
    size = kSlotHeader + ((size + kSlotAlign - 1) & ~(kSlotAlign - 1));
    static_assert(kChunkHeader + kSlotHeader + sizeof(Node) + kSlotAlign <= kChunkBytes, "a node fits in a chunk");
    ::AcquireSRWLockExclusive(&g_chunkLock);
    if (!g_currentChunk || g_currentChunk->used + size > kChunkBytes) {
        NodeChunk* full = g_currentChunk;
        void* memory = std::malloc(kChunkBytes);
        if (!memory) {
            ::ReleaseSRWLockExclusive(&g_chunkLock);
            throw std::bad_alloc();
        }
        g_currentChunk = new (memory) NodeChunk{0, kChunkHeader};
        // A full chunk whose nodes are all gone already waits for nobody.
        if (full && full->live == 0)
            std::free(full);
    }
    char* slot = reinterpret_cast<char*>(g_currentChunk) + g_currentChunk->used;
    g_currentChunk->used += size;
    ++g_currentChunk->live;
    *reinterpret_cast<NodeChunk**>(slot) = g_currentChunk;
    ::ReleaseSRWLockExclusive(&g_chunkLock);
    return slot + kSlotHeader;
}

void Node::operator delete(void* p) noexcept
{
    if (!p)
        return;
    NodeChunk* chunk = *reinterpret_cast<NodeChunk**>(static_cast<char*>(p) - kSlotHeader);
    ::AcquireSRWLockExclusive(&g_chunkLock);
    if (--chunk->live == 0) {
        if (chunk == g_currentChunk)
            chunk->used = kChunkHeader; // empty: carve it again from the start
        else
            std::free(chunk);
    }
    ::ReleaseSRWLockExclusive(&g_chunkLock);
}

Node::Node(Type type, std::wstring nameOrText) : m_type(type)
{
    if (type == Type::Element)
        m_tag = std::move(nameOrText);
    else
        m_text = std::move(nameOrText);
}

const std::wstring* Node::FindAttribute(const wchar_t* name) const
{
    for (const Attribute& a : m_attributes)
        if (a.name == name)
            return &a.value;
    return nullptr;
}

std::wstring Node::GetAttribute(const wchar_t* name) const
{
    const std::wstring* v = FindAttribute(name);
    return v ? *v : std::wstring();
}

void Node::SetAttribute(const std::wstring& name, const std::wstring& value)
{
    for (Attribute& a : m_attributes)
        if (a.name == name) {
            a.value = value;
            return;
        }
    m_attributes.push_back({name, value});
}

Node* Node::AppendChild(std::unique_ptr<Node> child)
{
    child->m_parent = this;
    child->m_index = m_children.size();
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

Node* Node::InsertChild(size_t index, std::unique_ptr<Node> child)
{
    if (index > m_children.size())
        index = m_children.size();
    child->m_parent = this;
    Node* raw = child.get();
    m_children.insert(m_children.begin() + index, std::move(child));
    Renumber(index);
    return raw;
}

std::unique_ptr<Node> Node::RemoveChild(size_t index)
{
    std::unique_ptr<Node> child = std::move(m_children[index]);
    m_children.erase(m_children.begin() + index);
    Renumber(index);
    child->m_parent = nullptr;
    return child;
}

size_t Node::IndexInParent() const
{
    return m_parent ? m_index : 0;
}

void Node::Renumber(size_t from)
{
    for (size_t i = from; i < m_children.size(); ++i)
        m_children[i]->m_index = i;
}

bool Node::IsAncestorOf(const Node* other) const
{
    for (const Node* p = other ? other->m_parent : nullptr; p; p = p->m_parent)
        if (p == this)
            return true;
    return false;
}

int Node::Depth() const
{
    int d = 0;
    for (const Node* p = m_parent; p; p = p->m_parent)
        ++d;
    return d;
}

Node* Node::NextInOrder(const Node* root) const
{
    if (!m_children.empty())
        return m_children.front().get();
    return NextSkippingChildren(root);
}

Node* Node::NextSkippingChildren(const Node* root) const
{
    const Node* n = this;
    while (n && n != root) {
        const Node* p = n->m_parent;
        if (!p)
            return nullptr;
        size_t i = n->IndexInParent();
        if (i + 1 < p->m_children.size())
            return p->m_children[i + 1].get();
        n = p;
    }
    return nullptr;
}

std::wstring Node::tagName() const
{
    std::wstring t = m_tag;
    for (wchar_t& c : t)
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - 32);
    return t;
}

void DestroyTree(std::unique_ptr<Node> root)
{
    // Move every child into a flat list before its parent dies.
    std::vector<std::unique_ptr<Node>> pending;
    pending.push_back(std::move(root));
    while (!pending.empty()) {
        std::unique_ptr<Node> n = std::move(pending.back());
        pending.pop_back();
        if (!n)
            continue;
        while (n->ChildCount())
            pending.push_back(n->RemoveChild(n->ChildCount() - 1));
    }
}

std::vector<Node*> ElementsByTag(Node* root, const std::wstring& tagLower)
{
    std::vector<Node*> out;
    for (Node* n = root; n; n = n->NextInOrder(root))
        if (n->IsElement() && (tagLower == L"*" || n->Tag() == tagLower))
            out.push_back(n);
    return out;
}

bool IsVoidElement(const std::wstring& tag)
{
    static const wchar_t* const kVoid[] = {L"area",   L"base",    L"br",       L"col",     L"embed", L"hr",
                                           L"img",    L"input",   L"link",     L"meta",    L"param", L"source",
                                           L"track",  L"wbr",     L"basefont", L"bgsound", L"frame", L"keygen",
                                           L"spacer", L"isindex", L"image"};
    for (const wchar_t* v : kVoid)
        if (tag == v)
            return true;
    return false;
}

} // namespace fxb
