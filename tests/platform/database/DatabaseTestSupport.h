#pragma once
// Shared bits of the database tests.
#include "platform/database/Database.h"
#include "platform/runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <functional>

namespace dbtest {

// The error number that f raises; 0 when it raises none.
inline int errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const rt::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace dbtest
