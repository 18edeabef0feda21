#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "quicktime/DirectShowMovie.h"
#include "quicktime/MediaFoundationMovie.h"
#include "quicktime/MovieCallBack.h"
#include "quicktime/QtRecords.h"

// A movie of the library: played through Media Foundation where the system
// has it and it can play the file, through DirectShow otherwise. Both tell
// the caller's window of their events with the same message.
class Movie {
public:
    static_assert(MediaFoundationMovie::kEventMessage == DirectShowMovie::kGraphEventMessage,
                  "both movies wake the caller's window with one message");
    enum class Path { kMediaFoundation, kDirectShow };

    // Null when neither can open the file.
    static std::unique_ptr<Movie> Open(const std::string& path, HWND window);
    ~Movie();

    Path Through() const { return mf_ ? Path::kMediaFoundation : Path::kDirectShow; }
    QtRect Box() const { return mf_ ? mf_->Box() : ds_->Box(); }
    void ShowAt(const QtRect& rect) { mf_ ? mf_->ShowAt(rect) : ds_->ShowAt(rect); }
    void Hide() { mf_ ? mf_->Hide() : ds_->Hide(); }
    void Start() { mf_ ? mf_->Start() : ds_->Start(); }
    void Stop() { mf_ ? mf_->Stop() : ds_->Stop(); }
    void GoToBeginning() { mf_ ? mf_->GoToBeginning() : ds_->GoToBeginning(); }
    bool Done() const { return mf_ ? mf_->Done() : ds_->Done(); }
    int32_t DurationMs() const { return mf_ ? mf_->DurationMs() : ds_->DurationMs(); }
    int16_t Volume() const { return mf_ ? mf_->Volume() : ds_->Volume(); }
    void SetVolume(int16_t level) { mf_ ? mf_->SetVolume(level) : ds_->SetVolume(level); }
    void SetLooping(bool looping) { mf_ ? mf_->SetLooping(looping) : ds_->SetLooping(looping); }
    void Service() { mf_ ? mf_->Service() : ds_->Service(); }
    // The Media Foundation movie, null on the DirectShow path (for the tests).
    MediaFoundationMovie* MediaFoundation() const { return mf_.get(); }
    // The end callback, armed on whichever movie plays.
    MovieCallBack*& Armed() { return mf_ ? mf_->armed : ds_->armed; }

    // Both picture window classes go with the library, at once; while Media
    // Foundation still holds a sample grabber the library keeps itself
    // loaded (SelfReference).
    static void Unload();

private:
    Movie() = default;

    std::unique_ptr<MediaFoundationMovie> mf_;
    std::unique_ptr<DirectShowMovie> ds_;
};
