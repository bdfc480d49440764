// Threads, thread-local and process-wide holders, the module state, message boxes, window
// classes, the application's profile and its command line.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>

#include "platform/framework/DocView.h"
#include "platform/framework/WinApp.h"
#include "tests/framework/FrameworkTestResources.h"

namespace {

LONG g_alive = 0;

struct CTrackedState : CNoTrackObject
{
    DWORD owner = ::GetCurrentThreadId();
    CTrackedState() { ::InterlockedIncrement(&g_alive); }
    ~CTrackedState() override { ::InterlockedDecrement(&g_alive); }
};

struct ThreadProbe
{
    CThreadLocal<CTrackedState>* holder;
    CTrackedState* seen = nullptr;
    DWORD owner = 0;
    LONG aliveInside = 0;
};

void Probe(ThreadProbe* probe)
{
    probe->seen = probe->holder->GetData();
    probe->owner = probe->seen->owner;
    probe->aliveInside = g_alive;
}

UINT FrameworkProbeThread(LPVOID param)
{
    Probe(static_cast<ThreadProbe*>(param));
    return 17;
}

DWORD WINAPI RawProbeThread(LPVOID param)
{
    Probe(static_cast<ThreadProbe*>(param));
    return 0;
}

} // namespace

TEST(ThreadLocals, EveryThreadHasItsOwnObjectUntilItEnds)
{
    g_alive = 0;
    {
        CThreadLocal<CTrackedState> holder;
        EXPECT_EQ(holder.GetDataNA(), nullptr);
        CTrackedState* mine = holder.GetData();
        EXPECT_EQ(holder.GetData(), mine);
        EXPECT_EQ(g_alive, 1);

        // A thread of the framework, and one started directly with CreateThread.
        ThreadProbe probe{&holder};
        CWinThread* thread = AfxBeginThread(&FrameworkProbeThread, &probe, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(thread, nullptr);
        thread->m_bAutoDelete = FALSE;
        thread->ResumeThread();
        ASSERT_EQ(::WaitForSingleObject(thread->m_hThread, 10000), WAIT_OBJECT_0);
        DWORD exitCode = 0;
        ::GetExitCodeThread(thread->m_hThread, &exitCode);
        EXPECT_EQ(exitCode, 17u);
        EXPECT_EQ(probe.owner, thread->m_nThreadID);
        EXPECT_NE(probe.seen, mine);
        EXPECT_EQ(probe.aliveInside, 2);
        EXPECT_EQ(g_alive, 1);
        delete thread;

        ThreadProbe raw{&holder};
        DWORD rawId = 0;
        HANDLE rawThread = ::CreateThread(nullptr, 0, &RawProbeThread, &raw, 0, &rawId);
        ASSERT_EQ(::WaitForSingleObject(rawThread, 10000), WAIT_OBJECT_0);
        ::CloseHandle(rawThread);
        EXPECT_EQ(raw.owner, rawId);
        EXPECT_EQ(raw.aliveInside, 2);
        EXPECT_EQ(g_alive, 1);
    }
    EXPECT_EQ(g_alive, 0); // the holder took the main thread's object with it
}

namespace {

std::vector<int> g_destroyedOrder;

template <int N> struct CNumberedSingleton : CNoTrackObject
{
    ~CNumberedSingleton() override { g_destroyedOrder.push_back(N); }
};

} // namespace

TEST(ProcessLocals, CreatedOnFirstUseAndDestroyedInReverseOrderOfTheHolders)
{
    g_destroyedOrder.clear();
    {
        CProcessLocal<CNumberedSingleton<1>> first;
        CProcessLocal<CNumberedSingleton<2>> second;
        CProcessLocal<CNumberedSingleton<3>> unused;
        EXPECT_EQ(first.GetDataNA(), nullptr);
        CNumberedSingleton<1>* one = first.GetData();
        EXPECT_EQ(first.GetData(), one);
        second.GetData();
    }
    EXPECT_EQ(g_destroyedOrder, (std::vector<int>{2, 1})); // the unused one never existed
}

// ---------------------------------------------------------------------------------------

namespace {

LONG g_threadObjects = 0;
UINT g_threadMessageSeen = 0;

// A thread with a message loop that ends itself through a thread message.
class CLoopThread : public CWinThread
{
    DECLARE_DYNCREATE(CLoopThread)
public:
    CLoopThread() { ::InterlockedIncrement(&g_threadObjects); }
    ~CLoopThread() override { ::InterlockedDecrement(&g_threadObjects); }
    BOOL InitInstance() override
    {
        PostThreadMessage(WM_APP + 3, 5, 0);
        return TRUE;
    }
    BOOL OnIdle(LONG) override { return FALSE; }

protected:
    afx_msg void OnQuitRequest(WPARAM wParam, LPARAM)
    {
        g_threadMessageSeen = WM_APP + 3;
        ::PostQuitMessage(static_cast<int>(wParam));
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CLoopThread, CWinThread)

BEGIN_MESSAGE_MAP(CLoopThread, CWinThread)
    ON_THREAD_MESSAGE(WM_APP + 3, &CLoopThread::OnQuitRequest)
END_MESSAGE_MAP()

} // namespace

TEST(Threads, MessageLoopThreadRunsAndDeletesItself)
{
    g_threadObjects = 0;
    g_threadMessageSeen = 0;
    CWinThread* thread = AfxBeginThread(RUNTIME_CLASS(CLoopThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(g_threadObjects, 1);
    HANDLE handle = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), thread->m_hThread, ::GetCurrentProcess(), &handle, 0, FALSE,
                                  DUPLICATE_SAME_ACCESS));
    ::Sleep(50);
    EXPECT_EQ(g_threadMessageSeen, 0u); // still suspended
    thread->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(handle, 10000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    ::GetExitCodeThread(handle, &exitCode);
    ::CloseHandle(handle);
    EXPECT_EQ(exitCode, 5u);
    EXPECT_EQ(g_threadMessageSeen, static_cast<UINT>(WM_APP + 3));
    EXPECT_EQ(g_threadObjects, 0);
}

// ---------------------------------------------------------------------------------------

TEST(ModuleState, ResourcesComeFromTheCurrentResourceModule)
{
    HINSTANCE exe = ::GetModuleHandleW(nullptr);
    EXPECT_EQ(AfxGetInstanceHandle(), exe);
    EXPECT_EQ(AfxGetResourceHandle(), exe);
    EXPECT_EQ(AfxGetModuleState()->m_hCurrentResourceHandle, exe);

    CString text;
    EXPECT_TRUE(text.LoadString(ID_CMD_VIEW));

    HINSTANCE other = ::GetModuleHandleW(L"kernel32.dll");
    AfxSetResourceHandle(other);
    EXPECT_EQ(AfxGetResourceHandle(), other);
    EXPECT_FALSE(text.LoadString(ID_CMD_VIEW));
    // Lookups that fall back to the executable when the resource module lacks a resource.
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(IDR_TESTFRAME), RT_MENU), exe);
    EXPECT_EQ(AfxFindStringResourceHandle(ID_CMD_VIEW), exe);
    AfxSetResourceHandle(exe);
}

