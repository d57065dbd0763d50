#include "support/cInifile.h"

#include "platform/base/runtime_error.h"
#include "platform/runtime/conversions.h"
#include "platform/profile/profile.h"

std::unique_ptr<cInifile> g_PluginIni;

cInifile& PluginIni() {
  if (!g_PluginIni) g_PluginIni = std::make_unique<cInifile>();
  return *g_PluginIni;
}

namespace {

constexpr std::uint32_t kValueBuffer = 255;
constexpr std::uint32_t kListBuffer = 8192;

const char* Pointer(const cInifile::Text& text) { return text ? text->c_str() : nullptr; }

// The pieces of a NUL-separated list; a last piece without a NUL after it is
// not a piece.
std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> pieces;
  std::size_t pos = 0;
  for (std::size_t nul; (nul = list.find('\0', pos)) != std::string::npos; pos = nul + 1) {
    pieces.push_back(list.substr(pos, nul - pos));
  }
  return pieces;
}

void FillOneBased(const std::string& list, bool keepEmpty, std::vector<std::string>& names, std::int32_t& count) {
  count = 0;
  names.clear();
  for (auto& piece : SplitList(list)) {
    if (piece.empty() && !keepEmpty) continue;
    ++count;
    names.resize(static_cast<std::size_t>(count) + 1);
    names[static_cast<std::size_t>(count)] = std::move(piece);
  }
}

// Long arithmetic of the original: a sum outside 32 bits is an overflow.
std::int32_t CheckedLong(std::int64_t value) {
  if (value < INT32_MIN || value > INT32_MAX) platform::RaiseRuntimeError(6);
  return static_cast<std::int32_t>(value);
}

// Puts the saved state properties back when a form-position call ends, also
// when it ends by a runtime error.
class KeepState {
 public:
  explicit KeepState(cInifile& ini) : ini_(ini), key_(ini.Key()), default_(ini.Default()) {}
  void Restore(bool withDefault) {
    ini_.SetKey(key_);
    if (withDefault) ini_.SetDefault(default_);
  }

 private:
  cInifile& ini_;
  cInifile::Text key_;
  cInifile::Text default_;
};

}  // namespace

std::string cInifile::Read(const char* section, const char* key, std::uint32_t size) const {
  std::string buffer(size, ' ');
  DWORD count = GetPrivateProfileStringA(section, key, Pointer(default_), buffer.data(), size, Pointer(path_));
  buffer.resize(count);
  return buffer;
}

void cInifile::Write(const char* key, const char* value) {
  lastReturnCode_ = WritePrivateProfileStringA(Pointer(section_), key, value, Pointer(path_));
}

std::string cInifile::Value() const { return Read(Pointer(section_), Pointer(key_), kValueBuffer); }

void cInifile::SetValue(std::string_view sValue) {
  std::string text;
  for (char c : sValue) {
    if (c != '\0') text += c;
  }
  Write(Pointer(key_), text.c_str());
}

void cInifile::DeleteKey() { Write(Pointer(key_), nullptr); }

void cInifile::DeleteSection() { Write(nullptr, nullptr); }

std::string cInifile::INISection() const { return Read(Pointer(section_), nullptr, kListBuffer); }

void cInifile::SetINISection(std::string_view sSection) {
  // The write-section call wants the list ended by an empty text.
  std::string lines(sSection);
  lines.append(2, '\0');
  lastReturnCode_ = WritePrivateProfileSectionA(Pointer(section_), lines.c_str(), Pointer(path_));
}

std::string cInifile::Sections() const { return Read(nullptr, nullptr, kListBuffer); }

void cInifile::EnumerateCurrentSection(std::vector<std::string>& sKey, std::int32_t& iCount) const {
  FillOneBased(INISection(), true, sKey, iCount);
}

void cInifile::EnumerateAllSections(std::vector<std::string>& sSections, std::int32_t& iCount) const {
  FillOneBased(Sections(), false, sSections, iCount);
}

void cInifile::SaveFormPosition(const FormPositionTarget& frmThis) {
  KeepState kept(*this);
  try {
    int state = frmThis.WindowState();
    if (state != kWindowMinimised) {
      SetKey("Maximised");
      SetValue(state == kWindowMaximised ? "1" : "0");
      if (state != kWindowMaximised) {
        const struct {
          const char* key;
          double (FormPositionTarget::*get)() const;
        } kFields[] = {{"Left", &FormPositionTarget::Left},
                       {"Top", &FormPositionTarget::Top},
                       {"Width", &FormPositionTarget::Width},
                       {"Height", &FormPositionTarget::Height}};
        for (const auto& field : kFields) {
          SetKey(field.key);
          SetValue(platform::vb::CStr((frmThis.*field.get)()));
        }
      }
    }
    kept.Restore(false);
  } catch (const platform::RuntimeError&) {
    kept.Restore(false);
    lastReturnCode_ = 0;
  }
}

void cInifile::LoadFormPosition(FormPositionTarget& frmThis, std::int32_t lMinWidth, std::int32_t lMinHeight) {
  using platform::vb::CLng;
  KeepState kept(*this);
  try {
    SetDefault("FAIL");
    auto stored = [&](const char* key, double own) {
      SetKey(key);
      std::string text = Value();
      return CLngDefault(text, CLng(own));
    };
    std::int32_t left = stored("Left", frmThis.Left());
    std::int32_t top = stored("Top", frmThis.Top());
    std::int32_t width = stored("Width", frmThis.Width());
    if (width < lMinWidth) width = lMinWidth;
    std::int32_t height = stored("Height", frmThis.Height());
    if (height < lMinHeight) height = lMinHeight;

    // Keep the window on the screen with a margin of 4 pixels.
    ScreenMetrics screen = CurrentScreen();
    auto keepInside = [](std::int32_t& start, std::int32_t& size, double extent, double margin) {
      if (start < margin) start = CLng(margin);
      if (CheckedLong(std::int64_t{start} + size) > extent - margin) {
        start = CLng(extent - margin - size);
        if (start < margin) start = CLng(margin);
        if (CheckedLong(std::int64_t{start} + size) > extent - margin) size = CLng(extent - start - margin);
      }
    };
    keepInside(left, width, screen.width, 4 * screen.twipsPerPixelX);
    keepInside(top, height, screen.height, 4 * screen.twipsPerPixelY);

    if (width >= lMinWidth && height >= lMinHeight) frmThis.Move(left, top, width, height);

    SetKey("Maximised");
    if (CLngDefault(Value(), 0) != 0) frmThis.SetWindowState(kWindowMaximised);
    kept.Restore(true);
  } catch (const platform::RuntimeError&) {
    kept.Restore(true);
    lastReturnCode_ = 0;
  }
}

std::int32_t cInifile::CLngDefault(std::string_view sString, std::int32_t lDefault) {
  try {
    return platform::vb::CLng(sString);
  } catch (const platform::RuntimeError&) {
    return lDefault;
  }
}
