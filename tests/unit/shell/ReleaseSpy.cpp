#include "tests/unit/shell/ReleaseSpy.h"

namespace shell_test
{
HRESULT STDMETHODCALLTYPE CReleaseSpy::QueryInterface(REFIID iid, void** object)
{
    if (!IsEqualIID(iid, IID_IUnknown))
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = this;
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE CReleaseSpy::AddRef()
{
    return InterlockedIncrement(&m_refCount);
}

ULONG STDMETHODCALLTYPE CReleaseSpy::Release()
{
    return InterlockedDecrement(&m_refCount);
}
} // namespace shell_test