TEST(MessageBoxes, InstalledHandlerAnswersInsteadOfTheUser)
{
    std::vector<std::wstring> texts;
    std::vector<UINT> types;
    AfxMessageBoxHandler previous = AfxSetMessageBoxHandler([&](LPCTSTR text, UINT type) {
        texts.push_back(text);
        types.push_back(type);
        return IDNO;
    });
    EXPECT_EQ(AfxMessageBox(L"Save the book?", MB_YESNO), IDNO);
    EXPECT_EQ(AfxMessageBox(ID_CMD_VIEW, MB_OK), IDNO);
    AfxSetMessageBoxHandler(previous);

    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], L"Save the book?");
    EXPECT_EQ(types[0], static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(texts[1], L"Runs the view command\nView command");
}

TEST(WindowClasses, SameAttributesShareOneRegisteredClass)
{
    HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    HBRUSH brush = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
    LPCTSTR a = AfxRegisterWndClass(CS_DBLCLKS, arrow, brush, icon);
    LPCTSTR b = AfxRegisterWndClass(CS_DBLCLKS, arrow, brush, icon);
    LPCTSTR c = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW, arrow, brush, icon);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    EXPECT_NE(std::wstring(a), std::wstring(c));

    WNDCLASSW info = {};
    ASSERT_TRUE(::GetClassInfoW(AfxGetInstanceHandle(), a, &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS));
    EXPECT_EQ(info.hCursor, arrow);
    EXPECT_EQ(info.hbrBackground, brush);
    EXPECT_EQ(info.hIcon, icon);

    WNDCLASSW own = {};
    own.lpfnWndProc = ::DefWindowProcW;
    own.hInstance = AfxGetInstanceHandle();
    own.lpszClassName = L"FolionyxTestOwnClass";
    EXPECT_TRUE(AfxRegisterClass(&own));
    EXPECT_TRUE(AfxRegisterClass(&own)); // registering again is harmless
}

// ---------------------------------------------------------------------------------------

namespace {

const wchar_t kCompanyKey[] = L"FolionyxFrameworkTests";

struct ProfileFixture : testing::Test
{
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\") + kCompanyKey).c_str()); }
    void TearDown() override { SetUp(); }

    static void Write(const wchar_t* section, const wchar_t* entry, DWORD type, const void* data, DWORD size)
    {
        std::wstring path = std::wstring(L"Software\\") + kCompanyKey + L"\\ProfileApp\\" + section;
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExW(key, entry, 0, type, static_cast<const BYTE*>(data), size);
        ::RegCloseKey(key);
    }
};

} // namespace

