#include "tests/unit/shell/MallocSpy.h"

namespace shell_test
{
CMallocSpy::CMallocSpy() : m_registered(CoRegisterMallocSpy(this) == S_OK) {}

CMallocSpy::~CMallocSpy()
{
    if (m_registered)
        CoRevokeMallocSpy();
}

HRESULT STDMETHODCALLTYPE CMallocSpy::QueryInterface(REFIID iid, void** object)
{
    if (!IsEqualIID(iid, IID_IMallocSpy) && !IsEqualIID(iid, IID_IUnknown))
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IMallocSpy*>(this);
    return S_OK;
}

// The spy lives on the test's stack; COM's references do not own it.
ULONG STDMETHODCALLTYPE CMallocSpy::AddRef()
{
    return 2;
}

ULONG STDMETHODCALLTYPE CMallocSpy::Release()
{
    return 1;
}

SIZE_T STDMETHODCALLTYPE CMallocSpy::PreAlloc(SIZE_T size)
{
    return size;
}

void* STDMETHODCALLTYPE CMallocSpy::PostAlloc(void* actual)
{
    if (actual)
        m_live.insert(actual);
    return actual;
}

void* STDMETHODCALLTYPE CMallocSpy::PreFree(void* request, BOOL)
{
    m_live.erase(request);
    return request;
}

void STDMETHODCALLTYPE CMallocSpy::PostFree(BOOL) {}

SIZE_T STDMETHODCALLTYPE CMallocSpy::PreRealloc(void* request, SIZE_T size, void** newRequest, BOOL)
{
    m_live.erase(request);
    *newRequest = request;
    return size;
}

void* STDMETHODCALLTYPE CMallocSpy::PostRealloc(void* actual, BOOL)
{
    return PostAlloc(actual);
}

void* STDMETHODCALLTYPE CMallocSpy::PreGetSize(void* request, BOOL)
{
    return request;
}

SIZE_T STDMETHODCALLTYPE CMallocSpy::PostGetSize(SIZE_T actual, BOOL)
{
    return actual;
}

void* STDMETHODCALLTYPE CMallocSpy::PreDidAlloc(void* request, BOOL)
{
    return request;
}

int STDMETHODCALLTYPE CMallocSpy::PostDidAlloc(void*, BOOL, int actual)
{
    return actual;
}

void STDMETHODCALLTYPE CMallocSpy::PreHeapMinimize() {}

void STDMETHODCALLTYPE CMallocSpy::PostHeapMinimize() {}
} // namespace shell_test
