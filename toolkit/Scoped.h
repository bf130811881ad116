#pragma once

#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <utility>

// Owners of Win32 handles and COM pointers. None of them can be copied: a copy would free
// the same handle twice.

// Windows gives a process a quota of GDI and of USER objects (10,000 each by default), and
// drawing fails across the whole program once it is spent. The holders count what they own
// of each, so a test can show how the count grows with the catalogue; GetGuiResources gives
// the system's own figure where it is supported.
enum class GuiObjectKind
{
    None,
    Gdi,
    User,
};

namespace ScopedCounts
{
inline std::atomic<long>& Of(GuiObjectKind kind)
{
    static std::atomic<long> counts[3];
    return counts[static_cast<int>(kind)];
}
} // namespace ScopedCounts

// The GDI or USER objects the holders own at this moment.
inline long OwnedGuiObjects(GuiObjectKind kind)
{
    return ScopedCounts::Of(kind).load();
}

// Frees one handle of the kind Traits describes (Traits::Handle, IsValid, Close).
template <typename Traits> class CScopedResource
{
public:
    using Handle = typename Traits::Handle;

    CScopedResource() = default;
    explicit CScopedResource(Handle handle) : m_handle(handle) { Count(m_handle, 1); }
    ~CScopedResource() { Reset(); }

    CScopedResource(const CScopedResource&) = delete;
    CScopedResource& operator=(const CScopedResource&) = delete;
    CScopedResource(CScopedResource&& other) noexcept : m_handle(other.Detach()) {}
    CScopedResource& operator=(CScopedResource&& other) noexcept
    {
        Reset(other.Detach());
        return *this;
    }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return Traits::IsValid(m_handle); }

    // Gives the handle up without freeing it.
    Handle Detach()
    {
        Count(m_handle, -1);
        return std::exchange(m_handle, Handle());
    }

    void Reset(Handle handle = Handle())
    {
        if (handle == m_handle)
            return;
        Count(handle, 1);
        const Handle old = std::exchange(m_handle, handle);
        if (Traits::IsValid(old))
        {
            Count(old, -1);
            Traits::Close(old);
        }
    }

    // For an out parameter: frees the current handle first. Only for uncounted kinds: the
    // handle arrives behind the holder's back.
    Handle* Receive()
    {
        static_assert(Traits::Kind == GuiObjectKind::None, "a received handle is not counted");
        Reset();
        return &m_handle;
    }

private:
    static void Count(Handle handle, long change)
    {
        if (Traits::Kind != GuiObjectKind::None && Traits::IsValid(handle))
            ScopedCounts::Of(Traits::Kind) += change;
    }

    Handle m_handle = Handle();
};

struct CKeyTraits
{
    static constexpr GuiObjectKind Kind = GuiObjectKind::None;
    using Handle = HKEY;
    static bool IsValid(HKEY key) { return key != nullptr; }
    static void Close(HKEY key) { RegCloseKey(key); }
};

template <typename T> struct CGdiObjectTraits
{
    static constexpr GuiObjectKind Kind = GuiObjectKind::Gdi;
    using Handle = T;
    static bool IsValid(T object) { return object != nullptr; }
    static void Close(T object) { DeleteObject(object); }
};

// A memory device context (CreateCompatibleDC), which DeleteDC frees.
struct CMemoryDcTraits
{
    static constexpr GuiObjectKind Kind = GuiObjectKind::Gdi;
    using Handle = HDC;
    static bool IsValid(HDC dc) { return dc != nullptr; }
    static void Close(HDC dc) { DeleteDC(dc); }
};

struct CIconTraits
{
    static constexpr GuiObjectKind Kind = GuiObjectKind::User;
    using Handle = HICON;
    static bool IsValid(HICON icon) { return icon != nullptr; }
    static void Close(HICON icon) { DestroyIcon(icon); }
};

struct CKernelHandleTraits
{
    static constexpr GuiObjectKind Kind = GuiObjectKind::None;
    using Handle = HANDLE;
    // Some creators report failure with null, others with INVALID_HANDLE_VALUE.
    static bool IsValid(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};

struct CMenuTraits
{
    static constexpr GuiObjectKind Kind = GuiObjectKind::User;
    using Handle = HMENU;
    static bool IsValid(HMENU menu) { return menu != nullptr; }
    static void Close(HMENU menu) { DestroyMenu(menu); }
};

using CScopedKey = CScopedResource<CKeyTraits>;
template <typename T> using CScopedGdiObject = CScopedResource<CGdiObjectTraits<T>>;
using CScopedMemoryDC = CScopedResource<CMemoryDcTraits>;
using CScopedIcon = CScopedResource<CIconTraits>;
using CScopedHandle = CScopedResource<CKernelHandleTraits>;
using CScopedMenu = CScopedResource<CMenuTraits>;

// Selects an object into a device context for one scope and puts the previous one back.
class CScopedSelect
{
public:
    CScopedSelect(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~CScopedSelect()
    {
        if (m_previous)
            SelectObject(m_dc, m_previous);
    }
    CScopedSelect(const CScopedSelect&) = delete;
    CScopedSelect& operator=(const CScopedSelect&) = delete;

    HGDIOBJ GetPrevious() const { return m_previous; }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// A device context from GetDC, released at the end of the scope.
class CScopedGetDC
{
public:
    explicit CScopedGetDC(HWND hWnd) : m_hWnd(hWnd), m_dc(GetDC(hWnd)) {}
    ~CScopedGetDC()
    {
        if (m_dc)
            ReleaseDC(m_hWnd, m_dc);
    }
    CScopedGetDC(const CScopedGetDC&) = delete;
    CScopedGetDC& operator=(const CScopedGetDC&) = delete;

    HDC Get() const { return m_dc; }

private:
    HWND m_hWnd;
    HDC m_dc;
};

// One WM_PAINT pass: BeginPaint here, EndPaint at the end of the scope.
class CScopedPaint
{
public:
    explicit CScopedPaint(HWND hWnd) : m_hWnd(hWnd), m_dc(BeginPaint(hWnd, &m_paint)) {}
    ~CScopedPaint()
    {
        if (m_dc)
            EndPaint(m_hWnd, &m_paint);
    }
    CScopedPaint(const CScopedPaint&) = delete;
    CScopedPaint& operator=(const CScopedPaint&) = delete;

    HDC Get() const { return m_dc; }
    const PAINTSTRUCT& GetPaintStruct() const { return m_paint; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_paint = {};
    HDC m_dc;
};

// Holds one reference to a COM object.
template <typename T> class CComPtr
{
public:
    CComPtr() = default;
    // Takes over a reference the caller owns.
    explicit CComPtr(T* object) : m_object(object) {}
    ~CComPtr() { Reset(); }

    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    CComPtr(CComPtr&& other) noexcept : m_object(other.Detach()) {}
    CComPtr& operator=(CComPtr&& other) noexcept
    {
        Reset(other.Detach());
        return *this;
    }

    T* Get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

    T* Detach() { return std::exchange(m_object, nullptr); }

    void Reset(T* object = nullptr)
    {
        T* old = std::exchange(m_object, object);
        if (old && old != object)
            old->Release();
    }

    // For an out parameter: releases the current reference first.
    T** operator&()
    {
        Reset();
        return &m_object;
    }

private:
    T* m_object = nullptr;
};
