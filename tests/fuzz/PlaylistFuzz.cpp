// libFuzzer target: the playlist-file reader on arbitrary bytes. Besides the
// sanitizers' checks, whatever the reader accepts must stay within what the
// input can hold (an item a byte, a text no longer than the input, a list
// sized to the items read) and survive a write and a second read unchanged,
// every field the file holds compared.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "saver/settings/MediaItemFields.h"
#include "saver/settings/PlaylistFormat.h"
#include "saver/settings/SaverSettings.h"
#include "tests/support/BorrowedByteStream.h"
#include "tests/support/MemoryByteStream.h"
#include "tests/support/MemoryProfileStore.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// Writes `settings` into a stream kept for the whole run: its 64 KB buffer
// and its byte vector are made once, not per input.
const std::vector<uint8_t>& Written(const SaverSettings& settings) {
    static MemoryByteStream out;
    out.Clear();
    settings.WritePlaylist(out);
    return out.Bytes();
}

// Whether `a` and `b` agree in every field a playlist file holds: what a
// second write would compare, without the cost of writing.
bool SameFileFields(const MediaItem& a, const MediaItem& b) {
    for (uint32_t number = 0; number < playlist::FieldCount; ++number) {
        const MediaItemField& field = *FindMediaItemField(number);
        const bool same = field.IsText() ? std::strcmp(field.getText(a), field.getText(b)) == 0
                                         : field.getNumber(a) == field.getNumber(b);
        if (!same) return false;
    }
    return true;
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
    const std::vector<uint8_t>& once = Written(settings);
    SaverSettings again(store, nullptr);
    BorrowedByteStream reread(once.data(), once.size());
    Check(again.ReadPlaylist(reread));
    Check(reread.BytesLeft() == 0);
    Check(again.GetCount() == settings.GetCount());
    for (uint32_t i = 0; i < settings.GetCount(); ++i) {
        Check(SameFileFields(*again.GetItem(i), *settings.GetItem(i)));
    }
    return 0;
}
