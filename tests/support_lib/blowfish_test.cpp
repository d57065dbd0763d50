#include "support/clsBlowfish.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/base/runtime_error.h"
#include "platform/forms/event_loop.h"

namespace {

const std::string kStoreKey = "qz_mnb482vlk[dusk]";

struct Block {
  std::uint32_t L, R;
  bool operator==(const Block&) const = default;
};

Block Encipher(const std::string& key, Block in) {
  clsBlowfish cipher;
  cipher.setKey(key);
  cipher.EncryptBlock(in.L, in.R);
  return in;
}

std::string Hex(const clsBlowfish::ByteArray& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (auto b : bytes) out += {digits[b >> 4], digits[b & 15]};
  return out;
}

// Fixes the two head numbers of every frame while alive.
struct FixedHeads {
  explicit FixedHeads(std::int32_t value = 0) {
    clsBlowfish::SetHeadNumberSource([value] { return value; });
  }
  ~FixedHeads() { clsBlowfish::SetHeadNumberSource(nullptr); }
};

TEST(BlowfishBlock, KnownVectorsOfTheInterleavedTables) {
  struct Case {
    const char* key;
    Block expected;
  } cases[] = {
      {"", {0xF155B7CF, 0xC1E56C7B}},  // initial tables, no key mixed in
      {"qz_mnb482vlk[dusk]", {0x1B8B7B53, 0x1DF2A322}},
      {"A", {0x983D3060, 0xC06FDE3A}},
  };
  for (const auto& c : cases) EXPECT_EQ(Encipher(c.key, {0, 0}), c.expected) << c.key;
  // Published Blowfish (key 00 x 8 gives 4EF99745 6198DD78) is not this cipher.
  EXPECT_NE(Encipher(std::string(8, '\0'), {0, 0}), (Block{0x4EF99745, 0x6198DD78}));
}

TEST(BlowfishBlock, DecipherInvertsEncipherForRandomKeysAndBlocks) {
  std::mt19937 random(7);
  for (int i = 0; i < 50; ++i) {
    std::string key(1 + random() % 60, '\0');
    for (char& c : key) c = static_cast<char>(random());
    clsBlowfish cipher;
    cipher.setKey(key);
    std::uint32_t L = random(), R = random(), l = L, r = R;
    cipher.EncryptBlock(l, r);
    cipher.DecryptBlock(l, r);
    EXPECT_EQ(l, L);
    EXPECT_EQ(r, R);
  }
}

TEST(BlowfishKey, ScheduleDependsOnlyOnTheCurrentKey) {
  clsBlowfish cipher;
  cipher.setKey("first");
  cipher.setKey("second");
  cipher.setKey("first");
  std::uint32_t L = 1, R = 2;
  cipher.EncryptBlock(L, R);
  EXPECT_EQ((Block{L, R}), Encipher("first", {1, 2}));

  int schedules = cipher.keySchedules();
  cipher.setKey("first");
  EXPECT_EQ(cipher.keySchedules(), schedules) << "the same key again costs nothing";

  // Bytes past the 72nd never count; a one-character key is its byte four times.
  std::string longKey(100, 'k');
  longKey[80] = 'z';
  EXPECT_EQ(Encipher(longKey, {3, 4}), Encipher(longKey.substr(0, 72), {3, 4}));
  EXPECT_EQ(Encipher("A", {5, 6}), Encipher("AAAA", {5, 6}));

  // An empty key goes back to the initial tables, as on a new instance.
  cipher.setKey("");
  L = 0, R = 0;
  cipher.EncryptBlock(L, R);
  EXPECT_EQ((Block{L, R}), (Block{0xF155B7CF, 0xC1E56C7B}));
}

TEST(BlowfishData, FramedLayoutWithFixedHeads) {
  FixedHeads heads;
  struct Case {
    std::string plain;
    const char* cipher;
  } cases[] = {
      {"abc", "1B8B7B531DF2A322504561853F8AF6D7"},
      {"", "1B8B7B531DF2A322D1C472F6EC17870F"},
  };
  for (const auto& c : cases) {
    clsBlowfish cipher;
    clsBlowfish::ByteArray bytes(c.plain.begin(), c.plain.end());
    cipher.EncryptByte(bytes, kStoreKey);
    EXPECT_EQ(Hex(bytes), c.cipher) << c.plain;
  }
}

TEST(BlowfishData, RoundTripsAndEncipheredLengths) {
  struct Case {
    std::size_t plain, cipher;
  } cases[] = {{0, 16}, {1, 16}, {4, 16}, {5, 24}, {7, 24}, {8, 24}, {9, 24}, {12, 24}, {13, 32}, {3u << 20, (3u << 20) + 16}};
  std::mt19937 random(11);
  for (const auto& c : cases) {
    clsBlowfish::ByteArray plain(c.plain);
    for (auto& b : plain) b = static_cast<std::uint8_t>(random());
    clsBlowfish cipher;
    auto bytes = plain;
    cipher.EncryptByte(bytes, kStoreKey);
    EXPECT_EQ(bytes.size(), c.cipher);
    cipher.DecryptByte(bytes, kStoreKey);
    EXPECT_EQ(bytes, plain) << c.plain;
  }
}

TEST(BlowfishData, DifferentHeadsChangeEveryBlock) {
  clsBlowfish cipher;
  clsBlowfish::ByteArray a(40, 'x'), b(40, 'x');
  {
    FixedHeads heads(1);
    cipher.EncryptByte(a, kStoreKey);
  }
  {
    FixedHeads heads(2);
    cipher.EncryptByte(b, kStoreKey);
  }
  for (std::size_t o = 0; o < a.size(); o += 8)
    EXPECT_FALSE(std::equal(a.begin() + o, a.begin() + o + 8, b.begin() + o)) << "block at " << o;
  cipher.DecryptByte(a, kStoreKey);
  cipher.DecryptByte(b, kStoreKey);
  EXPECT_EQ(a, b);
}

// Chains whole blocks in place one EncryptBlock at a time, as the layout
// says, from a zero block.
void ChainBlocks(const clsBlowfish& cipher, clsBlowfish::ByteArray& bytes) {
  std::uint32_t prevL = 0, prevR = 0;
  for (std::size_t o = 0; o + 8 <= bytes.size(); o += 8) {
    auto word = [&](std::size_t at) {
      return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 | std::uint32_t{bytes[at + 2]} << 8 |
             bytes[at + 3];
    };
    std::uint32_t L = word(o) ^ prevL, R = word(o + 4) ^ prevR;
    cipher.EncryptBlock(L, R);
    for (int i = 0; i < 4; ++i) {
      bytes[o + i] = static_cast<std::uint8_t>(L >> (24 - 8 * i));
      bytes[o + 4 + i] = static_cast<std::uint8_t>(R >> (24 - 8 * i));
    }
    prevL = L;
    prevR = R;
  }
}

// Enciphers a hand-made frame whose stored length is `storedLength`.
clsBlowfish::ByteArray FrameWithStoredLength(clsBlowfish& cipher, std::size_t total, std::int32_t storedLength) {
  clsBlowfish::ByteArray bytes(total, 0);
  for (int i = 0; i < 4; ++i) bytes[8 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(storedLength) >> (8 * i));
  ChainBlocks(cipher, bytes);
  return bytes;
}

// Long data: every block chained to the one before, one turn of the message
// loop after each, and the very bytes stores written before hold (their
// digest and last block pinned).
TEST(BlowfishData, LongDataIsChainedBlockByBlockIntoItsStoredForm) {
  FixedHeads heads(12345);
  clsBlowfish::ByteArray plain(100003);
  std::uint32_t x = 1;
  for (auto& b : plain) {
    x = x * 1103515245u + 12345u;
    b = static_cast<std::uint8_t>(x >> 16);
  }
  clsBlowfish cipher;
  auto bytes = plain;
  std::uint64_t yields = platform::forms::YieldCount();
  cipher.EncryptByte(bytes, kStoreKey);
  ASSERT_EQ(bytes.size(), 100016u);
  EXPECT_EQ(platform::forms::YieldCount() - yields, bytes.size() / 8);

  // The head (both numbers, then the length, least significant byte first),
  // the data, zero padding.
  clsBlowfish::ByteArray expected(bytes.size(), 0);
  for (int i = 0; i < 3; ++i) {
    std::uint32_t value = i < 2 ? 12345u : 100003u;
    for (int k = 0; k < 4; ++k) expected[i * 4 + k] = static_cast<std::uint8_t>(value >> (8 * k));
  }
  std::copy(plain.begin(), plain.end(), expected.begin() + 12);
  ChainBlocks(cipher, expected);
  EXPECT_TRUE(bytes == expected) << "the pass differs from block-by-block chaining";

  std::uint64_t digest = 14695981039346656037ull;  // FNV-1a
  for (auto b : bytes) digest = (digest ^ b) * 1099511628211ull;
  EXPECT_EQ(digest, 0x9F96A5BB78A7511Full);
  EXPECT_EQ(Hex({bytes.end() - 8, bytes.end()}), "672BE1511DA66B53");

  yields = platform::forms::YieldCount();
  cipher.DecryptByte(bytes, kStoreKey);
  EXPECT_EQ(platform::forms::YieldCount() - yields, 100016u / 8);
  EXPECT_TRUE(bytes == plain);
}

TEST(BlowfishData, SizeDescriptorBoundsAndRefusals) {
  clsBlowfish cipher;
  cipher.setKey(kStoreKey);
  struct Case {
    std::int32_t stored;  // with 32 bytes in all
    bool accepted;
  } cases[] = {{20, true}, {13, true}, {21, false}, {12, false}, {-1, false}, {0x7FFFFFFF, false}};
  for (const auto& c : cases) {
    auto bytes = FrameWithStoredLength(cipher, 32, c.stored);
    if (c.accepted) {
      cipher.DecryptByte(bytes, "");
      EXPECT_EQ(bytes.size(), static_cast<std::size_t>(c.stored));
    } else {
      try {
        cipher.DecryptByte(bytes, "");
        ADD_FAILURE() << "accepted stored length " << c.stored;
      } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), kBlowfishSizeError);
        EXPECT_STREQ(e.what(), "Incorrect size descriptor in Blowfish decryption");
        EXPECT_EQ(bytes.size(), 32u) << "the deciphered data stays uncut";
      }
    }
  }

  clsBlowfish::ByteArray good(10, 'q');
  cipher.EncryptByte(good, kStoreKey);
  std::vector<clsBlowfish::ByteArray> bad = {
      clsBlowfish::ByteArray(good.begin(), good.end() - 8),  // truncated to one block
      clsBlowfish::ByteArray(good.begin(), good.end() - 3),  // not whole blocks
      {},
  };
  auto padded = good;
  padded.insert(padded.end(), 8, 0);
  bad.push_back(padded);
  for (auto bytes : bad) EXPECT_THROW(cipher.DecryptByte(bytes, kStoreKey), platform::RuntimeError) << bytes.size();

  auto wrongKey = good;
  EXPECT_THROW(cipher.DecryptByte(wrongKey, "another key"), platform::RuntimeError);
}

