#pragma once

#include "model/message_sink.h"
#include "model/result.h"
#include "model/text_helpers.h"

#include <utility>

namespace shiftex {

// Runs a command; a conversion error stops it and goes to the message sink as an error box.
// False when it did.
template <typename F>
bool Guarded(MessageSink& messages, F&& command)
{
    try {
        std::forward<F>(command)();
        return true;
    } catch (const ConversionError& error) {
        messages.Error(error.what());
        return false;
    }
}

// The error of a finished command to the message sink; false when there was one.
inline bool Reported(MessageSink& messages, const Result<void>& result)
{
    if (result)
        return true;
    messages.Error(result.error().message);
    return false;
}

} // namespace shiftex
