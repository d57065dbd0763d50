// Tables, key schedule and block operations of clsBlowfish.
#include "support/blowfish_tables.h"
#include "support/clsBlowfish.h"

clsBlowfish::clsBlowfish() { ResetTables(); }

void clsBlowfish::ResetTables() {
  P_ = blowfish::kInitialP;
  // The program's arrangement: the published words go four at a time across
  // the boxes, so entry i of box k is word 4i + k. Every file it enciphered
  // depends on this.
  for (int i = 0; i < 256; ++i)
    for (int k = 0; k < 4; ++k) S_[k][i] = blowfish::kPublishedSWords[4 * i + k];
}

std::uint32_t clsBlowfish::RoundF(std::uint32_t x) const {
  std::uint32_t a = x >> 24, b = (x >> 16) & 0xFF, c = (x >> 8) & 0xFF, d = x & 0xFF;
  return UnsignedAdd(UnsignedAdd(S_[0][a], S_[1][b]) ^ S_[2][c], S_[3][d]);
}

void clsBlowfish::EncryptBlock(std::uint32_t& L, std::uint32_t& R) const {
  for (int r = 0; r < 8; ++r) {
    L ^= P_[2 * r];
    R ^= RoundF(L);
    R ^= P_[2 * r + 1];
    L ^= RoundF(R);
  }
  std::uint32_t newL = R ^ P_[17];
  R = L ^ P_[16];
  L = newL;
}

void clsBlowfish::DecryptBlock(std::uint32_t& L, std::uint32_t& R) const {
  std::uint32_t t = R;
  R = L ^ P_[17];
  L = t ^ P_[16];
  for (int j = 14; j >= 0; j -= 2) {
    L ^= RoundF(R);
    R ^= P_[j + 1];
    R ^= RoundF(L);
    L ^= P_[j];
  }
}

void clsBlowfish::setKey(const std::string& New_Value) {
  if (New_Value == key_) return;
  key_ = New_Value;
  ResetTables();
  // An empty key leaves the initial tables: there are no bytes to cycle.
  if (New_Value.empty()) return;
  ++keySchedules_;
  std::size_t pos = 0;
  const std::size_t n = New_Value.size();
  for (auto& word : P_) {
    std::uint32_t w = 0;
    for (int k = 0; k < 4; ++k) {
      w = (w << 8) | static_cast<std::uint8_t>(New_Value[pos]);
      if (++pos == n) pos = 0;
    }
    word ^= w;
  }
  std::uint32_t L = 0, R = 0;
  for (int i = 0; i < 18; i += 2) {
    EncryptBlock(L, R);
    P_[i] = L;
    P_[i + 1] = R;
  }
  for (auto& box : S_) {
    for (int i = 0; i < 256; i += 2) {
      EncryptBlock(L, R);
      box[i] = L;
      box[i + 1] = R;
    }
  }
}

std::uint32_t clsBlowfish::GetWord(const ByteArray& bytes, std::size_t offset) {
  return std::uint32_t{bytes[offset]} << 24 | std::uint32_t{bytes[offset + 1]} << 16 |
         std::uint32_t{bytes[offset + 2]} << 8 | bytes[offset + 3];
}

void clsBlowfish::PutWord(std::uint32_t word, ByteArray& bytes, std::size_t offset) {
  bytes[offset] = static_cast<std::uint8_t>(word >> 24);
  bytes[offset + 1] = static_cast<std::uint8_t>(word >> 16);
  bytes[offset + 2] = static_cast<std::uint8_t>(word >> 8);
  bytes[offset + 3] = static_cast<std::uint8_t>(word);
}
