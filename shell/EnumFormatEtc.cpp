#include "shell/EnumFormatEtc.h"

#include <cstring>
#include <new>

bool CopyFormatEtc(const FORMATETC& source, FORMATETC* target)
{
    *target = source;
    if (!source.ptd)
        return true;
    target->ptd = static_cast<DVTARGETDEVICE*>(CoTaskMemAlloc(source.ptd->tdSize));
    if (!target->ptd)
        return false;
    std::memcpy(target->ptd, source.ptd, source.ptd->tdSize);
    return true;
}

HRESULT CreateEnumFormatEtc(const FORMATETC* formats, ULONG count, ULONG cursor,
                            IEnumFORMATETC** enumerator)
{
    if (!enumerator)
        return E_INVALIDARG;
    *enumerator = nullptr;
    if (!formats || count == 0)
        return E_INVALIDARG;
    CEnumFormatEtc* created = new (std::nothrow) CEnumFormatEtc(cursor);
    if (!created)
        return E_OUTOFMEMORY;
    const HRESULT result = created->CopyFormats(formats, count);
    if (FAILED(result))
    {
        created->Release();
        return result;
    }
    *enumerator = created;
    return S_OK;
}

CEnumFormatEtc::CEnumFormatEtc(ULONG cursor) : m_cursor(cursor) {}

CEnumFormatEtc::~CEnumFormatEtc()
{
    for (ULONG i = 0; i < m_count; ++i)
        CoTaskMemFree(m_formats[i].ptd);
}

// On failure the formats copied so far stay counted, so the destructor frees their devices.
HRESULT CEnumFormatEtc::CopyFormats(const FORMATETC* formats, ULONG count)
{
    m_formats.reset(new (std::nothrow) FORMATETC[count]);
    if (!m_formats)
        return E_OUTOFMEMORY;
    for (; m_count < count; ++m_count)
    {
        if (!CopyFormatEtc(formats[m_count], &m_formats[m_count]))
            return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CEnumFormatEtc::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IEnumFORMATETC) || IsEqualIID(iid, IID_IUnknown))
    {
        *object = static_cast<IEnumFORMATETC*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CEnumFormatEtc::AddRef()
{
    return InterlockedIncrement(&m_refCount);
}

ULONG STDMETHODCALLTYPE CEnumFormatEtc::Release()
{
    const LONG count = InterlockedDecrement(&m_refCount);
    if (count == 0)
        delete this;
    return count;
}

// Every element handed out carries its own target device, which the receiver frees.
HRESULT STDMETHODCALLTYPE CEnumFormatEtc::Next(ULONG count, FORMATETC* formats, ULONG* fetched)
{
    if (fetched)
        *fetched = 0;
    if (count == 0 || !formats)
        return E_INVALIDARG;
    ULONG copied = 0;
    for (; copied < count && m_cursor < m_count; ++copied, ++m_cursor)
    {
        if (!CopyFormatEtc(m_formats[m_cursor], &formats[copied]))
            break;
    }
    if (fetched)
        *fetched = copied;
    return copied == count ? S_OK : S_FALSE;
}

// The cursor stops at the end: a huge count must not wrap it round to the start.
HRESULT STDMETHODCALLTYPE CEnumFormatEtc::Skip(ULONG count)
{
    const ULONG left = m_cursor < m_count ? m_count - m_cursor : 0;
    if (count > left)
    {
        m_cursor = m_count;
        return S_FALSE;
    }
    m_cursor += count;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CEnumFormatEtc::Reset()
{
    m_cursor = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CEnumFormatEtc::Clone(IEnumFORMATETC** enumerator)
{
    return CreateEnumFormatEtc(m_formats.get(), m_count, m_cursor, enumerator);
}
