#include "platform/framework/ThreadLocal.h"

#include <algorithm>
#include <vector>

namespace {

// The objects of one thread, indexed by slot.
struct ThreadRecord
{
    std::vector<CNoTrackObject*> values;
};

// Slot numbers, the per-thread records and the lock that guards them. Created on first use
// and never destroyed: thread-local objects may be touched until the very end of the process.
class SlotTable
{
public:
    static SlotTable* Instance()
    {
        static SlotTable* table = Create();
        return table;
    }
    static SlotTable* IfCreated() { return s_instance; }

    int AllocSlot()
    {
        Lock lock(this);
        for (size_t i = 1; i < m_used.size(); ++i) {
            if (!m_used[i]) {
                m_used[i] = true;
                return static_cast<int>(i);
            }
        }
        m_used.push_back(true);
        return static_cast<int>(m_used.size() - 1);
    }

    // Deletes the slot's object in every thread and makes the slot reusable.
    void FreeSlot(int slot)
    {
        std::vector<CNoTrackObject*> doomed;
        {
            Lock lock(this);
            for (ThreadRecord* record : m_records) {
                if (slot < static_cast<int>(record->values.size()) && record->values[slot]) {
                    doomed.push_back(record->values[slot]);
                    record->values[slot] = nullptr;
                }
            }
            if (slot < static_cast<int>(m_used.size()))
                m_used[slot] = false;
        }
        for (CNoTrackObject* object : doomed)
            delete object;
    }

    CNoTrackObject* GetValue(int slot) const
    {
        auto* record = static_cast<ThreadRecord*>(::TlsGetValue(m_tlsIndex));
        if (!record || slot >= static_cast<int>(record->values.size()))
            return nullptr;
        return record->values[slot];
    }

    void SetValue(int slot, CNoTrackObject* value)
    {
        auto* record = static_cast<ThreadRecord*>(::TlsGetValue(m_tlsIndex));
        Lock lock(this);
        if (!record) {
            record = new ThreadRecord;
            m_records.push_back(record);
            ::TlsSetValue(m_tlsIndex, record);
        }
        if (slot >= static_cast<int>(record->values.size()))
            record->values.resize(slot + 1, nullptr);
        record->values[slot] = value;
    }

    // Deletes the calling thread's objects, newest slot first. A destructor that creates
    // another thread-local object of the same thread gets it deleted in a later round.
    void TermThread()
    {
        auto* record = static_cast<ThreadRecord*>(::TlsGetValue(m_tlsIndex));
        if (!record)
            return;
        for (;;) {
            CNoTrackObject* victim = nullptr;
            {
                Lock lock(this);
                for (size_t i = record->values.size(); i-- > 0;) {
                    if (record->values[i]) {
                        victim = record->values[i];
                        record->values[i] = nullptr;
                        break;
                    }
                }
            }
            if (!victim)
                break;
            delete victim;
        }
        {
            Lock lock(this);
            m_records.erase(std::remove(m_records.begin(), m_records.end(), record), m_records.end());
        }
        ::TlsSetValue(m_tlsIndex, nullptr);
        delete record;
    }

private:
    class Lock
    {
    public:
        explicit Lock(const SlotTable* table) : m_table(table) { ::EnterCriticalSection(&table->m_lock); }
        ~Lock() { ::LeaveCriticalSection(&m_table->m_lock); }

    private:
        const SlotTable* m_table;
    };

    static SlotTable* Create()
    {
        auto* table = new SlotTable;
        s_instance = table;
        return table;
    }

    SlotTable()
    {
        ::InitializeCriticalSection(&m_lock);
        m_tlsIndex = ::TlsAlloc();
        m_used.push_back(true); // slot 0 means "not allocated"
    }

    mutable CRITICAL_SECTION m_lock;
    DWORD m_tlsIndex;
    std::vector<bool> m_used;
    std::vector<ThreadRecord*> m_records;
    static SlotTable* volatile s_instance;
};

SlotTable* volatile SlotTable::s_instance = nullptr;

CRITICAL_SECTION* ProcessLocalLock()
{
    static CRITICAL_SECTION* lock = [] {
        auto* cs = new CRITICAL_SECTION;
        ::InitializeCriticalSection(cs);
        return cs;
    }();
    return lock;
}

// Thread-exit notification of the executable's TLS directory: every thread that ends,
// however it was started, frees its thread-local objects here.
void NTAPI ThreadLocalTlsCallback(PVOID, DWORD reason, PVOID)
{
    if (reason == DLL_THREAD_DETACH) {
        if (SlotTable* table = SlotTable::IfCreated())
            table->TermThread();
    }
}

} // namespace

extern "C" {
__attribute__((section(".CRT$XLF"), used)) const PIMAGE_TLS_CALLBACK folionyxThreadLocalTlsCallback =
    ThreadLocalTlsCallback;
}

int CThreadLocalObject::AllocatedSlot()
{
    LONG slot = m_nSlot;
    if (slot != 0)
        return slot;
    int fresh = SlotTable::Instance()->AllocSlot();
    LONG previous = ::InterlockedCompareExchange(&m_nSlot, fresh, 0);
    if (previous != 0) {
        SlotTable::Instance()->FreeSlot(fresh);
        return previous;
    }
    return fresh;
}

CNoTrackObject* CThreadLocalObject::GetData(CNoTrackObject* (*pfnCreateObject)())
{
    int slot = AllocatedSlot();
    SlotTable* table = SlotTable::Instance();
    CNoTrackObject* value = table->GetValue(slot);
    if (!value) {
        value = pfnCreateObject();
        table->SetValue(slot, value);
    }
    return value;
}

CNoTrackObject* CThreadLocalObject::GetDataNA() const
{
    LONG slot = m_nSlot;
    return slot ? SlotTable::Instance()->GetValue(slot) : nullptr;
}

CThreadLocalObject::~CThreadLocalObject()
{
    if (m_nSlot != 0)
        SlotTable::Instance()->FreeSlot(m_nSlot);
}

CNoTrackObject* CProcessLocalObject::GetData(CNoTrackObject* (*pfnCreateObject)())
{
    CNoTrackObject* object = m_pObject;
    if (object)
        return object;
    ::EnterCriticalSection(ProcessLocalLock());
    try {
        if (!m_pObject)
            m_pObject = pfnCreateObject();
    } catch (...) {
        ::LeaveCriticalSection(ProcessLocalLock());
        throw;
    }
    object = m_pObject;
    ::LeaveCriticalSection(ProcessLocalLock());
    return object;
}

CProcessLocalObject::~CProcessLocalObject()
{
    delete m_pObject;
    m_pObject = nullptr;
}

void AfxTermThreadLocals()
{
    if (SlotTable* table = SlotTable::IfCreated())
        table->TermThread();
}
