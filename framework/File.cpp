#include "framework/File.h"

namespace {

std::string ErrorText(DWORD error, const std::string& fileName) {
    return "file error " + std::to_string(error) + " on \"" + fileName + "\"";
}

}  // namespace

CFileException::CFileException(DWORD osError, const std::string& fileName)
    : std::runtime_error(ErrorText(osError, fileName)),
      m_lOsError(osError),
      m_strFileName(fileName) {}

CFile::~CFile() {
    try {
        Close();
    } catch (const CFileException&) {
        // Nowhere to report it from a destructor; see the declaration.
    }
}

bool CFile::Open(const char* path, UINT flags) {
    Close();
    const bool writing = (flags & modeWrite) != 0;
    const DWORD access = writing ? GENERIC_WRITE : GENERIC_READ;
    const DWORD share = writing ? 0 : FILE_SHARE_READ;
    const DWORD disposition = (flags & modeCreate) != 0 ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE file = CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle_.reset(file);
    path_ = path;
    DiscardBuffers();
    return true;
}

void CFile::Close() {
    if (!handle_) return;
    try {
        Flush();
    } catch (const CFileException&) {
        handle_.reset();
        DiscardBuffers();
        throw;
    }
    handle_.reset();
    DiscardBuffers();
}

void CFile::FlushToDisk() {
    Flush();
    if (!FlushFileBuffers(handle_.get())) throw CFileException(GetLastError(), path_);
}

uint32_t CFile::ReadRaw(void* buffer, uint32_t size) {
    if (!handle_) throw CFileException(ERROR_INVALID_HANDLE, path_);
    DWORD got = 0;
    if (!ReadFile(handle_.get(), buffer, size, &got, nullptr)) {
        const DWORD error = GetLastError();
        if (error == ERROR_HANDLE_EOF) return 0;
        throw CFileException(error, path_);
    }
    return got;
}

void CFile::WriteRaw(const void* data, uint32_t size) {
    if (!handle_) throw CFileException(ERROR_INVALID_HANDLE, path_);
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        DWORD put = 0;
        if (!WriteFile(handle_.get(), bytes, size, &put, nullptr)) {
            throw CFileException(GetLastError(), path_);
        }
        if (put == 0) throw CFileException(ERROR_WRITE_FAULT, path_);
        bytes += put;
        size -= put;
    }
}

uint64_t CFile::RawBytesLeft() {
    if (!handle_) return kUnknownLength;
    // The calls Windows 95 and NT 4.0 have: size and position in two halves.
    DWORD sizeHigh = 0;
    SetLastError(NO_ERROR);
    const DWORD sizeLow = GetFileSize(handle_.get(), &sizeHigh);
    if (sizeLow == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return kUnknownLength;
    LONG atHigh = 0;
    SetLastError(NO_ERROR);
    const DWORD atLow = SetFilePointer(handle_.get(), 0, &atHigh, FILE_CURRENT);
    if (atLow == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return kUnknownLength;
    const uint64_t size = static_cast<uint64_t>(sizeHigh) << 32 | sizeLow;
    const uint64_t at = static_cast<uint64_t>(static_cast<DWORD>(atHigh)) << 32 | atLow;
    return size >= at ? size - at : 0;
}
