// The start-up manager page: the start-up programs in a report list, the
// button that enables or disables the chosen one, and the one that deletes
// it. The work is the system tools'; the page keeps the toggle's caption in
// step with the row last clicked.
#include "mainwindow/Form1.h"

using namespace platform::forms;

namespace {

struct Column {
  const char* header;
  float width;  // twips
};

const Column kColumns[] = {{"Application", 1500}, {"Status", 900}, {"Path", 2100}, {"Reg Key", 2400}};

}  // namespace

void Form1Form::WireStartUpPage() {
  Frame_StartUp.Caption("StartUp Manager");
  LSTPR.View(3);
  LSTPR.FullRowSelect(true);
  for (const auto& column : kColumns) LSTPR.AddColumn(std::nullopt, "", column.header, column.width);
  cmdEnaDisProgram.Caption("Disable");
  cmdClearProgram.Caption("Clear");
  TSY_ON(cmdEnaDisProgram, Click, cmdEnaDisProgram_Click);
  TSY_ON(cmdClearProgram, Click, cmdClearProgram_Click);
  LSTPR.ItemClick.Handle([this](ListItem& item) { LSTPR_ItemClick(item); });
  LSTPR.MouseDown.Handle([this](int button, int shift, float x, float y) { LSTPR_MouseDown(button, shift, x, y); });
}

void Form1Form::LoadStartUpPrograms() { tools_->LoadStartUpPrograms(LSTPR); }

void Form1Form::cmdEnaDisProgram_Click() {
  if (!LSTPR.SelectedItemOrNull()) return;
  std::string refusal = tools_->ToggleStartUpProgram(LSTPR);
  if (!refusal.empty()) MsgBox(refusal, vbOKOnly | vbExclamation);
  if (ListItem* row = LSTPR.SelectedItemOrNull()) cmdEnaDisProgram.Caption(tools_->ToggleCaption(*row));
}

void Form1Form::cmdClearProgram_Click() { tools_->ClearStartUpPrograms(LSTPR); }

void Form1Form::LSTPR_ItemClick(ListItem& item) {
  cmdEnaDisProgram.Caption(tools_->ToggleCaption(item));
  cmdEnaDisProgram.Refresh();
}

// A press where there is no row changes nothing.
void Form1Form::LSTPR_MouseDown(int, int, float x, float y) {
  if (ListItem* row = LSTPR.HitTest(x, y)) cmdEnaDisProgram.Caption(tools_->ToggleCaption(*row));
}
