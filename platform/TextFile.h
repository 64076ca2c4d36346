#pragma once
// Reading a file as text lines the way a text-mode stream does: a CR LF
// pair reads as one LF, a lone CR stays. Used for text files and for the
// entry lines of dictionary text files.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Error.h"

namespace tabrel {

/// A read or seek failed part-way (ErrorCode::FileRead or FileSeek).
class CFileReadError : public CCoreError {
public:
    using CCoreError::CCoreError;
};

/// A regular file read as text lines: CR LF becomes LF, a lone CR stays,
/// each read stops after a LF or at a byte limit. Seek() moves to a byte
/// offset (for one dictionary line). Read failures throw CFileReadError.
class CTextFile {
public:
    /// Opens `path` for reading; false when it cannot be opened or is a folder.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }
    const std::string& Path() const { return m_path; }

    /// Moves to byte `offset` from the start of the file.
    void Seek(std::int64_t offset);

    /// Reads the next line into `line`: up to and including the next LF, or
    /// `maxBytes` bytes (counted after CR LF became LF), whichever comes
    /// first. Returns false, with `line` empty, at the end of the file.
    /// Throws CFileReadError when the file cannot be read.
    bool ReadString(std::string& line, std::size_t maxBytes);

private:
    // Next byte, or -1 at the end of the file.
    int Get();
    int Peek();

    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, FileCloser> m_file;
    std::string m_path;
    std::vector<unsigned char> m_buffer = std::vector<unsigned char>(64 * 1024);
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
};

}  // namespace tabrel
