// A process-wide object made on first use under a lock and deleted by Destroy. Each making
// enters the destroy routine in the toolkit's exit list, so the object goes in the exit order
// of its first use. Each singleton keeps its holder behind a function-local static pointer that is
// never deleted, so nothing is built before first use and the holder outlives the static
// destructors that run before the exit list.
#pragma once
#include "platform/framework/Sync.h"
#include "toolkit/foundation/Statics.h"

template <class T> class CQorProcessSingleton
{
public:
    // The object, made by create() when there is none yet (create may return null). A new
    // object adds exitRoutine (which calls Destroy) to the exit list under the name.
    template <class Create> T* Get(Create create, void (*exitRoutine)(), LPCWSTR name)
    {
        CSingleLock lock(&m_lock, TRUE);
        if (m_pObject == nullptr) {
            m_pObject = create();
            if (m_pObject != nullptr)
                QorAddExitRoutine(exitRoutine, name);
        }
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
