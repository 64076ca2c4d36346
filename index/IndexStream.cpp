#include "index/IndexStream.h"

#include <cstring>

namespace tabrel {

CIndexStream::CIndexStream(std::FILE* file, std::string path, std::size_t bufferSize)
    : m_file(file), m_path(std::move(path)), m_buffer(bufferSize < 16 ? 16 : bufferSize)
{
    m_pos = m_end = m_buffer.data();
}

std::size_t CIndexStream::Refill()
{
    const std::size_t kept = static_cast<std::size_t>(m_end - m_pos);
    std::memmove(m_buffer.data(), m_pos, kept);
    const std::size_t got = std::fread(m_buffer.data() + kept, 1, m_buffer.size() - kept, m_file.get());
    if (got == 0 && std::ferror(m_file.get()))
        throw CIndexReadError({ErrorCode::IndexRead, m_path});
    m_fileOffset += got;
    m_pos = m_buffer.data();
    m_end = m_pos + kept + got;
    return got;
}

void CIndexStream::Fill(std::size_t need)
{
    while (static_cast<std::size_t>(m_end - m_pos) < need) {
        if (Refill() == 0)
            throw CIndexReadError({ErrorCode::IndexTruncated, m_path});
    }
}

void CIndexStream::Read(void* dst, std::size_t n)
{
    auto* out = static_cast<unsigned char*>(dst);
    while (n > 0) {
        if (m_pos == m_end)
            Fill(1);
        const std::size_t take = std::min(n, static_cast<std::size_t>(m_end - m_pos));
        std::memcpy(out, m_pos, take);
        m_pos += take;
        out += take;
        n -= take;
    }
}

bool CIndexStream::AtEnd()
{
    return m_pos == m_end && Refill() == 0;
}

}  // namespace tabrel
