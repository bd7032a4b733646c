#include "platform/ReplacingFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorbel {

ReplacingFile::ReplacingFile(const std::string &folder)
{
    std::vector<char> name(folder.begin(), folder.end());
    const std::string pattern = ".~part-XXXXXX";
    name.insert(name.end(), pattern.begin(), pattern.end());
    name.push_back('\0');
    m_fd = mkostemp(name.data(), O_CLOEXEC);
    if (m_fd >= 0) {
        m_tempPath.assign(name.data());
        // mkostemp makes the file private; the data is ordinary program data.
        ::fchmod(m_fd, 0644);
    }
}

ReplacingFile::~ReplacingFile()
{
    discard();
}

bool ReplacingFile::write(const char *data, std::size_t size)
{
    while (m_fd >= 0 && !m_failed && size > 0) {
        const ssize_t written = ::write(m_fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            m_failed = true;
            break;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return m_fd >= 0 && !m_failed;
}

bool ReplacingFile::commit(const std::string &path)
{
    if (m_fd < 0 || m_failed) {
        discard();
        return false;
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 || std::rename(m_tempPath.c_str(), path.c_str()) != 0) {
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
        return false;
    }
    m_tempPath.clear();
    return true;
}

void ReplacingFile::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}

bool ReplacingFile::WriteWhole(const std::string &path, const char *data, std::size_t size)
{
    const std::size_t slash = path.rfind('/');
    ReplacingFile file(slash == std::string::npos ? std::string() : path.substr(0, slash + 1));
    return file.write(data, size) && file.commit(path);
}

} // namespace quorbel
