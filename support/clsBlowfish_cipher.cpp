// Tables, key schedule and block operations of clsBlowfish.
#include "support/blowfish_rounds.h"
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

std::uint32_t clsBlowfish::RoundF(std::uint32_t x) const { return blowfish::RoundF(S_, x); }

void clsBlowfish::EncryptBlock(std::uint32_t& L, std::uint32_t& R) const { blowfish::Encipher(P_, S_, L, R); }

void clsBlowfish::DecryptBlock(std::uint32_t& L, std::uint32_t& R) const { blowfish::Decipher(P_, S_, L, R); }

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
  return blowfish::LoadWord(bytes.data() + offset);
}

void clsBlowfish::PutWord(std::uint32_t word, ByteArray& bytes, std::size_t offset) {
  blowfish::StoreWord(word, bytes.data() + offset);
}
