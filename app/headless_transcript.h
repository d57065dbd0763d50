#pragma once
// Without a window, what a person at the screen would have read goes to a
// stream as it happens: each message box and dialog with the answer given
// (and whether TESSALY_ANSWERS or the default gave it), and each line added
// to the main window's cleaning log. Plain text, one line each; written out
// at once for boxes and whenever the program waits; while it works, in
// batches a tenth of a second apart.
#include <cstdio>
#include <string>

namespace platform::forms {
struct AskRecord;
}

namespace tessaly {

void StartHeadlessTranscript(std::FILE* out);
void StopHeadlessTranscript();

// The transcript line of one answered box or dialog.
std::string TranscriptLine(const platform::forms::AskRecord& record);

}  // namespace tessaly
