// Collections of the framework: growable arrays, doubly linked lists and hash maps, as class
// templates, plus the named collections of pointers, strings and integers built on them.
//
// Lists and maps hand out POSITION values that point at their entries. A position stays valid
// until its own entry is removed; removing the entry that GetNext / GetNextAssoc has just
// returned is safe during iteration, because the position has already moved past it.
#pragma once

#include "platform/framework/Object.h"
#include "platform/framework/Strings.h"

#include <utility>
#include <vector>

// Opaque iteration handle of lists and maps (a pointer to an entry; null at the end).
struct CPositionTag;
typedef CPositionTag* POSITION;

#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(-1))

namespace framework_collections {
// Raises the framework's invalid-argument error for an index outside an array.
[[noreturn]] void ThrowInvalidIndex();
} // namespace framework_collections

// Equality of elements and keys, used by CList::Find and CMap. Specialise for types without ==.
template <class TYPE, class ARG_TYPE> inline BOOL CompareElements(const TYPE* element1, const ARG_TYPE* element2)
{
    return *element1 == *element2;
}

// Hash of a map key. Integers and pointers hash by value; strings by their characters.
// Specialise for other key types (HashKey<const MyKey&>).
template <class ARG_KEY> inline UINT HashKey(ARG_KEY key)
{
    if constexpr (std::is_pointer<std::decay_t<ARG_KEY>>::value)
        return static_cast<UINT>(reinterpret_cast<DWORD_PTR>(key) >> 4);
    else
        return static_cast<UINT>(static_cast<DWORD_PTR>(key) >> 4);
}

template <> UINT HashKey<LPCWSTR>(LPCWSTR key);
template <> UINT HashKey<LPCSTR>(LPCSTR key);
template <> UINT HashKey<const CString&>(const CString& key);
template <> UINT HashKey<const CStringA&>(const CStringA& key);

// ------------------------------------------------------------------------------------------
// CArray: a contiguous growable array. Indexes outside the array raise the framework's
// invalid-argument error, except for SetAtGrow and InsertAt, which grow the array.
template <class TYPE, class ARG_TYPE = const TYPE&> class CArray : public CObject
{
public:
    CArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }

    // New elements are value-initialised (zero for numbers and pointers).
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1)
    {
        if (newSize < 0)
            framework_collections::ThrowInvalidIndex();
        if (growBy > 0 && static_cast<size_t>(newSize) > m_data.capacity())
            m_data.reserve(static_cast<size_t>(newSize) + static_cast<size_t>(growBy));
        m_data.resize(static_cast<size_t>(newSize));
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll()
    {
        m_data.clear();
        m_data.shrink_to_fit();
    }

    const TYPE& GetAt(INT_PTR index) const { return m_data[Checked(index)]; }
    TYPE& GetAt(INT_PTR index) { return m_data[Checked(index)]; }
    void SetAt(INT_PTR index, ARG_TYPE element) { m_data[Checked(index)] = element; }
    TYPE& ElementAt(INT_PTR index) { return m_data[Checked(index)]; }
    const TYPE& ElementAt(INT_PTR index) const { return m_data[Checked(index)]; }
    const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return ElementAt(index); }
    const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
    TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }

    void SetAtGrow(INT_PTR index, ARG_TYPE element)
    {
        if (index < 0)
            framework_collections::ThrowInvalidIndex();
        TYPE copy(element); // the element may live in this array
        if (index >= GetSize())
            m_data.resize(static_cast<size_t>(index) + 1);
        m_data[static_cast<size_t>(index)] = std::move(copy);
    }
    INT_PTR Add(ARG_TYPE element)
    {
        TYPE copy(element);
        m_data.push_back(std::move(copy));
        return GetSize() - 1;
    }
    // Appends the other array (which may be this one); returns the index of its first element.
    INT_PTR Append(const CArray& source)
    {
        INT_PTR old = GetSize();
        std::vector<TYPE> copy(source.m_data);
        m_data.insert(m_data.end(), copy.begin(), copy.end());
        return old;
    }
    void Copy(const CArray& source)
    {
        if (&source != this)
            m_data = source.m_data;
    }

    // Inserts count copies at index; beyond the end the array first grows to index.
    void InsertAt(INT_PTR index, ARG_TYPE element, INT_PTR count = 1)
    {
        if (index < 0 || count < 0)
            framework_collections::ThrowInvalidIndex();
        TYPE copy(element);
        if (index > GetSize())
            m_data.resize(static_cast<size_t>(index));
        m_data.insert(m_data.begin() + index, static_cast<size_t>(count), copy);
    }
    void InsertAt(INT_PTR startIndex, const CArray* source)
    {
        if (!source || startIndex < 0)
            framework_collections::ThrowInvalidIndex();
        std::vector<TYPE> copy(source->m_data);
        if (startIndex > GetSize())
            m_data.resize(static_cast<size_t>(startIndex));
        m_data.insert(m_data.begin() + startIndex, copy.begin(), copy.end());
    }
    void RemoveAt(INT_PTR index, INT_PTR count = 1)
    {
        if (index < 0 || count < 0 || index + count > GetSize())
            framework_collections::ThrowInvalidIndex();
        m_data.erase(m_data.begin() + index, m_data.begin() + index + count);
    }

