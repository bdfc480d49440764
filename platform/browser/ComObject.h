// COM support of the page engine: reference counting and QueryInterface for an object that
// implements the listed COM interfaces, and the holder that owns one reference to an interface.
#pragma once
#include <windows.h>
#include <unknwn.h>
#include <utility>

namespace fxb {

// Owns one reference to an interface: released when the holder goes or takes another pointer.
template <class T> class ComPtr
{
public:
    ComPtr() = default;
    // Takes over a reference the caller owns (a freshly created object, an out parameter).
    static ComPtr Adopt(T* p)
    {
        ComPtr held;
        held.m_p = p;
        return held;
    }
    ComPtr(const ComPtr& other) : m_p(other.m_p)
    {
        if (m_p)
            m_p->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }
    ~ComPtr() { Reset(); }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    void Reset()
    {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }
    // Asks `from` for the interface `iid` (T itself, or one whose pointer T stands for); empty
    // when `from` has none.
    HRESULT QueryFrom(IUnknown* from, REFIID iid = __uuidof(T))
    {
        Reset();
        return from ? from->QueryInterface(iid, reinterpret_cast<void**>(&m_p)) : E_POINTER;
    }

private:
    T* m_p = nullptr;
};

// Reference counting and QueryInterface for an object that implements the listed COM interfaces.
// The object starts with one reference, owned by whoever created it with new, and deletes itself
// when the last reference goes. IUnknown is answered with the first interface of the list.
template <class First, class... Rest> class ComObject : public First, public Rest...
{
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = riid == __uuidof(IUnknown) ? static_cast<First*>(this) : Find<First, Rest...>(riid);
        if (!*ppv)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_refs); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG n = InterlockedDecrement(&m_refs);
        if (n == 0)
            delete this;
        return n;
    }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

private:
    template <class Interface, class... More> void* Find(REFIID riid)
    {
        if (riid == __uuidof(Interface))
            return static_cast<Interface*>(this);
        if constexpr (sizeof...(More) > 0)
            return Find<More...>(riid);
        else
            return nullptr;
    }

    LONG m_refs = 1;
};

} // namespace fxb
