#include "app/headless_transcript.h"

#include <chrono>
#include <string_view>

#include "platform/base/cp1252.h"
#include "platform/forms/answers.h"
#include "platform/forms/controls/text_box.h"
#include "platform/forms/event_loop.h"
#include "platform/forms/form.h"

namespace tessaly {
namespace {

using platform::forms::AskKind;
using platform::forms::AskRecord;
using platform::forms::TextBox;

using Clock = std::chrono::steady_clock;

// A long cleaning logs a line per file: its lines go out in batches at most
// this far apart, and at once whenever the program waits or shows a box.
constexpr auto kFlushEvery = std::chrono::milliseconds(100);

struct Transcript {
  std::FILE* out = nullptr;
  std::size_t printed = 0;  // bytes of the log already written out, whole lines only
  Clock::time_point flushed{};
};

Transcript& State() {
  static Transcript* state = new Transcript;
  return *state;
}

void Flush() {
  Transcript& state = State();
  if (!state.out) return;
  std::fflush(state.out);
  state.flushed = Clock::now();
}

void Write(std::string_view line) {
  Transcript& state = State();
  if (platform::IsAscii(line)) {
    std::fwrite(line.data(), 1, line.size(), state.out);
  } else {
    std::string text = platform::Cp1252ToUtf8(line);
    std::fwrite(text.data(), 1, text.size(), state.out);
  }
  std::fputc('\n', state.out);
  if (Clock::now() - state.flushed >= kFlushEvery) Flush();
}

const char* KindLabel(AskKind kind) {
  switch (kind) {
    case AskKind::MessageBox: return "Message box";
    case AskKind::InputBox: return "Input box";
    case AskKind::FolderPicker: return "Folder picker";
    case AskKind::FileDialog: return "File dialog";
    case AskKind::FormatDialog: return "Format dialog";
    case AskKind::PropertySheet: return "Property sheet";
    case AskKind::PopupMenu: return "Menu";
  }
  return "Dialog";
}

// A box's several lines, read as one.
std::string OneLine(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += " / ";
    } else {
      out += text[i];
    }
  }
  return out;
}

// The main window's cleaning log: each line once it is complete.
void LogChanged(const TextBox& box, std::size_t from) {
  if (box.Name() != "txtResult" || box.Parent().Name() != "Form1") return;
  Transcript& state = State();
  const std::string& text = box.Text();
  if (from < state.printed) {
    // Rewritten (a new run empties it): go on after the last whole line kept.
    state.printed = 0;
    if (from >= 2)
      if (std::size_t at = text.rfind("\r\n", from - 2); at != std::string::npos) state.printed = at + 2;
  }
  for (std::size_t end = text.find("\r\n", state.printed); end != std::string::npos;
       end = text.find("\r\n", state.printed)) {
    Write(std::string_view(text).substr(state.printed, end - state.printed));
    state.printed = end + 2;
  }
}

}  // namespace

std::string TranscriptLine(const AskRecord& record) {
  const auto& request = record.request;
  std::string answer = record.answer.choice;
  if (request.kind != AskKind::MessageBox && request.kind != AskKind::PopupMenu && !record.answer.text.empty())
    answer += (answer.empty() ? "\"" : " \"") + record.answer.text + "\"";
  if (answer.empty()) answer = "nothing chosen";
  std::string source = record.scripted ? "from TESSALY_ANSWERS" : request.choices.empty() ? "default" : "default button";
  if (!record.unfitScript.empty())
    source += ": \"" + record.unfitScript + "\" from TESSALY_ANSWERS is not among its buttons";
  return std::string("[") + KindLabel(request.kind) + " \"" + request.title + "\"] " + OneLine(request.prompt) + " -> " +
         answer + " (" + source + ")";
}

void StartHeadlessTranscript(std::FILE* out) {
  State() = Transcript{out, 0, Clock::now()};
  platform::forms::Answers().SetObserver([](const AskRecord& record) {
    Write(TranscriptLine(record));
    Flush();
  });
  platform::forms::ObserveTextChanges(LogChanged);
  platform::forms::SetIdleObserver(Flush);
}

void StopHeadlessTranscript() {
  Flush();
  platform::forms::Answers().SetObserver(nullptr);
  platform::forms::ObserveTextChanges(nullptr);
  platform::forms::SetIdleObserver(nullptr);
  State() = Transcript{};
}

}  // namespace tessaly
