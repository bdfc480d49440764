// Run-time classes, dynamic creation by name, exceptions and critical sections.
#include "platform/framework/Archive.h"
#include "platform/framework/Exceptions.h"
#include "platform/framework/Object.h"
#include "platform/framework/Sync.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

class CShape : public CObject
{
    DECLARE_DYNAMIC(CShape)
public:
    int m_nSides = 0;
};

class CCircle : public CShape
{
    DECLARE_DYNCREATE(CCircle)
public:
    CCircle() { m_nSides = 1; }
};

class CDisc : public CCircle
{
    DECLARE_SERIAL(CDisc)
};

class CSquare : public CShape
{
    DECLARE_DYNCREATE(CSquare)
public:
    CSquare() { m_nSides = 4; }
};

// CObject is not the first base, so a downcast has to move the pointer.
struct Padding
{
    virtual ~Padding() = default;
    int m_padding[3] = {};
};

class CMixed : public Padding, public CObject
{
    DECLARE_DYNAMIC(CMixed)
};

IMPLEMENT_DYNAMIC(CShape, CObject)
IMPLEMENT_DYNCREATE(CCircle, CShape)
IMPLEMENT_SERIAL(CDisc, CCircle, VERSIONABLE_SCHEMA | 3)
IMPLEMENT_DYNCREATE(CSquare, CShape)
IMPLEMENT_DYNAMIC(CMixed, CObject)

} // namespace

TEST(RuntimeClass, RecordsDescribeTheClass)
{
    CRuntimeClass* pDisc = RUNTIME_CLASS(CDisc);
    EXPECT_STREQ("CDisc", pDisc->m_lpszClassName);
    EXPECT_EQ(static_cast<int>(sizeof(CDisc)), pDisc->m_nObjectSize);
    EXPECT_EQ(0x80000003u, pDisc->m_wSchema);
    EXPECT_EQ(RUNTIME_CLASS(CCircle), pDisc->m_pBaseClass);
    EXPECT_EQ(RUNTIME_CLASS(CShape), pDisc->m_pBaseClass->m_pBaseClass);
    EXPECT_EQ(RUNTIME_CLASS(CObject), RUNTIME_CLASS(CShape)->m_pBaseClass);
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->m_pBaseClass);

    CDisc disc;
    CCircle circle;
    EXPECT_TRUE(disc.IsSerializable());
    EXPECT_FALSE(circle.IsSerializable());
    EXPECT_EQ(RUNTIME_CLASS(CDisc), disc.GetRuntimeClass());
}

TEST(RuntimeClass, IsKindOfFollowsTheHierarchy)
{
    CCircle circle;
    CDisc disc;
    CSquare square;
    struct Case
    {
        const CObject* object;
        CRuntimeClass* pClass;
        bool expected;
    } cases[] = {
        {&circle, RUNTIME_CLASS(CObject), true},  {&circle, RUNTIME_CLASS(CShape), true},
        {&circle, RUNTIME_CLASS(CCircle), true},  {&circle, RUNTIME_CLASS(CDisc), false},
        {&circle, RUNTIME_CLASS(CSquare), false}, {&disc, RUNTIME_CLASS(CCircle), true},
        {&disc, RUNTIME_CLASS(CDisc), true},      {&square, RUNTIME_CLASS(CCircle), false},
        {&square, RUNTIME_CLASS(CShape), true},   {&circle, nullptr, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, c.object->IsKindOf(c.pClass) != FALSE)
            << c.object->GetRuntimeClass()->m_lpszClassName << " / "
            << (c.pClass != nullptr ? c.pClass->m_lpszClassName : "null");
    }
}

TEST(RuntimeClass, DynamicDowncastChecksTheTypeAndAdjustsThePointer)
{
    CDisc disc;
    CSquare square;
    CObject* pDisc = &disc;
    CObject* pSquare = &square;
    CObject* pNull = nullptr;

    EXPECT_EQ(&disc, DYNAMIC_DOWNCAST(CCircle, pDisc));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CCircle, pSquare));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CCircle, pNull));
    EXPECT_EQ(&square, STATIC_DOWNCAST(CSquare, pSquare));

    CMixed mixed;
    CObject* pMixed = &mixed;
    ASSERT_NE(static_cast<void*>(pMixed), static_cast<void*>(&mixed));
    EXPECT_EQ(&mixed, DYNAMIC_DOWNCAST(CMixed, pMixed));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CShape, pMixed));
}

