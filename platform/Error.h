#pragma once
// How the core reports a failure: a code saying what went wrong and the
// path or detail it concerns. The text a user reads is made from the code
// by the string table; the core itself holds no user texts.

#include <exception>
#include <string>

namespace tabrel {

enum class ErrorCode {
    None,
    FileRead,        ///< a file could not be read to its end
    FileSeek,        ///< a position in a file could not be reached
    IndexRead,       ///< an index file could not be read
    IndexTruncated,  ///< an index file ends inside a record
    IndexVersion,    ///< an index file of another version
    FileOpen,        ///< a file could not be opened
    FileSave,        ///< a file could not be written
    TextTooLarge,    ///< a text did not fit in the memory the process may use
};

struct Error {
    ErrorCode code = ErrorCode::None;
    std::string detail;  ///< the path concerned, or other detail; bytes as they are

    explicit operator bool() const { return code != ErrorCode::None; }
    friend bool operator==(const Error&, const Error&) = default;
};

/// Thrown by the core's readers inside a long operation and caught at the
/// operation's boundary, which reports the Error it carries.
class CCoreError : public std::exception {
public:
    explicit CCoreError(Error error) : m_error(std::move(error)) {}
    const Error& GetError() const { return m_error; }
    const char* what() const noexcept override { return m_error.detail.c_str(); }

private:
    Error m_error;
};

}  // namespace tabrel
