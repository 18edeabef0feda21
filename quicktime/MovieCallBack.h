#pragma once
#include <cstdint>

#include "quicktime/QtRecords.h"

class Movie;

// An end callback on a movie's time base: armed once, called once.
struct MovieCallBack {
    Movie* movie = nullptr;
    QtCallBackProc proc = nullptr;
    intptr_t refCon = 0;
};
