#pragma once
#include <cstdint>
#include <utility>

#include "saver/playback/QuickTimeBinding.h"

// QuickTime started for as long as the object lives: the constructor starts
// the binding and initialises the movie toolbox, the destructor shuts the
// toolbox down and stops the binding. The display window holds one while
// QuickTime items follow each other and lets it go when an MCI item follows
// or the window goes.
class QuickTimeSession {
public:
    explicit QuickTimeSession(QuickTimeBinding& library);
    ~QuickTimeSession();
    QuickTimeSession(const QuickTimeSession&) = delete;
    QuickTimeSession& operator=(const QuickTimeSession&) = delete;

    // 1 when the binding is started and the toolbox initialised, else 0
    // (no library, not ours, or a refused initialisation: every QuickTime
    // item then fails to open).
    int QuickTimeReady = 0;
    QuickTimeBinding& Library() const { return library_; }

private:
    QuickTimeBinding& library_;
};

// The saver's binding to QuickTime.qts.
QuickTimeBinding& QuickTime();

// One library object, given back through `Release` when the owner goes or
// is reset; 0 is none.
template <intptr_t (QuickTimeBinding::*Release)(intptr_t)>
class QtOwned {
public:
    QtOwned() = default;
    QtOwned(QuickTimeBinding& library, intptr_t handle) : library_(&library), handle_(handle) {}
    ~QtOwned() { reset(); }
    QtOwned(QtOwned&& other) noexcept { *this = std::move(other); }
    QtOwned& operator=(QtOwned&& other) noexcept {
        if (this != &other) {
            reset();
            library_ = other.library_;
            handle_ = std::exchange(other.handle_, 0);
        }
        return *this;
    }
    QtOwned(const QtOwned&) = delete;
    QtOwned& operator=(const QtOwned&) = delete;

    intptr_t get() const { return handle_; }
    explicit operator bool() const { return handle_ != 0; }
    void reset() {
        if (handle_ != 0 && library_ != nullptr) (library_->*Release)(handle_);
        handle_ = 0;
    }

private:
    QuickTimeBinding* library_ = nullptr;
    intptr_t handle_ = 0;
};

using QtMovieOwner = QtOwned<&QuickTimeBinding::DisposeMovie>;
using QtControllerOwner = QtOwned<&QuickTimeBinding::DisposeMovieController>;
using QtMovieFileOwner = QtOwned<&QuickTimeBinding::CloseMovieFile>;
// A window's association with the library, held by its port.
using QtPortOwner = QtOwned<&QuickTimeBinding::DestroyPortAssociation>;
