#include "files/large_buffer.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace shiftex {

void ReserveLargeBuffer(std::string& buffer, std::size_t capacity)
{
    if (capacity <= buffer.capacity())
        return;
    buffer.reserve(capacity);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // Only whole large pages inside the buffer can be given; below a few of them it is not worth
    // a system call.
    constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
    if (buffer.capacity() < 4 * kLargePage)
        return;
    const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
    const std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t last = (begin + buffer.capacity()) & ~(kLargePage - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);  // a hint
#endif
}

} // namespace shiftex
