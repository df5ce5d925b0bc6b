// The values a unit's globals start the run with, kept so that the unit can start from them
// again (each test starts the program's state afresh). Every unit with globals enrols itself at
// static initialisation, so that whatever links the unit can put it back without a list.
#pragma once
#include <tuple>

// `restore(values)` puts a unit back at its start; enrolled once, at static initialisation.
void EnrolStart(void (*restore)(void*), void* values);
// Every enrolled unit back at its start, in the order they enrolled. Each unit restores only its
// own globals, so the order does not matter; a unit whose routine restores its StartValues too
// is restored twice, which changes nothing.
void RestoreEveryStart();

// Made after the globals it names, in the unit that defines them, so it copies their
// initial values; it enrols itself.
template <typename... T>
class StartValues {
 public:
  explicit StartValues(T&... globals) : globals_(globals...), start_(globals...) {
    EnrolStart([](void* self) { static_cast<StartValues*>(self)->Restore(); }, this);
  }
  StartValues(const StartValues&) = delete;
  StartValues& operator=(const StartValues&) = delete;

  // Every global back to the value it had when this was made.
  void Restore() { globals_ = start_; }

 private:
  std::tuple<T&...> globals_;
  std::tuple<T...> start_;
};

// For a unit whose start is a routine (it releases a bitmap, destroys a window, refills a
// store): made right after the routine, it enrols it.
class EnrolledStart {
 public:
  explicit EnrolledStart(void (*reset)());
  EnrolledStart(const EnrolledStart&) = delete;
  EnrolledStart& operator=(const EnrolledStart&) = delete;

 private:
  void (*reset_)();
};
