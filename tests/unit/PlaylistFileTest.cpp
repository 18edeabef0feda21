#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "saver/settings/PlaylistFormat.h"
#include "saver/settings/SaverSettings.h"
#include "tests/support/MemoryByteStream.h"
#include "tests/support/MemoryProfileStore.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Little helpers to write playlist bytes by hand.
void Put(Bytes& out, std::initializer_list<uint8_t> bytes) { out.insert(out.end(), bytes); }
void PutText(Bytes& out, const std::string& text) {
    out.push_back(0x01);
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0x00);
}
void PutNumber(Bytes& out, uint32_t v) {
    Put(out, {0x01, uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}
Bytes Header(uint32_t count) {
    Bytes out{'P', 'E', 'L', 'O', 'R', '3', '0', '1'};
    Put(out, {uint8_t(count), uint8_t(count >> 8), uint8_t(count >> 16), uint8_t(count >> 24)});
    return out;
}

// A full record as the format lays it out, field by field.
void PutRecord(Bytes& out, const std::string& file, const std::string& title,
               const std::string& mci, const std::vector<uint32_t>& numbers, uint8_t italic,
               const std::string& face) {
    PutText(out, file);
    PutText(out, title);
    PutText(out, mci);
    for (uint32_t n : numbers) PutNumber(out, n);
    Put(out, {0x01, italic});
    PutText(out, face);
    out.push_back(0x00);
}

// Mute, Scale, Loops, LoopInfinite, TitleMovie, TitleBefore, Align, Bounce, weight.
const std::vector<uint32_t> kNewItemNumbers = {0, 0, 1, 0, 0, 1, 0, 0, 0};

class PlaylistFile : public ::testing::Test {
protected:
    SaverSettings settings_{store_, nullptr};
    MemoryProfileStore store_;

    MediaItem* Add(const std::string& file) {
        auto item = std::make_unique<MediaItem>();
        item->File = file;
        MediaItem* raw = item.get();
        if (settings_.AddItem(item.get()) >= 0) item.release();
        return raw;
    }
    Bytes Written() {
        MemoryByteStream out;
        settings_.WritePlaylist(out);
        return out.Bytes();
    }
    bool ReadBytes(const Bytes& bytes, uint32_t chunk = UINT32_MAX) {
        MemoryByteStream in(bytes, chunk);
        return settings_.ReadPlaylist(in);
    }
};

// The numbers and the font of a newly constructed item.
void ExpectNewItemValues(const MediaItem& item) {
    const MediaItem fresh;
    EXPECT_EQ(item.Mute, 0);
    EXPECT_EQ(item.Scale, ScaleUseGlobal);
    EXPECT_EQ(item.Loops, 1u);
    EXPECT_EQ(item.LoopInfinite, 0);
    EXPECT_EQ(item.TitleMovie, 0);
    EXPECT_EQ(item.TitleBefore, 1);
    EXPECT_EQ(item.Align, AlignCenter);
    EXPECT_EQ(item.Bounce, 0);
    EXPECT_EQ(0, std::memcmp(&item.TitleFont, &fresh.TitleFont, sizeof fresh.TitleFont));
}

TEST_F(PlaylistFile, OneNewItemIsTheDocumented89Bytes) {
    Add("C:\\a.m");
    Bytes expected = Header(1);
    Put(expected, {0x01, 0x43, 0x3A, 0x5C, 0x61, 0x2E, 0x6D, 0x00});
    Put(expected, {0x01, 0x00, 0x01, 0x00});
    for (uint8_t loopsOrBefore : {0, 0, 1, 0, 0, 1, 0, 0, 0}) {
        Put(expected, {0x01, loopsOrBefore, 0x00, 0x00, 0x00});
    }
    Put(expected, {0x01, 0x00});
    PutText(expected, "Times New Roman");
    expected.push_back(0x00);
    ASSERT_EQ(expected.size(), 89u);
    EXPECT_EQ(Written(), expected);
}

TEST_F(PlaylistFile, RecordLengthGrowsByOneByteACharacter) {
    Add("");
    EXPECT_EQ(Written().size(), 12u + 71u);
    settings_.GetItem(0)->Title = "abc";
    settings_.GetItem(0)->MCI = "waveaudio";
    EXPECT_EQ(Written().size(), 12u + 71u + 3u + 9u);
}

TEST_F(PlaylistFile, EmptyListIsTheHeaderAloneAndReadingItEmptiesTheList) {
    const Bytes empty = Written();
    EXPECT_EQ(empty, Bytes({'P', 'E', 'L', 'O', 'R', '3', '0', '1', 0, 0, 0, 0}));
    Add("C:\\one.avi");
    Add("C:\\two.avi");
    EXPECT_TRUE(ReadBytes(empty));
    EXPECT_EQ(settings_.GetCount(), 0u);
}

TEST_F(PlaylistFile, AnythingButTheExactSignatureLeavesTheListAlone) {
    const std::vector<Bytes> notPlaylists = {
        {},
        {'P', 'E', 'L', 'O', 'R', '3', '0'},
        {'p', 'e', 'l', 'o', 'r', '3', '0', '1', 0, 0, 0, 0},
        {'P', 'E', 'L', 'O', 'R', '3', '0', '2', 0, 0, 0, 0},
        {'P', 'E', 'L', 'O', 'R', '3', '0', 0, 0, 0, 0, 0},
        {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '},
    };
    Add("C:\\kept.avi");
    for (const Bytes& bytes : notPlaylists) {
        EXPECT_FALSE(ReadBytes(bytes)) << bytes.size() << " bytes";
        ASSERT_EQ(settings_.GetCount(), 1u);
        EXPECT_EQ(settings_.GetItem(0)->File, "C:\\kept.avi");
    }
}

TEST_F(PlaylistFile, RoundTripKeepsEveryStoredFieldInOrder) {
    MediaItem* a = Add("C:\\movies\\first clip.avi");
    a->Title = "First";
    a->MCI = "avivideo";
    a->Mute = 1;
    a->Scale = ScaleQuarterScreen;
    a->Loops = 0xFFFFFFFEu;
    a->LoopInfinite = 1;
    a->TitleMovie = 1;
    a->TitleBefore = 0;
    a->Align = AlignLowerRight;
    a->Bounce = 1;
    a->SetFont("Liberation Serif", 700, 1);
    a->Letterbox = 0;  // none of these three are stored
    a->Played = 1;
    a->IsLogo = 1;
    MediaItem* b = Add("C:\\b");
    b->Align = static_cast<AlignMode>(-1);
    b->SetFont("Arial", -5, 0);
    Add("D:\\\xE9t\xE9.wav");  // ANSI bytes above 127 pass unchanged

    const Bytes bytes = Written();
    SaverSettings in(store_, nullptr);
    MemoryByteStream stream(bytes);
    ASSERT_TRUE(in.ReadPlaylist(stream));
    ASSERT_EQ(in.GetCount(), 3u);
    const MediaItem& r = *in.GetItem(0);
    EXPECT_EQ(r.File, a->File);
    EXPECT_EQ(r.Title, "First");
    EXPECT_EQ(r.MCI, "avivideo");
    EXPECT_EQ(r.Mute, 1);
    EXPECT_EQ(r.Scale, ScaleQuarterScreen);
    EXPECT_EQ(r.Loops, 0xFFFFFFFEu);
    EXPECT_EQ(r.LoopInfinite, 1);
    EXPECT_EQ(r.TitleMovie, 1);
    EXPECT_EQ(r.TitleBefore, 0);
    EXPECT_EQ(r.Align, AlignLowerRight);
    EXPECT_EQ(r.Bounce, 1);
    EXPECT_EQ(r.Letterbox, 1);
    EXPECT_EQ(r.Played, 0);
    EXPECT_EQ(r.IsLogo, 0);
    const LogFont font = r.GetTitleFont();
    EXPECT_STREQ(font.lfFaceName, "Liberation Serif");
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfHeight, -16);
    EXPECT_EQ(in.GetItem(1)->File, "C:\\b");
    EXPECT_EQ(in.GetItem(1)->Align, static_cast<AlignMode>(-1));
    EXPECT_EQ(in.GetItem(1)->TitleFont.lfWeight, -5);
    EXPECT_EQ(in.GetItem(2)->File, "D:\\\xE9t\xE9.wav");

    // And the same bytes come out again.
    MemoryByteStream again;
    in.WritePlaylist(again);
    EXPECT_EQ(again.Bytes(), bytes);
}

TEST_F(PlaylistFile, ShortRecordsKeepTheValuesOfANewItem) {
    Bytes bytes = Header(3);
    PutText(bytes, "C:\\a.avi");
    bytes.push_back(0x00);  // stops after the file
    PutText(bytes, "C:\\b.avi");
    PutText(bytes, "Bee");
    PutText(bytes, "waveaudio");
    bytes.push_back(0x00);  // stops after field 2
    PutText(bytes, "C:\\c.avi");
    PutText(bytes, "");
    PutText(bytes, "");
    for (uint32_t n : {1u, 3u, 7u}) PutNumber(bytes, n);  // Mute, Scale, Loops
    bytes.push_back(0x00);
    ASSERT_TRUE(ReadBytes(bytes));
    ASSERT_EQ(settings_.GetCount(), 3u);
    const MediaItem& a = *settings_.GetItem(0);
    EXPECT_EQ(a.File + a.Title + a.MCI, "C:\\a.avi");
    ExpectNewItemValues(a);
    EXPECT_EQ(settings_.GetItem(1)->File, "C:\\b.avi");
    EXPECT_EQ(settings_.GetItem(1)->Title, "Bee");
    EXPECT_EQ(settings_.GetItem(1)->MCI, "waveaudio");
    ExpectNewItemValues(*settings_.GetItem(1));
    const MediaItem& c = *settings_.GetItem(2);
    EXPECT_EQ(c.Mute, 1);
    EXPECT_EQ(c.Scale, ScaleHalf);
    EXPECT_EQ(c.Loops, 7u);
    EXPECT_EQ(c.TitleBefore, 1);
}

TEST_F(PlaylistFile, WeightAndItalicWithoutAFaceKeepTimesNewRoman) {
    Bytes bytes = Header(1);
    PutText(bytes, "C:\\x.avi");
    PutText(bytes, "");
    PutText(bytes, "");
    for (uint32_t n : {0u, 0u, 1u, 0u, 0u, 1u, 0u, 0u, 700u}) PutNumber(bytes, n);
    Put(bytes, {0x01, 0x01, 0x00});
    ASSERT_TRUE(ReadBytes(bytes));
    const LogFont font = settings_.GetItem(0)->GetTitleFont();
    EXPECT_STREQ(font.lfFaceName, "Times New Roman");
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfHeight, -16);
}

// A record without a file (the lone end byte of a damaged file) names
// nothing: it is left out, and the records after it are kept.
TEST_F(PlaylistFile, ARecordWithAnEmptyFileIsLeftOutAndTheRestKept) {
    Bytes bytes = Header(4);
    PutRecord(bytes, "C:\\1.avi", "", "", kNewItemNumbers, 0, "Arial");
    bytes.push_back(0x00);
    PutRecord(bytes, "", "Title", "", kNewItemNumbers, 0, "Arial");
    PutRecord(bytes, "C:\\3.avi", "", "", kNewItemNumbers, 0, "Arial");
    ASSERT_TRUE(ReadBytes(bytes));
    ASSERT_EQ(settings_.GetCount(), 2u);
    EXPECT_EQ(settings_.GetItem(0)->File, "C:\\1.avi");
    EXPECT_EQ(settings_.GetItem(1)->File, "C:\\3.avi");
}

// The count is a promise the file must keep: fewer records than it names is
// a file cut short, and the list stays as it was.
TEST_F(PlaylistFile, ACountLargerThanTheRecordsLeavesTheListAlone) {
    Add("C:\\was here");
    Bytes bytes = Header(5);
    PutRecord(bytes, "C:\\1.avi", "", "", kNewItemNumbers, 0, "Times New Roman");
    PutRecord(bytes, "C:\\2.avi", "", "", kNewItemNumbers, 0, "Times New Roman");
    MemoryByteStream in(bytes);
    EXPECT_EQ(settings_.ReadPlaylistFile(in), PlaylistRead::Damaged);
    ASSERT_EQ(settings_.GetCount(), 1u);
    EXPECT_EQ(settings_.GetItem(0)->File, "C:\\was here");
}

TEST_F(PlaylistFile, ACountSmallerThanTheRecordsIgnoresTheRest) {
    Bytes bytes = Header(1);
    PutRecord(bytes, "C:\\1.avi", "", "", kNewItemNumbers, 0, "Arial");
    PutRecord(bytes, "C:\\2.avi", "", "", kNewItemNumbers, 0, "Arial");
    ASSERT_TRUE(ReadBytes(bytes));
    EXPECT_EQ(settings_.GetCount(), 1u);
}

// Two records of the 89-byte example cut short at every length after the
// signature: never a partial list, the one before stays whole.
TEST_F(PlaylistFile, AFileCutAnywhereLeavesTheListAsItWas) {
    Add("C:\\a.m");
    settings_.GetItem(0)->Title = "Tt";
    settings_.GetItem(0)->Loops = 9;
    settings_.GetItem(0)->SetFont("Courier", 400, 1);
    Bytes full = Written();
    full.insert(full.end(), full.begin() + 12, full.end());  // a second record
    full[8] = 2;
    settings_.Items().RemoveAll();
    for (size_t length = 0; length < full.size(); ++length) {
        SCOPED_TRACE("cut at " + std::to_string(length));
        Add("C:\\was here");
        MemoryByteStream in(Bytes(full.begin(), full.begin() + static_cast<long>(length)));
        EXPECT_EQ(settings_.ReadPlaylistFile(in),
                  length < playlist::kSignatureLength ? PlaylistRead::NotAPlaylist : PlaylistRead::Damaged);
        ASSERT_EQ(settings_.GetCount(), 1u);
        EXPECT_EQ(settings_.GetItem(0)->File, "C:\\was here");
        settings_.Items().RemoveAll();
    }
    ASSERT_TRUE(ReadBytes(full));
    ASSERT_EQ(settings_.GetCount(), 2u);
    EXPECT_EQ(settings_.GetItem(1)->Loops, 9u);
    EXPECT_STREQ(settings_.GetItem(1)->TitleFont.lfFaceName, "Courier");
}

TEST_F(PlaylistFile, MarkersBeyondTheLastFieldCarryNoValue) {
    Bytes bytes = Header(2);
    PutRecord(bytes, "C:\\1.avi", "", "", kNewItemNumbers, 0, "Arial");
    bytes.pop_back();                       // the end byte comes after the extras
    Put(bytes, {0x01, 0x01, 0x01, 0x00});  // three markers for fields 14, 15, 16
    PutRecord(bytes, "C:\\2.avi", "Two", "", kNewItemNumbers, 1, "Verdana");
    ASSERT_TRUE(ReadBytes(bytes));
    ASSERT_EQ(settings_.GetCount(), 2u);
    EXPECT_STREQ(settings_.GetItem(0)->TitleFont.lfFaceName, "Arial");
    EXPECT_EQ(settings_.GetItem(1)->File, "C:\\2.avi");
    EXPECT_EQ(settings_.GetItem(1)->Title, "Two");
    EXPECT_STREQ(settings_.GetItem(1)->TitleFont.lfFaceName, "Verdana");
}

TEST_F(PlaylistFile, AnyByteOtherThanAMarkerEndsTheRecord) {
    Bytes bytes = Header(2);
    PutText(bytes, "C:\\1.avi");
    bytes.push_back(0x7F);  // ends the record instead of a marker for Title
    PutRecord(bytes, "C:\\2.avi", "", "", kNewItemNumbers, 0, "Arial");
    ASSERT_TRUE(ReadBytes(bytes));
    ASSERT_EQ(settings_.GetCount(), 2u);
    EXPECT_EQ(settings_.GetItem(0)->File, "C:\\1.avi");
    ExpectNewItemValues(*settings_.GetItem(0));
    EXPECT_EQ(settings_.GetItem(1)->File, "C:\\2.avi");
}

TEST_F(PlaylistFile, LongTextsComeBackWholeAndOnlyTheFaceIsCut) {
    const std::string longPath(5000, 'p');
    const std::string longFace(40, 'F');
    Bytes bytes = Header(2);
    PutRecord(bytes, longPath, std::string(70000, 't'), std::string(1500, 'm'),
              {0, 0, 3, 0, 0, 1, 0, 0, 0}, 0, longFace);
    PutRecord(bytes, "C:\\after.avi", "", "", kNewItemNumbers, 0, "Arial");
    for (uint32_t chunk : {UINT32_MAX, 7u}) {
        ASSERT_TRUE(ReadBytes(bytes, chunk));
        ASSERT_EQ(settings_.GetCount(), 2u);
        EXPECT_EQ(settings_.GetItem(0)->File, longPath);
        EXPECT_EQ(settings_.GetItem(0)->Title, std::string(70000, 't')) << "longer than the buffer";
        EXPECT_EQ(settings_.GetItem(0)->MCI, std::string(1500, 'm'));
        EXPECT_EQ(settings_.GetItem(0)->Loops, 3u);
        EXPECT_EQ(settings_.GetItem(0)->TitleFont.lfFaceName, std::string(31, 'F'));
        EXPECT_EQ(settings_.GetItem(1)->File, "C:\\after.avi");
    }
}

// What the registry keeps (33,000 items, a 2,000-character title), a file
// keeps too.
TEST_F(PlaylistFile, WhatTheRegistryKeepsAFileKeeps) {
    for (int i = 0; i < 33000; ++i) {
        MediaItem* item = Add("C:\\clips\\" + std::to_string(i) + ".avi");
        item->Loops = static_cast<uint32_t>(i);
    }
    settings_.GetItem(0)->Title = std::string(2000, 'T');
    settings_.GetItem(1)->File = std::string(2000, 'F');
    settings_.GetItem(2)->MCI = std::string(2000, 'M');
    const SaverSettings& registry = settings_;
    const Bytes bytes = Written();
    SaverSettings file(store_, nullptr);
    MemoryByteStream in(bytes);
    ASSERT_TRUE(file.ReadPlaylist(in));
    ASSERT_EQ(file.GetCount(), registry.GetCount());
    for (uint32_t i = 0; i < file.GetCount(); ++i) {
        const MediaItem& a = *file.GetItem(i);
        const MediaItem& b = *registry.GetItem(i);
        ASSERT_EQ(a.File, b.File) << i;
        ASSERT_EQ(a.Title, b.Title) << i;
        ASSERT_EQ(a.MCI, b.MCI) << i;
        ASSERT_EQ(a.Loops, b.Loops) << i;
    }
    EXPECT_EQ(file.GetItem(0)->Title.size(), 2000u);
    EXPECT_EQ(file.GetItem(32999)->Loops, 32999u);
}

TEST_F(PlaylistFile, AHugeTextWithoutItsZeroTakesWhatTheFileHolds) {
    Bytes bytes = Header(1);
    bytes.push_back(0x01);
    bytes.resize(bytes.size() + (8u << 20), 'z');  // 8 MB and no terminating zero
    EXPECT_FALSE(ReadBytes(bytes));
    EXPECT_EQ(settings_.GetCount(), 0u);
    // With its zero and end byte it is one long name.
    Put(bytes, {0x00, 0x00});
    ASSERT_TRUE(ReadBytes(bytes));
    ASSERT_EQ(settings_.GetCount(), 1u);
    EXPECT_EQ(settings_.GetItem(0)->File.size(), 8u << 20);
    EXPECT_LE(settings_.GetItem(0)->File.capacity(), 2 * (8u << 20));
}

// The count cannot make the reader allocate beyond what the file can hold:
// a lone end byte is the shortest record.
TEST_F(PlaylistFile, AHugeCountTakesMemoryForTheRecordsPresentOnly) {
    // Records of one letter's name, the shortest that make an item.
    auto shortRecords = [](uint32_t count, uint32_t records) {
        Bytes bytes = Header(count);
        for (uint32_t i = 0; i < records; ++i) Put(bytes, {0x01, 'x', 0x00, 0x00});
        return bytes;
    };
    for (uint32_t records : {0u, 1u, 40000u}) {
        SCOPED_TRACE(records);
        ASSERT_TRUE(ReadBytes(shortRecords(records, records)));
        EXPECT_EQ(settings_.GetCount(), records);
        EXPECT_LE(settings_.Items().Capacity(), 2 * records + 1);
        // Under a count far beyond them, the same records are a cut file.
        EXPECT_FALSE(ReadBytes(shortRecords(0xFFFFFFFFu, records)));
        EXPECT_EQ(settings_.GetCount(), records);
    }

    // A stream that cannot tell its length still reads every record.
    MemoryByteStream blind(shortRecords(5000, 5000));
    blind.knowsLength = false;
    ASSERT_TRUE(settings_.ReadPlaylist(blind));
    EXPECT_EQ(settings_.GetCount(), 5000u);
}

TEST_F(PlaylistFile, ReadsTheSameWhateverTheStreamHandsOverAtOnce) {
    for (int i = 0; i < 40; ++i) {
        MediaItem* item = Add("C:\\clips\\" + std::to_string(i) + ".avi");
        item->Title = std::string(static_cast<size_t>(i) * 25, 'T');
        item->Loops = static_cast<uint32_t>(i);
    }
    const Bytes bytes = Written();
    for (uint32_t chunk : {1u, 2u, 3u, 7u, 4096u}) {
        SaverSettings in(store_, nullptr);
        MemoryByteStream stream(bytes, chunk);
        ASSERT_TRUE(in.ReadPlaylist(stream));
        ASSERT_EQ(in.GetCount(), 40u) << "chunk " << chunk;
        EXPECT_EQ(in.GetItem(39)->Title.size(), 39u * 25u);
        EXPECT_EQ(in.GetItem(39)->Loops, 39u);
        EXPECT_EQ(stream.ReadPosition(), bytes.size());
    }
}

TEST_F(PlaylistFile, ReadingIsBufferedNotOneRawReadPerByte) {
    for (int i = 0; i < 2000; ++i) Add("C:\\clips\\movie" + std::to_string(i) + ".avi");
    const Bytes bytes = Written();
    ASSERT_GT(bytes.size(), 150000u);
    MemoryByteStream in(bytes);
    ASSERT_TRUE(settings_.ReadPlaylist(in));
    EXPECT_EQ(settings_.GetCount(), 2000u);
    EXPECT_LE(in.rawReads, static_cast<int>(bytes.size() / ByteStream::kBufferSize) + 3);
}

TEST_F(PlaylistFile, ALongListIsAllocatedOnceAndLaterAdditionsGrowByFive) {
    for (int i = 0; i < 1000; ++i) Add("C:\\clip" + std::to_string(i) + ".avi");
    const Bytes bytes = Written();
    SaverSettings in(store_, nullptr);
    MemoryByteStream stream(bytes);
    ASSERT_TRUE(in.ReadPlaylist(stream));
    ASSERT_EQ(in.GetCount(), 1000u);
    EXPECT_EQ(in.Items().Capacity(), 1000u);
    auto extra = std::make_unique<MediaItem>();
    ASSERT_GE(in.AddItem(extra.get()), 0);
    extra.release();
    EXPECT_EQ(in.Items().Capacity(), 1005u);
}

TEST_F(PlaylistFile, AWriteFailurePassesToTheCaller) {
    for (int i = 0; i < 5000; ++i) Add("C:\\clips\\movie" + std::to_string(i) + ".avi");
    MemoryByteStream out;
    out.failAfter = 100;
    EXPECT_THROW(
        {
            settings_.WritePlaylist(out);
            out.Flush();
        },
        MemoryByteStream::WriteFailed);
}

// Dropping ten thousand movies tries each as a playlist: that costs the
// eight bytes of the signature, not a buffer's worth of each.
TEST_F(PlaylistFile, AFileThatIsNoPlaylistCostsItsFirstEightBytes) {
    Bytes movie(1u << 20, 'm');
    MemoryByteStream in(movie);
    EXPECT_FALSE(settings_.ReadPlaylist(in));
    EXPECT_EQ(in.rawBytesRead, playlist::kSignatureLength);
}

// Nothing to write is a write of nothing, whatever the pointer.
TEST(ByteStream, AnEmptyWriteTouchesNothing) {
    MemoryByteStream out;
    out.Write(nullptr, 0);
    const uint8_t byte = 7;
    out.Write(&byte, 1);
    out.Write(nullptr, 0);
    EXPECT_EQ(out.Bytes(), Bytes{7});
}

TEST(ByteStream, LargeAndSmallWritesArriveInOrder) {
    MemoryByteStream out;
    std::vector<uint8_t> expected;
    const std::vector<uint32_t> sizes = {1, 70000, 3, ByteStream::kBufferSize - 4, 5, 200000, 0, 1};
    uint8_t next = 0;
    for (uint32_t size : sizes) {
        std::vector<uint8_t> block(size);
        for (uint8_t& b : block) b = next++;
        out.Write(block.data(), size);
        expected.insert(expected.end(), block.begin(), block.end());
    }
    EXPECT_EQ(out.Bytes(), expected);

    MemoryByteStream in(expected, 1000);
    std::vector<uint8_t> back;
    for (uint32_t size : sizes) {
        std::vector<uint8_t> block(size);
        ASSERT_EQ(in.Read(block.data(), size), size);
        back.insert(back.end(), block.begin(), block.end());
    }
    EXPECT_EQ(back, expected);
    uint8_t extra = 0;
    EXPECT_EQ(in.Read(&extra, 1), 0u);
}

}  // namespace

