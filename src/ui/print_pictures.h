#pragma once

#include "platform/print_renderer.h"

namespace shiftex {

// The pictures of printed cells: the working type icons and the summaries' lock.
CellPictures PrintPictures();

} // namespace shiftex
