#include "quicktime/MovieAtoms.h"

#include <windows.h>

#include <cstdint>

namespace {

constexpr uint64_t kHeaderBytes = 8;
constexpr uint64_t kLargeHeaderBytes = 16;
constexpr int kMostAtoms = 4096;  // a real file has a handful at its top level

// An open file, closed when it goes.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::string& path)
        : h_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~ReadOnlyFile() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool IsOpen() const { return h_ != INVALID_HANDLE_VALUE; }
    // GetFileSize and SetFilePointer, not their Ex forms, which Windows 95
    // and NT 4.0 lack.
    bool Size(uint64_t& size) const {
        DWORD high = 0;
        const DWORD low = GetFileSize(h_, &high);
        if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
        size = (static_cast<uint64_t>(high) << 32) | low;
        return true;
    }
    bool ReadAt(uint64_t offset, unsigned char* bytes, DWORD count) const {
        LONG high = static_cast<LONG>(offset >> 32);
        SetLastError(NO_ERROR);
        const DWORD low = SetFilePointer(h_, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
        if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return false;
        DWORD read = 0;
        return ReadFile(h_, bytes, count, &read, nullptr) && read == count;
    }

private:
    HANDLE h_;
};

uint64_t BigEndian(const unsigned char* bytes, int count) {
    uint64_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | bytes[i];
    return value;
}

bool IsAtomType(const unsigned char* type) {
    for (int i = 0; i < 4; ++i) {
        if (type[i] < 0x20 || type[i] > 0x7E) return false;
    }
    return true;
}

}  // namespace

bool MovieAtoms::Whole(const std::string& path) {
    ReadOnlyFile file(path);
    uint64_t size = 0;
    if (!file.IsOpen() || !file.Size(size) || size == 0) return false;
    unsigned char header[kLargeHeaderBytes];
    if (size < kHeaderBytes || !file.ReadAt(0, header, kHeaderBytes)) return true;
    const uint64_t first = BigEndian(header, 4);
    if (!IsAtomType(header + 4) || (first != 0 && first != 1 && first < kHeaderBytes)) return true;

    bool movie = false;
    uint64_t at = 0;
    for (int atoms = 0; at < size; ++atoms) {
        if (atoms == kMostAtoms || size - at < kHeaderBytes || !file.ReadAt(at, header, kHeaderBytes)) return false;
        if (!IsAtomType(header + 4)) return false;
        uint64_t length = BigEndian(header, 4);
        if (length == 0) {
            length = size - at;  // the last atom runs to the end of the file
        } else if (length == 1) {
            if (size - at < kLargeHeaderBytes || !file.ReadAt(at, header, kLargeHeaderBytes)) return false;
            length = BigEndian(header + 8, 8);
            if (length < kLargeHeaderBytes) return false;
        } else if (length < kHeaderBytes) {
            return false;
        }
        if (length > size - at) return false;  // cut short
        if (header[4] == 'm' && header[5] == 'o' && header[6] == 'o' && header[7] == 'v') movie = true;
        at += length;
    }
    return movie;
}
