// Global memory blocks, memory streams, storage media, format enumerators and COM start-up.
#include "fake_data_object.h"

#include "platform/ole/com_init.h"
#include "platform/ole/stream.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

using namespace win;

TEST(GlobalMemory, BlocksKeepTheirExactSizeAndStartZeroed)
{
    const HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 13);
    ASSERT_NE(mem, nullptr);
    EXPECT_EQ(GlobalSize(mem), 13u);
    auto* bytes = static_cast<char*>(GlobalLock(mem));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::count(bytes, bytes + 13, '\0'), 13);
    std::memcpy(bytes, "hello", 5);
    EXPECT_EQ(GlobalLock(mem), bytes) << "blocks never move";
    EXPECT_EQ(GlobalUnlock(mem), TRUE) << "still locked once";
    EXPECT_EQ(GlobalUnlock(mem), FALSE);
    EXPECT_EQ(BytesOfGlobal(mem), QByteArray("hello\0\0\0\0\0\0\0\0", 13));
    EXPECT_EQ(GlobalFree(mem), nullptr);

    const HGLOBAL empty = GlobalAlloc(GHND, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(GlobalSize(empty), 0u);
    EXPECT_EQ(GlobalLock(empty), nullptr);
    EXPECT_EQ(GlobalFree(empty), nullptr);
}

TEST(GlobalMemory, HandlesThatNameNoBlockAreRefused)
{
    const HGLOBAL freed = GlobalFromBytes("gone");
    ASSERT_EQ(GlobalFree(freed), nullptr);
    const HGLOBAL madeUp = reinterpret_cast<HGLOBAL>(std::uintptr_t(0x1234));
    for (const HGLOBAL bad : {HGLOBAL(nullptr), freed, madeUp}) {
        EXPECT_EQ(GlobalLock(bad), nullptr);
        EXPECT_EQ(GlobalUnlock(bad), FALSE);
        EXPECT_EQ(GlobalSize(bad), 0u);
        EXPECT_EQ(GlobalFree(bad), bad);
        EXPECT_FALSE(BytesOfGlobal(bad));
    }
    const HGLOBAL next = GlobalFromBytes("new");
    EXPECT_NE(next, freed) << "handles are never reused";
    GlobalFree(next);
}

TEST(GlobalMemory, ThreadsAllocateAndFreeAtTheSameTime)
{
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([] {
            for (int i = 0; i < 2000; ++i) {
                const HGLOBAL mem = GlobalFromBytes(QByteArray(i % 64, 'x'));
                if (GlobalSize(mem) != std::size_t(i % 64) || GlobalFree(mem) != nullptr)
                    std::abort();
            }
        });
    for (std::thread& thread : threads)
        thread.join();
}

TEST(MemoryStream, ReadsWritesSeeksAndTellsItsSize)
{
    const auto stream = MakeComObject<MemoryStream>("abcdef");
    char buffer[8] = {};
    ULONG count = 0;
    EXPECT_EQ(stream->Read(buffer, 4, &count), S_OK);
    EXPECT_EQ(QByteArray(buffer, int(count)), "abcd");
    EXPECT_EQ(stream->Read(buffer, 4, &count), S_FALSE) << "fewer bytes than asked";
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(stream->Read(buffer, 4, &count), S_FALSE);
    EXPECT_EQ(count, 0u);

    ULARGE_INTEGER position = 0;
    EXPECT_EQ(stream->Seek(-2, STREAM_SEEK_END, &position), S_OK);
    EXPECT_EQ(position, 4u);
    EXPECT_EQ(stream->Seek(-5, STREAM_SEEK_CUR, nullptr), STG_E_INVALIDFUNCTION) << "before the start";
    EXPECT_EQ(stream->Seek(0, 7, nullptr), STG_E_INVALIDFUNCTION);
    EXPECT_EQ(stream->Seek(8, STREAM_SEEK_SET, nullptr), S_OK);
    EXPECT_EQ(stream->Write("XY", 2, &count), S_OK);
    EXPECT_EQ(stream->Bytes(), QByteArray("abcdef\0\0XY", 10)) << "writing past the end grows the stream";

    STATSTG stat;
    EXPECT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.cbSize, 10u);
    EXPECT_EQ(stat.type, STGTY_STREAM);
    EXPECT_EQ(stat.pwcsName, nullptr);

    EXPECT_EQ(ReadWholeStream(stream.Get(), 100), QByteArray("abcdef\0\0XY", 10));
    EXPECT_FALSE(ReadWholeStream(stream.Get(), 9)) << "larger than the limit";
}

TEST(MemoryStream, CopyToMovesTheBytesFromThePosition)
{
    const auto source = MakeComObject<MemoryStream>(QByteArray(200000, 'z') + "end");
    const auto target = MakeComObject<MemoryStream>();
    ASSERT_EQ(source->Seek(1, STREAM_SEEK_SET, nullptr), S_OK);
    ULARGE_INTEGER read = 0;
    ULARGE_INTEGER written = 0;
    EXPECT_EQ(source->CopyTo(target.Get(), ~ULARGE_INTEGER(0), &read, &written), S_OK);
    EXPECT_EQ(read, 200002u);
    EXPECT_EQ(written, 200002u);
    EXPECT_TRUE(target->Bytes().endsWith("zend"));

    ComPtr<IStream> clone;
    ASSERT_EQ(source->Clone(clone.Put()), S_OK);
    EXPECT_EQ(ReadWholeStream(clone.Get(), 1 << 20)->size(), 200003);
}

