// An independent reader of the backup archives: libzip alone, in a process
// of its own, so the tests see what any ZIP tool that knows WinZip AES sees.
// Usage: aes_zip_reader ARCHIVE PASSWORD. Prints each entry's name and its
// content in hex, one line each; exits 0, or 3 when the password is wrong,
// 4 for any other failure.
#include <zip.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) return 4;
  int error = 0;
  zip_t* archive = zip_open(argv[1], ZIP_RDONLY | ZIP_CHECKCONS, &error);
  if (!archive) return 4;
  zip_int64_t count = zip_get_num_entries(archive, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_file_t* file = zip_fopen_index_encrypted(archive, static_cast<zip_uint64_t>(i), 0, argv[2]);
    if (!file) {
      int code = zip_error_code_zip(zip_get_error(archive));
      zip_discard(archive);
      return code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_NOPASSWD ? 3 : 4;
    }
    std::string hex;
    char buffer[4096];
    zip_int64_t got;
    while ((got = zip_fread(file, buffer, sizeof buffer)) > 0)
      for (zip_int64_t k = 0; k < got; ++k) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(buffer[k]));
        hex += pair;
      }
    bool failed = got < 0 || zip_fclose(file) != 0;
    if (failed) {
      zip_discard(archive);
      return 4;
    }
    std::printf("%s\n%s\n", zip_get_name(archive, static_cast<zip_uint64_t>(i), 0), hex.c_str());
  }
  zip_discard(archive);
  return 0;
}
