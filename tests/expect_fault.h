#pragma once

#include "foundation/fault.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tarvik::testing {

// The description of the Fault `action` throws; "<no fault>" when it throws none.
inline std::string faultDescription(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Fault &fault) {
        return fault.description();
    }
    return "<no fault>";
}

} // namespace tarvik::testing

// The one assertion for faults: `statement` must throw a Fault whose
// description is `expected`. Any other exception fails the test as thrown.
// A message may be streamed into it, as into EXPECT_EQ.
#define EXPECT_FAULT(statement, expected)                                                                              \
    if (const std::string tarvikFault_ = ::tarvik::testing::faultDescription([&] { statement; }); false) {             \
    } else                                                                                                             \
        EXPECT_EQ(tarvikFault_, std::string(expected)) << "from: " #statement << ' '
