#include "forms_fixture.h"

namespace tessaly::testing {
namespace {

using AnswerScript = FormsTest;

constexpr const char* kPluginPrompt =
    "Are you sure that you want to clean all plugins which contains email contacts and emails?";

TEST_F(AnswerScript, UnscriptedBoxesTakeTheDefaultButtonAndAreRecorded) {
  EXPECT_EQ(MsgBox(kPluginPrompt, vbYesNo + vbDefaultButton2, ""), vbNo);
  EXPECT_EQ(MsgBox("Done"), vbOK);
  EXPECT_EQ(MsgBox("Retry?", vbAbortRetryIgnore + vbDefaultButton3, "Disk"), vbIgnore);
  EXPECT_EQ(MessageBoxA(0, "Raw", nullptr, vbOKCancel + vbDefaultButton2), vbCancel);

  const auto& records = Answers().records();
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0].request.prompt, kPluginPrompt);
  EXPECT_EQ(records[0].request.style, vbYesNo + vbDefaultButton2);
  EXPECT_EQ(records[0].request.title, "Tessaly");  // "" means App.Title
  EXPECT_EQ(records[0].answer.choice, "No");
  EXPECT_EQ(records[2].request.title, "Disk");
  EXPECT_EQ(records[3].request.title, "Tessaly");
  auto journal = platform::TheJournal().Of("MsgBox");
  ASSERT_EQ(journal.size(), 4u);
  EXPECT_EQ(journal[0].args[0], kPluginPrompt);
  EXPECT_EQ(journal[0].args[3], "No");
}

TEST_F(AnswerScript, ScriptedAnswersAreUsedInOrderAndMayCheckThePrompt) {
  Answers().Script("Yes");
  Answers().Script({"no", std::nullopt, std::string(kPluginPrompt)});
  EXPECT_EQ(MsgBox("First?", vbYesNo), vbYes);
  EXPECT_EQ(MsgBox(kPluginPrompt, vbYesNo + vbDefaultButton2), vbNo);
  EXPECT_EQ(MsgBox("Third?", vbYesNo), vbYes);  // script empty: the default
  EXPECT_TRUE(Answers().records()[1].scripted);
  EXPECT_FALSE(Answers().records()[2].scripted);
}

TEST_F(AnswerScript, AnAnswerThatDoesNotFitFailsLoudly) {
  Answers().Script("Retry");
  EXPECT_THROW(MsgBox("Sure?", vbYesNo), AnswerScriptError);
  Answers().Script({"Yes", std::nullopt, std::string("Other prompt")});
  EXPECT_THROW(MsgBox("Sure?", vbYesNo), AnswerScriptError);
  // A statement guard does not swallow it.
  Answers().Script("Abort");
  OnErrorResumeNext guard;
  EXPECT_THROW(guard([] { MsgBox("OK only"); }), AnswerScriptError);
}

TEST_F(AnswerScript, EnvironmentStyleListScriptsSeveralBoxes) {
  Answers().ScriptList("Yes, No,OK");
  EXPECT_EQ(Answers().pending(), 3u);
  EXPECT_EQ(MsgBox("a", vbYesNo), vbYes);
  EXPECT_EQ(MsgBox("b", vbYesNoCancel), vbNo);
  EXPECT_EQ(MsgBox("c"), vbOK);
}

// TESSALY_ANSWERS: a box it did not foresee takes its default button, and
// the answer that did not fit is spent on it, as the list is in box order.
TEST_F(AnswerScript, AnUnattendedAnswerNotAmongTheButtonsGivesTheDefault) {
  Answers().ScriptList("No,Yes");
  EXPECT_EQ(MsgBox("OK only"), vbOK);
  EXPECT_EQ(MsgBox("Sure?", vbYesNo + vbDefaultButton2), vbYes);
  const auto& records = Answers().records();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_FALSE(records[0].scripted);
  EXPECT_EQ(records[0].unfitScript, "No");
  EXPECT_TRUE(records[1].scripted);
  EXPECT_EQ(records[1].unfitScript, "");
  // A prompt check still fails loudly: only the list's answers are lenient.
  Answers().Script({"Yes", std::nullopt, std::string("Other prompt"), true});
  EXPECT_THROW(MsgBox("Sure?", vbYesNo), AnswerScriptError);
}

TEST_F(AnswerScript, InputBoxGivesTextDefaultOrEmptyOnCancel) {
  EXPECT_EQ(InputBox("Name?", "", "guest"), "guest");
  Answers().Script("OK", std::string("alice"));
  EXPECT_EQ(InputBox("Name?", "", "guest"), "alice");
  Answers().Script("OK");
  EXPECT_EQ(InputBox("Name?", "", "guest"), "guest");
  Answers().Script("Cancel");
  EXPECT_EQ(InputBox("Name?", "", "guest"), "");
  EXPECT_EQ(Answers().records()[0].request.kind, AskKind::InputBox);
}

TEST_F(AnswerScript, PopupMenuChoiceRunsTheItemsClickBeforeReturning) {
  TestForm& f = frmTest();
  f.mnuOpen.Caption("Open");
  f.mnuSep.Caption("-");
  f.mnuExit.Caption("Exit");
  bool exited = false;
  f.mnuExit.Click.Handle([&] { exited = true; });
  HMENU bar = GetMenu(f.hWnd());
  ASSERT_NE(bar, 0u);
  HMENU tray = GetSubMenu(bar, 0);
  ASSERT_NE(tray, 0u);
  EXPECT_EQ(TrackPopupMenu(tray, 0, 0, 0, 0, f.hWnd(), nullptr), TRUE);
  EXPECT_FALSE(exited);  // unscripted: nothing chosen
  Answers().Script("Exit");
  EXPECT_EQ(TrackPopupMenu(tray, 0, 0, 0, 0, f.hWnd(), nullptr), TRUE);
  EXPECT_TRUE(exited);
  EXPECT_EQ(Answers().records().back().request.choices, (std::vector<std::string>{"Open", "Exit"}));
}

TEST_F(AnswerScript, ErrObjectAndStatementGuard) {
  OnErrorResumeNext guard;
  std::vector<int> ran;
  guard([&] { ran.push_back(1); platform::RaiseRuntimeError(53); ran.push_back(99); });
  EXPECT_EQ(Err.Number(), 53);
  EXPECT_EQ(Err.Description(), "File not found");
  EXPECT_EQ(Err.Source(), "tsy");
  guard([&] { ran.push_back(2); });
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  EXPECT_THROW(guard([] { throw std::logic_error("bug"); }), std::logic_error);
  guard([] { Err.Raise(340, std::string("frm"), std::string("custom")); });
  EXPECT_EQ(Err.Number(), 340);
  EXPECT_EQ(Err.Source(), "frm");
  EXPECT_EQ(Err.Description(), "custom");
  Err.Clear();
  EXPECT_EQ(Err.Number(), 0);
  EXPECT_EQ(Err.Description(), "");
}

}  // namespace
}  // namespace tessaly::testing
