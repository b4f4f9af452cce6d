#pragma once

// The process's resident memory, for the soak tests: the second field of
// /proc/self/statm (pages) in bytes; 0 when it cannot be read. Freed memory
// that the allocator still holds is handed back first, so what is left is
// memory in use.
#include <cstdint>
#include <fstream>
#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace dover::test {

inline std::int64_t ResidentBytes() {
#if defined(__GLIBC__)
    ::malloc_trim(0);
#endif
    std::ifstream statm("/proc/self/statm");
    std::int64_t size = 0;
    std::int64_t resident = 0;
    statm >> size >> resident;
    return resident * static_cast<std::int64_t>(::sysconf(_SC_PAGESIZE));
}

inline constexpr std::int64_t MiB = 1024 * 1024;

// Whether resident memory tells anything here: AddressSanitizer keeps freed
// memory in a quarantine of its own, so there LeakSanitizer does the checking.
#if defined(DOVER_SANITIZED)
inline constexpr bool ResidentMemoryTells = false;
#else
inline constexpr bool ResidentMemoryTells = true;
#endif

} // namespace dover::test
