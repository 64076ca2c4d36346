#include "platform/TextFile.h"

#include "platform/RegularFile.h"

namespace tabrel {

bool CTextFile::Open(const std::string& path)
{
    Close();
    std::FILE* f = OpenRegularFile(path);
    if (!f)
        return false;
    m_file.reset(f);
    m_path = path;
    m_pos = m_end = 0;
    return true;
}

void CTextFile::Close()
{
    m_file.reset();
    m_pos = m_end = 0;
}

void CTextFile::Seek(std::int64_t offset)
{
    if (!m_file || ::fseeko(m_file.get(), static_cast<off_t>(offset), SEEK_SET) != 0)
        throw CFileReadError({ErrorCode::FileSeek, m_path});
    m_pos = m_end = 0;
}

int CTextFile::Peek()
{
    if (m_pos == m_end) {
        m_pos = 0;
        m_end = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file.get());
        if (m_end == 0) {
            if (std::ferror(m_file.get()))
                throw CFileReadError({ErrorCode::FileRead, m_path});
            return -1;
        }
    }
    return m_buffer[m_pos];
}

int CTextFile::Get()
{
    const int c = Peek();
    if (c >= 0)
        ++m_pos;
    return c;
}

bool CTextFile::ReadString(std::string& line, std::size_t maxBytes)
{
    line.clear();
    if (!m_file)
        return false;
    while (line.size() < maxBytes) {
        int c = Get();
        if (c < 0)
            break;
        if (c == '\r' && Peek() == '\n')
            c = Get();
        line.push_back(static_cast<char>(c));
        if (c == '\n')
            break;
    }
    return !line.empty();
}

}  // namespace tabrel
