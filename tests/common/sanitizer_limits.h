#pragma once
// Tests that the sanitizers cannot judge, or judge only more slowly.
#include <gtest/gtest.h>

// How many times slower than a plain build a sanitized one answers: limits on
// wall-clock time are widened by it, so they still catch a stall of seconds.
#if defined(__SANITIZE_THREAD__)
inline constexpr int kSanitizerSlowdown = 10;
#elif defined(__SANITIZE_ADDRESS__)
inline constexpr int kSanitizerSlowdown = 4;
#else
inline constexpr int kSanitizerSlowdown = 1;
#endif

// Qt starts a child sharing this process's memory until exec, which corrupts
// ThreadSanitizer's state of the starting thread: its later locking goes
// unseen (every lock-guarded hand-over reads as a race), or it takes itself
// for a forked child and dies when a thread starts.
#if defined(__SANITIZE_THREAD__)
#define Q31_SKIP_WHEN_CHILDREN_CONFUSE_THE_THREAD_CHECKER() \
    GTEST_SKIP() << "starting child processes confuses ThreadSanitizer"
#else
#define Q31_SKIP_WHEN_CHILDREN_CONFUSE_THE_THREAD_CHECKER() static_cast<void>(0)
#endif
