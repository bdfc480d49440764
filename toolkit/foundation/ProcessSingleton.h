// A process-wide object made on first use under a lock and deleted by Destroy, which the
// toolkit's exit list calls. Each singleton keeps its holder in a function-local static,
// so nothing is built before first use.
#pragma once
#include "platform/framework/Sync.h"

template <class T>
class CQorProcessSingleton
{
public:
    // The object, made by create() when there is none yet (create may return null).
    template <class Create>
    T* Get(Create create)
    {
        CSingleLock lock(&m_lock, TRUE);
        if (m_pObject == nullptr)
            m_pObject = create();
        return m_pObject;
    }

    void Destroy()
    {
        CSingleLock lock(&m_lock, TRUE);
        delete m_pObject;
        m_pObject = nullptr;
    }

private:
    CCriticalSection m_lock;
    T* m_pObject = nullptr;
};
