// Reference counting and QueryInterface for an object that implements the listed COM interfaces.
// The object starts with one reference, owned by whoever created it with new, and deletes itself
// when the last reference goes. IUnknown is answered with the first interface of the list.
#pragma once
#include <windows.h>
#include <unknwn.h>

namespace fxb {

template <class First, class... Rest>
class ComObject : public First, public Rest... {
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
    template <class Interface, class... More>
    void* Find(REFIID riid)
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
