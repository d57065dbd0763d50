#include "mainwindow/system_tools.h"

namespace {
SystemToolsFactory& Installed() {
  static SystemToolsFactory factory;
  return factory;
}
}  // namespace

void InstallSystemTools(SystemToolsFactory factory) { Installed() = std::move(factory); }

std::shared_ptr<SystemTools> MakeSystemTools() {
  auto tools = Installed() ? Installed()() : nullptr;
  return tools ? tools : std::make_shared<SystemTools>();
}
