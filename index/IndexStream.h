#pragma once
// Buffered little-endian reader over an index file. The scan reads it
// strictly forward; reading past the end throws CIndexReadError.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Error.h"

namespace tabrel {

/// An index file ended inside a record (ErrorCode::IndexTruncated), or
/// could not be read (ErrorCode::IndexRead).
class CIndexReadError : public CCoreError {
public:
    using CCoreError::CCoreError;
};

/// Reads an index file strictly forward through a buffer, as little-endian
/// integers and zero-terminated strings; a read past the end throws
/// CIndexReadError, so the scan needs no length checks of its own.
class CIndexStream {
public:
    /// Bytes read from the file at a time. A benchmark over large indexes
    /// showed small buffers cost system calls; 64 KiB is past the knee.
    static constexpr std::size_t kDefaultBufferSize = 64 * 1024;

    /// Takes ownership of `file`, opened for binary reading.
    explicit CIndexStream(std::FILE* file, std::string path, std::size_t bufferSize = kDefaultBufferSize);

    std::uint8_t ReadU8()
    {
        if (m_pos == m_end)
            Fill(1);
        return *m_pos++;
    }

    std::uint16_t ReadU16()
    {
        if (m_end - m_pos < 2)
            Fill(2);
        const std::uint16_t v = static_cast<std::uint16_t>(m_pos[0] | (m_pos[1] << 8));
        m_pos += 2;
        return v;
    }

    std::uint32_t ReadU32()
    {
        if (m_end - m_pos < 4)
            Fill(4);
        const std::uint32_t v = static_cast<std::uint32_t>(m_pos[0]) | (static_cast<std::uint32_t>(m_pos[1]) << 8) |
                                (static_cast<std::uint32_t>(m_pos[2]) << 16) |
                                (static_cast<std::uint32_t>(m_pos[3]) << 24);
        m_pos += 4;
        return v;
    }

    std::int16_t ReadI16() { return static_cast<std::int16_t>(ReadU16()); }
    std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }

    /// Reads exactly `n` bytes into `dst`.
    void Read(void* dst, std::size_t n);

    /// Bytes consumed from the start of the file.
    std::uint64_t Tell() const { return m_fileOffset - static_cast<std::uint64_t>(m_end - m_pos); }

    /// True when every byte of the file has been consumed.
    bool AtEnd();

    const std::string& Path() const { return m_path; }

private:
    // Makes at least `need` bytes available or throws.
    void Fill(std::size_t need);
    // Reads more bytes after those still buffered; returns how many came.
    std::size_t Refill();

    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, FileCloser> m_file;
    std::string m_path;
    std::vector<unsigned char> m_buffer;
    const unsigned char* m_pos = nullptr;
    const unsigned char* m_end = nullptr;
    std::uint64_t m_fileOffset = 0;  // bytes taken from the file so far
};

}  // namespace tabrel
