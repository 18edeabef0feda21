#pragma once
#include <cstdint>

class MediaItem;
class RandomSource;
class SaverSettings;

// Which movie window plays an item; the values are the windows' kinds.
enum class PlayerKind : int { Logo = 99, QuickTime = 101, Mci = 102 };

// What the display window does after an advance.
enum class NextStep {
    Stopped,    // playback is disabled: only repaint
    TitleCard,  // show the title card, then play on the title-card timer
    PlayNow,    // play at once
};

// The sequencer's decisions: which item comes next, in list or random order,
// which items are dropped, and which player takes an item. The display window
// carries them out with windows, messages and timers.
class PlaylistSequencer {
public:
    // Reads Titles and Random from `settings` and changes its playlist; both
    // objects must outlive the sequencer.
    PlaylistSequencer(SaverSettings& settings, RandomSource& random);

    // The state a new display window starts with: CurrentIndex equals the
    // item count, so the first advance wraps to item 0 and the first random
    // pick excludes nobody.
    void Reset();

    // Chooses the next item (adding the placeholder to an empty playlist)
    // and enters the title-card phase. Stopped, without a change, when
    // PlaybackEnabled is 0. The item chosen ahead by PlanNext, when there is
    // one, is the one taken.
    NextStep Advance();

    // Chooses now the item the next advance will take, so that its movie can
    // be made ready while the current one plays: the next in list order, or
    // the random pick of the current pass (a new pass begins here when the
    // current one is over). Asked again, it gives the same choice. False
    // while PlaybackEnabled is 0 or the playlist is empty.
    bool PlanNext(uint32_t& index);
    // The item PlanNext chose, or null when there is no plan.
    MediaItem* PlannedItem() const;
    // The choice made ahead is forgotten; the next advance chooses afresh.
    void ForgetPlan() { planned_ = false; }
    // The planned item failed to open: it is taken out for the rest of the
    // run like a failing current item, the current item stays current, and
    // the plan is forgotten, so the next PlanNext chooses the item after it.
    void DropPlanned();

    // A random index whose item has not been played in this pass and is not
    // `previous`; 0 for an empty playlist. Each draw takes as many values of
    // the generator as it needs to cover the item count: one value while
    // there are at most 32768 items. The caller makes sure such an item exists.
    uint32_t PickRandom(uint32_t previous);

    // Takes item `index` out for the rest of the run (the stored playlist
    // keeps it). The next advance plays the item that followed it, or starts
    // a random pick that excludes nobody.
    void DropItem(uint32_t index);

    // Moves one item back in list order, forgetting the plan; nothing in
    // random order.
    void StepBack();

    // The current item's movie is being started: its title card is over, and
    // until EndStart the full-screen window defers a close and takes a mouse
    // move as the new reference position.
    void BeginStart();
    // The start is over, whether the movie plays or not.
    void EndStart() { startingMovie_ = 0; }
    // The start failed: ends it and drops the current item for the run.
    void DropCurrent();
    // While disabled an advance changes nothing and no movie starts.
    void EnablePlayback(bool enabled) { playbackEnabled_ = enabled ? 1 : 0; }

    // Appends the logo placeholder: a default item with IsLogo and Bounce on.
    void AddPlaceholder();

    // 1 when the current item shows a title card before its movie.
    int HasTitleCard() const;

    // The item at CurrentIndex, or null when CurrentIndex names none.
    MediaItem* CurrentItem() const;

    // The player for `item`: the logo window for the placeholder, the
    // QuickTime player for "PELORQT" items named .MOV, .QT, .MP4 or .M4V (any
    // case), the MCI player for everything else.
    static PlayerKind ChoosePlayer(const MediaItem& item);
    // True when `next` gets its movie opened ahead while `current` plays: not
    // when it is the same item, which plays again in its own window, nor
    // when it names the same file (in any case), which is open already and
    // which the MCI system would refuse to open again under the same name.
    static bool PreparesAhead(const MediaItem& next, const MediaItem& current);
    // True when an item the MCI system refused is tried through QuickTime
    // before it is dropped: an Auto Detect item (no device named).
    static bool TriesQuickTimeAfter(const MediaItem& item, PlayerKind refused);

    // The item being shown; the item count before the first advance.
    uint32_t CurrentIndex() const { return currentIndex_; }
    // How many items of the current random pass have played.
    uint32_t PlayedCount() const { return playedCount_; }
    // 1 from an advance until the movie start begins: the display shows the
    // item's title card, not its titles over a movie.
    int32_t TitlePhase() const { return titlePhase_; }
    // 1 from BeginStart to EndStart.
    int32_t StartingMovie() const { return startingMovie_; }
    int32_t PlaybackEnabled() const { return playbackEnabled_; }

private:
    uint32_t Draw(uint32_t n);
    // Takes item `index` out of the playlist for the rest of the run.
    void RemoveForTheRun(uint32_t index);

    uint32_t currentIndex_ = 0;
    bool planned_ = false;
    uint32_t plannedIndex_ = 0;
    uint32_t playedCount_ = 0;
    int32_t titlePhase_ = 1;
    int32_t startingMovie_ = 0;
    int32_t playbackEnabled_ = 1;

    SaverSettings& settings_;
    RandomSource& random_;
};
