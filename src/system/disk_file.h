// A file opened for reading and closed when it goes, for the launcher's pictures and
// the checker's menus. Devices (CON, NUL, COM1), pipes and consoles open too, but are
// no files on a disk: reading one may wait or never end.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace ostrel {

class DiskFile {
public:
    explicit DiskFile(const char* path)
        : m_handle(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    explicit DiskFile(const wchar_t* path)
        : m_handle(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~DiskFile() {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    DiskFile(const DiskFile&) = delete;
    DiskFile& operator=(const DiskFile&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    bool IsDiskFile() const { return IsOpen() && GetFileType(m_handle) == FILE_TYPE_DISK; }
    bool Size(std::uint64_t& size) const {
        LARGE_INTEGER value = {};
        if (!GetFileSizeEx(m_handle, &value) || value.QuadPart < 0)
            return false;
        size = static_cast<std::uint64_t>(value.QuadPart);
        return true;
    }
    // Up to `length` bytes from `offset`; fewer at the end of the file.
    std::string Read(std::uint64_t offset, size_t length) const {
        LARGE_INTEGER position = {};
        position.QuadPart = static_cast<LONGLONG>(offset);
        std::string bytes(length, '\0');
        DWORD got = 0;
        if (length == 0 || !SetFilePointerEx(m_handle, position, nullptr, FILE_BEGIN) ||
            !ReadFile(m_handle, &bytes[0], static_cast<DWORD>(length), &got, nullptr))
            got = 0;
        bytes.resize(got);
        return bytes;
    }

private:
    HANDLE m_handle;
};

} // namespace ostrel
