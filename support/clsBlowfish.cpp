// The framed, chained layout of clsBlowfish's enciphered data, and its string
// operations.
#include "support/clsBlowfish.h"

#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>

#include "platform/base/runtime_error.h"
#include "support/blowfish_rounds.h"
#include "support/hex_text.h"
#include "support/message_loop.h"

namespace {

constexpr std::size_t kHeadSize = 12;  // the SizeDescriptor: two numbers and the length
constexpr const char* kSizeErrorText = "Incorrect size descriptor in Blowfish decryption";

std::function<std::int32_t()>& HeadNumberSource() {
  static std::function<std::int32_t()> source;
  return source;
}

// Two numbers 0..2147483647 from a generator seeded by the clock on each call.
std::array<std::int32_t, 2> DrawHeadNumbers() {
  if (auto& source = HeadNumberSource()) return {source(), source()};
  auto seed = static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  std::mt19937 generator(static_cast<std::uint32_t>(seed ^ (seed >> 32)));
  std::uniform_real_distribution<double> fraction(0.0, 1.0);
  auto draw = [&] { return static_cast<std::int32_t>(std::nearbyint(fraction(generator) * 2147483647.0)); };
  return {draw(), draw()};
}

void PutLittleEndian(std::int32_t value, clsBlowfish::ByteArray& bytes, std::size_t offset) {
  auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t GetLittleEndian(const clsBlowfish::ByteArray& bytes, std::size_t offset) {
  std::uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | bytes[offset + i];
  return static_cast<std::int32_t>(u);
}

// Progress after each block: an event whenever another whole percent is
// reached, computed as the original did so the sequence is the same.
class ProgressSteps {
 public:
  explicit ProgressSteps(std::size_t total) : total_(static_cast<double>(total)) {}
  template <typename Raise>
  void After(std::size_t offset, Raise&& raise) {
    auto o = static_cast<double>(offset);
    if (o < next_) return;
    double p = std::floor(o / total_ * 100.0);
    next_ = std::nearbyint((p + 1.0) / 100.0 * total_ + 1.0);
    raise(static_cast<std::int32_t>(p));
  }

 private:
  double total_;
  double next_ = 0.0;
};

// Each pair of characters read as "&H" would: digits until the first other
// character; no digit at all gives 0.
std::string FromHex(const std::string& text) {
  std::string out;
  out.reserve(text.size() / 2 + 1);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    int value = 0;
    for (std::size_t k = i; k < i + 2 && k < text.size(); ++k) {
      int digit = HexDigit(text[k]);
      if (digit < 0) break;
      value = value * 16 + digit;
    }
    out += static_cast<char>(value);
  }
  return out;
}

clsBlowfish::ByteArray ToBytes(const std::string& text) { return {text.begin(), text.end()}; }
std::string ToText(const clsBlowfish::ByteArray& bytes) { return {bytes.begin(), bytes.end()}; }

}  // namespace

void clsBlowfish::SetHeadNumberSource(std::function<std::int32_t()> source) { HeadNumberSource() = std::move(source); }

void clsBlowfish::UseKey(const std::string& Key) {
  if (!Key.empty()) setKey(Key);
}

// Each block, then the progress step, then a turn of the message loop. The
// array is asked for its data at each block: a handler run in the turn
// must not, but could, have moved it.
template <typename BlockStep>
void clsBlowfish::ForEachBlock(ByteArray& bytes, BlockStep step) {
  ProgressSteps progress(bytes.size());
  for (std::size_t o = 0; o + 8 <= bytes.size(); o += 8) {
    step(bytes.data() + o);
    progress.After(o, [&](std::int32_t percent) {
      if (Progress) Progress(percent);
    });
    YieldToMessageLoop();
  }
}

void clsBlowfish::EncryptByte(ByteArray& byteArray, const std::string& Key) {
  UseKey(Key);
  const std::size_t n = byteArray.size();
  std::size_t m = n + kHeadSize;
  if (m % 8) m += 8 - m % 8;
  // The frame is made in one copy: growing the array in place would copy
  // the data once to grow and once more to move it behind the head.
  ByteArray framed;
  framed.reserve(m);
  framed.resize(kHeadSize, 0);
  framed.insert(framed.end(), byteArray.begin(), byteArray.end());
  framed.resize(m, 0);
  byteArray.swap(framed);
  framed = ByteArray();
  auto heads = DrawHeadNumbers();
  PutLittleEndian(heads[0], byteArray, 0);
  PutLittleEndian(heads[1], byteArray, 4);
  PutLittleEndian(static_cast<std::int32_t>(n), byteArray, 8);

  std::uint32_t prevL = 0, prevR = 0;
  ForEachBlock(byteArray, [&](std::uint8_t* block) {
    std::uint32_t L = blowfish::LoadWord(block) ^ prevL;
    std::uint32_t R = blowfish::LoadWord(block + 4) ^ prevR;
    blowfish::Encipher(P_, S_, L, R);
    blowfish::StoreWord(L, block);
    blowfish::StoreWord(R, block + 4);
    prevL = L;
    prevR = R;
  });
  if (Progress) Progress(100);
}

void clsBlowfish::DecryptByte(ByteArray& byteArray, const std::string& Key) {
  UseKey(Key);
  const std::size_t m = byteArray.size();
  // Data the layout cannot have produced is refused before it is touched.
  if (m < 16 || m % 8 != 0) platform::RaiseRuntimeError(kBlowfishSizeError, kSizeErrorText);

  std::uint32_t prevL = 0, prevR = 0;
  ForEachBlock(byteArray, [&](std::uint8_t* block) {
    std::uint32_t cipherL = blowfish::LoadWord(block), cipherR = blowfish::LoadWord(block + 4);
    std::uint32_t L = cipherL, R = cipherR;
    blowfish::Decipher(P_, S_, L, R);
    blowfish::StoreWord(L ^ prevL, block);
    blowfish::StoreWord(R ^ prevR, block + 4);
    prevL = cipherL;
    prevR = cipherR;
  });

  std::int64_t n = GetLittleEndian(byteArray, 8);
  std::int64_t overhead = static_cast<std::int64_t>(m) - n;
  if (n < 0 || overhead < 12 || overhead > 19) platform::RaiseRuntimeError(kBlowfishSizeError, kSizeErrorText);
  std::memmove(byteArray.data(), byteArray.data() + kHeadSize, static_cast<std::size_t>(n));
  byteArray.resize(static_cast<std::size_t>(n));
  if (Progress) Progress(100);
}

std::string clsBlowfish::EncryptString(const std::string& Text, const std::string& Key, bool OutputInHex) {
  ByteArray bytes = ToBytes(Text);
  EncryptByte(bytes, Key);
  std::string cipher = ToText(bytes);
  return OutputInHex ? ToHex(cipher) : cipher;
}

std::string clsBlowfish::DecryptString(const std::string& Text, const std::string& Key, bool IsTextInHex) {
  ByteArray bytes = ToBytes(IsTextInHex ? FromHex(Text) : Text);
  DecryptByte(bytes, Key);
  return ToText(bytes);
}

clsBlowfish& g_Blowfish() {
  static std::unique_ptr<clsBlowfish> instance;
  if (!instance) instance = std::make_unique<clsBlowfish>();
  return *instance;
}
