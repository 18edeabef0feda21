#include "quicktime/Movie.h"

#include "quicktime/SelfReference.h"

std::unique_ptr<Movie> Movie::Open(const std::string& path, HWND window) {
    std::unique_ptr<Movie> movie(new Movie());
    movie->mf_ = std::make_unique<MediaFoundationMovie>();
    if (movie->mf_->Open(path, window)) return movie;
    movie->mf_.reset();
    movie->ds_ = std::make_unique<DirectShowMovie>();
    if (movie->ds_->Open(path, window)) return movie;
    return nullptr;
}

Movie::~Movie() = default;

void Movie::Unload() {
    DirectShowMovie::UnregisterPictureClass();
    MediaFoundationMovie::UnregisterPictureClass();
    // A grabber Media Foundation still holds keeps the library loaded; the
    // caller is not kept waiting for it.
    SelfReference::GiveBackIf(FrameGrabber::AllGone());
}
