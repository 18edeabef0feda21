#pragma once
#include <string>

#include "saver/playback/MciDeviceHandle.h"
#include "saver/playback/MovieWnd.h"

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
    PlayerKind Kind() const override { return PlayerKind::Mci; }
    // Opens File, with DeviceType when one is given; NaturalRect becomes the
    // source rectangle, or 10 x 10 for a device without a picture.
    BOOL OpenMedia() override;
    // Places the window, then stretches the picture over it.
    void Place() override;

    // The open device, 0 while none is.
    MCIDEVICEID DeviceId() const { return device_.get(); }
    std::string DeviceType;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMciNotify(const Msg& msg);
    LRESULT OnTimer(const Msg& msg);
    LRESULT OnPaint(const Msg& msg);

private:
    // Counts one play down: plays again, or destroys the window after the last.
    void EndOfPlay();
    // The media's own length in milliseconds; false when the device cannot tell.
    bool LengthMs(uint32_t& length);
    // The deadline of a play from the media's length (MovieWnd::ArmPlayDeadline);
    // a sequencer with no MIDI output accepts a play and never tells its end.
    void ArmMediaDeadline();

    // Closed by Close, by the next OpenMedia or, at the latest, with the
    // object.
    MciDeviceHandle device_;
};
