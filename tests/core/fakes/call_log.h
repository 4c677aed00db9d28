#pragma once
// The one record of every call the doubles receive, in order, and the one
// place where a test makes a call fail. Every double enters its calls here,
// so a fault plan can name a call by its position in a run or by its
// operation, whichever double receives it.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/text.h"

namespace korvane::testing {

struct Call {
  std::string operation;
  std::vector<Text> arguments;
};

class CallLog {
 public:
  // Records the call, then raises when a planned failure matches it.
  void Enter(std::string operation, std::vector<Text> arguments = {});

  // Makes the call at this position of the run (from 0) raise.
  void FailCallAt(std::size_t index);
  // Makes every call of the operation raise, a generic error unless named.
  void Fail(std::string operation, std::optional<Error> error = std::nullopt);

  const std::vector<Call>& Calls() const { return calls_; }
  std::vector<std::string> Operations() const;
  // Calls of one operation, in order.
  std::vector<Call> CallsOf(const std::string& operation) const;
  std::size_t Count(const std::string& operation) const { return CallsOf(operation).size(); }

 private:
  struct Fault {
    std::optional<std::size_t> index;
    std::string operation;
    std::optional<Error> error;
  };
  std::vector<Call> calls_;
  std::vector<Fault> faults_;
};

// A number as a call argument.
Text Arg(long long number);

}  // namespace korvane::testing
