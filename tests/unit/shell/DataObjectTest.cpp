#include "shell/Clipboard.h"
#include "shell/DataObject.h"
#include "tests/unit/shell/InterfaceChecks.h"
#include "tests/unit/shell/MallocSpy.h"
#include "tests/unit/shell/ReleaseSpy.h"
#include "tests/support/unit/ShellTestSupport.h"
#include "toolkit/Scoped.h"

#include <gtest/gtest.h>
#include <ole2.h>

using shell_test::CMallocSpy;
using shell_test::CReleaseSpy;
using shell_test::ExpectInterface;
using shell_test::ExpectNoInterface;
using test_support::DropListFormat;
using test_support::DropListPaths;
using test_support::ExpectSameFormat;
using test_support::GlobalBytes;
using test_support::GlobalMedium;

namespace
{
const FORMATETC Sentinel = {0xBEEF, reinterpret_cast<DVTARGETDEVICE*>(0x1234), 0x55, 77, 0x99};

STGMEDIUM SentinelMedium()
{
    STGMEDIUM medium;
    medium.tymed = 0x66;
    medium.hGlobal = reinterpret_cast<HGLOBAL>(0x4321);
    medium.pUnkForRelease = reinterpret_cast<IUnknown*>(0x8765);
    return medium;
}

void ExpectSentinelMedium(const STGMEDIUM& medium, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    EXPECT_EQ(0x66u, medium.tymed);
    EXPECT_EQ(reinterpret_cast<HGLOBAL>(0x4321), medium.hGlobal);
    EXPECT_EQ(reinterpret_cast<IUnknown*>(0x8765), medium.pUnkForRelease);
}

// A data object offering the drop list of C:\a.txt, as the program builds it.
class ShellDataObject : public testing::Test
{
protected:
    void SetUp() override
    {
        m_block = BuildDropFiles({L"C:\\a.txt"});
        ASSERT_NE(nullptr, m_block);
        m_blockBytes = GlobalBytes(m_block);
        STGMEDIUM medium = GlobalMedium(m_block);
        IDataObject* created = reinterpret_cast<IDataObject*>(0x1);
        ASSERT_EQ(S_OK, CreateDataObject(DropListFormat(), medium, &created));
        ASSERT_NE(nullptr, created);
        m_object.Reset(created);
    }

    // The object's own block stays as it was.
    void ExpectBlockKept(int line)
    {
        SCOPED_TRACE(testing::Message() << "called from line " << line);
        EXPECT_EQ(m_blockBytes, GlobalBytes(m_block));
    }

    HGLOBAL m_block = nullptr;
    std::vector<BYTE> m_blockBytes;
    CComPtr<IDataObject> m_object;
};

TEST(ShellCreateDataObject, NullOutPointerLeavesTheMediumToTheCaller)
{
    CReleaseSpy spy;
    STGMEDIUM medium = GlobalMedium(BuildDropFiles({L"C:\\a.txt"}), &spy);
    EXPECT_EQ(E_INVALIDARG, CreateDataObject(DropListFormat(), medium, nullptr));
    EXPECT_EQ(1, spy.GetRefCount()) << "the medium was released";
    GlobalFree(medium.hGlobal);
}

TEST(ShellCreateDataObject, LastReleaseReleasesTheMedium)
{
    CReleaseSpy spy;
    STGMEDIUM medium = GlobalMedium(BuildDropFiles({L"C:\\a.txt"}), &spy);
    spy.AddRef();
    IDataObject* object = nullptr;
    ASSERT_EQ(S_OK, CreateDataObject(DropListFormat(), medium, &object));
    EXPECT_EQ(2u, object->AddRef());
    EXPECT_EQ(1u, object->Release());
    EXPECT_EQ(2, spy.GetRefCount()) << "released while referenced";
    EXPECT_EQ(0u, object->Release());
    EXPECT_EQ(1, spy.GetRefCount()) << "not released at destruction";
    GlobalFree(medium.hGlobal);
}

// The stream of a stored medium other than HGLOBAL is released too.
TEST(ShellCreateDataObject, StoredStreamIsReleasedAtDestruction)
{
    IStream* stream = nullptr;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, &stream));
    STGMEDIUM medium = {};
    medium.tymed = TYMED_ISTREAM;
    medium.pstm = stream;
    stream->AddRef();
    IDataObject* object = nullptr;
    ASSERT_EQ(S_OK, CreateDataObject(DropListFormat(TYMED_ISTREAM), medium, &object));
    EXPECT_EQ(0u, object->Release());
    EXPECT_EQ(0u, stream->Release()) << "the object kept a reference to its stream";
}

