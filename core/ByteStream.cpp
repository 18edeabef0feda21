#include "core/ByteStream.h"

bool ByteStream::Refill() {
    if (!readBuffer_) readBuffer_.reset(new uint8_t[kBufferSize]);
    readBytes_ = readBuffer_.get();
    readPos_ = 0;
    readEnd_ = ReadRaw(readBuffer_.get(), kBufferSize);
    readStarted_ = true;
    return readEnd_ != 0;
}

uint32_t ByteStream::ReadSlow(uint8_t* buffer, uint32_t size) {
    uint32_t done = 0;
    while (done < size) {
        const uint32_t wanted = size - done;
        const uint32_t held = readEnd_ - readPos_;
        if (held > 0) {
            const uint32_t take = held < wanted ? held : wanted;
            std::memcpy(buffer + done, readBytes_ + readPos_, take);
            readPos_ += take;
            done += take;
            continue;
        }
        // Large requests, and the first one, go straight to the caller's
        // memory.
        if (wanted >= kBufferSize || !readStarted_) {
            readStarted_ = true;
            const uint32_t got = ReadRaw(buffer + done, wanted);
            if (got == 0) break;
            done += got;
            continue;
        }
        if (!Refill()) break;
    }
    return done;
}

uint32_t ByteStream::ReadUntil(uint8_t stop, char* out, uint32_t room, bool& found) {
    uint32_t kept = 0;
    found = false;
    for (;;) {
        if (readPos_ == readEnd_ && !Refill()) return kept;
        const uint8_t* begin = readBytes_ + readPos_;
        const uint32_t held = readEnd_ - readPos_;
        const auto* hit = static_cast<const uint8_t*>(std::memchr(begin, stop, held));
        const uint32_t run = hit != nullptr ? static_cast<uint32_t>(hit - begin) : held;
        const uint32_t take = run < room - kept ? run : room - kept;
        if (take > 0) std::memcpy(out + kept, begin, take);
        kept += take;
        readPos_ += run;
        if (hit != nullptr) {
            ++readPos_;
            found = true;
            return kept;
        }
    }
}

void ByteStream::ReadUntil(uint8_t stop, std::string& out, bool& found) {
    out.clear();
    found = false;
    for (;;) {
        if (readPos_ == readEnd_ && !Refill()) return;
        const auto* begin = reinterpret_cast<const char*>(readBytes_ + readPos_);
        const uint32_t held = readEnd_ - readPos_;
        const auto* hit = static_cast<const char*>(std::memchr(begin, stop, held));
        const uint32_t run = hit != nullptr ? static_cast<uint32_t>(hit - begin) : held;
        // A text that lies whole in the buffer costs one allocation.
        out.append(begin, run);
        readPos_ += run;
        if (hit != nullptr) {
            ++readPos_;
            found = true;
            return;
        }
    }
}

uint64_t ByteStream::BytesLeft() {
    const uint64_t raw = RawBytesLeft();
    return raw == kUnknownLength ? raw : raw + (readEnd_ - readPos_);
}

void ByteStream::WriteSlow(const uint8_t* data, uint32_t size) {
    if (!writeBuffer_) writeBuffer_.reset(new uint8_t[kBufferSize]);
    if (size > kBufferSize - writeUsed_) Flush();
    if (size >= kBufferSize) {
        WriteRaw(data, size);
        return;
    }
    std::memcpy(writeBuffer_.get() + writeUsed_, data, size);
    writeUsed_ += size;
}

void ByteStream::Flush() {
    if (writeUsed_ == 0) return;
    const uint32_t used = writeUsed_;
    // Counted as written before the call: a failing write is not repeated by
    // the next Flush.
    writeUsed_ = 0;
    WriteRaw(writeBuffer_.get(), used);
}

void ByteStream::DiscardBuffers() {
    readBytes_ = readBuffer_.get();
    readPos_ = readEnd_ = 0;
    readStarted_ = false;
    writeUsed_ = 0;
}

void ByteStream::LendReadBytes(const uint8_t* data, uint32_t size) {
    readBytes_ = data;
    readPos_ = 0;
    readEnd_ = size;
    readStarted_ = true;
}