TEST(RuntimeClass, CreatesObjectsByName)
{
    std::unique_ptr<CObject> circle(CRuntimeClass::CreateObject("CCircle"));
    ASSERT_NE(nullptr, circle);
    EXPECT_EQ(RUNTIME_CLASS(CCircle), circle->GetRuntimeClass());
    EXPECT_EQ(1, static_cast<CCircle*>(circle.get())->m_nSides);

    std::unique_ptr<CObject> square(CRuntimeClass::CreateObject(L"CSquare"));
    ASSERT_NE(nullptr, square);
    EXPECT_EQ(4, static_cast<CSquare*>(square.get())->m_nSides);

    std::unique_ptr<CObject> disc(RUNTIME_CLASS(CDisc)->CreateObject());
    ASSERT_NE(nullptr, disc);
    EXPECT_TRUE(disc->IsKindOf(RUNTIME_CLASS(CDisc)));
}

TEST(RuntimeClass, LookupByNameIsExactAndKnowsOnlyRegisteredClasses)
{
    EXPECT_EQ(RUNTIME_CLASS(CDisc), CRuntimeClass::FromName("CDisc"));
    EXPECT_EQ(RUNTIME_CLASS(CDisc), CRuntimeClass::FromName(L"CDisc"));
    EXPECT_EQ(RUNTIME_CLASS(CShape), CRuntimeClass::FromName("CShape"));
    EXPECT_EQ(RUNTIME_CLASS(CFileException), CRuntimeClass::FromName("CFileException"));

    const char* unknown[] = {"cdisc", "CDisc ", "CDis", "", "CNoSuchClass"};
    for (const char* name : unknown) {
        EXPECT_EQ(nullptr, CRuntimeClass::FromName(name)) << '"' << name << '"';
        EXPECT_EQ(nullptr, CRuntimeClass::CreateObject(name)) << '"' << name << '"';
    }
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(L"CDisc\x0100"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(static_cast<LPCSTR>(nullptr)));
    // Known but not creatable.
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CShape"));
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CObject"));
}

TEST(RuntimeClass, RegisteringAgainChangesNothing)
{
    AfxClassInit(RUNTIME_CLASS(CSquare));
    AfxClassInit(nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CSquare), CRuntimeClass::FromName("CSquare"));
}

TEST(Exceptions, AreThrownAsPointersAndCaughtAsTheBase)
{
    struct Case
    {
        void (*raise)();
        CRuntimeClass* pClass;
    } cases[] = {
        {[] { AfxThrowFileException(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, L"a.txt"); },
         RUNTIME_CLASS(CFileException)},
        {[] { AfxThrowArchiveException(CArchiveException::badClass); }, RUNTIME_CLASS(CArchiveException)},
        {[] { AfxThrowNotSupportedException(); }, RUNTIME_CLASS(CNotSupportedException)},
        {[] { AfxThrowInvalidArgException(); }, RUNTIME_CLASS(CInvalidArgException)},
        {[] { AfxThrowMemoryException(); }, RUNTIME_CLASS(CMemoryException)},
        {[] { AfxThrowResourceException(); }, RUNTIME_CLASS(CResourceException)},
        {[] { AfxThrowOleException(E_NOINTERFACE); }, RUNTIME_CLASS(COleException)},
    };
    for (const Case& c : cases) {
        bool caught = false;
        try {
            c.raise();
        } catch (CException* e) {
            caught = true;
            EXPECT_TRUE(e->IsKindOf(c.pClass)) << c.pClass->m_lpszClassName;
            TCHAR text[200] = {};
            EXPECT_TRUE(e->GetErrorMessage(text, 200)) << c.pClass->m_lpszClassName;
            EXPECT_NE(L'\0', text[0]);
            e->Delete();
        }
        EXPECT_TRUE(caught) << c.pClass->m_lpszClassName;
    }
}

