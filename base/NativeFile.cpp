// Opening, writing and replacing files through the system's own calls: POSIX on Unix, the Win32
// file functions on Windows.
#include "NativeFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

namespace nativefile {

namespace {

[[noreturn]] void fail(int code)
{
    throw Failure{Failure::Kind::System, code};
}

[[noreturn]] void refuseToBlock()
{
    throw Failure{Failure::Kind::WouldBlock, 0};
}

// A name for the temporary file in the target's folder. It is short whatever the target's name,
// so that a name near the system's limit still has a temporary sibling.
Path temporaryNameBeside(const Path &target)
{
    static std::mt19937 generator(
        unsigned(std::random_device{}()) ^ unsigned(std::chrono::steady_clock::now().time_since_epoch().count()));
#ifdef _WIN32
    const std::size_t separator = target.find_last_of(L"\\/");
    wchar_t name[32];
    std::swprintf(name, 32, L".~%08x.tmp", unsigned(generator()));
#else
    const std::size_t separator = target.rfind('/');
    char name[32];
    std::snprintf(name, sizeof name, ".~%08x.tmp", unsigned(generator()));
#endif
    return (separator == Path::npos ? Path() : target.substr(0, separator + 1)) + name;
}

} // namespace

#ifdef _WIN32

namespace {

HANDLE handleOf(void *handle)
{
    return static_cast<HANDLE>(handle);
}

[[noreturn]] void failWithLastError()
{
    const DWORD error = GetLastError();
    fail(error != 0 ? int(error) : int(ERROR_GEN_FAILURE));
}

// Failures that close only the road through a temporary file; the file itself may still be
// written where it is.
bool closesTemporaryRoute(int error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case 1295: // ERROR_DISK_QUOTA_EXCEEDED, which older headers lack
    case ERROR_NOT_SAME_DEVICE:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
        return true;
    default:
        return false;
    }
}

void closeChecked(Handle &handle)
{
    const BOOL closed = CloseHandle(handleOf(handle));
    handle = nullptr;
    if (!closed)
        failWithLastError();
}

void closeQuietly(Handle &handle)
{
    if (handle != nullptr)
        CloseHandle(handleOf(handle));
    handle = nullptr;
}

void writeAll(void *handle, const char *data, std::size_t size)
{
    while (size > 0) {
        const DWORD piece = DWORD(std::min<std::size_t>(size, std::size_t(1) << 30));
        DWORD written = 0;
        if (!WriteFile(handleOf(handle), data, piece, &written, nullptr))
            failWithLastError();
        if (written == 0)
            fail(ERROR_DISK_FULL);
        data += written;
        size -= written;
    }
}

void syncToDisk(void *handle)
{
    // Consoles and some devices cannot be flushed; nothing is lost by that.
    if (!FlushFileBuffers(handleOf(handle))) {
        const DWORD error = GetLastError();
        if (error != ERROR_INVALID_HANDLE && error != ERROR_INVALID_FUNCTION)
            fail(int(error));
    }
}

void *openExisting(const Path &path)
{
    // Others may read the file while it is written, not write it.
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        failWithLastError();
    return handle;
}

void *createTemporary(const Path &target, Path &name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryNameBeside(target);
        HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE)
            return handle;
        if (GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    name.clear();
    return nullptr;
}

// Beyond MAX_PATH the plain form of a name fails; the extended form, of the full name, does not.
// The temporary sibling's name may be longer than the target's, so it counts too.
constexpr std::size_t temporaryNameLength = 14; // ".~xxxxxxxx.tmp"

bool hasSystemPrefix(const Path &path)
{
    return path.rfind(L"\\\\?\\", 0) == 0 || path.rfind(L"\\\\.\\", 0) == 0;
}

Path folderOf(const Path &path)
{
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == Path::npos ? Path(L".") : path.substr(0, separator + 1);
}

void removeFile(const Path &path)
{
    DeleteFileW(path.c_str());
}

// Puts the written temporary file in the target's place.
void moveOver(const Path &temporary, const Path &target, Route route, Handle &existing)
{
    if (route == Route::NewFile) {
        if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            failWithLastError();
        return;
    }
    // ReplaceFileW keeps the replaced file's attributes and security; it needs the file closed.
    closeQuietly(existing);
    if (!ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                      nullptr))
        failWithLastError();
}

// Empties the existing file for its new content, opening it again if a failed replacement closed it.
void emptyForRewrite(Handle &existing, const Path &path, std::size_t size)
{
    if (existing == noHandle)
        existing = openExisting(path);
    LARGE_INTEGER current {};
    ULARGE_INTEGER available {};
    if (GetFileSizeEx(handleOf(existing), &current)
        && GetDiskFreeSpaceExW(folderOf(path).c_str(), &available, nullptr, nullptr)
        && available.QuadPart + ULONGLONG(current.QuadPart) < ULONGLONG(size))
        fail(ERROR_DISK_FULL);
    LARGE_INTEGER start {};
    if (!SetFilePointerEx(handleOf(existing), start, nullptr, FILE_BEGIN) || !SetEndOfFile(handleOf(existing)))
        failWithLastError();
}

} // namespace

