#pragma once

#include <cstddef>
#include <string>

namespace quorbel {

// A file written under a temporary name in its final folder and renamed over
// its final name only when complete: readers never see half a file, and a
// program that ends midway leaves no truncated file under the final name. The
// rename replaces a symbolic link of that name instead of following it.
// Plain POSIX calls only, so that workers can use it while the program ends.
class ReplacingFile
{
public:
    // Creates a hidden temporary file in `folder` (which ends in "/").
    explicit ReplacingFile(const std::string &folder);
    ~ReplacingFile(); // removes the temporary file unless committed

    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    bool write(const char *data, std::size_t size);

    // Closes the file and renames it to `path`; false (and the temporary file
    // removed) when anything failed on the way.
    bool commit(const std::string &path);

    // Writes `size` bytes as the whole content of `path`.
    static bool WriteWhole(const std::string &path, const char *data, std::size_t size);

private:
    void discard();

    std::string m_tempPath;
    int m_fd = -1;
    bool m_failed = false;
};

} // namespace quorbel