TEST_F(ProfileFixture, ValuesAreReadFromTheApplicationsRegistryKey)
{
    CWinApp app(L"ProfileApp");
    app.SetRegistryKey(kCompanyKey);
    EXPECT_EQ(app.m_pszProfileName, CString(L"ProfileApp"));

    DWORD count = 7;
    Write(L"Window", L"Count", REG_DWORD, &count, sizeof(count));
    const wchar_t name[] = L"Folio";
    Write(L"Window", L"Name", REG_SZ, name, sizeof(name));

    EXPECT_EQ(app.GetProfileInt(L"Window", L"Count", 1), 7u);
    EXPECT_EQ(app.GetProfileInt(L"Window", L"Missing", 3), 3u);
    EXPECT_EQ(app.GetProfileInt(L"Window", L"Name", 4), 4u); // not a number
    EXPECT_EQ(app.GetProfileString(L"Window", L"Name"), CString(L"Folio"));
    EXPECT_EQ(app.GetProfileString(L"Window", L"Missing", L"none"), CString(L"none"));
    EXPECT_EQ(app.GetProfileString(L"Absent", L"Name", L"none"), CString(L"none"));

    // Reading never creates keys.
    HKEY key = nullptr;
    std::wstring absent = std::wstring(L"Software\\") + kCompanyKey + L"\\ProfileApp\\Absent";
    EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, absent.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_F(ProfileFixture, BinaryValuesAreWrittenUnderTheSectionKeyCreatedOnDemand)
{
    CWinApp app(L"ProfileApp");
    app.SetRegistryKey(kCompanyKey);
    BYTE data[44];
    for (int i = 0; i < 44; ++i)
        data[i] = static_cast<BYTE>(i * 7);
    ASSERT_TRUE(app.WriteProfileBinary(L"Placement", L"WindowPlacement", data, sizeof(data)));

    std::wstring path = std::wstring(L"Software\\") + kCompanyKey + L"\\ProfileApp\\Placement";
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    BYTE read[64] = {};
    DWORD type = 0, size = sizeof(read);
    EXPECT_EQ(::RegQueryValueExW(key, L"WindowPlacement", nullptr, &type, read, &size), ERROR_SUCCESS);
    ::RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(size, 44u);
    EXPECT_EQ(memcmp(read, data, sizeof(data)), 0);
}

TEST(Profile, BinaryValuesGoToTheIniFileAsHexDigitsWithoutARegistryKey)
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    CString ini = CString(temp) + L"FolionyxBinaryProfile.ini";
    ::DeleteFileW(ini);
    CWinApp app(L"IniApp");
    app.m_pszProfileName = ini;
    BYTE data[] = {0x00, 0x1F, 0xA0, 0xFF};
    ASSERT_TRUE(app.WriteProfileBinary(L"Placement", L"Bytes", data, sizeof(data)));
    EXPECT_EQ(app.GetProfileString(L"Placement", L"Bytes"), CString(L"001FA0FF"));
    ::DeleteFileW(ini);
}

TEST(Application, RegistersItselfAsTheApplicationAndThread)
{
    EXPECT_EQ(AfxGetApp(), nullptr);
    {
        CWinApp app(L"Registered");
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_EQ(AfxGetThread(), &app);
        EXPECT_EQ(CString(app.m_pszAppName), CString(L"Registered"));
        EXPECT_EQ(AfxGetMainWnd(), nullptr);
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(AfxGetThread(), nullptr);
}

TEST(CommandLine, AFileArgumentOpensItAndNothingMakesANewDocument)
{
    struct Case
    {
        std::vector<std::pair<const wchar_t*, BOOL>> params;
        int command;
        const wchar_t* file;
    };
    const Case cases[] = {
        {{}, CCommandLineInfo::FileNew, L""},
        {{{L"book.fxb", FALSE}}, CCommandLineInfo::FileOpen, L"book.fxb"},
        {{{L"x", TRUE}, {L"C:\\a b\\c.fxb", FALSE}, {L"second", FALSE}}, CCommandLineInfo::FileOpen, L"C:\\a b\\c.fxb"},
        {{{L"unknown", TRUE}}, CCommandLineInfo::FileNew, L""},
    };
    for (const Case& c : cases) {
        CCommandLineInfo info;
        for (size_t i = 0; i < c.params.size(); ++i)
            info.ParseParam(c.params[i].first, c.params[i].second, i + 1 == c.params.size());
        EXPECT_EQ(info.m_nShellCommand, c.command);
        EXPECT_EQ(info.m_strFileName, CString(c.file));
    }

    // This test program is started with flags only.
    CWinApp app(L"CommandLine");
    CCommandLineInfo own;
    app.ParseCommandLine(own);
    EXPECT_EQ(own.m_nShellCommand, CCommandLineInfo::FileNew);
    CCommandLineInfo nothing;
    nothing.m_nShellCommand = CCommandLineInfo::FileNothing;
    EXPECT_TRUE(app.ProcessShellCommand(nothing));
    EXPECT_FALSE(app.ProcessShellCommand(own)); // no template: no main window
}
