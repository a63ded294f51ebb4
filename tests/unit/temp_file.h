#pragma once

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

namespace ostrel::test {

// A file with the given bytes for the life of the object.
class TempFile {
public:
    explicit TempFile(const std::string& bytes) {
        char name[] = "/tmp/ostrel-test-XXXXXX";
        int fd = mkstemp(name);
        close(fd);
        m_path = name;
        std::ofstream(m_path, std::ios::binary) << bytes;
    }
    ~TempFile() { std::remove(m_path.c_str()); }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace ostrel::test
