#pragma once
// The help viewer: enters each call and opens a viewer window of its own.

#include "fakes/call_log.h"
#include "platform/help_viewer.h"

namespace korvane::testing {

class FakeHelpViewer : public HelpViewer {
 public:
  explicit FakeHelpViewer(CallLog& log) : log_(log) {}

  NativeWindowHandle HtmlHelpA(NativeWindowHandle owner, const Text& path, unsigned command,
                               std::uintptr_t data) override {
    log_.Enter("HtmlHelpA", {Arg(static_cast<long long>(owner)), path, Arg(command),
                             Arg(static_cast<long long>(data))});
    return 0x3C4D;
  }

 private:
  CallLog& log_;
};

}  // namespace korvane::testing
