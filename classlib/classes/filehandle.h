// Thin typed wrappers over the operating system's file handle calls, used by
// the file streams. The Windows build calls CreateFileW and friends
// (win/filehandle.cpp); the native build uses POSIX descriptors
// (posix/filehandle.cpp).
#pragma once
#include <cstdint>

#include "classlib/classes/streams.h"

namespace filehandle {

// Opens or creates a file as TFileStream's mode describes (fmCreate or an
// access mode, or'ed with a share mode). Returns INVALID_FILE_HANDLE and
// sets errorCode to the OS error code on failure.
THandle Open(const AnsiString& fileName, unsigned short mode, unsigned long& errorCode);
void Close(THandle handle);
// Return the count moved, or -1 on failure.
std::int32_t Read(THandle handle, void* buffer, std::int32_t count);
std::int32_t Write(THandle handle, const void* buffer, std::int32_t count);
// Returns the new position, or -1 on failure.
std::int64_t Seek(THandle handle, std::int64_t offset, TSeekOrigin origin);
// Sets the end of file at the current position.
bool Truncate(THandle handle);

}  // namespace filehandle
