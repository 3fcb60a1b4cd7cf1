#pragma once

#include "calendar/runtime_error.h"

namespace calendario::testing {

// The number of the runtime error that an operation raises, or 0 when it raises none.
template<typename Operation>
int errorNumberOf(Operation &&operation)
{
    try {
        operation();
    } catch (const RuntimeError &error) {
        return error.number();
    }
    return 0;
}

} // namespace calendario::testing
