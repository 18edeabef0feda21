#pragma once

// What a movie window may ask of the window it plays in. The display window
// hands itself over as this when it makes a movie window, so a movie window
// knows nothing else of it.
class MovieWnd;

class MovieHost {
public:
    // The movie's mute state (0 or 1) becomes the global one.
    virtual void MovieMuted(int mute) = 0;
    // Every item takes the global mute state.
    virtual void FollowGlobalMute() = 0;
    // One item back in list order.
    virtual void StepBack() = 0;
    // `movie` has played its last loop. The host puts the movie that follows
    // on the screen when it is ready and destroys `movie` after it, or
    // destroys `movie` at once; false then, and `movie` is gone. True when
    // the same item follows itself: `movie` plays it again from the start.
    virtual bool MovieFinished(MovieWnd& movie) = 0;
    // The window of `movie` is being destroyed: when it was the one shown,
    // go on with the next item.
    virtual void MovieEnded(MovieWnd& movie) = 0;

protected:
    ~MovieHost() = default;
};
