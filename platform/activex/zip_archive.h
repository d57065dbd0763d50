#pragma once
// Standard ZIP archives held in memory, written and read through libzip:
// entries deflated and, with a password, enciphered with WinZip AES-256, so
// that any ZIP tool that knows AES opens them. The caller moves the bytes
// through the file layer, which keeps them inside the machine.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::activex::zip {

struct Entry {
  std::string name;   // UTF-8, "/"-separated
  std::string bytes;
};

// The archive's bytes, or nothing when libzip refused to build it.
std::optional<std::string> Write(const std::vector<Entry>& entries, std::string_view comment,
                                 std::string_view password, int level);

enum class ReadResult { Ok, Damaged, WrongPassword };

struct Contents {
  std::vector<Entry> entries;
  std::string comment;
};

// Whether the archive's directory is whole and every entry lies inside it;
// readable without the password.
ReadResult Check(std::string_view archive);
// Every entry deciphered and verified (the AES authentication code, or the
// CRC of an entry stored without a password).
ReadResult Read(std::string_view archive, std::string_view password, Contents& out);

}  // namespace platform::activex::zip
