#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// A cheap look at a movie file's top-level atoms before a player is given
// it: Media Foundation's source resolver can wait for ever on a QuickTime or
// MPEG-4 file cut short, and so, now and then, can Wine's GStreamer splitter
// behind DirectShow, so such a file is handed to neither.
//
// Any number of atoms is whole as long as their sizes add up to the file: a
// fragmented movie holds a 'moof' and an 'mdat' per fragment, thousands of
// them. Bytes after the last atom that cannot start one (zeros, or a tail
// too short for a header), which recorders leave where they reserved space,
// end the walk without making the file damaged. Only headers are read, each
// step passing at least a header's 8 bytes, so the walk is bounded by the
// file's size; reading goes through a buffer, so a file of tiny atoms costs
// memory speed, not a read call per atom.
class MovieAtoms {
public:
    // The bytes of a file to judge.
    class Source {
    public:
        virtual ~Source() = default;
        // Reads `count` bytes at `offset`; false when it cannot.
        virtual bool ReadAt(uint64_t offset, unsigned char* bytes, uint32_t count) = 0;
    };

    // False for a file laid out in atoms whose atoms run past its end or
    // that has no movie atom ('moov'), for an empty file and for one that
    // cannot be read; true otherwise, also for a file not laid out in atoms
    // (an MPEG stream), which is left to the player to judge.
    static bool Whole(const std::string& path);
    // The same judgement of `size` bytes read from `source`.
    static bool Whole(Source& source, uint64_t size);
    // The same judgement of `size` bytes in memory.
    static bool Whole(const unsigned char* bytes, size_t size);
};
