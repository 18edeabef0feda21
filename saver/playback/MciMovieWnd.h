#pragma once
#include <string>

#include "MovieWnd.h"

// Plays one item through the Media Control Interface: any file an installed
// MCI device opens. The video device draws straight into the window; the end
// of each play arrives as MM_MCINOTIFY, which counts the loops down and
// destroys the window after the last one.
class MciMovieWnd : public MovieWnd {
public:
    // Copies the item's device type, then opens as the base does.
    BOOL Open(const MediaItem& item) override;
    // The operations below send nothing and return 0 while no device is open.
    void Close() override;
    // Plays once with a notification to this window, or repeating for ever
    // with LoopInfinite.
    BOOL Play() override;
    BOOL Pause() override;
    BOOL Stop() override;
    BOOL Rewind() override;
    BOOL SetVolume(int level) override;
    int Kind() const override { return 102; }
    // Opens File, with DeviceType when one is given; NaturalRect becomes the
    // source rectangle, or 10 x 10 for a device without a picture.
    BOOL OpenMedia() override;
    // Places the window, then stretches the picture over it.
    void Place() override;

    MCIDEVICEID DeviceId = 0;
    std::string DeviceType;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMciNotify(const Msg& msg);
    LRESULT OnTimer(const Msg& msg);

private:
    // Counts one play down: plays again, or destroys the window after the last.
    void EndOfPlay();
    // A device that says it plays while its position stands still for
    // kStallChecks checks has failed without telling (a sequencer with no
    // MIDI output does that); its play is over as if it had notified.
    void WatchProgress();

    static constexpr UINT_PTR kWatchTimer = 8;
    static constexpr UINT kWatchPeriod = 1000;
    static constexpr int kStallChecks = 3;
    DWORD_PTR lastPosition_ = 0;
    int stalledChecks_ = 0;
};
