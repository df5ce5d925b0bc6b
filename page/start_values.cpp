#include "page/start_values.h"

#include <utility>
#include <vector>

namespace {

using Enrolled = std::pair<void (*)(void*), void*>;

// Made on first use, so a unit enrolling before this unit's own initialisation finds it.
std::vector<Enrolled>& Enrolment() {
  static std::vector<Enrolled> enrolled;
  return enrolled;
}

}  // namespace

void EnrolStart(void (*restore)(void*), void* values) { Enrolment().emplace_back(restore, values); }

void RestoreEveryStart() {
  for (const auto& [restore, values] : Enrolment()) restore(values);
}

EnrolledStart::EnrolledStart(void (*reset)()) : reset_(reset) {
  EnrolStart([](void* self) { static_cast<EnrolledStart*>(self)->reset_(); }, this);
}
