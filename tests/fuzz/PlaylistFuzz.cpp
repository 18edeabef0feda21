// libFuzzer target: the playlist-file reader on arbitrary bytes. Besides the
// sanitizers' checks, whatever the reader accepts must stay within what the
// input can hold (an item a byte, a text no longer than the input, a list
// sized to the items read) and survive a write and a second read unchanged.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "saver/settings/PlaylistFormat.h"
#include "saver/settings/SaverSettings.h"
#include "tests/support/BorrowedByteStream.h"
#include "tests/support/MemoryByteStream.h"
#include "tests/support/MemoryProfileStore.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// Writes `settings` into `out`, one of two streams kept for the whole run:
// their 64 KB buffers and their byte vectors are made once, not per input.
const std::vector<uint8_t>& Written(const SaverSettings& settings, int which) {
    static MemoryByteStream streams[2];
    MemoryByteStream& out = streams[which];
    out.Clear();
    settings.WritePlaylist(out);
    return out.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryProfileStore store;
    SaverSettings settings(store, nullptr);
    // Read in place: a copy and a 64 KB buffer per input cost more than the
    // reading itself.
    BorrowedByteStream in(data, size);
    if (!settings.ReadPlaylist(in)) {
        Check(settings.GetCount() == 0);
        return 0;
    }
    const size_t records = size - std::min<size_t>(size, playlist::kHeaderLength);
    Check(settings.GetCount() <= records / playlist::kMinRecordLength);
    Check(settings.Items().Capacity() <=
          std::max<size_t>(2 * settings.GetCount(),
                           records / playlist::kMinWrittenRecordLength + 1));
    for (uint32_t i = 0; i < settings.GetCount(); ++i) {
        const MediaItem& item = *settings.GetItem(i);
        Check(item.File.size() <= size);
        Check(item.Title.size() <= size);
        Check(item.MCI.size() <= size);
        Check(item.TitleFont.lfHeight == -16);
        Check(item.TitleFont.lfFaceName[MediaItem::kMaxFaceLength] == '\0');
    }
    const std::vector<uint8_t>& once = Written(settings, 0);
    SaverSettings again(store, nullptr);
    BorrowedByteStream reread(once.data(), once.size());
    Check(again.ReadPlaylist(reread));
    Check(again.GetCount() == settings.GetCount());
    Check(Written(again, 1) == once);
    return 0;
}
