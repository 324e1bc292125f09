#include "tools/lib/render/page_pictures.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <thread>

#include "automation/text/ascii.h"
#include "platform/files.h"
#include "platform/process/spawn.h"
#include "word/doc_file.h"
#include "word/docx/docx_file.h"

namespace qv::tools {

namespace fs = std::filesystem;

namespace {

// A folder of our own under the system's temporary folder, removed when done.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "quorvanta-render-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw RenderError("cannot make a temporary folder");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

std::string Tail(const fs::path& file) {
  auto text = platform::ReadWholeFile(file);
  if (!text || text->empty()) return "";
  std::string t = text->size() > 400 ? text->substr(text->size() - 400) : *text;
  while (!t.empty() && (t.back() == '\n' || t.back() == '\r'))
    t.pop_back();
  return ": " + t;
}

// Runs a program (`args` without the program itself) to its end within `limit`; raises RenderError
// when it cannot start, runs too long (it is then stopped) or fails.
void Run(const fs::path& program, const std::vector<std::string>& args, const fs::path& logDir,
         std::chrono::seconds limit) {
  platform::SpawnOptions options;
  options.outFile = logDir / "out.log";
  options.errFile = logDir / "err.log";
  options.ownProcessGroup = true;
  pid_t pid;
  try {
    pid = platform::SpawnProgram(program.string(), args, options);
  } catch (const std::runtime_error& e) {
    throw RenderError(program.filename().string() + " cannot be started (" + e.what() + ")");
  }
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  for (;;) {
    const pid_t r = ::waitpid(pid, &status, WNOHANG);
    if (r == pid) break;
    if (r < 0) throw RenderError("lost track of " + program.filename().string());
    if (std::chrono::steady_clock::now() > deadline) {
      // The whole group: LibreOffice's starter leaves the office process running otherwise.
      ::kill(-pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      throw RenderError(program.filename().string() + " did not finish within " +
                        std::to_string(limit.count()) + " seconds");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw RenderError(program.filename().string() + " failed" + Tail(logDir / "err.log"));
}

void Copy(const fs::path& from, const fs::path& to) {
  auto bytes = platform::ReadWholeFile(from);
  if (!bytes || !platform::WriteFileAtomically(to, *bytes))
    throw RenderError("cannot write " + to.string());
}

}  // namespace

std::optional<fs::path> FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const fs::path candidate = fs::path(dirs.substr(start, end - start)) / name;
    if (end > start && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return std::nullopt;
}

std::optional<fs::path> FindLibreOffice() {
  if (const char* own = std::getenv("QUORVANTA_SOFFICE"); own && *own) {
    if (::access(own, X_OK) == 0) return fs::path(own);
    return std::nullopt;
  }
  if (auto p = FindProgram("soffice")) return p;
  return FindProgram("libreoffice");
}

fs::path ConvertWithLibreOffice(const fs::path& input, const std::string& format,
                                const fs::path& outDir, std::chrono::seconds limit) {
  const auto office = FindLibreOffice();
  if (!office)
    throw RenderError(
        "LibreOffice is not installed (Debian package libreoffice-writer-nogui); it lays out the "
        "pages");
  TempDir profile;
  Run(*office,
      {"-env:UserInstallation=file://" + (profile.Path() / "lo").string(), "--headless",
       "--norestore", "--nolockcheck", "--convert-to", format, "--outdir", outDir.string(),
       fs::absolute(input).string()},
      profile.Path(), limit);
  const std::string ext = format.substr(0, format.find(':'));
  const fs::path out = outDir / (input.stem().string() + "." + ext);
  if (!fs::exists(out))
    throw RenderError("LibreOffice wrote no " + ext + " file" + Tail(profile.Path() / "err.log") +
                      Tail(profile.Path() / "out.log"));
  return out;
}

std::vector<fs::path> RenderPages(word::Document& doc, const fs::path& output) {
  std::string ext = text::AsciiLowered(output.extension().string());
  if (ext != ".png" && ext != ".pdf")
    throw RenderError("the pictures are written as .png or .pdf, not \"" + ext + "\"");
  TempDir work;
  const fs::path docx = work.Path() / "document.docx";
  if (!platform::WriteFileAtomically(docx, word::RecordToDocx(word::DocumentToJson(doc))))
    throw RenderError("cannot write " + docx.string());
  const fs::path pdf = ConvertWithLibreOffice(docx, "pdf", work.Path());
  if (ext == ".pdf") {
    Copy(pdf, output);
    return {output};
  }
  const auto pdftoppm = FindProgram("pdftoppm");
  if (!pdftoppm)
    throw RenderError(
        "pdftoppm is not installed (Debian package poppler-utils); it draws the pages");
  const fs::path pages = work.Path() / "pages";
  fs::create_directories(pages);
  Run(*pdftoppm, {"-png", "-r", "96", pdf.string(), (pages / "page").string()}, work.Path(),
      std::chrono::seconds(120));
  // pdftoppm numbers its files page-1.png or page-01.png, as the page count needs.
  std::map<int, fs::path> numbered;
  for (const auto& entry : fs::directory_iterator(pages)) {
    const std::string name = entry.path().stem().string();
    const auto dash = name.rfind('-');
    if (dash == std::string::npos) continue;
    numbered[std::atoi(name.c_str() + dash + 1)] = entry.path();
  }
  if (numbered.empty()) throw RenderError("pdftoppm drew no page");
  std::vector<fs::path> written;
  for (const auto& [n, file] : numbered) {
    const fs::path to =
        n == numbered.begin()->first
            ? output
            : output.parent_path() / (output.stem().string() + "-" + std::to_string(n) + ".png");
    Copy(file, to);
    written.push_back(to);
  }
  return written;
}

}  // namespace qv::tools
