#include "word/docx/zip_package.h"

#include <zip.h>

#include <memory>

namespace qv::word::docx {

namespace {

std::string ZipErrorText(zip_error_t* e) {
  std::string text = zip_error_strerror(e);
  zip_error_fini(e);
  return text;
}

struct ArchiveCloser {
  void operator()(zip_t* z) const { zip_discard(z); }
};
struct FileCloser {
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};

}  // namespace

bool SafePartName(const std::string& name) {
  if (name.empty() || name.front() == '/' || name.find('\\') != std::string::npos ||
      name.find('\0') != std::string::npos)
    return false;
  if (name.size() >= 2 && name[1] == ':') return false;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find('/', start);
    if (end == std::string::npos) end = name.size();
    const std::string segment = name.substr(start, end - start);
    if (segment == ".." || segment == ".") return false;
    start = end + 1;
  }
  return true;
}

PackageParts ReadPackage(const std::string& zipBytes, const PackageLimits& limits) {
  zip_error_t err;
  zip_error_init(&err);
  zip_source_t* src = zip_source_buffer_create(zipBytes.data(), zipBytes.size(), 0, &err);
  if (!src) throw PackageError("it cannot be read as a package (" + ZipErrorText(&err) + ")");
  std::unique_ptr<zip_t, ArchiveCloser> za(
      zip_open_from_source(src, ZIP_RDONLY | ZIP_CHECKCONS, &err));
  if (!za) {
    zip_source_free(src);
    throw PackageError("it is not a docx package (" + ZipErrorText(&err) + ")");
  }
  zip_error_fini(&err);
  const zip_int64_t count = zip_get_num_entries(za.get(), 0);
  if (count < 0 || static_cast<uint64_t>(count) > limits.maxParts)
    throw PackageError("the package holds too many parts");
  PackageParts parts;
  uint64_t total = 0;
  std::string buffer(64 * 1024, '\0');
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* raw = zip_get_name(za.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
    if (!raw) throw PackageError("a part of the package has no name");
    const std::string name = raw;
    if (!name.empty() && name.back() == '/') continue;  // a folder entry
    if (!SafePartName(name))
      throw PackageError("the package names a part outside itself (\"" + name + "\")");
    if (parts.count(name)) throw PackageError("the package holds the part \"" + name + "\" twice");
    std::unique_ptr<zip_file_t, FileCloser> f(
        zip_fopen_index(za.get(), static_cast<zip_uint64_t>(i), 0));
    if (!f)
      throw PackageError("the part \"" + name + "\" cannot be read (" + zip_strerror(za.get()) +
                         ")");
    std::string data;
    for (;;) {
      const zip_int64_t n = zip_fread(f.get(), buffer.data(), buffer.size());
      if (n < 0)
        throw PackageError("the part \"" + name + "\" is damaged (" + zip_file_strerror(f.get()) +
                           ")");
      if (n == 0) break;
      data.append(buffer.data(), static_cast<size_t>(n));
      total += static_cast<uint64_t>(n);
      if (data.size() > limits.maxPartBytes)
        throw PackageError("the part \"" + name + "\" inflates to more than " +
                           std::to_string(limits.maxPartBytes >> 20) + " MiB");
      if (total > limits.maxTotalBytes)
        throw PackageError("the package inflates to more than " +
                           std::to_string(limits.maxTotalBytes >> 20) + " MiB");
    }
    parts.emplace(name, std::move(data));
  }
  return parts;
}

std::string WritePackage(const std::vector<std::pair<std::string, std::string>>& parts) {
  zip_error_t err;
  zip_error_init(&err);
  zip_source_t* out = zip_source_buffer_create(nullptr, 0, 0, &err);
  if (!out) throw PackageError("the package cannot be built (" + ZipErrorText(&err) + ")");
  zip_source_keep(out);
  zip_t* za = zip_open_from_source(out, ZIP_TRUNCATE, &err);
  if (!za) {
    zip_source_free(out);
    throw PackageError("the package cannot be built (" + ZipErrorText(&err) + ")");
  }
  auto fail = [&](const std::string& why) {
    zip_discard(za);
    zip_source_free(out);
    throw PackageError("the package cannot be built (" + why + ")");
  };
  for (const auto& [name, data] : parts) {
    zip_source_t* s = zip_source_buffer(za, data.data(), data.size(), 0);
    if (!s) fail(zip_strerror(za));
    if (zip_file_add(za, name.c_str(), s, ZIP_FL_ENC_UTF_8) < 0) {
      zip_source_free(s);
      fail(zip_strerror(za));
    }
  }
  if (zip_close(za) < 0) fail(zip_strerror(za));
  std::string bytes;
  if (zip_source_open(out) < 0) {
    zip_source_free(out);
    throw PackageError("the package cannot be built");
  }
  std::string chunk(64 * 1024, '\0');
  for (;;) {
    const zip_int64_t n = zip_source_read(out, chunk.data(), chunk.size());
    if (n <= 0) break;
    bytes.append(chunk.data(), static_cast<size_t>(n));
  }
  zip_source_close(out);
  zip_source_free(out);
  return bytes;
}

}  // namespace qv::word::docx
