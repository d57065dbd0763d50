#pragma once
// The program's block cipher: Blowfish rounds and key schedule over S-boxes
// loaded in the program's own interleaved arrangement, and the framed,
// chained layout of its enciphered data, strings and files.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class clsBlowfish {
 public:
  using ByteArray = std::vector<std::uint8_t>;

  clsBlowfish();

  // Raised with 0..100 while data is enciphered or deciphered.
  std::function<void(std::int32_t Percent)> Progress;

  void EncryptByte(ByteArray& byteArray, const std::string& Key);
  std::string EncryptString(const std::string& Text, const std::string& Key, bool OutputInHex);
  std::string DecryptString(const std::string& Text, const std::string& Key, bool IsTextInHex);
  // Raises 0x80040000 "Incorrect size descriptor in Blowfish decryption" for
  // data this layout cannot have produced.
  void DecryptByte(ByteArray& byteArray, const std::string& Key);
  // Write-only: schedules the tables for a new key; the same key costs nothing.
  void setKey(const std::string& New_Value);
  bool EncryptFile(const std::string& InFile, const std::string& OutFile, bool Overwrite, const std::string& Key);
  bool DecryptFile(const std::string& InFile, const std::string& OutFile, bool Overwrite, const std::string& Key);

  // Test seams: the block operations, and the source of the two head numbers
  // (each 0..2147483647); null restores the clock-seeded generator.
  void EncryptBlock(std::uint32_t& L, std::uint32_t& R) const;
  void DecryptBlock(std::uint32_t& L, std::uint32_t& R) const;
  static void SetHeadNumberSource(std::function<std::int32_t()> source);
  // Number of key schedules run (a changed key), for tests.
  int keySchedules() const { return keySchedules_; }

 private:
  std::uint32_t RoundF(std::uint32_t x) const;
  static std::uint32_t GetWord(const ByteArray& bytes, std::size_t offset);
  static void PutWord(std::uint32_t word, ByteArray& bytes, std::size_t offset);
  static std::uint32_t UnsignedAdd(std::uint32_t a, std::uint32_t b) { return a + b; }
  static std::uint32_t UnsignedSub(std::uint32_t a, std::uint32_t b) { return a - b; }
  void ResetTables();
  void UseKey(const std::string& Key);
  template <typename BlockStep>
  void ForEachBlock(ByteArray& bytes, BlockStep step);
  bool TransformFile(const std::string& InFile, const std::string& OutFile, bool Overwrite, const std::string& Key,
                     bool encipher);

  std::array<std::uint32_t, 18> P_{};
  std::array<std::array<std::uint32_t, 256>, 4> S_{};
  std::string key_;
  int keySchedules_ = 0;
};

// The one instance, created on first use.
clsBlowfish& g_Blowfish();

inline constexpr std::int32_t kBlowfishSizeError = static_cast<std::int32_t>(0x80040000u);
