#include <gtest/gtest.h>

#include <random>

#include "platform/files/file_content.h"
#include "platform/files/file_seams.h"
#include "platform/files/kernel32_files.h"
#include "support/clsBlowfish.h"
#include "support/temp_machine.h"

using platform::files::ReadFileContent;
using platform::files::WriteFileContent;
using tessaly::testing::TempMachine;

namespace {

const std::string kKey = "qz_mnb482vlk[dusk]";

std::string Content(const std::string& path) {
  std::string bytes;
  EXPECT_EQ(ReadFileContent(path, bytes), ERROR_SUCCESS) << path;
  return bytes;
}

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

TEST(BlowfishFiles, RoundTripsOfManyLengths) {
  TempMachine m;
  clsBlowfish cipher;
  for (std::size_t size : {1u, 7u, 8u, 9u, 4u << 20}) {
    std::string plain = RandomBytes(size, static_cast<unsigned>(size));
    ASSERT_EQ(WriteFileContent("C:\\plain.bin", plain), ERROR_SUCCESS);
    ASSERT_TRUE(cipher.EncryptFile("C:\\plain.bin", "C:\\store.dbs", true, kKey)) << size;
    EXPECT_EQ(Content("C:\\store.dbs").size(), (size + 12 + 7) / 8 * 8);
    ASSERT_TRUE(cipher.DecryptFile("C:\\store.dbs", "C:\\back.bin", true, kKey));
    EXPECT_EQ(Content("C:\\back.bin"), plain) << size;
  }
}

TEST(BlowfishFiles, RefusalsLeaveTheOutputAsItWas) {
  TempMachine m;
  clsBlowfish cipher;
  ASSERT_EQ(WriteFileContent("C:\\in.txt", "data"), ERROR_SUCCESS);
  ASSERT_EQ(WriteFileContent("C:\\out.txt", "keep me"), ERROR_SUCCESS);
  ASSERT_EQ(WriteFileContent("C:\\empty.txt", ""), ERROR_SUCCESS);

  EXPECT_FALSE(cipher.EncryptFile("C:\\missing.txt", "C:\\out.txt", true, kKey));
  EXPECT_FALSE(cipher.EncryptFile("C:\\in.txt", "C:\\out.txt", false, kKey)) << "no overwrite";
  EXPECT_FALSE(cipher.EncryptFile("C:\\empty.txt", "C:\\out.txt", true, kKey)) << "an empty input";
  EXPECT_FALSE(cipher.DecryptFile("C:\\in.txt", "C:\\out.txt", true, kKey)) << "not cipher data";
  ASSERT_TRUE(cipher.EncryptFile("C:\\in.txt", "C:\\cipher.bin", true, kKey));
  EXPECT_FALSE(cipher.DecryptFile("C:\\cipher.bin", "C:\\out.txt", true, "wrong key"));
  EXPECT_EQ(Content("C:\\out.txt"), "keep me");
  EXPECT_EQ(GetFileAttributesA("C:\\out.txt.~new"), INVALID_FILE_ATTRIBUTES) << "no temporary file left";
}

TEST(BlowfishFiles, OverwritesInPlaceAndCutsALongerOutput) {
  TempMachine m;
  clsBlowfish cipher;
  std::string plain = "[Plugins]\r\nCount=1\r\n";
  ASSERT_EQ(WriteFileContent("C:\\store.ini", plain), ERROR_SUCCESS);
  ASSERT_TRUE(cipher.EncryptFile("C:\\store.ini", "C:\\store.ini", true, kKey));
  EXPECT_NE(Content("C:\\store.ini"), plain);
  ASSERT_EQ(WriteFileContent("C:\\long.txt", std::string(1000, 'L')), ERROR_SUCCESS);
  ASSERT_TRUE(cipher.DecryptFile("C:\\store.ini", "C:\\long.txt", true, kKey));
  EXPECT_EQ(Content("C:\\long.txt"), plain);
  ASSERT_TRUE(cipher.DecryptFile("C:\\store.ini", "C:\\store.ini", true, kKey));
  EXPECT_EQ(Content("C:\\store.ini"), plain);
}

TEST(BlowfishFiles, AFullDiskDuringEncipherLeavesTheOldOutputWhole) {
  TempMachine m;
  clsBlowfish cipher;
  std::string plain = RandomBytes(200000, 3);
  ASSERT_EQ(WriteFileContent("C:\\in.bin", plain), ERROR_SUCCESS);
  std::string old = RandomBytes(5000, 4);
  ASSERT_EQ(WriteFileContent("C:\\out.bin", old), ERROR_SUCCESS);
  // Fill the drive so the new output cannot be written beside the old one.
  ULARGE_INTEGER available{}, total{}, free{};
  ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &free));
  ASSERT_EQ(WriteFileContent("C:\\filler.bin", std::string(free.QuadPart - 100000, 'f')), ERROR_SUCCESS);

  EXPECT_FALSE(cipher.EncryptFile("C:\\in.bin", "C:\\out.bin", true, kKey));
  EXPECT_EQ(Content("C:\\out.bin"), old);
  EXPECT_EQ(GetFileAttributesA("C:\\out.bin.~new"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA("C:\\out.bin.~old"), INVALID_FILE_ATTRIBUTES);
}

TEST(BlowfishFiles, ReadOnlyOrHeldOutputsAreNotReplaced) {
  TempMachine m;
  clsBlowfish cipher;
  ASSERT_EQ(WriteFileContent("C:\\in.txt", "data"), ERROR_SUCCESS);
  ASSERT_EQ(WriteFileContent("C:\\ro.txt", "ro"), ERROR_SUCCESS);
  ASSERT_TRUE(SetFileAttributesA("C:\\ro.txt", FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(cipher.EncryptFile("C:\\in.txt", "C:\\ro.txt", true, kKey));
  EXPECT_EQ(Content("C:\\ro.txt"), "ro");

  ASSERT_EQ(WriteFileContent("C:\\held.txt", "held"), ERROR_SUCCESS);
  ASSERT_EQ(platform::files::HoldFileByOtherProcess("C:\\held.txt", platform::files::HoldMode::DenyWrite),
            ERROR_SUCCESS);
  EXPECT_FALSE(cipher.EncryptFile("C:\\in.txt", "C:\\held.txt", true, kKey));
  EXPECT_EQ(Content("C:\\held.txt"), "held");
  EXPECT_EQ(GetFileAttributesA("C:\\held.txt.~new"), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
