#pragma once

// Waiting and yielding on the one UI thread.

namespace wexlo::delay {

// Suspends the thread; no window events run meanwhile.
void sleepms(int ms);
// Up to 1000 ms: one blocking sleep; longer: delayseconds.
void delayms(int ms);
// Over one second: half-second sleeps with a yield on pending input between them.
void delayseconds(float seconds);
void yieldifinput();
// Lets pending events run at most once per quarter second (on the monotonic clock).
void throttledyield();
void resetForTests();

}  // namespace wexlo::delay
