// libFuzzer target: the settings loader over a hostile profile store. Every
// value the loader asks for, and the machine-wide defaults it may copy
// first, come from the input: missing, a number, a text of any length, or a
// value of another type. Whatever it loads must stay within what the input
// holds (no item without a file, no more items than the input could
// describe), and saving it and loading it back must give the same list.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/ProfileStore.h"
#include "saver/settings/SaverSettings.h"
#include "tests/support/MemoryProfileStore.h"

namespace {

// Names the failed check, so a finding says what it broke.
#define CHECK(condition)                                                        \
    do {                                                                        \
        if (!(condition)) {                                                     \
            std::fprintf(stderr, "check failed, line %d: %s\n", __LINE__, #condition); \
            std::abort();                                                       \
        }                                                                       \
    } while (false)

// Hands out the input's bytes; past the end every read is 0.
class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ == size_; }
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    uint32_t Number() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(Byte()) << (8 * i);
        return value;
    }
    std::string Text() {
        // A length byte, 255 meaning "the next two bytes": texts of any
        // length within reach of a short input.
        size_t length = Byte();
        if (length == 255) length = Byte() | static_cast<size_t>(Byte()) << 8;
        std::string text;
        while (text.size() < length && !Empty()) text.push_back(static_cast<char>(Byte()));
        return text;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// Each read takes its answer from the input: a kind byte, then the value.
class HostileStore : public ProfileStore {
public:
    explicit HostileStore(Input& input) : input_(input) {}
    uint32_t GetProfileInt(const char*, const char*, uint32_t def) override {
        ++reads;
        switch (input_.Byte() % 4) {
        case 1: return input_.Number();
        case 2: input_.Text(); return def;  // a text where a number belongs
        default: return def;
        }
    }
    std::string GetProfileString(const char*, const char*, const char* def) override {
        ++reads;
        switch (input_.Byte() % 4) {
        case 1: {
            // A registry text ends at its first zero, as the Windows store
            // reads it.
            std::string text = input_.Text();
            return text.substr(0, text.find('\0'));
        }
        case 2: input_.Number(); return def;  // a number where a text belongs
        default: return def;
        }
    }
    bool WriteProfileInt(const char*, const char*, uint32_t) override { return input_.Byte() % 8 != 0; }
    bool WriteProfileString(const char*, const char*, const char*) override { return input_.Byte() % 8 != 0; }
    size_t reads = 0;

private:
    Input& input_;
};

class HostileMachine : public MachineDefaults {
public:
    explicit HostileMachine(Input& input) : input_(input) {}
    bool Read(std::vector<MachineValue>& values) override {
        if (input_.Byte() % 2 == 0) return false;
        const uint8_t count = input_.Byte();
        for (uint8_t i = 0; i < count && !input_.Empty(); ++i) {
            MachineValue value;
            value.name = input_.Text();
            value.kind = static_cast<MachineValue::Kind>(input_.Byte() % 3);
            if (value.kind == MachineValue::Text) value.text = input_.Text();
            if (value.kind == MachineValue::Number) value.number = input_.Number();
            values.push_back(value);
        }
        return true;
    }

private:
    Input& input_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input(data, size);
    HostileStore store(input);
    HostileMachine machine(input);
    SaverSettings settings(store, &machine);
    settings.Load(true);
    // Every item costs the input at least its file's kind byte and one
    // character.
    CHECK(settings.GetCount() <= size);
    for (uint32_t i = 0; i < settings.GetCount(); ++i) {
        const MediaItem& item = *settings.GetItem(i);
        CHECK(!item.File.empty());
        CHECK(item.TitleFont.lfHeight == -16);
        CHECK(item.TitleFont.lfFaceName[MediaItem::kMaxFaceLength] == '\0');
    }
    settings.ApplyGlobals(false);

    // What is loaded survives a save and a load unchanged.
    MemoryProfileStore kept;
    SaverSettings copy(kept, nullptr);
    for (uint32_t i = 0; i < settings.GetCount(); ++i) {
        auto* item = new MediaItem(*settings.GetItem(i));
        if (copy.AddItem(item) < 0) delete item;
    }
    static_cast<GlobalOptions&>(copy) = settings;
    copy.Save();
    SaverSettings back(kept, nullptr);
    back.Load(false);
    CHECK(back.GetCount() == copy.GetCount());
    for (uint32_t i = 0; i < back.GetCount(); ++i) {
        const MediaItem& a = *back.GetItem(i);
        const MediaItem& b = *copy.GetItem(i);
        CHECK(a.File == b.File && a.Title == b.Title && a.MCI == b.MCI && a.Loops == b.Loops &&
              a.Scale == b.Scale && a.Align == b.Align && a.Mute == b.Mute && a.Bounce == b.Bounce &&
              a.TitleBefore == b.TitleBefore && a.TitleMovie == b.TitleMovie &&
              a.LoopInfinite == b.LoopInfinite);
    }
    CHECK(back.BounceSpeed == copy.BounceSpeed && back.Scale == copy.Scale && back.Mute == copy.Mute);
    return 0;
}