Path systemPath(const Path &path)
{
    if (hasSystemPrefix(path))
        return path;
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    Path full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return path;
    full.resize(length);
    // Shorter names keep their plain form and the system's usual reading of it; a device name
    // comes back as \\.\NAME and stays so.
    if (full.size() + temporaryNameLength < MAX_PATH || hasSystemPrefix(full))
        return path;
    if (full.rfind(L"\\\\", 0) == 0) // \\server\share\...
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

void Writer::chooseRoute()
{
    const DWORD attributes = GetFileAttributesW(m_path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            fail(int(error));
        m_route = Route::NewFile;
        m_temporary = createTemporary(m_path, m_temporaryPath);
        if (m_temporary == noHandle)
            failWithLastError();
        return;
    }
    // Windows refuses to write a read-only file; said here too, since Wine run by root
    // would not.
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
        fail(ERROR_ACCESS_DENIED);
    m_target = openExisting(m_path);
    switch (GetFileType(handleOf(m_target))) {
    case FILE_TYPE_DISK:
        break;
    case FILE_TYPE_CHAR:
        m_route = Route::Device;
        return;
    default:
        refuseToBlock();
    }
    m_route = Route::Replace;
    m_temporary = createTemporary(m_path, m_temporaryPath);
    if (m_temporary == noHandle) {
        const int error = int(GetLastError());
        if (!closesTemporaryRoute(error))
            fail(error);
        m_route = Route::InPlace;
    }
}

void refuseBlockingRead(const Path &path)
{
    // Asks for no access at all: enough to learn the kind, and it does not take a pipe's instance
    // for reading.
    HANDLE handle = CreateFileW(systemPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    const DWORD kind = GetFileType(handle);
    CloseHandle(handle);
    if (kind == FILE_TYPE_PIPE)
        refuseToBlock();
}

#else // POSIX

namespace {

[[noreturn]] void failWithErrno()
{
    fail(errno != 0 ? errno : EIO);
}

bool wouldBlock(mode_t mode)
{
    return !S_ISREG(mode) && !S_ISDIR(mode) && !S_ISCHR(mode) && !S_ISBLK(mode);
}

// Failures that close only the road through a temporary file; the file itself may still be
// written where it is.
bool closesTemporaryRoute(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
    case ENOSPC:
    case EDQUOT:
    case EBUSY:
    case EXDEV:
    case ENAMETOOLONG:
        return true;
    default:
        return false;
    }
}

int openRetrying(const char *path, int flags, mode_t mode = 0)
{
    int descriptor;
    do
        descriptor = ::open(path, flags | O_CLOEXEC | O_NOCTTY, mode);
    while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

void closeChecked(Handle &descriptor)
{
    const int result = ::close(descriptor);
    descriptor = -1;
    if (result != 0 && errno != EINTR)
        failWithErrno();
}

void closeQuietly(Handle &descriptor)
{
    if (descriptor >= 0)
        ::close(descriptor);
    descriptor = -1;
}

void writeAll(int descriptor, const char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(descriptor, data, std::min<std::size_t>(size, std::size_t(1) << 30));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            failWithErrno();
        }
        if (written == 0)
            fail(ENOSPC);
        data += written;
        size -= std::size_t(written);
    }
}

// A full disk or a failing device may show only now. Devices and some file systems cannot sync;
// nothing is lost by that.
void syncToDisk(int descriptor)
{
    if (::fsync(descriptor) != 0 && errno != EINVAL && errno != EROFS)
        failWithErrno();
}

int createTemporary(const Path &target, mode_t mode, Path &name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryNameBeside(target);
        const int descriptor = openRetrying(name.c_str(), O_WRONLY | O_CREAT | O_EXCL, mode);
        if (descriptor >= 0)
            return descriptor;
        if (errno != EEXIST)
            break;
    }
    const int error = errno;
    name.clear();
    errno = error;
    return -1;
}

void removeFile(const Path &path)
{
    ::unlink(path.c_str());
}

// Puts the written temporary file in the target's place; a rename keeps nothing of the old file,
// whose owner and mode the temporary file took when it was made.
void moveOver(const Path &temporary, const Path &target, Route, Handle &)
{
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        failWithErrno();
}

void emptyForRewrite(Handle &existing, const Path &, std::size_t size)
{
    struct stat status {};
    struct statvfs disk {};
    if (::fstat(existing, &status) == 0 && ::fstatvfs(existing, &disk) == 0) {
        const unsigned long long block = disk.f_frsize != 0 ? disk.f_frsize : disk.f_bsize;
        const unsigned long long room =
            (unsigned long long)disk.f_bavail * block + (unsigned long long)status.st_blocks * 512;
        if (block != 0 && (size + block - 1) / block * block > room)
            fail(ENOSPC);
    }
    int result;
    do
        result = ::ftruncate(existing, 0);
    while (result != 0 && errno == EINTR);
    if (result != 0)
        failWithErrno();
}

} // namespace

