#include "saver/playback/PlaylistSequencer.h"

#include <cctype>
#include <string>

#include "core/SameIgnoringCase.h"
#include "saver/playback/RandomSource.h"
#include "saver/settings/SaverSettings.h"
#include "saver/settings/SettingsNames.h"

PlaylistSequencer::PlaylistSequencer(SaverSettings& settings, RandomSource& random)
    : settings_(settings), random_(random) {
    Reset();
}

void PlaylistSequencer::Reset() {
    currentIndex_ = settings_.GetCount();
    playedCount_ = 0;
    titlePhase_ = 1;
    startingMovie_ = 0;
    playbackEnabled_ = 1;
    planned_ = false;
}

NextStep PlaylistSequencer::Advance() {
    if (!playbackEnabled_) return NextStep::Stopped;
    if (settings_.GetCount() == 0) AddPlaceholder();
    uint32_t next = 0;
    PlanNext(next);
    planned_ = false;
    currentIndex_ = next;
    if (settings_.Random && settings_.GetCount() > 1) {
        settings_.GetItem(currentIndex_)->Played = 1;
        ++playedCount_;
    }
    titlePhase_ = 1;
    return HasTitleCard() ? NextStep::TitleCard : NextStep::PlayNow;
}

bool PlaylistSequencer::PlanNext(uint32_t& index) {
    const uint32_t count = settings_.GetCount();
    if (!playbackEnabled_ || count == 0) return false;
    if (planned_ && plannedIndex_ < count) {
        index = plannedIndex_;
        return true;
    }
    if (settings_.Random && count > 1) {
        // A pass that is over ends here rather than at the advance: the pick
        // is the same either way, and the current item is still excluded.
        if (playedCount_ >= count) {
            for (uint32_t i = 0; i < count; ++i) settings_.GetItem(i)->Played = 0;
            playedCount_ = 0;
        }
        plannedIndex_ = PickRandom(currentIndex_);
    } else {
        plannedIndex_ = currentIndex_ + 1;
        if (plannedIndex_ >= count) plannedIndex_ = 0;
    }
    planned_ = true;
    index = plannedIndex_;
    return true;
}

MediaItem* PlaylistSequencer::PlannedItem() const {
    return planned_ ? settings_.GetItem(plannedIndex_) : nullptr;
}

void PlaylistSequencer::DropPlanned() {
    if (!planned_) return;
    planned_ = false;
    RemoveForTheRun(plannedIndex_);
    // The current item moves down with the rest when the dropped one stood
    // before it (list order wrapping to 0, or a random pick).
    if (plannedIndex_ < currentIndex_) --currentIndex_;
}

uint32_t PlaylistSequencer::Draw(uint32_t n) {
    // One value of the generator for up to 32768 items, as the classic draw
    // rand() % n; more values, as digits of base 32768, for longer lists, so
    // that every index can come up.
    uint64_t value = random_.Next();
    uint64_t span = RandomSource::kRange;
    while (span < n) {
        value = value * RandomSource::kRange + random_.Next();
        span *= RandomSource::kRange;
    }
    return static_cast<uint32_t>(value % n);
}

uint32_t PlaylistSequencer::PickRandom(uint32_t previous) {
    const uint32_t n = settings_.GetCount();
    if (n == 0) return 0;
    for (;;) {
        const uint32_t r = Draw(n);
        if (r != previous && !settings_.GetItem(r)->Played) return r;
    }
}

void PlaylistSequencer::RemoveForTheRun(uint32_t index) {
    MediaItem* item = settings_.RemoveItem(index);
    if (item != nullptr) {
        item->Release();
        delete item;
    }
}

void PlaylistSequencer::DropItem(uint32_t index) {
    planned_ = false;
    RemoveForTheRun(index);
    if (settings_.Random) {
        currentIndex_ = settings_.GetCount();
    } else {
        --currentIndex_;  // from 0 this wraps, and the next advance lands on 0
    }
}

void PlaylistSequencer::StepBack() {
    if (settings_.Random) return;
    planned_ = false;
    if (currentIndex_ == 0) currentIndex_ = settings_.GetCount();
    --currentIndex_;
}

void PlaylistSequencer::BeginStart() {
    startingMovie_ = 1;
    titlePhase_ = 0;
}

void PlaylistSequencer::DropCurrent() {
    EndStart();
    DropItem(currentIndex_);
}

void PlaylistSequencer::AddPlaceholder() {
    auto* item = new MediaItem();
    item->IsLogo = 1;
    item->Bounce = 1;
    if (settings_.AddItem(item) < 0) delete item;
}

int PlaylistSequencer::HasTitleCard() const {
    const MediaItem* item = CurrentItem();
    return settings_.Titles && item != nullptr && item->TitleBefore && !item->Title.empty() ? 1 : 0;
}

MediaItem* PlaylistSequencer::CurrentItem() const { return settings_.GetItem(currentIndex_); }

PlayerKind PlaylistSequencer::ChoosePlayer(const MediaItem& item) {
    if (item.IsLogo) return PlayerKind::Logo;
    if (item.MCI == names::kQuickTimePlayer) {
        const std::string::size_type dot = item.File.rfind('.');
        if (dot != std::string::npos) {
            std::string ext = item.File.substr(dot + 1);
            for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (ext == "MOV" || ext == "QT" || ext == "MP4" || ext == "M4V") return PlayerKind::QuickTime;
        }
    }
    return PlayerKind::Mci;
}

bool PlaylistSequencer::PreparesAhead(const MediaItem& next, const MediaItem& current) {
    return &next != &current && !SameIgnoringCase(next.File, current.File);
}

bool PlaylistSequencer::TriesQuickTimeAfter(const MediaItem& item, PlayerKind refused) {
    return refused == PlayerKind::Mci && !item.IsLogo && item.MCI.empty();
}
