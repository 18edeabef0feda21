// The file side of MovieAtoms: a read-only file read through a buffer.
#include "quicktime/MovieAtoms.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace {

// An open file, closed when it goes, read a window of kWindowBytes at a time.
class BufferedFile final : public MovieAtoms::Source {
public:
    static constexpr DWORD kWindowBytes = 64 * 1024;

    explicit BufferedFile(const std::string& path)
        : h_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~BufferedFile() override {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    BufferedFile(const BufferedFile&) = delete;
    BufferedFile& operator=(const BufferedFile&) = delete;

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
    bool ReadAt(uint64_t offset, unsigned char* bytes, uint32_t count) override {
        if (count > kWindowBytes) return false;
        if (offset < start_ || offset - start_ + count > window_.size()) {
            if (!Fill(offset)) return false;
            if (count > window_.size()) return false;
        }
        std::memcpy(bytes, window_.data() + (offset - start_), count);
        return true;
    }

private:
    bool Fill(uint64_t offset) {
        window_.resize(kWindowBytes);
        LONG high = static_cast<LONG>(offset >> 32);
        SetLastError(NO_ERROR);
        const DWORD low = SetFilePointer(h_, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
        DWORD read = 0;
        if ((low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) ||
            !ReadFile(h_, window_.data(), kWindowBytes, &read, nullptr)) {
            window_.clear();
            return false;
        }
        window_.resize(read);
        start_ = offset;
        return true;
    }

    HANDLE h_;
    uint64_t start_ = 0;
    std::vector<unsigned char> window_;
};

}  // namespace

bool MovieAtoms::Whole(const std::string& path) {
    BufferedFile file(path);
    uint64_t size = 0;
    if (!file.IsOpen() || !file.Size(size)) return false;
    return Whole(file, size);
}