private:
    size_t Checked(INT_PTR index) const
    {
        if (index < 0 || index >= GetSize())
            framework_collections::ThrowInvalidIndex();
        return static_cast<size_t>(index);
    }

    std::vector<TYPE> m_data;
};

// ------------------------------------------------------------------------------------------
// CList: a doubly linked list; positions are its nodes.
template <class TYPE, class ARG_TYPE = const TYPE&> class CList : public CObject
{
public:
    explicit CList(INT_PTR blockSize = 10) {}
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }

    TYPE& GetHead() { return Existing(m_head)->data; }
    const TYPE& GetHead() const { return Existing(m_head)->data; }
    TYPE& GetTail() { return Existing(m_tail)->data; }
    const TYPE& GetTail() const { return Existing(m_tail)->data; }

    TYPE RemoveHead()
    {
        Node* node = Existing(m_head);
        TYPE value(std::move(node->data));
        Unlink(node);
        return value;
    }
    TYPE RemoveTail()
    {
        Node* node = Existing(m_tail);
        TYPE value(std::move(node->data));
        Unlink(node);
        return value;
    }

    POSITION AddHead(ARG_TYPE element) { return InsertBefore(ToPosition(m_head), element); }
    POSITION AddTail(ARG_TYPE element) { return InsertAfter(ToPosition(m_tail), element); }
    void AddHead(CList* other)
    {
        // Walk backwards so that the other list keeps its order at the front of this one.
        if (!other)
            return;
        CList copy;
        copy.AddTail(other);
        for (Node* node = copy.m_tail; node; node = node->prev)
            AddHead(node->data);
    }
    void AddTail(CList* other)
    {
        if (!other)
            return;
        Node* last = other->m_tail; // stops at the old end when other is this list
        for (Node* node = other->m_head; node; node = node->next) {
            AddTail(node->data);
            if (node == last)
                break;
        }
    }
    void RemoveAll()
    {
        while (m_head)
            Unlink(m_head);
    }

    POSITION GetHeadPosition() const { return ToPosition(m_head); }
    POSITION GetTailPosition() const { return ToPosition(m_tail); }
    // Return the entry at position and move position to the next (previous) entry.
    TYPE& GetNext(POSITION& position)
    {
        Node* node = Existing(FromPosition(position));
        position = ToPosition(node->next);
        return node->data;
    }
    const TYPE& GetNext(POSITION& position) const
    {
        Node* node = Existing(FromPosition(position));
        position = ToPosition(node->next);
        return node->data;
    }
    TYPE& GetPrev(POSITION& position)
    {
        Node* node = Existing(FromPosition(position));
        position = ToPosition(node->prev);
        return node->data;
    }
    const TYPE& GetPrev(POSITION& position) const
    {
        Node* node = Existing(FromPosition(position));
        position = ToPosition(node->prev);
        return node->data;
    }

    TYPE& GetAt(POSITION position) { return Existing(FromPosition(position))->data; }
    const TYPE& GetAt(POSITION position) const { return Existing(FromPosition(position))->data; }
    void SetAt(POSITION position, ARG_TYPE element) { Existing(FromPosition(position))->data = element; }
    void RemoveAt(POSITION position) { Unlink(Existing(FromPosition(position))); }

    // A null position inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE element)
    {
        Node* next = position ? FromPosition(position) : m_head;
        Node* node = new Node{TYPE(element), next ? next->prev : m_tail, next};
        Link(node);
        return ToPosition(node);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE element)
    {
        Node* prev = position ? FromPosition(position) : m_tail;
        Node* node = new Node{TYPE(element), prev, prev ? prev->next : m_head};
        Link(node);
        return ToPosition(node);
    }

    // First entry equal to value after startAfter (from the head when null); null when none.
    POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const
    {
        Node* node = startAfter ? FromPosition(startAfter)->next : m_head;
        for (; node; node = node->next) {
            if (CompareElements(&node->data, &value))
                return ToPosition(node);
        }
        return nullptr;
    }
    // Position of the entry at a zero-based index; null outside the list.
    POSITION FindIndex(INT_PTR index) const
    {
        if (index < 0 || index >= m_count)
            return nullptr;
        Node* node = m_head;
        while (index-- > 0)
            node = node->next;
        return ToPosition(node);
    }

