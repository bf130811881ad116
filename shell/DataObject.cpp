#include "shell/DataObject.h"

#include "shell/EnumFormatEtc.h"

#include <cstring>
#include <new>

namespace
{
// A fixed block with the same bytes, for a receiver that frees it on its own.
HGLOBAL DuplicateGlobal(HGLOBAL source)
{
    const SIZE_T size = GlobalSize(source);
    const void* data = GlobalLock(source);
    if (!data)
        return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_FIXED, size);
    if (copy)
        std::memcpy(copy, data, size);
    GlobalUnlock(source);
    return copy;
}
} // namespace

HRESULT CreateDataObject(const FORMATETC& format, const STGMEDIUM& medium, IDataObject** dataObject)
{
    if (!dataObject)
        return E_INVALIDARG;
    *dataObject = nullptr;
    FORMATETC ownFormat;
    if (!CopyFormatEtc(format, &ownFormat))
        return E_OUTOFMEMORY;
    try
    {
        *dataObject = new CDataObject(ownFormat, medium);
        return S_OK;
    }
    catch (const std::bad_alloc&)
    {
        CoTaskMemFree(ownFormat.ptd);
        return E_OUTOFMEMORY;
    }
}

CDataObject::CDataObject(const FORMATETC& format, const STGMEDIUM& medium)
    : m_formats{format}, m_media{medium}
{
}

CDataObject::~CDataObject()
{
    for (FORMATETC& format : m_formats)
        CoTaskMemFree(format.ptd);
    for (STGMEDIUM& medium : m_media)
        ReleaseStgMedium(&medium);
}

HRESULT STDMETHODCALLTYPE CDataObject::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IDataObject) || IsEqualIID(iid, IID_IUnknown))
    {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CDataObject::AddRef()
{
    return InterlockedIncrement(&m_refCount);
}

ULONG STDMETHODCALLTYPE CDataObject::Release()
{
    const LONG count = InterlockedDecrement(&m_refCount);
    if (count == 0)
        delete this;
    return count;
}

// Lindex and target device do not count: there is one rendering per format.
int CDataObject::FindFormat(const FORMATETC& request) const
{
    for (size_t i = 0; i < m_formats.size(); ++i)
    {
        const FORMATETC& offered = m_formats[i];
        if ((offered.tymed & request.tymed) && offered.cfFormat == request.cfFormat &&
            offered.dwAspect == request.dwAspect)
            return static_cast<int>(i);
    }
    return -1;
}

HRESULT STDMETHODCALLTYPE CDataObject::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    if (!format || !medium)
        return E_INVALIDARG;
    const int index = FindFormat(*format);
    if (index < 0 || m_media[index].tymed != TYMED_HGLOBAL)
        return DV_E_FORMATETC;
    HGLOBAL copy = DuplicateGlobal(m_media[index].hGlobal);
    if (!copy)
        return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDataObject::GetDataHere(FORMATETC*, STGMEDIUM*)
{
    return DV_E_FORMATETC;
}

HRESULT STDMETHODCALLTYPE CDataObject::QueryGetData(FORMATETC* format)
{
    if (!format)
        return E_INVALIDARG;
    return FindFormat(*format) < 0 ? DV_E_FORMATETC : S_OK;
}

HRESULT STDMETHODCALLTYPE CDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* canonical)
{
    if (!canonical)
        return E_INVALIDARG;
    canonical->ptd = nullptr;
    return E_NOTIMPL;
}

// Only copies are offered, so the "Performed DropEffect" a paste target reports asks for no
// follow-up, and nothing else is taken; the caller keeps the medium.
HRESULT STDMETHODCALLTYPE CDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator)
{
    if (!enumerator)
        return E_INVALIDARG;
    *enumerator = nullptr;
    if (direction == DATADIR_SET)
        return E_NOTIMPL;
    if (direction != DATADIR_GET)
        return E_INVALIDARG;
    return CreateEnumFormatEtc(m_formats.data(), static_cast<ULONG>(m_formats.size()), 0,
                               enumerator);
}

HRESULT STDMETHODCALLTYPE CDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT STDMETHODCALLTYPE CDataObject::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT STDMETHODCALLTYPE CDataObject::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}
