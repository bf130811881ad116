#pragma once

#include <windows.h>
#include <unknwn.h>

namespace shell_test
{
// A release object for a medium that lives on the test's stack and only counts references,
// so a test sees when the medium has been released.
class CReleaseSpy final : public IUnknown
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    LONG GetRefCount() const { return m_refCount; }

private:
    LONG m_refCount = 1;
};
} // namespace shell_test
