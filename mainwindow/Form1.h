#pragma once
// The main window, as far as the support library and the cleaning engine
// rely on it: the log, the shredder options, the plug-in list, the step
// check boxes, the skin control, the DLL search and shredder state and the
// procedures they call back. Later parts add the rest of the window.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/activex/progress_bar.h"
#include "platform/activex/skin.h"
#include "platform/forms/forms.h"
#include "support/main_window_link.h"

// The built-in plug-in runner the main window hands the ticked plug-ins to
// (frmClean's CleanStandardPlugins and CleanedBytesTotal). Until the engine
// installs its own, no plug-in runs and nothing is freed.
class BuiltInPluginRunner {
 public:
  virtual ~BuiltInPluginRunner() = default;
  virtual void ResetCleanedBytes() {}
  virtual void CleanStandardPlugins(const std::string& pluginName) {}
  // Bytes freed since the reset (kept exact; shown as the program shows it).
  virtual double CleanedBytesTotal() { return 0; }
};

// A DLL found by the DLL search.
struct DllRecord {
  std::string name, path, version;
  double size = 0;  // bytes
};

class Form1Form : public platform::forms::Form, public MainWindowServices {
 public:
  Form1Form();

  // --- log and shredder options ---
  TSY_CONTROL(TextBox, txtResult);
  TSY_CONTROL(CheckBox, chkBleach);
  TSY_CONTROL(ComboBox, cmbShredder);
  // --- cleaning pages ---
  TSY_CONTROL(ListBox, lstBPI);
  TSY_CONTROL_ARRAY(CheckBox, chkIE, 7);
  TSY_CONTROL_ARRAY(CheckBox, chkNetScape, 6);
  TSY_CONTROL(CommandButton, cmdTypedURLsShow);
  TSY_CONTROL(CommandButton, cmdTypedURLsHide);
  TSY_CONTROL(CommandButton, cmdPasswordsShow);
  TSY_CONTROL(CommandButton, cmdPasswordsHide);
  TSY_CONTROL(CommandButton, cmdFavoritesShow);
  TSY_CONTROL(CommandButton, cmdFavoritesHide);
  // --- options page ---
  TSY_CONTROL(CheckBox, chkSkipMessages);
  // --- system tools ---
  TSY_CONTROL(ListBox, lstDllFolders);
  TSY_CONTROL(ListBox, lstDllFiles);
  TSY_CONTROL(Label, lblDLL_Name);
  TSY_CONTROL(ListBox, List_os);
  ::platform::activex::ProgressBar ShredProg{*this, "ShredProg"};
  // --- outside controls ---
  ::platform::activex::Skin skn{*this, "skn"};

  // Step counters of the current run (set to 0 by the step count).
  double fcIE = 0, fcNetScape = 0, fcBPI = 0;
  // Steps of each section in the current run (set by the step count).
  double stepsIE = 0, stepsNetScape = 0, stepsBPI = 0;
  // Percentages CalcProg computed last: of the named section and of the run.
  float sectionProgress = 0, runProgress = 0;
  std::string lastProgressSection;

  // True while no DLL search runs.
  bool StopDllNow = true;
  std::vector<DllRecord> systemDlls, otherDlls;
  // The shredder's progress numbers, kept exact.
  double ShredBytesDone = 0, ShredBytesTotal = 0;

  // Asks, then hands every ticked built-in plug-in to the runner; returns
  // the bytes freed.
  double BPI_Do_Plugins();
  // Recomputes the progress of the section named by `tag` ("IE",
  // "NetScape", "BPI"; any case) and of the whole run.
  void CalcProg(const std::string& tag);
  // Enables the Show and Hide buttons from the saved hide states.
  void CheckShowHide();
  // Records a DLL found by the search (unless the user excluded the file).
  void AddToDllList(const std::string& path, bool& isSystem);

  void SetPluginRunner(std::shared_ptr<BuiltInPluginRunner> runner) { pluginRunner_ = std::move(runner); }

  // MainWindowServices.
  platform::activex::Skin& SkinControl() override { return skn; }
  platform::forms::CheckBox& SkipMessagesBox() override { return chkSkipMessages; }
  platform::forms::ListBox& FoundFoldersList() override { return List_os; }

 protected:
  void Form_Load() override;

 private:
  // Adds the built-in plug-in names in catalogue order (once, at load).
  void LoadBuiltInPlugins();

  std::shared_ptr<BuiltInPluginRunner> pluginRunner_ = std::make_shared<BuiltInPluginRunner>();
};

// The main window's default instance, created and loaded on first reference.
Form1Form& Form1();
