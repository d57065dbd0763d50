#include "platform/activex/zip_archive.h"

#include <zip.h>

#include <array>
#include <cstdio>
#include <memory>

namespace platform::activex::zip {
namespace {

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct SourceFree {
  void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using Source = std::unique_ptr<zip_source_t, SourceFree>;

struct FileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using EntryFile = std::unique_ptr<zip_file_t, FileCloser>;

// CRC-32 (the ZIP polynomial) of an entry's plain bytes. The AES entries'
// own authentication code is not checked by every reader (libzip before
// 1.8 skips it), so each entry carries this sum in its comment and a read
// checks it.
std::uint32_t Crc32(std::string_view bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::string SumComment(std::string_view bytes) {
  char text[16];
  std::snprintf(text, sizeof text, "crc32=%08x", static_cast<unsigned>(Crc32(bytes)));
  return text;
}

// The whole content of an in-memory source after the archive was closed.
std::optional<std::string> SourceBytes(zip_source_t* source) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_source_open(source) < 0) return std::nullopt;
  std::optional<std::string> bytes;
  if (zip_source_stat(source, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)) {
    std::string data(stat.size, '\0');
    zip_int64_t got = stat.size ? zip_source_read(source, data.data(), stat.size) : 0;
    if (got == static_cast<zip_int64_t>(stat.size)) bytes = std::move(data);
  }
  zip_source_close(source);
  return bytes;
}

bool AddEntry(zip_t* archive, const Entry& entry, std::string_view password, int level) {
  zip_source_t* data = zip_source_buffer(archive, entry.bytes.data(), entry.bytes.size(), 0);
  if (!data) return false;
  zip_int64_t index = zip_file_add(archive, entry.name.c_str(), data, ZIP_FL_ENC_UTF_8);
  if (index < 0) {
    zip_source_free(data);
    return false;
  }
  auto at = static_cast<zip_uint64_t>(index);
  if (zip_set_file_compression(archive, at, ZIP_CM_DEFLATE, static_cast<zip_uint32_t>(level)) < 0) return false;
  std::string sum = SumComment(entry.bytes);
  if (zip_file_set_comment(archive, at, sum.data(), static_cast<zip_uint16_t>(sum.size()), 0) < 0) return false;
  if (password.empty()) return true;
  std::string key(password);
  return zip_file_set_encryption(archive, at, ZIP_EM_AES_256, key.c_str()) == 0;
}

// Opens archive bytes for reading, or nothing when they are no whole archive.
Archive OpenBytes(std::string_view bytes) {
  zip_error_t error;
  zip_error_init(&error);
  Source source(zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error));
  zip_error_fini(&error);
  if (!source) return nullptr;
  zip_error_init(&error);
  Archive archive(zip_open_from_source(source.get(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
  zip_error_fini(&error);
  if (archive) source.release();  // the archive owns it now
  return archive;
}

ReadResult ReadEntry(zip_t* archive, zip_uint64_t index, std::string_view password, Entry& entry) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive, index, 0, &stat) < 0 || !(stat.valid & ZIP_STAT_SIZE)) return ReadResult::Damaged;
  const char* name = zip_get_name(archive, index, ZIP_FL_ENC_GUESS);
  if (!name) return ReadResult::Damaged;
  std::string key(password);
  EntryFile file(zip_fopen_index_encrypted(archive, index, 0, key.empty() ? nullptr : key.c_str()));
  if (!file) {
    int code = zip_error_code_zip(zip_get_error(archive));
    return code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_NOPASSWD ? ReadResult::WrongPassword : ReadResult::Damaged;
  }
  std::string bytes(stat.size, '\0');
  zip_int64_t got = stat.size ? zip_fread(file.get(), bytes.data(), stat.size) : 0;
  if (got != static_cast<zip_int64_t>(stat.size)) return ReadResult::Damaged;
  // Reading past the end verifies the entry's sum or authentication code.
  char extra = 0;
  if (zip_fread(file.get(), &extra, 1) != 0) return ReadResult::Damaged;
  if (zip_fclose(file.release()) != 0) return ReadResult::Damaged;
  zip_uint32_t length = 0;
  const char* comment = zip_file_get_comment(archive, index, &length, ZIP_FL_ENC_RAW);
  std::string_view recorded = comment ? std::string_view(comment, length) : std::string_view();
  if (recorded.rfind("crc32=", 0) == 0 && recorded != SumComment(bytes)) return ReadResult::Damaged;
  entry.name = name;
  entry.bytes = std::move(bytes);
  return ReadResult::Ok;
}

}  // namespace

std::optional<std::string> Write(const std::vector<Entry>& entries, std::string_view comment,
                                 std::string_view password, int level) {
  zip_error_t error;
  zip_error_init(&error);
  Source memory(zip_source_buffer_create(nullptr, 0, 0, &error));
  zip_error_fini(&error);
  if (!memory) return std::nullopt;
  zip_source_keep(memory.get());  // outlives the archive, which hands its bytes to it
  zip_error_init(&error);
  Archive archive(zip_open_from_source(memory.get(), ZIP_TRUNCATE, &error));
  zip_error_fini(&error);
  if (!archive) {
    zip_source_free(memory.get());  // the reference the failed open did not take
    return std::nullopt;
  }
  for (const Entry& entry : entries)
    if (!AddEntry(archive.get(), entry, password, level)) return std::nullopt;
  if (!comment.empty() &&
      zip_set_archive_comment(archive.get(), comment.data(), static_cast<zip_uint16_t>(comment.size())) < 0)
    return std::nullopt;
  if (zip_close(archive.get()) < 0) return std::nullopt;
  archive.release();
  return SourceBytes(memory.get());
}

ReadResult Check(std::string_view bytes) {
  Archive archive = OpenBytes(bytes);
  if (!archive) return ReadResult::Damaged;
  zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), 0, &stat) < 0) return ReadResult::Damaged;
    if ((stat.valid & ZIP_STAT_COMP_SIZE) && stat.comp_size > bytes.size()) return ReadResult::Damaged;
  }
  return ReadResult::Ok;
}

ReadResult Read(std::string_view bytes, std::string_view password, Contents& out) {
  Archive archive = OpenBytes(bytes);
  if (!archive) return ReadResult::Damaged;
  Contents contents;
  int length = 0;
  if (const char* comment = zip_get_archive_comment(archive.get(), &length, ZIP_FL_ENC_RAW))
    contents.comment.assign(comment, static_cast<std::size_t>(length));
  zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    Entry entry;
    ReadResult result = ReadEntry(archive.get(), static_cast<zip_uint64_t>(i), password, entry);
    if (result != ReadResult::Ok) return result;
    contents.entries.push_back(std::move(entry));
  }
  out = std::move(contents);
  return ReadResult::Ok;
}

}  // namespace platform::activex::zip
