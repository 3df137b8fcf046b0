#pragma once
// What a command link operation returns. Device code compares against these
// names, never against the bare numbers.
namespace q31 {

inline constexpr int kResultSuccess = 1;
// The link is not open, or the last read failed or timed out.
inline constexpr int kResultNoReply = 0;
inline constexpr int kResultWriteFailed = -1;
// The receiver answered for a device it cannot reach.
inline constexpr int kResultUnreachable = -101;
inline constexpr int kResultStatusFF = -102;
inline constexpr int kResultStatusFE = -103;
inline constexpr int kResultBadBank = -201;

}  // namespace q31
