#pragma once

#include "runtime/failure.h"

#include <functional>
#include <string>

namespace netedit::testing {

// The message of the Failure that `action` raises, or "<no failure>".
inline std::string FailureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Failure& failure) {
        return failure.message();
    }
    return "<no failure>";
}

} // namespace netedit::testing