private:
    struct Node
    {
        TYPE data;
        Node* prev;
        Node* next;
    };

    static POSITION ToPosition(Node* node) { return reinterpret_cast<POSITION>(node); }
    static Node* FromPosition(POSITION position) { return reinterpret_cast<Node*>(position); }
    static Node* Existing(Node* node)
    {
        if (!node)
            framework_collections::ThrowInvalidIndex();
        return node;
    }
    // Hooks a node whose prev and next are set into the chain.
    void Link(Node* node)
    {
        (node->prev ? node->prev->next : m_head) = node;
        (node->next ? node->next->prev : m_tail) = node;
        ++m_count;
    }
    void Unlink(Node* node)
    {
        (node->prev ? node->prev->next : m_head) = node->next;
        (node->next ? node->next->prev : m_tail) = node->prev;
        --m_count;
        delete node;
    }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    INT_PTR m_count = 0;
};

// ------------------------------------------------------------------------------------------
// CMap: a hash map with a fixed number of buckets (InitHashTable before the first insertion
// sets it; 17 by default). Iteration runs bucket by bucket.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE> class CMap : public CObject
{
public:
    // The entry of a key: key and value are public.
    class CPair
    {
    public:
        const KEY key;
        VALUE value;

    protected:
        explicit CPair(ARG_KEY k) : key(k), value() {}
    };

    explicit CMap(INT_PTR blockSize = 10) {}
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }
    UINT GetHashTableSize() const { return m_tableSize; }

    // Sets the number of buckets; ignored while the map holds entries.
    void InitHashTable(UINT hashSize, BOOL allocNow = TRUE)
    {
        if (m_count != 0 || hashSize == 0)
            return;
        delete[] m_table;
        m_table = nullptr;
        m_tableSize = hashSize;
        if (allocNow)
            AllocateTable();
    }

    BOOL Lookup(ARG_KEY key, VALUE& value) const
    {
        const Assoc* assoc = Find(key);
        if (!assoc)
            return FALSE;
        value = assoc->value;
        return TRUE;
    }
    CPair* PLookup(ARG_KEY key) { return Find(key); }
    const CPair* PLookup(ARG_KEY key) const { return Find(key); }

    // The value of a key, added (value-initialised) when missing.
    VALUE& operator[](ARG_KEY key)
    {
        if (Assoc* assoc = Find(key))
            return assoc->value;
        if (!m_table)
            AllocateTable();
        UINT bucket = Bucket(key);
        Assoc* assoc = new Assoc(key);
        assoc->bucket = bucket;
        assoc->next = m_table[bucket];
        m_table[bucket] = assoc;
        ++m_count;
        return assoc->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (!m_table)
            return FALSE;
        for (Assoc** link = &m_table[Bucket(key)]; *link; link = &(*link)->next) {
            if (!CompareElements(&(*link)->key, &key))
                continue;
            Assoc* found = *link;
            *link = found->next;
            delete found;
            --m_count;
            return TRUE;
        }
        return FALSE;
    }
    void RemoveAll()
    {
        if (m_table) {
            for (UINT i = 0; i < m_tableSize; ++i) {
                for (Assoc* assoc = m_table[i]; assoc;) {
                    Assoc* next = assoc->next;
                    delete assoc;
                    assoc = next;
                }
            }
            delete[] m_table;
            m_table = nullptr;
        }
        m_count = 0;
    }

    POSITION GetStartPosition() const { return m_count == 0 ? nullptr : BEFORE_START_POSITION; }
    // Returns the entry at position and moves position to the following one first, so the
    // returned entry may be removed before the next call.
    void GetNextAssoc(POSITION& position, KEY& key, VALUE& value) const
    {
        const Assoc* assoc = Current(position);
        position = reinterpret_cast<POSITION>(const_cast<Assoc*>(Following(assoc)));
        key = assoc->key;
        value = assoc->value;
    }
    const CPair* PGetFirstAssoc() const { return First(); }
    CPair* PGetFirstAssoc() { return const_cast<Assoc*>(First()); }
    const CPair* PGetNextAssoc(const CPair* pair) const
    {
        return pair ? Following(static_cast<const Assoc*>(pair)) : nullptr;
    }
    CPair* PGetNextAssoc(const CPair* pair)
    {
        return pair ? const_cast<Assoc*>(Following(static_cast<const Assoc*>(pair))) : nullptr;
    }

