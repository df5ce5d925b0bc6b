// The values a unit's globals start the run with, kept so that the unit can start from them
// again (each test starts the program's state afresh).
#pragma once
#include <tuple>

// Made after the globals it names, in the unit that defines them, so it copies their
// initial values.
template <typename... T>
class StartValues {
 public:
  explicit StartValues(T&... globals) : globals_(globals...), start_(globals...) {}
  StartValues(const StartValues&) = delete;
  StartValues& operator=(const StartValues&) = delete;

  // Every global back to the value it had when this was made.
  void Restore() { globals_ = start_; }

 private:
  std::tuple<T&...> globals_;
  std::tuple<T...> start_;
};
