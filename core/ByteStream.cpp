#include "core/ByteStream.h"

uint32_t ByteStream::ReadSlow(uint8_t* buffer, uint32_t size) {
    uint32_t done = 0;
    while (done < size) {
        const uint32_t wanted = size - done;
        const uint32_t held = readEnd_ - readPos_;
        if (held > 0) {
            const uint32_t take = held < wanted ? held : wanted;
            std::memcpy(buffer + done, readBuffer_.get() + readPos_, take);
            readPos_ += take;
            done += take;
            continue;
        }
        // Large requests go straight to the caller's memory.
        if (wanted >= kBufferSize) {
            const uint32_t got = ReadRaw(buffer + done, wanted);
            if (got == 0) break;
            done += got;
            continue;
        }
        if (!readBuffer_) readBuffer_.reset(new uint8_t[kBufferSize]);
        const uint32_t got = ReadRaw(readBuffer_.get(), kBufferSize);
        if (got == 0) break;
        readPos_ = 0;
        readEnd_ = got;
    }
    return done;
}

uint32_t ByteStream::ReadUntil(uint8_t stop, char* out, uint32_t room, bool& found) {
    uint32_t kept = 0;
    found = false;
    for (;;) {
        if (readPos_ == readEnd_) {
            if (!readBuffer_) readBuffer_.reset(new uint8_t[kBufferSize]);
            readPos_ = 0;
            readEnd_ = ReadRaw(readBuffer_.get(), kBufferSize);
            if (readEnd_ == 0) return kept;
        }
        const uint8_t* begin = readBuffer_.get() + readPos_;
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
        if (readPos_ == readEnd_) {
            if (!readBuffer_) readBuffer_.reset(new uint8_t[kBufferSize]);
            readPos_ = 0;
            readEnd_ = ReadRaw(readBuffer_.get(), kBufferSize);
            if (readEnd_ == 0) return;
        }
        const auto* begin = reinterpret_cast<const char*>(readBuffer_.get() + readPos_);
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
    readPos_ = readEnd_ = 0;
    writeUsed_ = 0;
}