TEST(ShellCreateDataObject, KeepsItsOwnCopyOfTheTargetDevice)
{
    CMallocSpy allocations;
    ASSERT_TRUE(allocations.IsRegistered());
    FORMATETC format = DropListFormat();
    format.ptd = test_support::NewTargetDevice(40);
    STGMEDIUM medium = GlobalMedium(BuildDropFiles({L"C:\\a.txt"}));
    IDataObject* object = nullptr;
    ASSERT_EQ(S_OK, CreateDataObject(format, medium, &object));
    DVTARGETDEVICE* callerDevice = test_support::NewTargetDevice(40);
    CoTaskMemFree(format.ptd);
    EXPECT_EQ(2u, allocations.GetLiveBlocks()) << "the object's device and the test's";

    CComPtr<IEnumFORMATETC> formats;
    ASSERT_EQ(S_OK, object->EnumFormatEtc(DATADIR_GET, &formats));
    FORMATETC listed = Sentinel;
    ASSERT_EQ(S_OK, formats->Next(1, &listed, nullptr));
    ASSERT_NE(nullptr, listed.ptd);
    EXPECT_TRUE(test_support::SameTargetDevice(callerDevice, listed.ptd));
    CoTaskMemFree(listed.ptd);
    CoTaskMemFree(callerDevice);
    formats.Reset();
    EXPECT_EQ(0u, object->Release());
    EXPECT_EQ(0u, allocations.GetLiveBlocks()) << "a target device was not freed";
}

TEST_F(ShellDataObject, QueryInterface)
{
    ExpectInterface(m_object.Get(), IID_IDataObject, m_object.Get(), __LINE__);
    ExpectInterface(m_object.Get(), IID_IUnknown, static_cast<IUnknown*>(m_object.Get()), __LINE__);
    for (const IID& other : {IID_IEnumFORMATETC, IID_IDropTarget, IID_IStream})
        ExpectNoInterface(m_object.Get(), other, __LINE__);
    EXPECT_EQ(2u, m_object->AddRef());
    EXPECT_EQ(1u, m_object->Release());
}

TEST_F(ShellDataObject, GetDataHandsOutACopyTheReceiverFrees)
{
    FORMATETC request = DropListFormat();
    STGMEDIUM first = SentinelMedium();
    ASSERT_EQ(S_OK, m_object->GetData(&request, &first));
    EXPECT_EQ(static_cast<DWORD>(TYMED_HGLOBAL), first.tymed);
    EXPECT_EQ(nullptr, first.pUnkForRelease);
    EXPECT_NE(m_block, first.hGlobal) << "the object handed out its own block";
    EXPECT_EQ(m_blockBytes, GlobalBytes(first.hGlobal));
    EXPECT_EQ(std::vector<std::wstring>{L"C:\\a.txt"}, DropListPaths(first.hGlobal));

    STGMEDIUM second = SentinelMedium();
    ASSERT_EQ(S_OK, m_object->GetData(&request, &second));
    EXPECT_NE(first.hGlobal, second.hGlobal);
    ReleaseStgMedium(&first);
    EXPECT_EQ(m_blockBytes, GlobalBytes(second.hGlobal));
    ReleaseStgMedium(&second);
    ExpectBlockKept(__LINE__);
}

TEST_F(ShellDataObject, GetDataMatchesOnAnySharedMediumBit)
{
    FORMATETC request = DropListFormat(TYMED_ISTREAM | TYMED_HGLOBAL | TYMED_FILE);
    STGMEDIUM medium = SentinelMedium();
    ASSERT_EQ(S_OK, m_object->GetData(&request, &medium));
    EXPECT_EQ(static_cast<DWORD>(TYMED_HGLOBAL), medium.tymed);
    ReleaseStgMedium(&medium);
}

