#pragma once

#include <windows.h>
#include <objidl.h>

#include <vector>

// The minimal data object the program puts on the clipboard: it offers fixed data in the
// formats it was built with and accepts nothing.
class CDataObject final : public IDataObject
{
public:
    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDataObject
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* format,
                                                    FORMATETC* canonical) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                                      DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** enumerator) override;

private:
    friend HRESULT CreateDataObject(const FORMATETC& format, const STGMEDIUM& medium,
                                    IDataObject** dataObject);

    // Takes over the format's target device and the medium.
    CDataObject(const FORMATETC& format, const STGMEDIUM& medium);
    ~CDataObject();
    // The index of the first offered format the request matches, or -1.
    int FindFormat(const FORMATETC& request) const;

    LONG m_refCount = 1;
    std::vector<FORMATETC> m_formats;
    std::vector<STGMEDIUM> m_media;
};

// A new data object holding one reference that offers the medium in the format. It takes the
// medium over only when it succeeds (it frees it with ReleaseStgMedium when destroyed), and
// keeps its own copy of the format's target device.
HRESULT CreateDataObject(const FORMATETC& format, const STGMEDIUM& medium,
                         IDataObject** dataObject);
