#pragma once
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

// A byte stream with a buffer of its own. Read and Write copy to and from the
// buffer and reach the system (ReadRaw, WriteRaw) only when it runs empty or
// full, so reading a record byte by byte costs no system call per byte.
// A stream is used either for reading or for writing between openings.
// Failures other than the end of the stream throw the implementation's own
// exception; the core lets it pass.
class ByteStream {
public:
    virtual ~ByteStream() = default;
    ByteStream(const ByteStream&) = delete;
    ByteStream& operator=(const ByteStream&) = delete;

    // Copies up to `size` bytes into `buffer`; returns how many, fewer than
    // `size` only at the end of the stream.
    uint32_t Read(void* buffer, uint32_t size) {
        if (size <= readEnd_ - readPos_ && size != 0) {
            std::memcpy(buffer, readBytes_ + readPos_, size);
            readPos_ += size;
            return size;
        }
        return ReadSlow(static_cast<uint8_t*>(buffer), size);
    }

    // Reads up to and including the next `stop` byte, like a run of
    // one-byte Reads, and copies the bytes before it to `out`, keeping the
    // first `room` of them and dropping the rest. Returns how many were
    // kept; `found` is false when the stream ended before a `stop` byte.
    uint32_t ReadUntil(uint8_t stop, char* out, uint32_t room, bool& found);
    // The same, keeping every byte before the `stop` byte in `out`: as
    // long as the stream makes it.
    void ReadUntil(uint8_t stop, std::string& out, bool& found);

    // How many bytes Read can still hand over, the buffered ones included;
    // kUnknownLength when the stream cannot tell.
    uint64_t BytesLeft();
    static constexpr uint64_t kUnknownLength = ~uint64_t{0};

    // Takes all `size` bytes; they may reach the system only at Flush.
    void Write(const void* data, uint32_t size) {
        if (size == 0) return;
        if (size <= kBufferSize - writeUsed_ && writeBuffer_) {
            std::memcpy(writeBuffer_.get() + writeUsed_, data, size);
            writeUsed_ += size;
            return;
        }
        WriteSlow(static_cast<const uint8_t*>(data), size);
    }

    // Hands the buffered bytes of Write to the system.
    void Flush();

    static constexpr uint32_t kBufferSize = 64 * 1024;

protected:
    ByteStream() = default;

    // Fills up to `size` bytes; returns how many, 0 only at the end.
    virtual uint32_t ReadRaw(void* buffer, uint32_t size) = 0;
    // Stores all `size` bytes or throws.
    virtual void WriteRaw(const void* data, uint32_t size) = 0;
    // How many bytes ReadRaw can still fill, or kUnknownLength.
    virtual uint64_t RawBytesLeft() { return kUnknownLength; }

    // Drops whatever is buffered, unwritten bytes included (for a reopening).
    void DiscardBuffers();

    // A stream whose bytes lie in memory already lends them instead of
    // copying them into a buffer of its own: Read hands out `data` (which
    // must outlive the reading) and then asks ReadRaw for the rest.
    void LendReadBytes(const uint8_t* data, uint32_t size);

private:
    // Fills the stream's own buffer from ReadRaw; false at the end.
    bool Refill();
    uint32_t ReadSlow(uint8_t* buffer, uint32_t size);
    void WriteSlow(const uint8_t* data, uint32_t size);

    // The bytes Read hands out: the stream's own buffer or lent ones.
    const uint8_t* readBytes_ = nullptr;
    std::unique_ptr<uint8_t[]> readBuffer_;
    // Whether ReadRaw has been asked before: the first request takes only
    // what the caller wants, so a file that is tried by its first bytes
    // (a playlist by its signature) costs those bytes, not a buffer's worth.
    bool readStarted_ = false;
    uint32_t readPos_ = 0;
    uint32_t readEnd_ = 0;
    std::unique_ptr<uint8_t[]> writeBuffer_;
    uint32_t writeUsed_ = 0;
};
