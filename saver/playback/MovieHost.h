#pragma once

// What a movie window may ask of the window it plays in. The display window
// hands itself over as this when it makes a movie window, so a movie window
// knows nothing else of it.
class MovieHost {
public:
    // The movie's mute state (0 or 1) becomes the global one.
    virtual void MovieMuted(int mute) = 0;
    // Every item takes the global mute state.
    virtual void FollowGlobalMute() = 0;
    // One item back in list order.
    virtual void StepBack() = 0;
    // The movie window is gone: go on with the next item.
    virtual void MovieEnded() = 0;

protected:
    ~MovieHost() = default;
};
