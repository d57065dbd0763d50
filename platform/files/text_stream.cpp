// TextStream: reading and writing text files, ANSI or UTF-16LE.
#include "platform/base/runtime_error.h"
#include "platform/files/file_system_object.h"
#include "platform/files/fso_support.h"
#include "platform/files/handle_stream.h"
#include "platform/files/utf16_text.h"

namespace platform::scripting {
namespace {

constexpr std::int32_t kInvalidCall = 5, kBadFileMode = 54, kPastEnd = 62;
constexpr std::string_view kByteOrderMark = "\xFF\xFE";

}  // namespace

TextStream::TextStream(std::unique_ptr<files::HandleStream> stream, IOMode mode, bool unicode)
    : stream_(std::move(stream)), mode_(mode), unicode_(unicode) {
  if (!unicode_) return;
  if (mode_ == IOMode::ForReading) {
    std::string first;
    stream_->Read(2, first);
    if (first != kByteOrderMark) stream_->Seek(0);
  } else if (stream_->Size() == 0) {
    if (DWORD error = stream_->Write(kByteOrderMark)) detail::RaiseFsoError(error);
  }
}

TextStream::TextStream(TextStream&&) noexcept = default;
TextStream& TextStream::operator=(TextStream&&) noexcept = default;
TextStream::~TextStream() = default;

files::HandleStream& TextStream::Reading() {
  if (!stream_ || mode_ != IOMode::ForReading) RaiseRuntimeError(kBadFileMode);
  return *stream_;
}

files::HandleStream& TextStream::Writing() {
  if (!stream_ || mode_ == IOMode::ForReading) RaiseRuntimeError(kBadFileMode);
  return *stream_;
}

int TextStream::NextChar(files::HandleStream& in) {
  if (!unicode_) return in.Next();
  int low = in.Next();
  if (low < 0) return -1;
  int high = in.Next();
  if (high < 0) return -1;  // a lone last byte is no character
  return static_cast<unsigned char>(files::UnitToCp1252(static_cast<char16_t>(low | (high << 8))));
}

int TextStream::PeekChar(files::HandleStream& in) {
  if (!unicode_) return in.Peek();
  std::uint64_t at = in.position();
  int c = NextChar(in);
  in.Seek(at);
  return c;
}

bool TextStream::AtEndOfStream() { return PeekChar(Reading()) < 0; }

std::string TextStream::ReadLine() {
  files::HandleStream& in = Reading();
  if (PeekChar(in) < 0) RaiseRuntimeError(kPastEnd);
  std::string line;
  for (int c = NextChar(in); c >= 0; c = NextChar(in)) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      break;
    }
    line += static_cast<char>(c);
  }
  return line;
}

std::string TextStream::Read(std::int64_t count) {
  files::HandleStream& in = Reading();
  if (count < 0) RaiseRuntimeError(kInvalidCall);
  if (PeekChar(in) < 0) RaiseRuntimeError(kPastEnd);
  std::string text;
  for (std::int64_t i = 0; i < count; ++i) {
    int c = NextChar(in);
    if (c < 0) break;
    text += static_cast<char>(c);
  }
  return text;
}

std::string TextStream::ReadAll() {
  files::HandleStream& in = Reading();
  if (PeekChar(in) < 0) RaiseRuntimeError(kPastEnd);
  std::string text;
  if (!unicode_) {
    while (in.Read(1 << 16, text) > 0) {
    }
    return text;
  }
  for (int c = NextChar(in); c >= 0; c = NextChar(in)) text += static_cast<char>(c);
  return text;
}

void TextStream::Write(std::string_view text) {
  files::HandleStream& out = Writing();
  std::string bytes = unicode_ ? files::Cp1252ToUtf16Le(text) : std::string(text);
  if (DWORD error = out.Write(bytes)) detail::RaiseFsoError(error);
}

void TextStream::WriteLine(std::string_view text) { Write(std::string(text) + "\r\n"); }

void TextStream::Close() { stream_.reset(); }

}  // namespace platform::scripting
