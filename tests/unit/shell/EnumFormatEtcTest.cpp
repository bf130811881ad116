#include "shell/EnumFormatEtc.h"
#include "tests/unit/shell/InterfaceChecks.h"
#include "tests/unit/shell/MallocSpy.h"
#include "tests/support/unit/ShellTestSupport.h"
#include "toolkit/Scoped.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <climits>

using shell_test::CMallocSpy;
using shell_test::ExpectInterface;
using shell_test::ExpectNoInterface;
using test_support::ExpectSameFormat;

namespace
{
const FORMATETC Sentinel = {0xBEEF, reinterpret_cast<DVTARGETDEVICE*>(0x1234), 0x55, 77, 0x99};
const FORMATETC DropList = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
const FORMATETC Text = {CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1,
                        TYMED_HGLOBAL | TYMED_ISTREAM};

// The next single format, or the sentinel and S_FALSE at the end.
void ExpectNext(IEnumFORMATETC* formats, HRESULT expectedResult, const FORMATETC& expected,
                int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    FORMATETC format = Sentinel;
    ULONG fetched = 99;
    EXPECT_EQ(expectedResult, formats->Next(1, &format, &fetched));
    EXPECT_EQ(expectedResult == S_OK ? 1u : 0u, fetched);
    ExpectSameFormat(expected, format, __LINE__);
}

CComPtr<IEnumFORMATETC> CreateOver(std::initializer_list<FORMATETC> formats)
{
    CComPtr<IEnumFORMATETC> created;
    EXPECT_EQ(S_OK, CreateEnumFormatEtc(formats.begin(), static_cast<ULONG>(formats.size()), 0,
                                        &created));
    return created;
}

TEST(ShellEnumFormatEtc, NextBeyondTheEndCopiesWhatIsLeft)
{
    CComPtr<IEnumFORMATETC> formats = CreateOver({DropList});
    ASSERT_TRUE(formats);
    FORMATETC listed[2] = {Sentinel, Sentinel};
    ULONG fetched = 99;
    EXPECT_EQ(S_FALSE, formats->Next(2, listed, &fetched));
    EXPECT_EQ(1u, fetched);
    ExpectSameFormat(DropList, listed[0], __LINE__);
    ExpectSameFormat(Sentinel, listed[1], __LINE__);

    listed[0] = Sentinel;
    fetched = 99;
    EXPECT_EQ(S_FALSE, formats->Next(2, listed, &fetched));
    EXPECT_EQ(0u, fetched);
    ExpectSameFormat(Sentinel, listed[0], __LINE__);

    EXPECT_EQ(S_OK, formats->Reset());
    ExpectNext(formats.Get(), S_OK, DropList, __LINE__);
    ExpectNext(formats.Get(), S_FALSE, Sentinel, __LINE__);
}

TEST(ShellEnumFormatEtc, NextInOrderWithoutCountOutput)
{
    CComPtr<IEnumFORMATETC> formats = CreateOver({DropList, Text});
    ASSERT_TRUE(formats);
    FORMATETC listed[2] = {Sentinel, Sentinel};
    EXPECT_EQ(S_OK, formats->Next(2, listed, nullptr));
    ExpectSameFormat(DropList, listed[0], __LINE__);
    ExpectSameFormat(Text, listed[1], __LINE__);
    listed[0] = Sentinel;
    EXPECT_EQ(S_FALSE, formats->Next(1, listed, nullptr));
    ExpectSameFormat(Sentinel, listed[0], __LINE__);
}

TEST(ShellEnumFormatEtc, NextRefusesNoCountOrNoArray)
{
    CComPtr<IEnumFORMATETC> formats = CreateOver({DropList});
    ASSERT_TRUE(formats);
    FORMATETC listed = Sentinel;
    ULONG fetched = 99;
    EXPECT_EQ(E_INVALIDARG, formats->Next(0, &listed, &fetched));
    EXPECT_EQ(0u, fetched);
    ExpectSameFormat(Sentinel, listed, __LINE__);
    fetched = 99;
    EXPECT_EQ(E_INVALIDARG, formats->Next(1, nullptr, &fetched));
    EXPECT_EQ(0u, fetched);
    SCOPED_TRACE("the refusals must not move the cursor");
    ExpectNext(formats.Get(), S_OK, DropList, __LINE__);
}

TEST(ShellEnumFormatEtc, Skip)
{
    CComPtr<IEnumFORMATETC> formats = CreateOver({DropList, Text});
    ASSERT_TRUE(formats);
    EXPECT_EQ(S_OK, formats->Skip(1));
    ExpectNext(formats.Get(), S_OK, Text, __LINE__);

    formats->Reset();
    EXPECT_EQ(S_OK, formats->Skip(2)) << "skipping exactly to the end";
    ExpectNext(formats.Get(), S_FALSE, Sentinel, __LINE__);

    formats->Reset();
    EXPECT_EQ(S_FALSE, formats->Skip(3));
    ExpectNext(formats.Get(), S_FALSE, Sentinel, __LINE__);
    formats->Reset();
    ExpectNext(formats.Get(), S_OK, DropList, __LINE__);
}

// A count that would wrap the cursor round must not bring the formats back.
TEST(ShellEnumFormatEtc, SkipOfAHugeCountStaysAtTheEnd)
{
    CComPtr<IEnumFORMATETC> formats = CreateOver({DropList, Text});
    ASSERT_TRUE(formats);
    EXPECT_EQ(S_OK, formats->Skip(1));
    EXPECT_EQ(S_FALSE, formats->Skip(ULONG_MAX));
    ExpectNext(formats.Get(), S_FALSE, Sentinel, __LINE__);
    EXPECT_EQ(S_FALSE, formats->Skip(ULONG_MAX));
    ExpectNext(formats.Get(), S_FALSE, Sentinel, __LINE__);
}

TEST(ShellEnumFormatEtc, CloneKeepsTheCursorAndMovesOnItsOwn)
{
    CComPtr<IEnumFORMATETC> formats = CreateOver({DropList, Text});
    ASSERT_TRUE(formats);
    ExpectNext(formats.Get(), S_OK, DropList, __LINE__);

    IEnumFORMATETC* clone = reinterpret_cast<IEnumFORMATETC*>(0x1);
    ASSERT_EQ(S_OK, formats->Clone(&clone));
    ASSERT_NE(nullptr, clone);
    EXPECT_NE(formats.Get(), clone);
    ExpectNext(clone, S_OK, Text, __LINE__);
    EXPECT_EQ(S_OK, clone->Reset());
    ExpectNext(clone, S_OK, DropList, __LINE__);
    ExpectNext(formats.Get(), S_OK, Text, __LINE__);
    EXPECT_EQ(0u, clone->Release());

    ExpectNext(formats.Get(), S_FALSE, Sentinel, __LINE__);
    EXPECT_EQ(E_INVALIDARG, formats->Clone(nullptr));
}

TEST(ShellEnumFormatEtc, CreateRefusesAnEmptyList)
{
    IEnumFORMATETC* formats = reinterpret_cast<IEnumFORMATETC*>(0x1);
    EXPECT_EQ(E_INVALIDARG, CreateEnumFormatEtc(&DropList, 0, 0, &formats));
    EXPECT_EQ(nullptr, formats);
    formats = reinterpret_cast<IEnumFORMATETC*>(0x1);
    EXPECT_EQ(E_INVALIDARG, CreateEnumFormatEtc(nullptr, 1, 0, &formats));
    EXPECT_EQ(nullptr, formats);
    EXPECT_EQ(E_INVALIDARG, CreateEnumFormatEtc(&DropList, 1, 0, nullptr));
}

TEST(ShellEnumFormatEtc, QueryInterface)
{
    CComPtr<IEnumFORMATETC> formats = CreateOver({DropList});
    ASSERT_TRUE(formats);
    ExpectInterface(formats.Get(), IID_IEnumFORMATETC, formats.Get(), __LINE__);
    ExpectInterface(formats.Get(), IID_IUnknown, static_cast<IUnknown*>(formats.Get()), __LINE__);
    ExpectNoInterface(formats.Get(), IID_IDataObject, __LINE__);
}

// The enumerator works on its own copy: the caller's array may change or go away.
TEST(ShellEnumFormatEtc, EnumeratesACopyOfTheFormats)
{
    FORMATETC given[1] = {DropList};
    CComPtr<IEnumFORMATETC> formats;
    ASSERT_EQ(S_OK, CreateEnumFormatEtc(given, 1, 0, &formats));
    given[0] = Sentinel;
    ExpectNext(formats.Get(), S_OK, DropList, __LINE__);
}

// Every target device is copied: into the enumerator, into each clone and into every format
// Next hands out (the receiver frees that one); the last Release frees the rest.
TEST(ShellEnumFormatEtc, TargetDevicesAreCopiedAndFreed)
{
    CMallocSpy allocations;
    ASSERT_TRUE(allocations.IsRegistered());
    FORMATETC given = DropList;
    given.ptd = test_support::NewTargetDevice(48);
    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(S_OK, CreateEnumFormatEtc(&given, 1, 0, &formats));
    EXPECT_EQ(2u, allocations.GetLiveBlocks());

    IEnumFORMATETC* clone = nullptr;
    ASSERT_EQ(S_OK, formats->Clone(&clone));
    EXPECT_EQ(3u, allocations.GetLiveBlocks());
    EXPECT_EQ(2u, formats->AddRef());
    EXPECT_EQ(1u, formats->Release());
    EXPECT_EQ(0u, formats->Release());
    EXPECT_EQ(2u, allocations.GetLiveBlocks()) << "the last Release freed no device";

    FORMATETC listed = Sentinel;
    ASSERT_EQ(S_OK, clone->Next(1, &listed, nullptr));
    ASSERT_NE(nullptr, listed.ptd);
    EXPECT_NE(given.ptd, listed.ptd);
    EXPECT_TRUE(test_support::SameTargetDevice(given.ptd, listed.ptd));
    EXPECT_EQ(3u, allocations.GetLiveBlocks());
    CoTaskMemFree(listed.ptd);
    CoTaskMemFree(given.ptd);
    EXPECT_EQ(0u, clone->Release());
    EXPECT_EQ(0u, allocations.GetLiveBlocks()) << "a target device was not freed";
}
} // namespace
