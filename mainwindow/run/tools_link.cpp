#include "mainwindow/run/tools_link.h"

#include "mainwindow/system_tools.h"
#include "tools/WindowsStartup.h"
#include "tools/startup_manager.h"
#include "tools/uninstall_list.h"

namespace {

using platform::forms::ListBox;
using platform::forms::ListItem;
using platform::forms::ListView;

class Tools : public SystemTools {
 public:
  void LoadStartUpPrograms(ListView& list) override { startUp_.LoadStartUpPrograms(list); }
  void ToggleStartUpProgram(ListView& list) override { startUp_.ToggleSelected(list); }
  void ClearStartUpPrograms(ListView& list) override { startUp_.ClearSelected(list); }
  std::string ToggleCaption(const ListItem& row) override { return tools::StartUpManager::ToggleCaption(row); }
  void LoadUninstallList(ListBox& names, ListBox& commands) override { tools::LoadUninstallList(names, commands); }
  void StartUninstaller(ListBox& names, ListBox& commands) override { tools::StartUninstaller(names, commands); }
  void EnableStartupEntry(const std::string& command, const std::string& title) override {
    tools::EnableStartupEntry(command, title);
  }
  void DisableStartupEntry(const std::string& command, const std::string& title) override {
    tools::DisableStartupEntry(command, title);
  }

 private:
  tools::StartUpManager startUp_;  // keeps the file's unreadable lines for this window
};

}  // namespace

void ConnectSystemTools() {
  InstallSystemTools([] { return std::make_shared<Tools>(); });
}
