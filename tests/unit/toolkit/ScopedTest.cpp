#include "tests/unit/toolkit/RecordingWindow.h"
#include "toolkit/Scoped.h"

#include <gtest/gtest.h>
#include <objidl.h>

#include <utility>

using toolkit_test::CRecordingWindow;

namespace
{
const wchar_t kScratchKey[] = L"Software\\PathmoorToolkitTests";

bool KeyIsOpen(HKEY key)
{
    DWORD subKeys = 0xdeadbeef;
    return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool HandleIsOpen(HANDLE handle)
{
    DWORD flags = 0xdeadbeef;
    return GetHandleInformation(handle, &flags) != FALSE;
}

bool IconExists(HICON icon)
{
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return false;
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return true;
}

HICON CreateTestIcon()
{
    BYTE andMask[32 * 4];
    BYTE xorMask[32 * 4];
    FillMemory(andMask, sizeof(andMask), 0xff);
    ZeroMemory(xorMask, sizeof(xorMask));
    return CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask);
}

ULONG ReferenceCount(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

class ToolkitScopedKey : public testing::Test
{
protected:
    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey);
        RegDeleteKeyW(HKEY_CURRENT_USER, kScratchKey);
    }

    static HKEY OpenScratch()
    {
        HKEY key = reinterpret_cast<HKEY>(0xdeadbeef);
        const LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0,
                                            KEY_ALL_ACCESS, nullptr, &key, nullptr);
        EXPECT_EQ(ERROR_SUCCESS, status);
        return status == ERROR_SUCCESS ? key : nullptr;
    }
};

TEST_F(ToolkitScopedKey, DestructionClosesAndDetachKeepsOpen)
{
    HKEY closed = nullptr;
    {
        CScopedKey key(OpenScratch());
        closed = key.Get();
        ASSERT_TRUE(KeyIsOpen(closed));
    }
    EXPECT_FALSE(KeyIsOpen(closed));

    HKEY detached = nullptr;
    {
        CScopedKey key(OpenScratch());
        detached = key.Detach();
        EXPECT_EQ(nullptr, key.Get());
        EXPECT_FALSE(key);
    }
    EXPECT_TRUE(KeyIsOpen(detached));
    RegCloseKey(detached);
}

TEST_F(ToolkitScopedKey, ReceiveClosesTheOldKeyFirst)
{
    CScopedKey key(OpenScratch());
    const HKEY old = key.Get();
    const HKEY replacement = OpenScratch();
    ASSERT_NE(old, replacement);
    *key.Receive() = replacement;
    EXPECT_FALSE(KeyIsOpen(old));
    EXPECT_EQ(replacement, key.Get());
    EXPECT_TRUE(KeyIsOpen(replacement));
}

TEST(ToolkitScoped, GdiObjectIsDeletedOnceAndMovesOwnership)
{
    const HBRUSH first = CreateSolidBrush(RGB(1, 2, 3));
    const HBRUSH second = CreateSolidBrush(RGB(4, 5, 6));
    {
        CScopedGdiObject<HBRUSH> a(first);
        CScopedGdiObject<HBRUSH> b(second);
        CScopedGdiObject<HBRUSH> moved(std::move(a));
        EXPECT_EQ(nullptr, a.Get());
        EXPECT_EQ(first, moved.Get());
        moved = std::move(b); // lets go of first
        EXPECT_EQ(0u, GetObjectType(first));
        EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(second));
        EXPECT_EQ(nullptr, b.Get());
    }
    EXPECT_EQ(0u, GetObjectType(second));
}

TEST(ToolkitScoped, GdiObjectDetachAndReset)
{
    const HFONT font =
        CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    ASSERT_NE(nullptr, font);
    {
        CScopedGdiObject<HFONT> holder(font);
        EXPECT_EQ(font, holder.Detach());
    }
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(font));

    CScopedGdiObject<HFONT> holder(font);
    holder.Reset(font); // the same handle again must not free it
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(font));
    holder.Reset();
    EXPECT_EQ(0u, GetObjectType(font));
}

TEST(ToolkitScoped, IconIsDestroyed)
{
    const HICON kept = CreateTestIcon();
    const HICON destroyed = CreateTestIcon();
    ASSERT_TRUE(IconExists(kept));
    ASSERT_TRUE(IconExists(destroyed));
    {
        CScopedIcon a(kept);
        CScopedIcon b(destroyed);
        a.Detach();
    }
    EXPECT_TRUE(IconExists(kept));
    EXPECT_FALSE(IconExists(destroyed));
    DestroyIcon(kept);
}

