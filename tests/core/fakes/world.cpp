#include "fakes/world.h"

namespace korvane::testing {

void PrintTo(const MessageBox& box, std::ostream* os) {
  *os << "{" << ::testing::PrintToString(box.text) << ", "
      << (box.title ? ::testing::PrintToString(*box.title) : std::string("no title")) << ", "
      << (box.buttons == MessageButtons::kOk ? "OK" : "Yes/No") << "}";
}

World::World() {
  window.onUnload = [this] { mainWindow.Unload(); };
  host.PutFile(kMainFrontEndPath, "main front-end");
  host.PutFile(kQueryFrontEndPath, "query front-end");
  host.PutFile(kWorkgroupPath, "workgroup");
  host.PutFile(kBackEndPath, kBackEndData);
  engine.firstRow = kBackEndPath;
  launcher.componentFiles.Fill();
}

Outcome World::Run(const std::function<void()>& body) {
  try {
    body();
    return Outcome::kReturned;
  } catch (const ProgramEnded&) {
    return Outcome::kProgramEnded;
  }
}

}  // namespace korvane::testing