private:
    struct Assoc : CPair
    {
        explicit Assoc(ARG_KEY k) : CPair(k) {}
        Assoc* next = nullptr;
        UINT bucket = 0;
    };

    void AllocateTable() { m_table = new Assoc*[m_tableSize](); }
    UINT Bucket(ARG_KEY key) const { return HashKey<ARG_KEY>(key) % m_tableSize; }
    Assoc* Find(ARG_KEY key) const
    {
        if (!m_table)
            return nullptr;
        UINT bucket = Bucket(key);
        for (Assoc* assoc = m_table[bucket]; assoc; assoc = assoc->next) {
            if (CompareElements(&assoc->key, &key))
                return assoc;
        }
        return nullptr;
    }
    const Assoc* First() const
    {
        if (!m_table)
            return nullptr;
        for (UINT i = 0; i < m_tableSize; ++i) {
            if (m_table[i])
                return m_table[i];
        }
        return nullptr;
    }
    const Assoc* Following(const Assoc* assoc) const
    {
        if (assoc->next)
            return assoc->next;
        for (UINT i = assoc->bucket + 1; i < m_tableSize; ++i) {
            if (m_table[i])
                return m_table[i];
        }
        return nullptr;
    }
    const Assoc* Current(POSITION position) const
    {
        const Assoc* assoc = position == BEFORE_START_POSITION ? First() : reinterpret_cast<const Assoc*>(position);
        if (!assoc)
            framework_collections::ThrowInvalidIndex();
        return assoc;
    }

    Assoc** m_table = nullptr;
    UINT m_tableSize = 17;
    INT_PTR m_count = 0;
};

// ------------------------------------------------------------------------------------------
// Named collections.

class CByteArray : public CArray<BYTE, BYTE>
{
    DECLARE_DYNAMIC(CByteArray)
};
class CWordArray : public CArray<WORD, WORD>
{
    DECLARE_DYNAMIC(CWordArray)
};
class CDWordArray : public CArray<DWORD, DWORD>
{
    DECLARE_DYNAMIC(CDWordArray)
};
class CUIntArray : public CArray<UINT, UINT>
{
    DECLARE_DYNAMIC(CUIntArray)
};
class CPtrArray : public CArray<void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
};
class CObArray : public CArray<CObject*, CObject*>
{
    DECLARE_DYNAMIC(CObArray)
};

class CStringArray : public CArray<CString, const CString&>
{
    DECLARE_DYNAMIC(CStringArray)
};

class CPtrList : public CList<void*, void*>
{
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR blockSize = 10) : CList(blockSize) {}
};

class CObList : public CList<CObject*, CObject*>
{
    DECLARE_DYNAMIC(CObList)
public:
    explicit CObList(INT_PTR blockSize = 10) : CList(blockSize) {}
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR blockSize = 10) : CMap(blockSize) {}
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR blockSize = 10) : CMap(blockSize) {}
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR blockSize = 10) : CMap(blockSize) {}
};

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR>
{
    DECLARE_DYNAMIC(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR blockSize = 10) : CMap(blockSize) {}
};
