// Maps from raw handles (DCs, GDI objects, menus, image lists) to their C++ wrappers.
//
// A wrapper that owns its handle (Attach) is "permanent": FromHandle finds it from any thread
// until it is detached or destroyed. A handle that no wrapper owns gets a "temporary" wrapper
// on the calling thread; temporaries never free their handle and live until the thread calls
// AfxDeleteTempDrawingObjects (the application does so at idle time) or ends.
#pragma once

#include <windows.h>
#include <mutex>
#include <unordered_map>
#include <vector>
#include "platform/framework/ThreadLocal.h"

namespace fxdetail {

// True when a wrapper's own `this` is null. MFC-style callers rely on GetSafeHandle-like
// members answering null through a null pointer; the barrier keeps the compiler from
// assuming that `this` can never be null and dropping the test.
inline bool IsNullObject(const void* object)
{
    auto value = reinterpret_cast<UINT_PTR>(object);
    asm("" : "+r"(value));
    return value == 0;
}

template <class Handle, class Object> class DrawingHandleMap
{
public:
    void AddPermanent(Handle handle, Object* object)
    {
        if (!handle)
            return;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_permanent[handle] = object;
    }

    // Only the wrapper that is registered for the handle removes it.
    void RemovePermanent(Handle handle, Object* object)
    {
        if (!handle)
            return;
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_permanent.find(handle);
        if (it != m_permanent.end() && it->second == object)
            m_permanent.erase(it);
    }

    // Makes `object` the owner of `handle`, kept in `slot` (the object's handle member); a
    // handle it owned before is freed first by `release` (the object's own Delete member).
    template <class Release> BOOL AttachOwned(Object* object, Handle& slot, Handle handle, Release release)
    {
        if (!handle)
            return FALSE;
        if (slot)
            release();
        slot = handle;
        AddPermanent(handle, object);
        return TRUE;
    }

    // The handle `object` owned in `slot`, now owned by the caller.
    Handle DetachOwned(Object* object, Handle& slot)
    {
        Handle handle = slot;
        RemovePermanent(handle, object);
        slot = nullptr;
        return handle;
    }

    Object* LookupPermanent(Handle handle)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_permanent.find(handle);
        return it == m_permanent.end() ? nullptr : it->second;
    }

    Object* LookupTemporary(Handle handle)
    {
        auto& temps = Temporaries();
        auto it = temps.map.find(handle);
        return it == temps.map.end() ? nullptr : it->second;
    }

    // The permanent wrapper, else this thread's temporary one, made by `make` when missing.
    // `make` returns a new wrapper already attached to the handle but not registered.
    template <class Make> Object* FromHandle(Handle handle, Make make)
    {
        if (!handle)
            return nullptr;
        if (Object* object = LookupPermanent(handle))
            return object;
        auto& temps = Temporaries();
        auto it = temps.map.find(handle);
        if (it != temps.map.end())
            return it->second;
        Object* object = make();
        temps.map[handle] = object;
        return object;
    }

    // Puts a new temporary wrapper in place of the one the thread has for the handle (the
    // handle value was reused for an object of another kind); the old one is freed later.
    void ReplaceTemporary(Handle handle, Object* object)
    {
        auto& temps = Temporaries();
        auto it = temps.map.find(handle);
        if (it != temps.map.end()) {
            temps.retired.push_back(it->second);
            it->second = object;
        } else {
            temps.map[handle] = object;
        }
    }

    void DeleteTemporaries() { Temporaries().Clear(); }

private:
    struct TempSet : CNoTrackObject
    {
        std::unordered_map<Handle, Object*> map;
        std::vector<Object*> retired;
        void Clear()
        {
            // Swap first: a wrapper's destructor must not find itself in the map.
            std::unordered_map<Handle, Object*> old;
            old.swap(map);
            std::vector<Object*> oldRetired;
            oldRetired.swap(retired);
            for (auto& entry : old)
                oldRetired.push_back(entry.second);
            for (Object* object : oldRetired) {
                object->DetachTemporary();
                delete object;
            }
        }
        ~TempSet() { Clear(); }
    };

    static TempSet& Temporaries()
    {
        // The framework's own thread-local holder: C++ thread_local objects with destructors
        // are torn down unreliably here on threads started with CreateThread.
        static CThreadLocal<TempSet>* holder = new CThreadLocal<TempSet>;
        return *holder->GetData();
    }

    std::mutex m_mutex;
    std::unordered_map<Handle, Object*> m_permanent;
};

} // namespace fxdetail
