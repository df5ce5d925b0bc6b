// How a template run stops: every error of the language carries the message the user sees,
// and the run that catches it shows the message and ends, leaving the program running.
#pragma once
#include <stdexcept>
#include <string>

namespace templates {

class TemplateError : public std::runtime_error {
 public:
  explicit TemplateError(const std::string& message) : std::runtime_error(message) {}
};

// The message of an arithmetic operation that has no number for its result (an overflow, a
// division by zero, the root of a negative number).
inline constexpr const char* kInvalidArithmetic =
    "Error en la plantilla: operacion aritmetica no valida ...";

}  // namespace templates
