// The shared COM object base: interface lookup, reference counting and self-deletion.
#include "platform/browser/ComObject.h"
#include <docobj.h>
#include <servprov.h>
#include <gtest/gtest.h>

using fxb::ComObject;

namespace {

class TwoFaced : public ComObject<IOleCommandTarget, IServiceProvider>
{
public:
    explicit TwoFaced(bool& deleted) : m_deleted(deleted) {}
    STDMETHODIMP QueryStatus(const GUID*, ULONG, OLECMD*, OLECMDTEXT*) override { return E_NOTIMPL; }
    STDMETHODIMP Exec(const GUID*, DWORD, DWORD, VARIANT*, VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryService(REFGUID, REFIID, void** ppv) override
    {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }

private:
    ~TwoFaced() override { m_deleted = true; }
    bool& m_deleted;
};

} // namespace

TEST(ComObject, AnswersListedInterfacesAndCountsReferences)
{
    bool deleted = false;
    auto* object = new TwoFaced(deleted);
    IOleCommandTarget* commands = nullptr;
    IServiceProvider* services = nullptr;
    IUnknown* unknown = nullptr;
    ASSERT_EQ(S_OK, object->QueryInterface(IID_IOleCommandTarget, reinterpret_cast<void**>(&commands)));
    ASSERT_EQ(S_OK, object->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&services)));
    ASSERT_EQ(S_OK, services->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)));
    EXPECT_EQ(static_cast<IOleCommandTarget*>(object), commands);
    EXPECT_EQ(static_cast<IServiceProvider*>(object), services);
    // IUnknown is the first interface, whichever interface it was asked through.
    EXPECT_EQ(static_cast<void*>(commands), static_cast<void*>(unknown));

    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, object->QueryInterface(IID_IDispatch, &other));
    EXPECT_EQ(nullptr, other);
    EXPECT_EQ(E_POINTER, object->QueryInterface(IID_IOleCommandTarget, nullptr));

    EXPECT_EQ(5u, object->AddRef()); // the creator's, three lookups and this one
    EXPECT_EQ(4u, object->Release());
    unknown->Release();
    services->Release();
    commands->Release();
    EXPECT_FALSE(deleted);
    EXPECT_EQ(0u, object->Release());
    EXPECT_TRUE(deleted);
}

TEST(ComObject, HolderOwnsOneReferenceAndReleasesIt)
{
    bool deleted = false;
    auto* object = new TwoFaced(deleted);
    {
        auto held = fxb::ComPtr<TwoFaced>::Adopt(object); // takes the creator's reference
        fxb::ComPtr<IServiceProvider> services;
        EXPECT_EQ(S_OK, services.QueryFrom(static_cast<IOleCommandTarget*>(held.Get()), IID_IServiceProvider));
        EXPECT_EQ(static_cast<IServiceProvider*>(object), services.Get());
        fxb::ComPtr<IServiceProvider> copy = services;
        EXPECT_EQ(4u, object->AddRef()); // held, services, copy and this one
        object->Release();
        fxb::ComPtr<IDispatch> none;
        EXPECT_EQ(E_NOINTERFACE, none.QueryFrom(static_cast<IOleCommandTarget*>(held.Get()), IID_IDispatch));
        EXPECT_FALSE(none);
        EXPECT_EQ(E_POINTER, none.QueryFrom(nullptr, IID_IDispatch));
        services.Reset(); // asking again or resetting lets the old reference go
        EXPECT_FALSE(services);
        EXPECT_TRUE(copy);
        fxb::ComPtr<IServiceProvider> moved = std::move(copy);
        EXPECT_FALSE(copy);
        EXPECT_FALSE(deleted);
    }
    EXPECT_TRUE(deleted);
}
