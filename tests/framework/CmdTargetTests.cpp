// Command targets: reference counting down to the final release, COM interface maps, and
// windows created from their class name.
#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>
#include <oleidl.h>
#include <servprov.h>
#include <docobj.h>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"

namespace {

int g_finalReleases = 0;
int g_destroyed = 0;

class CCountedTarget : public CCmdTarget
{
public:
    ~CCountedTarget() override { ++g_destroyed; }
    void OnFinalRelease() override
    {
        ++g_finalReleases;
        CCmdTarget::OnFinalRelease();
    }
};

// A command target that is also a COM object with two interfaces (like a control site).
class CSiteTarget : public CCountedTarget
{
public:
    HWND window = reinterpret_cast<HWND>(0x1234);

    BEGIN_INTERFACE_PART(OleWindow, IOleWindow)
    STDMETHOD(GetWindow)(HWND* phwnd);
    STDMETHOD(ContextSensitiveHelp)(BOOL fEnterMode);
    END_INTERFACE_PART(OleWindow)

    BEGIN_INTERFACE_PART(ServiceProvider, IServiceProvider)
    STDMETHOD(QueryService)(REFGUID guidService, REFIID riid, void** ppv);
    END_INTERFACE_PART(ServiceProvider)

    DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(CSiteTarget, CCountedTarget)
    INTERFACE_PART(CSiteTarget, IID_IOleWindow, OleWindow)
    INTERFACE_PART(CSiteTarget, IID_IServiceProvider, ServiceProvider)
END_INTERFACE_MAP()

STDMETHODIMP_(ULONG) CSiteTarget::XOleWindow::AddRef()
{
    METHOD_PROLOGUE(CSiteTarget, OleWindow)
    return pThis->ExternalAddRef();
}
STDMETHODIMP_(ULONG) CSiteTarget::XOleWindow::Release()
{
    METHOD_PROLOGUE(CSiteTarget, OleWindow)
    return pThis->ExternalRelease();
}
STDMETHODIMP CSiteTarget::XOleWindow::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(CSiteTarget, OleWindow)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}
STDMETHODIMP CSiteTarget::XOleWindow::GetWindow(HWND* phwnd)
{
    METHOD_PROLOGUE(CSiteTarget, OleWindow)
    *phwnd = pThis->window;
    return S_OK;
}
STDMETHODIMP CSiteTarget::XOleWindow::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP_(ULONG) CSiteTarget::XServiceProvider::AddRef()
{
    METHOD_PROLOGUE(CSiteTarget, ServiceProvider)
    return pThis->ExternalAddRef();
}
STDMETHODIMP_(ULONG) CSiteTarget::XServiceProvider::Release()
{
    METHOD_PROLOGUE(CSiteTarget, ServiceProvider)
    return pThis->ExternalRelease();
}
STDMETHODIMP CSiteTarget::XServiceProvider::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(CSiteTarget, ServiceProvider)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}
STDMETHODIMP CSiteTarget::XServiceProvider::QueryService(REFGUID, REFIID riid, void** ppv)
{
    METHOD_PROLOGUE(CSiteTarget, ServiceProvider)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&riid, ppv));
}

// A derived class adds an interface of its own and keeps those of its base.
class CRichSiteTarget : public CSiteTarget
{
public:
    BEGIN_INTERFACE_PART(OleCommandTarget, IOleCommandTarget)
    STDMETHOD(QueryStatus)(const GUID*, ULONG, OLECMD*, OLECMDTEXT*) { return E_NOTIMPL; }
    STDMETHOD(Exec)(const GUID*, DWORD, DWORD, VARIANT*, VARIANT*) { return E_NOTIMPL; }
    END_INTERFACE_PART(OleCommandTarget)

    DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(CRichSiteTarget, CSiteTarget)
    INTERFACE_PART(CRichSiteTarget, IID_IOleCommandTarget, OleCommandTarget)
END_INTERFACE_MAP()

STDMETHODIMP_(ULONG) CRichSiteTarget::XOleCommandTarget::AddRef()
{
    METHOD_PROLOGUE(CRichSiteTarget, OleCommandTarget)
    return pThis->ExternalAddRef();
}
STDMETHODIMP_(ULONG) CRichSiteTarget::XOleCommandTarget::Release()
{
    METHOD_PROLOGUE(CRichSiteTarget, OleCommandTarget)
    return pThis->ExternalRelease();
}
STDMETHODIMP CRichSiteTarget::XOleCommandTarget::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(CRichSiteTarget, OleCommandTarget)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

struct CountersReset : testing::Test
{
    void SetUp() override
    {
        g_finalReleases = 0;
        g_destroyed = 0;
    }
};

} // namespace

