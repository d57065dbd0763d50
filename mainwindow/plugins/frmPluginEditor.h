#pragma once
// The plug-in editor: one extra plug-in's name, category, detection key,
// path value, registry rows and folder rows, written as one section of the
// plug-in store. Modeless; created on first use and hidden when closed.
#include <string>

#include "platform/activex/common_dialog.h"
#include "platform/activex/skin.h"
#include "platform/forms/forms.h"

class FrmPluginEditorForm : public platform::forms::Form {
 public:
  FrmPluginEditorForm();

  TSY_CONTROL(Label, lblNamePlugin);
  TSY_CONTROL(TextBox, txtName);
  TSY_CONTROL(Label, Label1);
  TSY_CONTROL(TextBox, txtCat);
  TSY_CONTROL(CommandButton, cmdRegistry);
  TSY_CONTROL(CommandButton, cmdFilesFolders);

  TSY_CONTROL(Frame, FrameRegistry);
  ::platform::activex::SkinLabel SkinLabel1{*this, "SkinLabel1", &FrameRegistry};
  TSY_CONTROL_IN(ComboBox, cmbRegisterySel, FrameRegistry);
  TSY_CONTROL_IN(ListBox, lstRegistryDetect, FrameRegistry);
  TSY_CONTROL_IN(ListBox, lstRegistryApp, FrameRegistry);
  TSY_CONTROL_IN(ListBox, lstRegistry, FrameRegistry);
  ::platform::activex::SkinLabel SkinLabel2{*this, "SkinLabel2", &FrameRegistry};
  TSY_CONTROL_IN(ComboBox, cmbPathRegistry, FrameRegistry);
  TSY_CONTROL_IN(Label, lblPath, FrameRegistry);
  TSY_CONTROL_IN(TextBox, txtPath, FrameRegistry);
  ::platform::activex::SkinLabel SkinLabel3{*this, "SkinLabel3", &FrameRegistry};
  TSY_CONTROL_IN(ComboBox, cmbRegistry, FrameRegistry);
  TSY_CONTROL_IN(TextBox, txtKeyValue, FrameRegistry);
  TSY_CONTROL_IN(CommandButton, cmdRegistryAdd, FrameRegistry);
  TSY_CONTROL_IN(CommandButton, cmdRegNew, FrameRegistry);
  TSY_CONTROL_IN(CommandButton, cmdRegRemove, FrameRegistry);

  TSY_CONTROL(Frame, FrameFilesFolders);
  TSY_CONTROL_IN(Label, lblPathFF, FrameFilesFolders);
  TSY_CONTROL_IN(TextBox, txtPathFF, FrameFilesFolders);
  TSY_CONTROL_IN(CommandButton, cmdPathBrowse, FrameFilesFolders);
  TSY_CONTROL_IN(OptionButton, optFileName, FrameFilesFolders);
  TSY_CONTROL_IN(TextBox, txtFileName, FrameFilesFolders);
  TSY_CONTROL_IN(CommandButton, cmdBrowseFile, FrameFilesFolders);
  TSY_CONTROL_IN(OptionButton, optFilePattern, FrameFilesFolders);
  TSY_CONTROL_IN(TextBox, txtFilePattern, FrameFilesFolders);
  TSY_CONTROL_IN(Label, lblExample, FrameFilesFolders);
  TSY_CONTROL_IN(CheckBox, chkSubfolders, FrameFilesFolders);
  TSY_CONTROL_IN(Label, Label2, FrameFilesFolders);
  TSY_CONTROL_IN(ListBox, lstFileFolder, FrameFilesFolders);
  TSY_CONTROL_IN(CommandButton, cmdAddFF, FrameFilesFolders);
  TSY_CONTROL_IN(CommandButton, cmdFFNew, FrameFilesFolders);
  TSY_CONTROL_IN(CommandButton, cmdFFRemove, FrameFilesFolders);

  TSY_CONTROL(CommandButton, cmdOk);
  TSY_CONTROL(CommandButton, cmdApply);
  TSY_CONTROL(CommandButton, cmdCancel);
  ::platform::activex::CommonDialog dlgFile{*this, "dlgFile"};

  // Starts a new plug-in from an empty editor.
  void NewPlugin();
  // Loads the stored plug-in into an emptied editor; false when the store
  // could not be read (nothing is shown then).
  bool ShowPlugin(const std::string& name);
  // Whether the store may be written now (no run, no other store work).
  void AllowStoreWork(bool allowed);

  void cmbRegisterySel_Click();
  void cmdRegistry_Click();
  void cmdFilesFolders_Click();
  void cmdRegistryAdd_Click();
  void cmdRegNew_Click();
  void cmdRegRemove_Click();
  void lstRegistry_Click(platform::forms::ListBox& list);
  void cmdAddFF_Click();
  void cmdFFNew_Click();
  void cmdFFRemove_Click();
  void lstFileFolder_Click();
  void optFileName_Click();
  void optFilePattern_Click();
  void txtFileName_Click();
  void cmdPathBrowse_Click();
  void cmdBrowseFile_Click();
  void cmdApply_Click();
  void cmdOk_Click();
  void cmdCancel_Click();

 protected:
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;

 private:
  void Design();
  void Wire();
  // Empties every field and list; Apply waits for an edit.
  void ResetAll();
  // Writes the plug-in's section; true when the save was refused.
  bool Save();
  platform::forms::ListBox& ShownRegistryList();
  void MarkEdited();
  void RefreshApply();

  bool editingStored_ = false;  // the name is a stored plug-in's (Edit, or saved once)
  bool edited_ = false;
  bool storeWorkAllowed_ = true;
  bool filling_ = false;  // fields are being set by code, not edited
};

FrmPluginEditorForm& frmPluginEditor();
