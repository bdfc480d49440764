// Scoped GDI objects of the page engine: an owned object, a memory device context, and an object
// selected into a device context for the length of a scope.
#pragma once
#include <windows.h>
#include <utility>

namespace fxb {

// Owns a pen, brush, bitmap, font or region and deletes it when the holder goes or takes another.
template <class Handle> class GdiObject
{
public:
    GdiObject() = default;
    explicit GdiObject(Handle h) : m_h(h) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { Reset(); }

    Handle Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    void Reset(Handle h = nullptr)
    {
        if (Handle old = std::exchange(m_h, h))
            DeleteObject(old);
    }

private:
    Handle m_h = nullptr;
};

// A memory device context compatible with `like` (the screen when null), deleted with the holder.
class MemoryDC
{
public:
    explicit MemoryDC(HDC like) : m_dc(CreateCompatibleDC(like)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC()
    {
        if (m_dc)
            DeleteDC(m_dc);
    }
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};

// Selects an object into a device context and puts the previous one back at the end of the scope,
// so that the object can be deleted afterwards.
class SelectedObject
{
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    // False when the object could not be selected (no DC, or a bitmap selected elsewhere).
    bool Selected() const { return m_old != nullptr; }
    ~SelectedObject()
    {
        if (m_old)
            SelectObject(m_dc, m_old);
    }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

} // namespace fxb
