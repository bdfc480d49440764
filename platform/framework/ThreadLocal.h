// Thread-local and process-wide holders of framework and toolkit state.
//
// CThreadLocal<T> gives every thread its own T, created on first use and deleted when the
// thread ends (whether it was started by AfxBeginThread or by CreateThread). Destroying the
// holder itself deletes the T of every thread. CProcessLocal<T> holds one T for the process,
// created on first use and deleted with the holder; global holders are therefore destroyed
// at exit in the reverse order of their construction. T derives from CNoTrackObject.
#pragma once

#include <windows.h>

class CNoTrackObject
{
public:
    CNoTrackObject() = default;
    virtual ~CNoTrackObject() = default;
    CNoTrackObject(const CNoTrackObject&) = delete;
    CNoTrackObject& operator=(const CNoTrackObject&) = delete;
};

class CThreadLocalObject
{
public:
    CThreadLocalObject() = default;
    ~CThreadLocalObject();
    CThreadLocalObject(const CThreadLocalObject&) = delete;
    CThreadLocalObject& operator=(const CThreadLocalObject&) = delete;

    // The calling thread's object, made by pfnCreateObject when it has none.
    CNoTrackObject* GetData(CNoTrackObject* (*pfnCreateObject)());
    // The calling thread's object, or null.
    CNoTrackObject* GetDataNA() const;

private:
    int AllocatedSlot();
    volatile LONG m_nSlot = 0; // 0 until first use
};

template <class TYPE> class CThreadLocal : public CThreadLocalObject
{
public:
    TYPE* GetData() { return static_cast<TYPE*>(CThreadLocalObject::GetData(&CreateObject)); }
    TYPE* GetDataNA() const { return static_cast<TYPE*>(CThreadLocalObject::GetDataNA()); }
    operator TYPE*() { return GetData(); }
    TYPE* operator->() { return GetData(); }

    static CNoTrackObject* CreateObject() { return new TYPE; }
};

class CProcessLocalObject
{
public:
    CProcessLocalObject() = default;
    ~CProcessLocalObject();
    CProcessLocalObject(const CProcessLocalObject&) = delete;
    CProcessLocalObject& operator=(const CProcessLocalObject&) = delete;

    CNoTrackObject* GetData(CNoTrackObject* (*pfnCreateObject)());
    CNoTrackObject* GetDataNA() const { return m_pObject; }

private:
    CNoTrackObject* volatile m_pObject = nullptr;
};

template <class TYPE> class CProcessLocal : public CProcessLocalObject
{
public:
    TYPE* GetData() { return static_cast<TYPE*>(CProcessLocalObject::GetData(&CreateObject)); }
    TYPE* GetDataNA() const { return static_cast<TYPE*>(CProcessLocalObject::GetDataNA()); }
    operator TYPE*() { return GetData(); }
    TYPE* operator->() { return GetData(); }

    static CNoTrackObject* CreateObject() { return new TYPE; }
};

// Deletes the calling thread's thread-local objects, newest holder first. Runs by itself
// when a thread ends; a thread may call it earlier when it knows it is done.
void AfxTermThreadLocals();
