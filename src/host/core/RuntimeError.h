#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace host {

// A run-time error as the forms runtime raises it: a number, the source that raised it
// ("CZoom.ZoomFactor") and a description ("Invalid parameter"). Class properties throw it to
// reject a value; event-handler boundaries (timers, control events) catch it.
class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(std::int32_t number, std::string source, std::string description)
      : std::runtime_error(description),
        m_number(number),
        m_source(std::move(source)),
        m_description(std::move(description)) {}

  std::int32_t number() const { return m_number; }
  const std::string& source() const { return m_source; }
  const std::string& description() const { return m_description; }

 private:
  std::int32_t m_number;
  std::string m_source;
  std::string m_description;
};

inline constexpr std::int32_t kErrInvalidProcedureCall = 5;
inline constexpr std::int32_t kErrOverflow = 6;

// Runs one statement of a routine that goes on past its failures: a run-time error the statement
// raises is dropped and the caller's next statement runs. Any other exception is a programming
// error and passes on to the handler boundary, which logs it.
template <class Statement>
void skipOnError(Statement&& statement) {
  try {
    statement();
  } catch (const RuntimeError&) {
  }
}

}  // namespace host
