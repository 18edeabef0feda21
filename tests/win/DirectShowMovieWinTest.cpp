// Our QuickTime library's movie over a real DirectShow graph: a play that
// ends in an error ends the movie as its end would, looping or not, so the
// saver moves on instead of keeping a frozen picture.
#include <gtest/gtest.h>

#include "quicktime/DirectShowMovie.h"

#include <string>

#include "tests/win/support/MediaFiles.h"
#include "tests/win/support/Pump.h"

namespace {

int gEnds = 0;
void CountEnd(intptr_t, intptr_t) { ++gEnds; }

// A plain window for the movie to draw into and tell its events to.
class HostWindow {
public:
    HostWindow() {
        wnd_ = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr, nullptr, nullptr,
                               nullptr);
    }
    ~HostWindow() {
        if (wnd_ != nullptr) DestroyWindow(wnd_);
    }
    HWND get() const { return wnd_; }

private:
    HWND wnd_ = nullptr;
};

class ComApartment {
public:
    ComApartment() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (started_) CoUninitialize();
    }

private:
    bool started_;
};

TEST(DirectShowMovie, AnErrorEventEndsThePlayAndCallsTheEndCallbackOnce) {
    ComApartment com;
    MediaFolder media;
    const std::string avi = media.Avi("long.avi", 160, 120, 100, 10);  // 10 s
    HostWindow host;
    ASSERT_NE(host.get(), nullptr);
    for (const long code : {EC_ERRORABORT, EC_USERABORT, EC_STREAM_ERROR_STOPPED}) {
        for (const bool looping : {false, true}) {
            SCOPED_TRACE("event " + std::to_string(code) + (looping ? ", looping" : ""));
            DirectShowMovie movie;
            ASSERT_TRUE(movie.Open(avi, host.get()));
            MovieCallBack callback{nullptr, &CountEnd, 0};  // the movie field is the library's wrapper, not needed here
            movie.armed = &callback;
            movie.SetLooping(looping);
            movie.Start();
            PumpFor(100);
            movie.Service();
            gEnds = 0;
            EXPECT_FALSE(movie.Done());
            ComPtr<IMediaEventSink> sink;
            ASSERT_TRUE(SUCCEEDED(movie.Graph()->QueryInterface(IID_IMediaEventSink, sink.Out())));
            ASSERT_TRUE(SUCCEEDED(sink->Notify(code, E_FAIL, 0)));
            ASSERT_TRUE(PumpUntil(
                [&] {
                    movie.Service();
                    return gEnds != 0;
                },
                3000));
            EXPECT_TRUE(movie.Done());
            movie.Service();
            EXPECT_EQ(gEnds, 1);
            movie.Stop();
        }
    }
}

TEST(DirectShowMovie, ItsLengthInMilliseconds) {
    ComApartment com;
    MediaFolder media;
    const std::string avi = media.Avi("two.avi", 160, 120, 20, 10);
    HostWindow host;
    DirectShowMovie movie;
    ASSERT_TRUE(movie.Open(avi, host.get()));
    EXPECT_NEAR(movie.DurationMs(), 2000, 100);
}

}  // namespace