Path systemPath(const Path &path)
{
    return path;
}

void Writer::chooseRoute()
{
    struct stat status {};
    if (::stat(m_path.c_str(), &status) != 0) {
        if (errno != ENOENT)
            failWithErrno();
        // A new file gets the usual permissions (the umask applies), like any file created.
        m_route = Route::NewFile;
        m_temporary = createTemporary(m_path, 0666, m_temporaryPath);
        if (m_temporary < 0)
            failWithErrno();
        return;
    }
    if (S_ISDIR(status.st_mode))
        fail(EISDIR);
    // Opening a pipe for writing waits for its reader: refused before anything is opened.
    if (wouldBlock(status.st_mode))
        refuseToBlock();
    m_target = openRetrying(m_path.c_str(), O_WRONLY | O_NONBLOCK);
    if (m_target < 0)
        failWithErrno();
    // The name may have changed hands between the two looks.
    if (::fstat(m_target, &status) != 0)
        failWithErrno();
    if (wouldBlock(status.st_mode))
        refuseToBlock();
    if (!S_ISREG(status.st_mode)) {
        m_route = Route::Device;
        const int flags = ::fcntl(m_target, F_GETFL);
        if (flags < 0 || ::fcntl(m_target, F_SETFL, flags & ~O_NONBLOCK) != 0)
            failWithErrno();
        return;
    }
    m_route = Route::Replace;
    m_temporary = createTemporary(m_path, 0600, m_temporaryPath);
    if (m_temporary < 0) {
        if (!closesTemporaryRoute(errno))
            failWithErrno();
        m_route = Route::InPlace;
        return;
    }
    // The replacement must be the same user's file with the same mode, or the save changes
    // more than the content.
    struct stat made {};
    const bool sameOwner = ::fstat(m_temporary, &made) == 0 && made.st_uid == status.st_uid
                           && made.st_gid == status.st_gid;
    if ((!sameOwner && ::fchown(m_temporary, status.st_uid, status.st_gid) != 0)
        || ::fchmod(m_temporary, status.st_mode & 07777) != 0) {
        dropTemporary();
        m_route = Route::InPlace;
    }
}

void refuseBlockingRead(const Path &path)
{
    // Only a look at the name: opening a pipe for reading would already wait for its writer.
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && wouldBlock(status.st_mode))
        refuseToBlock();
}

#endif

namespace {

void writeAndClose(Handle &handle, const char *data, std::size_t size, bool synced)
{
    writeAll(handle, data, size);
    if (synced)
        syncToDisk(handle);
    closeChecked(handle);
}

} // namespace

Writer::Writer(const Path &path)
    : m_path(systemPath(path))
{
    try {
        chooseRoute();
    } catch (...) {
        dropTemporary();
        closeQuietly(m_target);
        throw;
    }
}

Writer::~Writer()
{
    dropTemporary();
    closeQuietly(m_target);
}

void Writer::dropTemporary()
{
    closeQuietly(m_temporary);
    if (!m_temporaryPath.empty())
        removeFile(m_temporaryPath);
    m_temporaryPath.clear();
}

void Writer::commit(const char *data, std::size_t size)
{
    switch (m_route) {
    case Route::Device:
        writeAndClose(m_target, data, size, m_synced);
        return;
    case Route::InPlace:
        writeInPlace(data, size);
        return;
    case Route::NewFile:
    case Route::Replace:
        break;
    }
    try {
        writeAndClose(m_temporary, data, size, m_synced);
        moveOver(m_temporaryPath, m_path, m_route, m_target);
    } catch (const Failure &failure) {
        // A new file has no place of its own to fall back to, and content written ahead is gone.
        if (m_route == Route::NewFile || m_wroteAhead || !closesTemporaryRoute(failure.code))
            throw;
        dropTemporary();
        m_route = Route::InPlace;
        writeInPlace(data, size);
        return;
    }
    m_temporaryPath.clear();
    closeQuietly(m_target); // never written: its close has nothing to report
}

bool Writer::writeAhead(const char *data, std::size_t size)
{
    if (m_route != Route::NewFile && m_route != Route::Replace)
        return false;
    writeAll(m_temporary, data, size);
    m_wroteAhead = true;
    return true;
}

void Writer::writeInPlace(const char *data, std::size_t size)
{
    // Emptying the file is the point of no return: emptyForRewrite refuses first what clearly
    // cannot fit.
    emptyForRewrite(m_target, m_path, size);
    writeAndClose(m_target, data, size, m_synced);
}

} // namespace nativefile
