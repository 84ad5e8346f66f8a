#pragma once

#include "model/result.h"
#include "model/text_helpers.h"

#include <optional>
#include <utility>

namespace shiftex {

// Runs the steps of one command that may meet a conversion error, every one of them, and keeps
// the first error: the figures that can be right are, and the user hears of the first fault.
class ConversionGuard {
public:
    template <typename Step>
    void Attempt(Step&& step)
    {
        try {
            std::forward<Step>(step)();
        } catch (const ConversionError& error) {
            if (!first_)
                first_ = Error{ErrorKind::Conversion, error.what()};
        }
    }
    bool failed() const { return first_.has_value(); }
    Result<void> result() const
    {
        if (first_)
            return std::unexpected(*first_);
        return {};
    }
    // For steps inside a computation whose caller catches conversion errors: the first one
    // again, once every step has run.
    void ThrowFirst() const
    {
        if (first_)
            throw ConversionError(first_->message);
    }

private:
    std::optional<Error> first_;
};

} // namespace shiftex