TEST_F(CountersReset, LastInternalReleaseDeletesTheObjectOnce)
{
    auto* target = new CCountedTarget;
    EXPECT_EQ(target->m_dwRef, 1u);
    EXPECT_EQ(target->InternalAddRef(), 2u);
    EXPECT_EQ(target->ExternalAddRef(), 3u);
    EXPECT_EQ(target->ExternalRelease(), 2u);
    EXPECT_EQ(target->InternalRelease(), 1u);
    EXPECT_EQ(g_finalReleases, 0);
    EXPECT_EQ(target->InternalRelease(), 0u);
    EXPECT_EQ(g_finalReleases, 1);
    EXPECT_EQ(g_destroyed, 1);
}

TEST_F(CountersReset, InterfaceMapAnswersQueryInterfaceWithItsParts)
{
    auto* site = new CSiteTarget;
    IUnknown* unknown = site->GetControllingUnknown();
    ASSERT_NE(unknown, nullptr);

    IOleWindow* oleWindow = nullptr;
    ASSERT_EQ(unknown->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&oleWindow)), S_OK);
    HWND hwnd = nullptr;
    EXPECT_EQ(oleWindow->GetWindow(&hwnd), S_OK);
    EXPECT_EQ(hwnd, site->window); // the part finds the object that holds it

    IServiceProvider* provider = nullptr;
    ASSERT_EQ(oleWindow->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&provider)), S_OK);
    IUnknown* identity1 = nullptr;
    IUnknown* identity2 = nullptr;
    oleWindow->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity1));
    provider->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity2));
    EXPECT_EQ(identity1, identity2);
    EXPECT_EQ(identity1, unknown);

    IStream* stream = reinterpret_cast<IStream*>(1);
    EXPECT_EQ(provider->QueryInterface(IID_IStream, reinterpret_cast<void**>(&stream)), E_NOINTERFACE);
    EXPECT_EQ(stream, nullptr);

    EXPECT_EQ(site->m_dwRef, 5u); // the object's own reference and four interfaces
    identity1->Release();
    identity2->Release();
    provider->Release();
    oleWindow->Release();
    EXPECT_EQ(g_destroyed, 0);
    site->InternalRelease();
    EXPECT_EQ(g_finalReleases, 1);
    EXPECT_EQ(g_destroyed, 1);
}

TEST_F(CountersReset, DerivedInterfaceMapKeepsTheBaseParts)
{
    auto* site = new CRichSiteTarget;
    void* command = nullptr;
    void* window = nullptr;
    EXPECT_EQ(site->ExternalQueryInterface(&IID_IOleCommandTarget, &command), S_OK);
    EXPECT_EQ(site->ExternalQueryInterface(&IID_IOleWindow, &window), S_OK);
    EXPECT_EQ(window, static_cast<void*>(&site->m_xOleWindow));
    static_cast<IUnknown*>(command)->Release();
    static_cast<IUnknown*>(window)->Release();
    site->ExternalRelease();
    EXPECT_EQ(g_destroyed, 1);
}

// ---------------------------------------------------------------------------------------

namespace {

class CNamedWnd : public CWnd
{
    DECLARE_DYNCREATE(CNamedWnd)
public:
    int pings = 0;

protected:
    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM)
    {
        ++pings;
        return static_cast<LRESULT>(wParam + 1);
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CNamedWnd, CWnd)

BEGIN_MESSAGE_MAP(CNamedWnd, CWnd)
    ON_MESSAGE(WM_APP + 7, &CNamedWnd::OnPing)
END_MESSAGE_MAP()

UINT g_registeredPing = ::RegisterWindowMessageW(L"FolionyxFrameworkTestPing");

class CRegisteredWnd : public CWnd
{
protected:
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam * 3); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRegisteredWnd, CWnd)
    ON_REGISTERED_MESSAGE(g_registeredPing, &CRegisteredWnd::OnRegistered)
END_MESSAGE_MAP()

} // namespace

TEST(CreationByName, WindowClassesAreCreatedFromTheirNames)
{
    CObject* object = CRuntimeClass::CreateObject("CNamedWnd");
    ASSERT_NE(object, nullptr);
    ASSERT_TRUE(object->IsKindOf(RUNTIME_CLASS(CWnd)));
    auto* wnd = static_cast<CNamedWnd*>(object);
    ASSERT_TRUE(wnd->CreateEx(0, AfxRegisterWndClass(0), L"named", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(wnd->SendMessage(WM_APP + 7, 41), 42);
    EXPECT_EQ(wnd->pings, 1);
    wnd->DestroyWindow();
    delete wnd;

    // The framework's own window classes are registered by name as well.
    EXPECT_EQ(CRuntimeClass::FromName("CFrameWnd"), RUNTIME_CLASS(CFrameWnd));
    CObject* frame = CRuntimeClass::CreateObject(L"CFrameWnd");
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsKindOf(RUNTIME_CLASS(CWnd)));
    delete frame;
}

TEST(CreationByName, RegisteredMessagesReachTheirHandlers)
{
    CRegisteredWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"registered", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(wnd.SendMessage(g_registeredPing, 5), 15);
    wnd.DestroyWindow();
}
