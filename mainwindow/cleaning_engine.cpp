#include "mainwindow/cleaning_engine.h"

#include "mainwindow/Form1.h"

namespace {
std::shared_ptr<CleaningEngine>& Installed() {
  static std::shared_ptr<CleaningEngine> engine = std::make_shared<CleaningEngine>();
  return engine;
}
}  // namespace

void InstallCleaningEngine(std::shared_ptr<CleaningEngine> engine) {
  Installed() = engine ? std::move(engine) : std::make_shared<CleaningEngine>();
}

std::shared_ptr<CleaningEngine> InstalledCleaningEngine() { return Installed(); }

void CleaningEngine::AddItem(const std::string& line) {
  auto& log = Form1().txtResult;
  log.SelStart(static_cast<std::int32_t>(log.Text().size()));
  log.SelText(line + "\r\n");
  log.SelStart(static_cast<std::int32_t>(log.Text().size()) - 1);
  log.SelLength(0);
}