TEST_F(ShellDataObject, GetDataIgnoresIndexAndTargetDevice)
{
    FORMATETC request = DropListFormat();
    request.lindex = 5;
    request.ptd = test_support::NewTargetDevice(24);
    STGMEDIUM medium = SentinelMedium();
    EXPECT_EQ(S_OK, m_object->GetData(&request, &medium));
    EXPECT_EQ(static_cast<DWORD>(TYMED_HGLOBAL), medium.tymed);
    ReleaseStgMedium(&medium);
    CoTaskMemFree(request.ptd);
}

TEST_F(ShellDataObject, GetDataRefusesOtherRequests)
{
    struct
    {
        const char* what;
        FORMATETC request;
    } const refused[] = {
        {"stream only", DropListFormat(TYMED_ISTREAM)},
        {"no medium", DropListFormat(TYMED_NULL)},
        {"icon aspect", {CF_HDROP, nullptr, DVASPECT_ICON, -1, TYMED_HGLOBAL}},
        {"text", {CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}},
        {"drop effect",
         {PerformedDropEffectFormat(), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}},
    };
    for (const auto& entry : refused)
    {
        SCOPED_TRACE(entry.what);
        FORMATETC request = entry.request;
        STGMEDIUM medium = SentinelMedium();
        EXPECT_EQ(DV_E_FORMATETC, m_object->GetData(&request, &medium));
        ExpectSentinelMedium(medium, __LINE__);
        EXPECT_EQ(DV_E_FORMATETC, m_object->QueryGetData(&request));
    }
    ExpectBlockKept(__LINE__);
}

TEST_F(ShellDataObject, QueryGetData)
{
    FORMATETC request = DropListFormat();
    EXPECT_EQ(S_OK, m_object->QueryGetData(&request));
    request.tymed = TYMED_HGLOBAL | TYMED_ISTREAM;
    request.lindex = 3;
    EXPECT_EQ(S_OK, m_object->QueryGetData(&request));
}

// Only the first matching format counts; a stored medium other than HGLOBAL is never
// rendered even though QueryGetData reports the format.
TEST(ShellCreateDataObject, StoredStreamIsNotRendered)
{
    IStream* stream = nullptr;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, &stream));
    STGMEDIUM stored = {};
    stored.tymed = TYMED_ISTREAM;
    stored.pstm = stream;
    CComPtr<IDataObject> object;
    ASSERT_EQ(S_OK, CreateDataObject(DropListFormat(TYMED_ISTREAM), stored, &object));
    FORMATETC request = DropListFormat(TYMED_ISTREAM);
    STGMEDIUM medium = SentinelMedium();
    EXPECT_EQ(S_OK, object->QueryGetData(&request));
    EXPECT_EQ(DV_E_FORMATETC, object->GetData(&request, &medium));
    ExpectSentinelMedium(medium, __LINE__);
}

TEST_F(ShellDataObject, GetDataHereIsRefused)
{
    FORMATETC request = DropListFormat();
    STGMEDIUM medium = GlobalMedium(GlobalAlloc(GMEM_MOVEABLE, 64));
    const HGLOBAL given = medium.hGlobal;
    EXPECT_EQ(DV_E_FORMATETC, m_object->GetDataHere(&request, &medium));
    EXPECT_EQ(given, medium.hGlobal);
    EXPECT_EQ(64u, GlobalSize(medium.hGlobal));
    ReleaseStgMedium(&medium);
}

TEST_F(ShellDataObject, GetCanonicalFormatEtcNullsTheDeviceOnly)
{
    FORMATETC request = DropListFormat();
    FORMATETC canonical = Sentinel;
    EXPECT_EQ(E_NOTIMPL, m_object->GetCanonicalFormatEtc(&request, &canonical));
    EXPECT_EQ(nullptr, canonical.ptd);
    EXPECT_EQ(Sentinel.cfFormat, canonical.cfFormat);
    EXPECT_EQ(Sentinel.tymed, canonical.tymed);
}

