#include "fakes/call_log.h"

namespace korvane::testing {

void CallLog::Enter(std::string operation, std::vector<Text> arguments) {
  const std::size_t index = calls_.size();
  calls_.push_back({std::move(operation), std::move(arguments)});
  for (const Fault& fault : faults_) {
    const bool matches =
        fault.index ? *fault.index == index : fault.operation == calls_[index].operation;
    if (matches) throw fault.error.value_or(Error(1001, u"注入的故障", u"CallLog"));
  }
}

void CallLog::FailCallAt(std::size_t index) {
  faults_.push_back({index, {}, std::nullopt});
}

void CallLog::Fail(std::string operation, std::optional<Error> error) {
  faults_.push_back({std::nullopt, std::move(operation), std::move(error)});
}

std::vector<std::string> CallLog::Operations() const {
  std::vector<std::string> operations;
  for (const Call& call : calls_) operations.push_back(call.operation);
  return operations;
}

std::vector<Call> CallLog::CallsOf(const std::string& operation) const {
  std::vector<Call> found;
  for (const Call& call : calls_) {
    if (call.operation == operation) found.push_back(call);
  }
  return found;
}

Text Arg(long long number) {
  const std::string digits = std::to_string(number);
  return Text(digits.begin(), digits.end());
}

}  // namespace korvane::testing
