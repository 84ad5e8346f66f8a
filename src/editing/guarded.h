#pragma once

#include "model/conversion_guard.h"
#include "model/message_sink.h"
#include "model/result.h"

#include <utility>

namespace shiftex {

// The error of a finished command to the message sink; false when there was one.
inline bool Reported(MessageSink& messages, const Result<void>& result)
{
    if (result)
        return true;
    messages.Error(result.error().message);
    return false;
}

// Runs a command; a conversion error stops it and goes to the message sink as an error box.
// False when it did.
template <typename F>
bool Guarded(MessageSink& messages, F&& command)
{
    ConversionGuard guard;
    guard.Attempt(std::forward<F>(command));
    return Reported(messages, guard.result());
}

} // namespace shiftex
