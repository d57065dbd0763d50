#include "platform/activex/movie.h"

#include <cstdlib>

#include "platform/activex/description_file.h"
#include "platform/base/cp1252.h"
#include "platform/base/journal.h"
#include "platform/base/runtime_error.h"
#include "platform/files/file_content.h"
#include "platform/forms/event_loop.h"

namespace platform::activex {
namespace {

// "l,t,r,b" -> the four numbers (missing ones stay 0).
void ParseRect(const std::string& text, MovieButton& button) {
  int* fields[] = {&button.left, &button.top, &button.right, &button.bottom};
  std::size_t start = 0;
  for (int* field : fields) {
    if (start > text.size()) break;
    std::size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    *field = std::atoi(text.substr(start, comma - start).c_str());
    start = comma + 1;
  }
}

bool IsFullPath(const std::string& path) { return path.size() >= 2 && path[1] == ':'; }

std::string FolderOf(const std::string& path) {
  auto slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

std::vector<std::pair<std::string, std::string>> ParseMovieVariables(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> pairs;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t amp = text.find_first_of("&\r\n", start);
    if (amp == std::string_view::npos) amp = text.size();
    std::string_view item = text.substr(start, amp - start);
    start = amp + 1;
    auto equals = item.find('=');
    if (equals == std::string_view::npos || equals == 0) continue;
    pairs.emplace_back(std::string(item.substr(0, equals)), std::string(item.substr(equals + 1)));
  }
  return pairs;
}

void Movie::LoadMovie(int layer, const std::string& path) {
  moviePath_.clear();
  movieName_.clear();
  frames_.clear();
  buttons_.clear();
  auto sections = ReadDescription(path);
  TheJournal().Record("Movie.LoadMovie", {std::to_string(layer), path, sections ? "loaded" : "missing"});
  if (!sections) return;
  moviePath_ = path;
  std::string variablesFile;
  for (const auto& section : *sections) {
    if (EqualsNoCase(section.name, "Movie")) {
      movieName_ = section.ValueOr("Name", "");
      variablesFile = section.ValueOr("Variables", "");
    } else if (EqualsNoCase(section.name, "Frame")) {
      frames_.push_back(section.ValueOr("Name", ""));
    } else if (EqualsNoCase(section.name, "Button")) {
      MovieButton button;
      button.frame = section.ValueOr("Frame", frames_.empty() ? "" : frames_.front());
      button.caption = section.ValueOr("Caption", "");
      button.command = section.ValueOr("Command", "");
      button.args = section.ValueOr("Args", "");
      button.variable = section.ValueOr("Variable", "");
      ParseRect(section.ValueOr("Rect", ""), button);
      buttons_.push_back(std::move(button));
    }
  }
  if (!variablesFile.empty())
    ReadVariablesFile(IsFullPath(variablesFile) ? variablesFile : FolderOf(path) + "\\" + variablesFile);
}

void Movie::ReadVariablesFile(const std::string& path) {
  std::string bytes;
  if (files::ReadFileContent(path, bytes) != ERROR_SUCCESS) return;
  for (auto& [name, value] : ParseMovieVariables(bytes)) variables_[name] = value;
}

void Movie::Zoom(int percent) {
  zoom_ = percent;
  TheJournal().Record("Movie.Zoom", {std::to_string(percent)});
}

void Movie::SetVariable(const std::string& name, const std::string& value) {
  variables_[name] = value;
  TheJournal().Record("Movie.SetVariable", {name, value});
}

std::string Movie::GetVariable(const std::string& name) const {
  auto it = variables_.find(name);
  return it == variables_.end() ? std::string() : it->second;
}

HRESULT Movie::InvokeUnknown(DISPID dispid, DispatchKind kind, const DispatchArgs& args, forms::Property* result) {
  std::vector<std::string> recorded{std::to_string(dispid)};
  for (const auto& arg : args) {
    try {
      recorded.push_back(vb::CStr(arg));
    } catch (const RuntimeError&) {
      recorded.push_back("?");
    }
  }
  TheJournal().Record("Movie.Invoke", recorded);
  if (result) *result = std::monostate{};
  return S_OK;
}

void Movie::FireCommand(const std::string& command, const std::string& args) {
  TheJournal().Record("Movie.FSCommand", {command, args});
  std::uint64_t serial = this->serial();
  forms::QueueEvent([serial, command, args] {
    if (auto* movie = dynamic_cast<Movie*>(forms::LiveControl(serial))) movie->FSCommand.Raise(command, args);
  });
}

bool Movie::ClickButton(const std::string& caption) {
  for (const auto& button : buttons_) {
    if (!EqualsNoCase(button.caption, caption)) continue;
    FireCommand(button.command, button.args);
    return true;
  }
  return false;
}

}  // namespace platform::activex