// A paste target reports the effect it performed; the data object takes nothing, so the
// target keeps and frees its medium, and the offer stays as it was.
TEST_F(ShellDataObject, SetDataOfPerformedDropEffectIsRefused)
{
    FORMATETC format = {PerformedDropEffectFormat(), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = GlobalMedium(GlobalAlloc(GMEM_MOVEABLE, sizeof(DWORD)));
    *static_cast<DWORD*>(GlobalLock(medium.hGlobal)) = DROPEFFECT_COPY;
    GlobalUnlock(medium.hGlobal);

    EXPECT_EQ(E_NOTIMPL, m_object->SetData(&format, &medium, TRUE));
    EXPECT_EQ(static_cast<DWORD>(TYMED_HGLOBAL), medium.tymed);
    const std::vector<BYTE> effect = GlobalBytes(medium.hGlobal);
    EXPECT_EQ(std::vector<BYTE>({DROPEFFECT_COPY, 0, 0, 0}), effect) << "the medium was freed";
    ReleaseStgMedium(&medium);

    EXPECT_EQ(DV_E_FORMATETC, m_object->QueryGetData(&format));
    FORMATETC request = DropListFormat();
    STGMEDIUM data = SentinelMedium();
    ASSERT_EQ(S_OK, m_object->GetData(&request, &data));
    EXPECT_EQ(m_blockBytes, GlobalBytes(data.hGlobal));
    ReleaseStgMedium(&data);
    CComPtr<IEnumFORMATETC> formats;
    ASSERT_EQ(S_OK, m_object->EnumFormatEtc(DATADIR_GET, &formats));
    FORMATETC listed[2] = {Sentinel, Sentinel};
    ULONG fetched = 99;
    EXPECT_EQ(S_FALSE, formats->Next(2, listed, &fetched));
    EXPECT_EQ(1u, fetched);
}

TEST_F(ShellDataObject, EnumFormatEtcGetListsTheOneFormat)
{
    IEnumFORMATETC* formats = reinterpret_cast<IEnumFORMATETC*>(0x1);
    ASSERT_EQ(S_OK, m_object->EnumFormatEtc(DATADIR_GET, &formats));
    ASSERT_NE(nullptr, formats);
    FORMATETC listed[2] = {Sentinel, Sentinel};
    ULONG fetched = 99;
    EXPECT_EQ(S_FALSE, formats->Next(2, listed, &fetched));
    EXPECT_EQ(1u, fetched);
    ExpectSameFormat(DropListFormat(), listed[0], __LINE__);
    ExpectSameFormat(Sentinel, listed[1], __LINE__);
    EXPECT_EQ(0u, formats->Release());
}

TEST_F(ShellDataObject, EnumFormatEtcOtherDirections)
{
    IEnumFORMATETC* formats = reinterpret_cast<IEnumFORMATETC*>(0x1);
    EXPECT_EQ(E_NOTIMPL, m_object->EnumFormatEtc(DATADIR_SET, &formats));
    EXPECT_EQ(nullptr, formats);
    formats = reinterpret_cast<IEnumFORMATETC*>(0x1);
    EXPECT_EQ(E_INVALIDARG, m_object->EnumFormatEtc(3, &formats));
    EXPECT_EQ(nullptr, formats);
    EXPECT_EQ(E_INVALIDARG, m_object->EnumFormatEtc(DATADIR_GET, nullptr));
}

TEST_F(ShellDataObject, AdviseIsNotSupported)
{
    FORMATETC format = DropListFormat();
    DWORD connection = 0xDEAD;
    EXPECT_EQ(OLE_E_ADVISENOTSUPPORTED, m_object->DAdvise(&format, 0, nullptr, &connection));
    EXPECT_EQ(OLE_E_ADVISENOTSUPPORTED, m_object->DUnadvise(1));
    IEnumSTATDATA* advises = reinterpret_cast<IEnumSTATDATA*>(0x1);
    EXPECT_EQ(OLE_E_ADVISENOTSUPPORTED, m_object->EnumDAdvise(&advises));
}
} // namespace