namespace {

TEST(ByteStream, ReadUntilKeepsWhatFitsAndConsumesTheStopByte) {
    for (uint32_t chunk : {1u, 2u, 3u, 100u}) {
        SCOPED_TRACE("chunk " + std::to_string(chunk));
        const std::string text("abc\0defgh\0\0xyz", 14);
        MemoryByteStream in(std::vector<uint8_t>(text.begin(), text.end()), chunk);
        char out[8] = {};
        bool found = false;
        EXPECT_EQ(in.ReadUntil(0, out, 8, found), 3u);
        EXPECT_TRUE(found);
        EXPECT_EQ(std::string(out, 3), "abc");
        EXPECT_EQ(in.ReadUntil(0, out, 2, found), 2u);
        EXPECT_TRUE(found);
        EXPECT_EQ(std::string(out, 2), "de");
        EXPECT_EQ(in.ReadUntil(0, out, 8, found), 0u);
        EXPECT_TRUE(found);
        uint8_t byte = 0;
        ASSERT_EQ(in.Read(&byte, 1), 1u) << "a byte-wise read goes on after the stop byte";
        EXPECT_EQ(byte, 'x');
        EXPECT_EQ(in.ReadUntil(0, out, 8, found), 2u);
        EXPECT_FALSE(found);
        EXPECT_EQ(in.Read(&byte, 1), 0u);
    }
}

}  // namespace