TEST(BlowfishData, ProgressSequences) {
  struct Case {
    std::size_t plain;
    std::vector<int> events;
  } cases[] = {{0, {0, 50, 100}}, {5, {0, 33, 66, 100}}};
  for (const auto& c : cases) {
    clsBlowfish cipher;
    std::vector<int> events;
    cipher.Progress = [&](std::int32_t p) { events.push_back(p); };
    clsBlowfish::ByteArray bytes(c.plain, 1);
    cipher.EncryptByte(bytes, kStoreKey);
    EXPECT_EQ(events, c.events);
    events.clear();
    cipher.DecryptByte(bytes, kStoreKey);
    EXPECT_EQ(events, c.events);
  }
  // Long data: one event per percent, rising, ending with a single 100.
  clsBlowfish cipher;
  std::vector<int> events;
  cipher.Progress = [&](std::int32_t p) { events.push_back(p); };
  clsBlowfish::ByteArray bytes(8000, 2);
  cipher.EncryptByte(bytes, kStoreKey);
  ASSERT_EQ(events.size(), 101u);
  for (int i = 0; i <= 100; ++i) EXPECT_EQ(events[i], i);
}

TEST(BlowfishStrings, HexTextsAndRoundTrip) {
  clsBlowfish cipher;
  std::string text = "Plug-in store \xE9\x01";
  std::string hex = cipher.EncryptString(text, kStoreKey, true);
  EXPECT_EQ(hex.size(), 2u * 32);
  EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  EXPECT_EQ(cipher.DecryptString(hex, kStoreKey, true), text);
  std::string lower = hex;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(cipher.DecryptString(lower, kStoreKey, true), text);
  std::string raw = cipher.EncryptString(text, kStoreKey, false);
  EXPECT_EQ(raw.size(), 32u);
  EXPECT_EQ(cipher.DecryptString(raw, kStoreKey, false), text);
  EXPECT_THROW(cipher.DecryptString("ZZ", kStoreKey, true), platform::RuntimeError);
}

}  // namespace
