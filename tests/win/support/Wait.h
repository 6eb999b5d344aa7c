#pragma once

#include <chrono>
#include <functional>

namespace tallowmere::test {

using namespace std::chrono_literals;

// How long a test waits for something another process does under Wine
// before it gives up; generous, because a loaded machine is slow, and a
// condition that holds ends the wait at once.
inline constexpr std::chrono::milliseconds kPatience = 20s;

// Polls the condition until it holds or the time-out passes, processing the
// test thread's messages meanwhile so that its own windows stay responsive.
// Returns whether the condition held.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = kPatience);

// Processes the test thread's messages for the given time: for input that
// has to stay down for a while, not for waiting on a result.
void PumpMessagesFor(std::chrono::milliseconds duration);

}  // namespace tallowmere::test
