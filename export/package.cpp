#include "export/package.h"

#include <zip.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include <unistd.h>

namespace qv::exporter {
namespace {

std::filesystem::path TemporaryBeside(const std::filesystem::path& out) {
  return out.parent_path() /
         ("." + out.filename().string() + "." + std::to_string(getpid()) + ".part");
}

std::string ZipError(zip_t* archive) {
  return archive ? zip_strerror(archive) : "cannot open";
}

}  // namespace

void WriteZip(const std::filesystem::path& out, const std::vector<PackageFile>& files) {
  const auto temporary = TemporaryBeside(out);
  std::filesystem::remove(temporary);
  int error = 0;
  zip_t* archive = zip_open(temporary.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (!archive) throw std::runtime_error("cannot create " + temporary.string());
  for (const auto& file : files) {
    zip_source_t* source = zip_source_buffer(archive, file.bytes.data(), file.bytes.size(), 0);
    if (!source || zip_file_add(archive, file.name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
      if (source) zip_source_free(source);
      const std::string why = ZipError(archive);
      zip_discard(archive);
      std::filesystem::remove(temporary);
      throw std::runtime_error("cannot add " + file.name + ": " + why);
    }
  }
  if (zip_close(archive) != 0) {
    const std::string why = ZipError(archive);
    zip_discard(archive);
    std::filesystem::remove(temporary);
    throw std::runtime_error("cannot write " + out.string() + ": " + why);
  }
  std::error_code ec;
  std::filesystem::rename(temporary, out, ec);
  if (ec) {
    std::filesystem::remove(temporary);
    throw std::runtime_error("cannot write " + out.string() + ": " + ec.message());
  }
}

std::vector<PackageFile> ReadZip(const std::filesystem::path& in) {
  int error = 0;
  zip_t* archive = zip_open(in.c_str(), ZIP_RDONLY, &error);
  if (!archive) throw std::runtime_error("not a zip package: " + in.string());
  std::vector<PackageFile> files;
  for (zip_int64_t i = 0, n = zip_get_num_entries(archive, 0); i < n; ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, i, 0, &stat);
    PackageFile file{stat.name, std::string(stat.size, '\0')};
    zip_file_t* entry = zip_fopen_index(archive, i, 0);
    if (!entry ||
        zip_fread(entry, file.bytes.data(), stat.size) != static_cast<zip_int64_t>(stat.size)) {
      if (entry) zip_fclose(entry);
      zip_close(archive);
      throw std::runtime_error("cannot read " + file.name + " of " + in.string());
    }
    zip_fclose(entry);
    files.push_back(std::move(file));
  }
  zip_close(archive);
  return files;
}

void WriteFileWhole(const std::filesystem::path& out, const std::string& bytes) {
  const auto temporary = TemporaryBeside(out);
  {
    std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    stream.close();
    if (!stream) {
      std::filesystem::remove(temporary);
      throw std::runtime_error("cannot write " + out.string());
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, out, ec);
  if (ec) {
    std::filesystem::remove(temporary);
    throw std::runtime_error("cannot write " + out.string() + ": " + ec.message());
  }
}

}  // namespace qv::exporter
