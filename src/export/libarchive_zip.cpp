#include "export/libarchive_zip.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct SourceFile {
  std::string name;  // bare file name, the entry's name
  fs::path path;
  uintmax_t size = 0;
  time_t mtime = 0;
};

// Deflating these gains nothing; they go in as they are.
bool is_compressed_audio(const std::string& name) {
  std::string ext = fs::path(name).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  static constexpr std::array<const char*, 8> kStored = {".mp3", ".ogg", ".oga",  ".opus",
                                                         ".m4a", ".aac", ".flac", ".wma"};
  return std::any_of(kStored.begin(), kStored.end(), [&](const char* e) { return ext == e; });
}

bool matches(const std::string& pattern, const std::string& name) {
  // "*.*" means every file, with or without a dot in its name.
  if (pattern.empty() || pattern == "*" || pattern == "*.*") return true;
  return fnmatch(pattern.c_str(), name.c_str(), 0) == 0;
}

// Splits a specification such as "\"/music/build/*.*\"" into folder and pattern.
bool split_spec(std::string spec, std::string& folder, std::string& pattern) {
  if (!spec.empty() && spec.front() == '"') spec.erase(0, 1);
  if (!spec.empty() && spec.back() == '"') spec.pop_back();
  const size_t slash = spec.rfind('/');
  if (slash == std::string::npos) return false;
  folder = spec.substr(0, slash + 1);
  pattern = spec.substr(slash + 1);
  return true;
}

bool list_sources(const std::string& folder, const std::string& pattern,
                  std::vector<SourceFile>& files) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return false;
  fs::directory_iterator it(folder, ec);
  if (ec) return false;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) return false;
    std::error_code type_ec;
    if (!it->is_regular_file(type_ec)) continue;
    std::string name = it->path().filename().string();
    if (!matches(pattern, name)) continue;
    struct stat st {};
    if (::stat(it->path().c_str(), &st) != 0) return false;
    files.push_back({name, it->path(), static_cast<uintmax_t>(st.st_size), st.st_mtime});
  }
  if (ec) return false;
  std::sort(files.begin(), files.end(),
            [](const SourceFile& a, const SourceFile& b) { return a.name < b.name; });
  return true;
}

// The archive being written: a temporary file beside the destination that is
// removed unless the build commits it.
class TempArchive {
 public:
  explicit TempArchive(const std::string& destination) : destination_(destination) {
    temp_path_ = destination + ".tmp-XXXXXX";
    fd_ = mkstemp(temp_path_.data());
    if (fd_ < 0) return;
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd_, 0666 & ~mask);
  }
  ~TempArchive() {
    if (archive_) archive_write_free(archive_);
    if (fd_ >= 0) {
      close(fd_);
      unlink(temp_path_.c_str());
    }
  }
  TempArchive(const TempArchive&) = delete;
  TempArchive& operator=(const TempArchive&) = delete;

  bool created() const { return fd_ >= 0; }

  struct archive* open() {
    archive_ = archive_write_new();
    if (!archive_) return nullptr;
    if (archive_write_set_format_zip(archive_) != ARCHIVE_OK ||
        archive_write_set_format_option(archive_, "zip", "hdrcharset", "UTF-8") != ARCHIVE_OK ||
        archive_write_set_bytes_in_last_block(archive_, 1) != ARCHIVE_OK ||
        archive_write_open_fd(archive_, fd_) != ARCHIVE_OK) {
      return nullptr;
    }
    return archive_;
  }

  // Finishes the archive and puts it in place of any old one.
  bool commit() {
    const bool closed = archive_write_close(archive_) == ARCHIVE_OK;
    archive_write_free(archive_);
    archive_ = nullptr;
    if (!closed || fsync(fd_) != 0) return false;
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0 || rename(temp_path_.c_str(), destination_.c_str()) != 0) {
      unlink(temp_path_.c_str());
      return false;
    }
    return true;
  }

 private:
  std::string destination_;
  std::string temp_path_;
  int fd_ = -1;
  struct archive* archive_ = nullptr;
};

}  // namespace

bool LibarchiveZip::flag(int member) const {
  auto it = flags_.find(member);
  return it != flags_.end() && it->second;
}

std::string LibarchiveZip::text(int member) const {
  auto it = texts_.find(member);
  return it == texts_.end() ? std::string() : it->second;
}

void LibarchiveZip::set_action(int16_t action) {
  if (action != kZipActionAdd) {
    result_ = kUnknownAction;
    return;
  }
  try {
    result_ = build_archive();
  } catch (...) {
    result_ = kWriteFailed;  // the temporary file is gone with the stack
  }
}

int16_t LibarchiveZip::build_archive() {
  std::string folder, pattern;
  if (!split_spec(text(zip_member::kFileSpec), folder, pattern)) return kBadFileSpec;
  const std::string destination = text(zip_member::kArchivePath);
  std::error_code ec;
  if (destination.empty() || fs::is_directory(destination, ec)) return kCannotOpenDestination;

  std::vector<SourceFile> files;
  if (!list_sources(folder, pattern, files)) return kCannotReadSource;

  TempArchive temp(destination);
  if (!temp.created()) return kCannotOpenDestination;
  struct archive* a = temp.open();
  if (!a) return kWriteFailed;

  std::vector<char> buffer(kChunkBytes);
  for (const SourceFile& file : files) {
    std::ifstream in(file.path, std::ios::binary);
    if (!in) return kCannotReadSource;

    const int switched = is_compressed_audio(file.name)
                             ? archive_write_zip_set_compression_store(a)
                             : archive_write_zip_set_compression_deflate(a);
    if (switched != ARCHIVE_OK) return kWriteFailed;

    struct archive_entry* entry = archive_entry_new();
    archive_entry_set_pathname_utf8(entry, file.name.c_str());
    archive_entry_set_filetype(entry, AE_IFREG);
    archive_entry_set_perm(entry, 0644);
    archive_entry_set_size(entry, static_cast<la_int64_t>(file.size));
    archive_entry_set_mtime(entry, file.mtime, 0);
    const int header = archive_write_header(a, entry);
    archive_entry_free(entry);
    if (header != ARCHIVE_OK) return kWriteFailed;

    raise_progress(file.name, 0);
    uintmax_t done = 0;
    while (done < file.size) {
      const auto want =
          static_cast<std::streamsize>(std::min<uintmax_t>(kChunkBytes, file.size - done));
      in.read(buffer.data(), want);
      const std::streamsize got = in.gcount();
      if (got <= 0) return kCannotReadSource;  // the file shrank or cannot be read
      if (archive_write_data(a, buffer.data(), static_cast<size_t>(got)) != got)
        return kWriteFailed;
      done += static_cast<uintmax_t>(got);
      raise_progress(file.name, static_cast<int32_t>(done * 100 / file.size));
    }
    if (file.size == 0) raise_progress(file.name, 100);
    if (archive_write_finish_entry(a) != ARCHIVE_OK) return kWriteFailed;
  }
  return temp.commit() ? kOk : kWriteFailed;
}
