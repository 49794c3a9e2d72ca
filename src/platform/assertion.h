// Invariants that callers keep. A failed one is a programming error: it is reported as
// "In <file> line <n>: Condition "<cond>"failed!" under "Assertion failed" and the program
// stops, since nothing may rely on running on after it. User input never reaches one.
#pragma once

#include <string>

namespace kalvora::platform {

std::string AssertionText(const char* file, int line, const char* condition);
[[noreturn]] void AssertionFailed(const char* file, int line, const char* condition);

}  // namespace kalvora::platform

#define KALVORA_ASSERT(condition)       \
    ((condition) ? static_cast<void>(0) \
                 : ::kalvora::platform::AssertionFailed(__FILE__, __LINE__, #condition))
