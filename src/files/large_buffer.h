#pragma once

#include <cstddef>
#include <string>

namespace shiftex {

// As buffer.reserve(capacity). When the buffer is large (the streams of a year's schedule run to
// a hundred megabytes), the system is also asked to back it with large memory pages: first
// touching fresh memory one small page at a time costs more than filling it. Only a hint; the
// buffer behaves the same either way.
void ReserveLargeBuffer(std::string& buffer, std::size_t capacity);

} // namespace shiftex
