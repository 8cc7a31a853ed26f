// The boundary of the extraction core: no exception leaves it.
#pragma once

#include "result.h"

#include <new>
#include <stdexcept>

namespace zorvane::extraction {

// Every allocation is capped by a limit, yet the machine may still refuse one; that is a result too.
template <typename Operation>
auto guarded(Operation&& operation) -> decltype(operation())
{
    try {
        return operation();
    } catch (const std::bad_alloc&) {
        return Error{ErrorCode::OutOfMemory, 0};
    } catch (const std::length_error&) {
        return Error{ErrorCode::OutOfMemory, 0};
    }
}

} // namespace zorvane::extraction
