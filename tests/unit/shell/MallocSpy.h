#pragma once

#include <windows.h>
#include <objidl.h>

#include <set>

namespace shell_test
{
// Watches the task allocator (CoTaskMemAlloc and CoTaskMemFree) from construction to
// destruction and keeps the blocks allocated meanwhile that are still live.
class CMallocSpy final : public IMallocSpy
{
public:
    CMallocSpy();
    ~CMallocSpy();
    CMallocSpy(const CMallocSpy&) = delete;
    CMallocSpy& operator=(const CMallocSpy&) = delete;

    bool IsRegistered() const { return m_registered; }
    size_t GetLiveBlocks() const { return m_live.size(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override;
    void* STDMETHODCALLTYPE PostAlloc(void* actual) override;
    void* STDMETHODCALLTYPE PreFree(void* request, BOOL spied) override;
    void STDMETHODCALLTYPE PostFree(BOOL spied) override;
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* request, SIZE_T size, void** newRequest,
                                        BOOL spied) override;
    void* STDMETHODCALLTYPE PostRealloc(void* actual, BOOL spied) override;
    void* STDMETHODCALLTYPE PreGetSize(void* request, BOOL spied) override;
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T actual, BOOL spied) override;
    void* STDMETHODCALLTYPE PreDidAlloc(void* request, BOOL spied) override;
    int STDMETHODCALLTYPE PostDidAlloc(void* request, BOOL spied, int actual) override;
    void STDMETHODCALLTYPE PreHeapMinimize() override;
    void STDMETHODCALLTYPE PostHeapMinimize() override;

private:
    bool m_registered;
    std::set<void*> m_live;
};
} // namespace shell_test
