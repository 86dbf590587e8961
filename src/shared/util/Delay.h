#pragma once

// Waiting and yielding on the one UI thread.

namespace wexlo::delay {

// Suspends the thread; no window events run meanwhile.
void sleepMs(int ms);
// Up to 1000 ms: one blocking sleep; longer: waitSeconds.
void waitMs(int ms);
// Over one second: half-second sleeps with a yield on pending input between them.
void waitSeconds(float seconds);
// Lets pending events run when the user has input waiting.
void yieldToInput();
// Lets pending events run at most once per quarter second (on the monotonic clock).
void throttledYield();
void resetForTests();

}  // namespace wexlo::delay