TEST(ToolkitScoped, KernelHandleIsClosed)
{
    const HANDLE kept = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const HANDLE closed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        CScopedHandle a(kept);
        CScopedHandle b(closed);
        EXPECT_TRUE(b);
        a.Detach();
    }
    EXPECT_TRUE(HandleIsOpen(kept));
    EXPECT_FALSE(HandleIsOpen(closed));
    CloseHandle(kept);

    CScopedHandle failed(INVALID_HANDLE_VALUE);
    EXPECT_FALSE(failed) << "INVALID_HANDLE_VALUE holds nothing";
}

TEST(ToolkitScoped, SelectRestoresThePreviousObject)
{
    const HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(nullptr, dc);
    const HGDIOBJ original = GetCurrentObject(dc, OBJ_PEN);
    CScopedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(9, 9, 9)));
    {
        CScopedSelect select(dc, pen.Get());
        EXPECT_EQ(original, select.GetPrevious());
        EXPECT_EQ(pen.Get(), GetCurrentObject(dc, OBJ_PEN));
    }
    EXPECT_EQ(original, GetCurrentObject(dc, OBJ_PEN));
    DeleteDC(dc);
}

TEST(ToolkitScoped, GetDCBelongsToTheWindow)
{
    const HWND hWnd =
        CRecordingWindow::CreateTestWindow(nullptr, WS_POPUP, nullptr, {0, 0, 40, 40});
    ASSERT_NE(nullptr, hWnd);
    {
        CScopedGetDC dc(hWnd);
        ASSERT_NE(nullptr, dc.Get());
        EXPECT_EQ(hWnd, WindowFromDC(dc.Get()));
    }
    DestroyWindow(hWnd);
}

// Paints with CScopedPaint and notes what BeginPaint reported.
class CPaintingWindow : public CRecordingWindow
{
public:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg != WM_PAINT)
            return CRecordingWindow::WindowProc(msg, wParam, lParam);
        CScopedPaint paint(GetHwnd());
        m_dc = paint.Get();
        m_painted = paint.GetPaintStruct().rcPaint;
        return 0;
    }
    HDC m_dc = nullptr;
    RECT m_painted = {-1, -1, -1, -1};
};

TEST(ToolkitScoped, PaintValidatesTheUpdateRegion)
{
    CPaintingWindow window;
    const HWND hWnd =
        CRecordingWindow::CreateTestWindow(&window, WS_POPUP, nullptr, {0, 0, 60, 60});
    ASSERT_NE(nullptr, hWnd);
    ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hWnd);
    const RECT dirty = {5, 6, 20, 30};
    InvalidateRect(hWnd, &dirty, FALSE);
    UpdateWindow(hWnd);
    EXPECT_NE(nullptr, window.m_dc);
    EXPECT_TRUE(EqualRect(&dirty, &window.m_painted))
        << window.m_painted.left << "," << window.m_painted.top << "," << window.m_painted.right
        << "," << window.m_painted.bottom;
    EXPECT_FALSE(GetUpdateRect(hWnd, nullptr, FALSE));
}

TEST(ToolkitScoped, ComPtrReleasesItsReference)
{
    CComPtr<IStream> stream;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, &stream));
    ASSERT_TRUE(stream);
    IStream* const raw = stream.Get();
    EXPECT_EQ(1u, ReferenceCount(raw));
    raw->AddRef();
    {
        CComPtr<IStream> moved(std::move(stream));
        EXPECT_EQ(nullptr, stream.Get());
        EXPECT_EQ(2u, ReferenceCount(moved.Get()));
    }
    EXPECT_EQ(0u, raw->Release()) << "the holder had released its own reference";
}

TEST(ToolkitScoped, ComPtrAddressOfReleasesTheOldObject)
{
    CComPtr<IStream> stream;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, &stream));
    IStream* const first = stream.Get();
    first->AddRef();
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, &stream));
    EXPECT_NE(first, stream.Get());
    EXPECT_EQ(0u, first->Release()) << "the out parameter should have released the first";

    IStream* const detached = stream.Detach();
    EXPECT_EQ(nullptr, stream.Get());
    EXPECT_EQ(0u, detached->Release()) << "Detach keeps the reference alive";
}
} // namespace
