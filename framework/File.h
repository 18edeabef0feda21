#pragma once
#include "framework/Win32.h"

#include <stdexcept>
#include <string>

#include "core/ByteStream.h"
#include "framework/Handles.h"

// A file error other than the end of the file.
class CFileException : public std::runtime_error {
public:
    CFileException(DWORD osError, const std::string& fileName);
    // The system's error code (GetLastError) and the file it concerns.
    DWORD m_lOsError;
    std::string m_strFileName;
};

// A file on disk, read and written byte-wise through ByteStream's buffer.
// Read and Write throw CFileException on errors other than the end of the
// file, and so does Close when the last buffered bytes cannot be written.
class CFile : public ByteStream {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeCreate = 0x1000,
    };

    CFile() = default;
    // Closes the file; buffered bytes that cannot be written then are lost
    // silently, so writers call Close themselves.
    ~CFile() override;

    // modeRead opens an existing file for reading; modeCreate | modeWrite
    // creates one for writing, emptying a file that exists. false when the
    // file cannot be opened (GetLastError tells why). An open file is
    // closed first, as by Close.
    bool Open(const char* path, UINT flags);
    void Close();
    // Writes out what is buffered and has the system put the file's bytes
    // on the disk; throws CFileException when either fails.
    void FlushToDisk();
    bool IsOpen() const { return static_cast<bool>(handle_); }
    const std::string& GetFilePath() const { return path_; }

protected:
    uint32_t ReadRaw(void* buffer, uint32_t size) override;
    void WriteRaw(const void* data, uint32_t size) override;
    // The file's size less the position; kUnknownLength when the system
    // cannot say.
    uint64_t RawBytesLeft() override;

private:
    KernelHandle handle_;
    std::string path_;
};