TEST(Exceptions, CarryTheirDetails)
{
    try {
        AfxThrowFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, L"C:\\x\\book.dat");
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::accessDenied, e->m_cause);
        EXPECT_EQ(ERROR_ACCESS_DENIED, e->m_lOsError);
        EXPECT_EQ(CString(L"C:\\x\\book.dat"), e->m_strFileName);
        TCHAR text[200] = {};
        e->GetErrorMessage(text, 200);
        EXPECT_NE(nullptr, wcsstr(text, L"book.dat"));
        // A small buffer gets a terminated prefix.
        TCHAR small[5];
        EXPECT_TRUE(e->GetErrorMessage(small, 5));
        EXPECT_EQ(4u, wcslen(small));
        e->Delete();
    }
    try {
        AfxThrowArchiveException(CArchiveException::badSchema, L"state.bin");
    } catch (CArchiveException* e) {
        EXPECT_EQ(6, static_cast<int>(CArchiveException::badClass));
        EXPECT_EQ(CArchiveException::badSchema, e->m_cause);
        EXPECT_EQ(CString(L"state.bin"), e->m_strFileName);
        e->Delete();
    }
    try {
        AfxThrowOleException(E_NOINTERFACE);
    } catch (CException* e) {
        EXPECT_EQ(E_NOINTERFACE, COleException::Process(e));
        e->Delete();
    }
    CMemoryException memory(FALSE);
    CNotSupportedException notSupported(FALSE);
    EXPECT_EQ(E_OUTOFMEMORY, COleException::Process(&memory));
    EXPECT_EQ(E_NOTIMPL, COleException::Process(&notSupported));
    // Stack objects ignore Delete.
    memory.Delete();
    notSupported.Delete();
}

TEST(Exceptions, OutOfMemoryNeedsNoAllocation)
{
    CException* first = nullptr;
    CException* second = nullptr;
    try {
        AfxThrowMemoryException();
    } catch (CException* e) {
        first = e;
        e->Delete();
    }
    try {
        AfxThrowMemoryException();
    } catch (CException* e) {
        second = e;
        e->Delete();
    }
    EXPECT_NE(nullptr, first);
    EXPECT_EQ(first, second);
}

TEST(Exceptions, OsErrorsMapToCauses)
{
    struct Case
    {
        LONG error;
        int cause;
    } cases[] = {
        {NO_ERROR, CFileException::none},
        {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
        {ERROR_PATH_NOT_FOUND, CFileException::badPath},
        {ERROR_INVALID_NAME, CFileException::badPath},
        {ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
        {ERROR_ACCESS_DENIED, CFileException::accessDenied},
        {ERROR_INVALID_HANDLE, CFileException::invalidFile},
        {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
        {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
        {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
        {ERROR_DISK_FULL, CFileException::diskFull},
        {ERROR_HANDLE_EOF, CFileException::endOfFile},
        {ERROR_NOT_ENOUGH_MEMORY, CFileException::genericException},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.cause, CFileException::OsErrorToException(c.error)) << c.error;
}

TEST(CriticalSection, SingleLockExcludesOtherThreadsUntilReleased)
{
    CCriticalSection section;
    std::atomic<int> tryResult(-1);
    auto tryFromOtherThread = [&] {
        std::thread other([&] {
            BOOL got = section.Lock(0);
            if (got)
                section.Unlock();
            tryResult = got ? 1 : 0;
        });
        other.join();
        return tryResult.load();
    };

    {
        CSingleLock lock(&section, TRUE);
        EXPECT_TRUE(lock.IsLocked());
        EXPECT_EQ(0, tryFromOtherThread());
        // The owner may enter again.
        EXPECT_TRUE(section.Lock(0));
        section.Unlock();
        EXPECT_TRUE(lock.Unlock());
        EXPECT_FALSE(lock.IsLocked());
        EXPECT_EQ(1, tryFromOtherThread());
        EXPECT_TRUE(lock.Lock());
        EXPECT_EQ(0, tryFromOtherThread());
    }
    // The destructor released it.
    EXPECT_EQ(1, tryFromOtherThread());
}

TEST(CriticalSection, SerialisesConcurrentUpdates)
{
    CCriticalSection section;
    long counter = 0;
    auto work = [&] {
        for (int i = 0; i < 20000; ++i) {
            CSingleLock lock(&section, TRUE);
            long value = counter;
            if ((i & 0xFF) == 0)
                Sleep(0);
            counter = value + 1;
        }
    };
    std::thread a(work);
    std::thread b(work);
    a.join();
    b.join();
    EXPECT_EQ(40000, counter);
}
