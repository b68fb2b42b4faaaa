#include "writers/package_3mf.h"

#include <zip.h>

#include <algorithm>
#include <ctime>
#include <new>
#include <stdexcept>
#include <string_view>

namespace orvandel {
namespace {

constexpr std::string_view kContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8"?>)"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" )"
    R"(ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="model" )"
    R"(ContentType="application/vnd.ms-package.3dmanufacturing-3dmodel+xml"/></Types>)";

constexpr std::string_view kRelationships =
    R"(<?xml version="1.0" encoding="UTF-8"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Target="/3D/3dmodel.model" Id="rel0" )"
    R"(Type="http://schemas.microsoft.com/3dmanufacturing/2013/01/3dmodel"/></Relationships>)";

// libzip fails here only when memory runs out; anything else would be a fault of ours.
[[noreturn]] void Fail(zip_error_t* error) {
  if (zip_error_code_zip(error) == ZIP_ER_MEMORY) throw std::bad_alloc();
  throw std::logic_error(zip_error_strerror(error));
}

// The model part as libzip reads it: its deflated bytes as they are, with their CRC and
// sizes, so that libzip copies them into the package instead of compressing them again.
zip_int64_t ReadModel(void* user, void* data, zip_uint64_t length, zip_source_cmd_t command) {
  auto& [model, read] = *static_cast<std::pair<const DeflatedPart&, std::uint64_t>*>(user);
  switch (command) {
    case ZIP_SOURCE_OPEN:
      read = 0;
      return 0;
    case ZIP_SOURCE_READ: {
      const auto count = static_cast<std::size_t>(std::min(length, model.deflated.Size() - read));
      model.deflated.ReadAt(read, static_cast<char*>(data), count);
      read += count;
      return static_cast<zip_int64_t>(count);
    }
    case ZIP_SOURCE_STAT: {
      auto& stat = *static_cast<zip_stat_t*>(data);
      zip_stat_init(&stat);
      stat.valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC;
      stat.size = model.size;
      stat.comp_size = model.deflated.Size();
      stat.comp_method = ZIP_CM_DEFLATE;
      stat.crc = model.crc32;
      return sizeof stat;
    }
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                            ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
      return 0;  // close, free, and the error that never happens
  }
}

// Where libzip writes the package: memory that it may go back in, to complete each part's
// header once the part is written, which an output file that may be a pipe does not allow.
class PackageMemory {
 public:
  PackageMemory() { zip_error_init(&error_); }
  ~PackageMemory() { zip_error_fini(&error_); }
  PackageMemory(const PackageMemory&) = delete;
  PackageMemory& operator=(const PackageMemory&) = delete;

  ChunkedMemory& Bytes() { return *bytes_; }

  static zip_int64_t Call(void* user, void* data, zip_uint64_t length, zip_source_cmd_t command) {
    auto& memory = *static_cast<PackageMemory*>(user);
    try {
      return memory.Do(data, length, command);
    } catch (const std::bad_alloc&) {  // libzip is C: nothing may be thrown through it
      zip_error_set(&memory.error_, ZIP_ER_MEMORY, 0);
      return -1;
    }
  }

 private:
  zip_int64_t Do(void* data, zip_uint64_t length, zip_source_cmd_t command) {
    switch (command) {
      case ZIP_SOURCE_BEGIN_WRITE:
        bytes_ = std::make_unique<ChunkedMemory>();
        at_ = 0;
        return 0;
      case ZIP_SOURCE_WRITE:
        bytes_->WriteAt(at_, static_cast<const char*>(data), static_cast<std::size_t>(length));
        at_ += length;
        return static_cast<zip_int64_t>(length);
      case ZIP_SOURCE_SEEK_WRITE: {
        const zip_int64_t at =
            zip_source_seek_compute_offset(at_, bytes_->Size(), data, length, &error_);
        if (at < 0) return -1;
        at_ = static_cast<std::uint64_t>(at);
        return 0;
      }
      case ZIP_SOURCE_TELL_WRITE:
        return static_cast<zip_int64_t>(at_);
      case ZIP_SOURCE_STAT: {  // a new package, empty
        zip_stat_init(static_cast<zip_stat_t*>(data));
        static_cast<zip_stat_t*>(data)->valid = ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
      }
      case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&error_, data, length);
      case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_WRITABLE;
      default:
        return 0;  // open, read, seek and tell an empty package; commit, roll back, remove
    }
  }

  zip_error_t error_;
  std::unique_ptr<ChunkedMemory> bytes_ = std::make_unique<ChunkedMemory>();
  std::uint64_t at_ = 0;
};

// A zip archive made in PackageMemory.
class Archive {
 public:
  explicit Archive(PackageMemory& memory) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_function_create(PackageMemory::Call, &memory, &error);
    if (source == nullptr) Fail(&error);
    archive_ = zip_open_from_source(source, ZIP_TRUNCATE, &error);
    if (archive_ == nullptr) {
      zip_source_free(source);
      Fail(&error);
    }
  }
  ~Archive() {
    if (archive_ != nullptr) zip_discard(archive_);
  }
  Archive(const Archive&) = delete;
  Archive& operator=(const Archive&) = delete;

  // Adds the part of that name, dated the same whenever and wherever it is written.
  void Add(const char* name, zip_source_t* source) {
    if (source == nullptr) Fail(zip_get_error(archive_));
    const zip_int64_t index = zip_file_add(archive_, name, source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
      zip_source_free(source);
      Fail(zip_get_error(archive_));
    }
    if (zip_file_set_mtime(archive_, static_cast<zip_uint64_t>(index), FirstZipDate(), 0) != 0) {
      Fail(zip_get_error(archive_));
    }
  }
  void AddText(const char* name, std::string_view text) {
    Add(name, zip_source_buffer(archive_, text.data(), text.size(), 0));
  }
  void AddFrom(const char* name, zip_source_callback read, void* user) {
    Add(name, zip_source_function(archive_, read, user));
  }

  // Writes the archive into its memory.
  void Close() {
    if (zip_close(archive_) != 0) Fail(zip_get_error(archive_));
    archive_ = nullptr;
  }

 private:
  // Zip files hold local times from 1980 on; 1 January 1980, 00:00 here.
  static time_t FirstZipDate() {
    std::tm date{};
    date.tm_year = 80;
    date.tm_mday = 1;
    date.tm_isdst = -1;
    return std::mktime(&date);
  }

  zip_t* archive_ = nullptr;
};

}  // namespace

void WriteThreeMfPackage(const DeflatedPart& model, ByteSink& out) {
  PackageMemory memory;
  Archive archive(memory);
  archive.AddText("[Content_Types].xml", kContentTypes);
  archive.AddText("_rels/.rels", kRelationships);
  std::pair<const DeflatedPart&, std::uint64_t> reading{model, 0};
  archive.AddFrom("3D/3dmodel.model", ReadModel, &reading);
  archive.Close();
  memory.Bytes().CopyTo(out);
}

}  // namespace orvandel