TEST(StorageMedium, ReleaseFreesWhatTheMediumHoldsOnce)
{
    STGMEDIUM global;
    ASSERT_TRUE(MediumFromBytes("block", TYMED_HGLOBAL, global));
    const HGLOBAL block = global.hGlobal;
    ReleaseStgMedium(&global);
    EXPECT_EQ(GlobalSize(block), 0u) << "the block is freed";
    EXPECT_EQ(global.tymed, TYMED_NULL);
    ReleaseStgMedium(&global); // an empty medium: nothing happens

    ReleaseCounter counter;
    STGMEDIUM owned = counter.Medium("owned");
    const HGLOBAL ownedBlock = owned.hGlobal;
    ReleaseStgMedium(&owned);
    EXPECT_EQ(counter.Releases, 1);
    EXPECT_EQ(GlobalSize(ownedBlock), 5u) << "a release object owns the block";

    STGMEDIUM stream;
    ASSERT_TRUE(MediumFromBytes("streamed", TYMED_ISTREAM, stream));
    EXPECT_EQ(stream.tymed, TYMED_ISTREAM);
    EXPECT_EQ(BytesOfMedium(stream), QByteArray("streamed"));
    ReleaseStgMedium(&stream); // the stream's last reference: ASan reports a leak otherwise

    STGMEDIUM none;
    EXPECT_FALSE(MediumFromBytes("x", TYMED_ISTORAGE, none));
}

TEST(StorageMedium, CopyMakesItsOwnBlockAndSharesAStream)
{
    STGMEDIUM global;
    ASSERT_TRUE(MediumFromBytes("block", TYMED_HGLOBAL, global));
    STGMEDIUM copy;
    ASSERT_EQ(CopyStgMedium(&global, &copy), S_OK);
    EXPECT_NE(copy.hGlobal, global.hGlobal);
    EXPECT_EQ(copy.pUnkForRelease, nullptr);
    ReleaseStgMedium(&global);
    EXPECT_EQ(BytesOfMedium(copy), QByteArray("block"));
    ReleaseStgMedium(&copy);

    ReleaseCounter counter;
    STGMEDIUM stream;
    ASSERT_TRUE(MediumFromBytes("streamed", TYMED_ISTREAM, stream));
    stream.pUnkForRelease = &counter;
    STGMEDIUM shared;
    ASSERT_EQ(CopyStgMedium(&stream, &shared), S_OK);
    EXPECT_EQ(shared.pstm, stream.pstm);
    ReleaseStgMedium(&stream);
    EXPECT_EQ(BytesOfMedium(shared), QByteArray("streamed")) << "the copy keeps the stream alive";
    ReleaseStgMedium(&shared);
    EXPECT_EQ(counter.Releases, 2);

    STGMEDIUM bad;
    bad.tymed = TYMED_HGLOBAL;
    bad.hGlobal = reinterpret_cast<HGLOBAL>(std::uintptr_t(0x10));
    EXPECT_EQ(CopyStgMedium(&bad, &copy), E_INVALIDARG);
    bad.tymed = TYMED_FILE;
    EXPECT_EQ(CopyStgMedium(&bad, &copy), DV_E_TYMED);
    STGMEDIUM empty;
    EXPECT_EQ(CopyStgMedium(&empty, &copy), S_OK);
    EXPECT_EQ(copy.tymed, TYMED_NULL);
}

TEST(FormatEnumerator, NextSkipResetAndCloneWalkTheSnapshot)
{
    std::vector<FORMATETC> formats;
    for (const CLIPFORMAT format : {CF_TEXT, CF_UNICODETEXT, CF_HDROP})
        formats.push_back({format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    const auto enumerator = MakeComObject<FormatEtcEnumerator>(formats);
    FORMATETC got[4];
    ULONG fetched = 0;
    EXPECT_EQ(enumerator->Next(2, got, &fetched), S_OK);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(got[1].cfFormat, CF_UNICODETEXT);

    ComPtr<IEnumFORMATETC> clone;
    ASSERT_EQ(enumerator->Clone(clone.Put()), S_OK);
    EXPECT_EQ(enumerator->Next(4, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 1u);
    EXPECT_EQ(got[0].cfFormat, CF_HDROP);
    EXPECT_EQ(EnumerateFormats(clone.Get()).size(), 1u) << "the clone keeps the position it was made at";

    EXPECT_EQ(enumerator->Reset(), S_OK);
    EXPECT_EQ(enumerator->Skip(2), S_OK);
    EXPECT_EQ(enumerator->Skip(2), S_FALSE);
    EXPECT_EQ(enumerator->Next(1, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(enumerator->Reset(), S_OK);
    EXPECT_EQ(EnumerateFormats(enumerator.Get()).size(), 3u);
}

TEST(ComStartup, CountsStartsPerThreadAndFindsNoClasses)
{
    const int before = ComInitCount();
    std::thread([] {
        EXPECT_EQ(OleInitialize(nullptr), S_OK);
        EXPECT_EQ(CoInitialize(nullptr), S_FALSE) << "already started on this thread";
        CoUninitialize();
        OleUninitialize();
        EXPECT_EQ(ComInitCount(), 0);
    }).join();
    EXPECT_EQ(ComInitCount(), before) << "other threads count on their own";

    void* helper = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDropTargetHelper, &helper),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(helper, nullptr);
}
