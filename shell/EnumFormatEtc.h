#pragma once

#include <windows.h>
#include <objidl.h>

#include <memory>

// Enumerates a copy of a data object's formats, so that the object may change or go away
// while the enumeration runs.
class CEnumFormatEtc final : public IEnumFORMATETC
{
public:
    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IEnumFORMATETC
    HRESULT STDMETHODCALLTYPE Next(ULONG count, FORMATETC* formats, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** enumerator) override;

private:
    friend HRESULT CreateEnumFormatEtc(const FORMATETC* formats, ULONG count, ULONG cursor,
                                       IEnumFORMATETC** enumerator);

    explicit CEnumFormatEtc(ULONG cursor);
    ~CEnumFormatEtc();
    HRESULT CopyFormats(const FORMATETC* formats, ULONG count);

    LONG m_refCount = 1;
    ULONG m_cursor;
    ULONG m_count = 0;
    std::unique_ptr<FORMATETC[]> m_formats;
};

// A new enumerator holding one reference, over a copy of the formats (target devices
// included), starting at the cursor. E_INVALIDARG without formats.
HRESULT CreateEnumFormatEtc(const FORMATETC* formats, ULONG count, ULONG cursor,
                            IEnumFORMATETC** enumerator);

// A copy with its own target device from CoTaskMemAlloc, which the receiver frees; false when
// memory runs out.
bool CopyFormatEtc(const FORMATETC& source, FORMATETC* target);
