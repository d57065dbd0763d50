// The headless transcript: what the program shows, as plain text lines.
#include <gtest/gtest.h>

#include <cstdio>

#include <unistd.h>

#include "app/headless_transcript.h"
#include "cleaning/frmClean.h"
#include "mainwindow/Form1.h"
#include "mainwindow/run/engine_link.h"
#include "platform/base/cp1252.h"
#include "platform/base/process_end.h"
#include "platform/forms/forms.h"
#include "support/temp_machine.h"

namespace {

using namespace platform::forms;

std::vector<std::string> LinesOf(std::FILE* file) {
  std::rewind(file);
  std::vector<std::string> lines;
  std::string line;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
    if (c == '\n') lines.push_back(std::move(line)), line.clear();
    else line += static_cast<char>(c);
  }
  EXPECT_TRUE(line.empty()) << "an unfinished last line: " << line;
  return lines;
}

class HeadlessTranscriptTest : public ::testing::Test {
 protected:
  HeadlessTranscriptTest() { ResetFormsRuntime(); }
  ~HeadlessTranscriptTest() override {
    tessaly::StopHeadlessTranscript();
    ResetFormsRuntime();
    std::fclose(out_);
  }
  std::FILE* out_ = std::tmpfile();
};

// A scheduled run with close-after-cleaning: every log line is written out
// once, in order, and the log lines together are the log text box; each box
// is written with its answer and where the answer came from.
TEST_F(HeadlessTranscriptTest, AScheduledRunWritesItsWholeLogAndEachBox) {
  tessaly::testing::TempMachine machine(
      tessaly::testing::TestMachine()
          .file("C:\\Temp\\trace.tmp", "left behind")
          .registry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\TESSALY\\SETTINGS\\WINDOWS]\n\"2\"=\"1\"\n"
                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS]\n\"CloseAfterClean\"=\"1\"\n"
                    "\"CleanThis\"=\"1\"\n"
                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS\\BPI]\n\"0\"=\"True\"\n"));
  ASSERT_NE(out_, nullptr);
  tessaly::StartHeadlessTranscript(out_);
  SetCommandLine("/SCHEDULER");
  Answers().Script("No");
  ConnectCleaningEngine();
  auto ended = platform::RunUntilProcessEnd([] { Form1(); });
  ASSERT_TRUE(ended.has_value());
  const std::string& log = Form1().txtResult.Text();
  ASSERT_NE(log.find("Cleaning started at "), std::string::npos);
  ASSERT_NE(log.find("All Restored Size is "), std::string::npos);

  std::vector<std::string> boxes;
  for (const auto& record : Answers().records()) boxes.push_back(platform::Cp1252ToUtf8(tessaly::TranscriptLine(record)));
  ASSERT_FALSE(boxes.empty());
  std::string logLines;
  std::size_t boxAt = 0;
  for (const auto& line : LinesOf(out_)) {
    if (boxAt < boxes.size() && line == boxes[boxAt]) {
      ++boxAt;
      continue;
    }
    logLines += line + "\r\n";
  }
  EXPECT_EQ(boxAt, boxes.size());
  EXPECT_EQ(logLines, platform::Cp1252ToUtf8(log));
  const auto& confirm = Answers().records().front();
  EXPECT_EQ(boxes.front(), "[Message box \"" + confirm.request.title + "\"] " + confirm.request.prompt +
                               " -> No (from TESSALY_ANSWERS)");
}

TEST_F(HeadlessTranscriptTest, BoxLinesNameTheAnswerAndItsSource) {
  AskRecord box{{AskKind::MessageBox, "First line\r\nsecond", "TSY Scheduler", {"OK"}, 0, "", 0, false}, {"OK", ""}, false, {}};
  EXPECT_EQ(tessaly::TranscriptLine(box), "[Message box \"TSY Scheduler\"] First line / second -> OK (default button)");
  AskRecord input{{AskKind::InputBox, "Name?", "Tessaly", {}, 0, "x", 0, false}, {"", "typed"}, true, {}};
  EXPECT_EQ(tessaly::TranscriptLine(input), "[Input box \"Tessaly\"] Name? -> \"typed\" (from TESSALY_ANSWERS)");
  AskRecord picker{{AskKind::FolderPicker, "Pick", "Tessaly", {"OK", "Cancel"}, 1, "", 0, false}, {"Cancel", ""}, false, {}};
  EXPECT_EQ(tessaly::TranscriptLine(picker), "[Folder picker \"Tessaly\"] Pick -> Cancel (default button)");
  AskRecord unfit{{AskKind::MessageBox, "Done", "Tessaly", {"OK"}, 0, "", 0, false}, {"OK", ""}, false, "No"};
  EXPECT_EQ(tessaly::TranscriptLine(unfit),
            "[Message box \"Tessaly\"] Done -> OK (default button: \"No\" from TESSALY_ANSWERS is not among its buttons)");
}

// What the file holds now, read past the stream's own buffer.
std::string WrittenOut(std::FILE* file) {
  std::string text;
  char buffer[256];
  for (off_t at = 0;;) {
    ssize_t n = ::pread(fileno(file), buffer, sizeof buffer, at);
    if (n <= 0) return text;
    text.append(buffer, static_cast<std::size_t>(n));
    at += n;
  }
}

// Log lines logged in a burst go out together: by the time the loop goes
// idle they are all out; a box goes out at once, with the lines before it.
TEST_F(HeadlessTranscriptTest, LinesGoOutWhenTheLoopGoesIdleAndBoxesAtOnce) {
  tessaly::testing::TempMachine machine;
  Form1();  // loaded first: the lines below come within moments of the start
  auto logLine = [](std::string line) { frmClean().AddItem(line); };
  tessaly::StartHeadlessTranscript(out_);
  logLine("first");
  logLine("second");
  EXPECT_EQ(WrittenOut(out_), "") << "written line by line";
  RunIdleWork();
  EXPECT_EQ(WrittenOut(out_), "first\nsecond\n");

  logLine("third");
  MsgBox("Done", 0, "Tessaly");
  EXPECT_EQ(WrittenOut(out_), "first\nsecond\nthird\n[Message box \"Tessaly\"] Done -> OK (default button)\n");
}

// With the transcript off (a display in use) nothing is written.
TEST_F(HeadlessTranscriptTest, NothingIsWrittenOnceStopped) {
  tessaly::testing::TempMachine machine;
  tessaly::StartHeadlessTranscript(out_);
  tessaly::StopHeadlessTranscript();
  MsgBox("unseen");
  Form1().txtResult.Text("a line\r\n");
  EXPECT_TRUE(LinesOf(out_).empty());
}

}  // namespace
