// The add-in as the author meets it: the add-in library installed and connected to a word
// processor started as the user starts it, reached through its automation classes (the same calls
// `quorvanta run` scripts make), with the local course host answering. Documents of 100, 1,000 and
// 5,000 complete multiple-choice questions are built once through the add-in and saved; every
// case opens its document untimed and times only its own operation.
//
// Figures: "median_ms" is the median of the timed iterations; Google Benchmark's own time column is
// their mean. scripts/bench.sh runs this program and prints the summary table.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "automation/dispatch.h"
#include "bench/profiler_switch.h"
#include "office/com_addins.h"
#include "office/command_bar.h"
#include "office/command_bar_control.h"
#include "office/command_bar_controls.h"
#include "office/command_bars.h"
#include "online/course_host_name.h"
#include "online/modWinInet.h"
#include "platform/com/activation.h"
#include "platform/net/host_overrides.h"
#include "platform/profile.h"
#include "platform/testing/temp_profile.h"
#include "tools/lib/coursehost/course_host.h"
#include "tools/lib/setup/installation.h"
#include "tools/lib/setup/run_installer.h"
#include "ui/form.h"
#include "ui/scripted_driver.h"
#include "ui/toolkit.h"
#include "word/application.h"
#include "word/document.h"
#include "word/documents.h"
#include "word/inline_shape.h"
#include "word/loader/addin_host.h"
#include "word/range.h"
#include "word/running_application.h"
#include "word/selection.h"
#include "word/table.h"

extern char** environ;

namespace {

using namespace qv;
using automation::Call;
using automation::ObjectRef;
using automation::Variant;
using Clock = std::chrono::steady_clock;

const std::vector<std::string> kClasses = {"MultipleChoice",
                                           "MultipleCorrect",
                                           "MultipleChoiceFillInTheBlank",
                                           "MultipleCorrectFillInTheBlank",
                                           "FillInTheBlank",
                                           "ImageTag",
                                           "ImageHotSpot",
                                           "TrueFalse",
                                           "ShortAnswer"};
const std::vector<int> kSizes = {100, 1000, 5000};

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

// Times of the iterations of one case; the median goes into the "median_ms" counter, the first
// into "first_ms" (a question built where the one before was not pays for moving the document's
// edit gap there: the median is the cost of each further question at that place).
class Timings {
 public:
  explicit Timings(benchmark::State& state) : state_(state) {}
  ~Timings() {
    if (times_.empty()) return;
    state_.counters["first_ms"] = times_.front() * 1e3;
    std::sort(times_.begin(), times_.end());
    state_.counters["median_ms"] = times_[times_.size() / 2] * 1e3;
  }
  void Add(double seconds) {
    times_.push_back(seconds);
    state_.SetIterationTime(seconds);
  }

 private:
  benchmark::State& state_;
  std::vector<double> times_;
};

// The peak resident size of this process image (VmHWM; getrusage's maximum would carry over the
// size of the parent that started this program).
long PeakRssKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

// One word processor with the add-in, in a profile of its own, for the whole run.
class Environment {
 public:
  Environment()
      : toolkit_(ui::App("Quorvanta Word", "", "quorvanta"), driver_),
        host_(tools::CourseHostOptions{}) {
    tools::Install(tools::DefaultBasePath());
    host_.Start();
    mapped_ = platform::MapHost(online::kDefaultCourseHost, "127.0.0.1", host_.Port());
    // The attribute form answers OK, as an author who accepts it; message boxes their default.
    driver_->OnForm("dlgMark", [](ui::Form& form) {
      Call(automation::Get(form.shared_from_this(), "Controls", {Variant("OKButton")}).ToObject(),
           "Click");
    });
    app_ = word::StartWordProcessor(word::kStartedByUser);
  }
  ~Environment() {
    if (app_) app_->Quit(word::wdDoNotSaveChanges);
    if (mapped_) (void)platform::UnmapHost(online::kDefaultCourseHost);
    host_.Stop();
  }

  static Environment& Get() {
    if (!Instance()) Instance() = std::make_unique<Environment>();
    return *Instance();
  }
  // Quits the word processor and stops the course host before the program's statics go.
  static void End() { Instance().reset(); }

  const std::shared_ptr<word::Application>& App() const { return app_; }
  ObjectRef Question(const std::string& className) {
    auto& q = questions_[className];
    if (!q) q = platform::CreateRegisteredObject("KZOWord." + className);
    return q;
  }
  ObjectRef Work() { return Question("Work"); }
  bench::ProfilerSwitch& Profiler() { return profiler_; }

  std::filesystem::path Dir() const { return platform::ProfileDir(); }

  // The saved document of `n` complete multiple-choice questions, built through the add-in from
  // the next smaller one.
  std::filesystem::path DocumentOf(int n) {
    // The stored documents of every size are made before the first case that opens one, so that
    // no case runs straight after the building of its own document, on the heap and caches the
    // building left.
    if (files_.empty())
      for (int size : kSizes)
        Build(size);
    auto it = files_.find(n);
    return it != files_.end() ? it->second : Build(n);
  }

  std::filesystem::path Build(int n) {
    int from = 0;
    for (const auto& [size, file] : files_)
      if (size < n) from = size;
    auto doc = from == 0 ? app_->Documents()->Add() : Open(files_[from]);
    for (int i = from; i < n; ++i) {
      PlaceAtEnd(*doc);
      Create("MultipleChoice");
      MarkFirstAnswerCorrect(*doc);
    }
    const auto file = Dir() / ("questions-" + std::to_string(n) + ".doc");
    doc->SaveAs(file.string());
    doc->Close(0);
    return files_[n] = file;
  }

  std::shared_ptr<word::Document> Open(const std::filesystem::path& file) {
    return app_->Documents()->Open(file.string());
  }

  void Create(const std::string& className) {
    Call(Question(className), "CreateQuestion", {Variant(ObjectRef(app_))});
  }

  static void PlaceAt(word::Document& doc, int64_t at) { doc.Selection()->SelectText(at, at); }
  static void PlaceAtEnd(word::Document& doc) { PlaceAt(doc, doc.Content()->End() - 1); }

  // The question table holding the insertion point (which the add-in leaves in its prompt).
  static std::shared_ptr<word::Table> QuestionAtSelection(word::Document& doc) {
    auto table = doc.Selection()->Tables()->Item(1);
    while (auto up = table->EnclosingTable())
      table = up;
    return table;
  }

  static void MarkFirstAnswerCorrect(word::Document& doc) {
    auto picture = QuestionAtSelection(doc)->Range()->InlineShapes()->Item(2);
    picture->SetAlternativeText(picture->AlternativeText() + "&checked=on");
  }

 private:
  static std::unique_ptr<Environment>& Instance() {
    static std::unique_ptr<Environment> instance;
    return instance;
  }

  qv::testing::TempProfile profile_;
  std::shared_ptr<ui::ScriptedDriver> driver_ = std::make_shared<ui::ScriptedDriver>();
  ui::Toolkit toolkit_;
  tools::CourseHost host_;
  bool mapped_ = false;
  std::shared_ptr<word::Application> app_;
  std::map<std::string, ObjectRef> questions_;
  std::map<int, std::filesystem::path> files_;
  bench::ProfilerSwitch profiler_;
};

// ---- creating questions ----

void CreateInEmptyDocument(benchmark::State& state, const std::string& className) {
  auto& env = Environment::Get();
  Timings timings(state);
  for (auto _ : state) {
    auto doc = env.App()->Documents()->Add();
    {
      bench::Profiled profiled(env.Profiler());
      const auto start = Clock::now();
      env.Create(className);
      timings.Add(Seconds(start));
    }
    doc->Close(0);
  }
}

// A question at the end of a document of `n` questions, or right after its first question.
void CreateInDocument(benchmark::State& state, const std::string& className, bool nearStart) {
  auto& env = Environment::Get();
  const int n = static_cast<int>(state.range(0));
  auto doc = env.Open(env.DocumentOf(n));
  const int64_t afterFirst = doc->Tables()->Item(1)->Range()->End();
  Timings timings(state);
  for (auto _ : state) {
    if (nearStart)
      Environment::PlaceAt(*doc, afterFirst);
    else
      Environment::PlaceAtEnd(*doc);
    bench::Profiled profiled(env.Profiler());
    const auto start = Clock::now();
    env.Create(className);
    timings.Add(Seconds(start));
  }
  doc->Close(0);
}

// ---- whole-document operations ----

template <class Operation>
void OnDocument(benchmark::State& state, Operation operation) {
  auto& env = Environment::Get();
  const int n = static_cast<int>(state.range(0));
  auto doc = env.Open(env.DocumentOf(n));
  Timings timings(state);
  for (auto _ : state) {
    bench::Profiled profiled(env.Profiler());
    const auto start = Clock::now();
    operation(env, doc);
    timings.Add(Seconds(start));
  }
  doc->Close(0);
}

void ValidateDoc(benchmark::State& state) {
  OnDocument(state, [&](Environment& env, const std::shared_ptr<word::Document>& doc) {
    if (!Call(env.Work(), "ValidateDoc", {Variant(ObjectRef(doc))}).ToBool())
      state.SkipWithError("the document did not validate");
  });
}

// ProcessKZOInfo ends with the save of the document. "own_ms" is its own work: the median of each
// iteration's time less that of a save of the same document right after it (untimed).
void ProcessKZOInfo(benchmark::State& state) {
  auto& env = Environment::Get();
  auto doc = env.Open(env.DocumentOf(static_cast<int>(state.range(0))));
  std::vector<double> own;
  {
    Timings timings(state);
    for (auto _ : state) {
      double whole = 0;
      {
        bench::Profiled profiled(env.Profiler());
        const auto start = Clock::now();
        if (!Call(env.Work(), "ProcessKZOInfo", {Variant(ObjectRef(doc))}).ToBool())
          state.SkipWithError("not a course document");
        whole = Seconds(start);
      }
      timings.Add(whole);
      state.PauseTiming();
      const auto save = Clock::now();
      doc->Save();
      own.push_back(std::max(0.0, whole - Seconds(save)));
      state.ResumeTiming();
    }
  }
  doc->Close(0);
  std::sort(own.begin(), own.end());
  if (!own.empty()) state.counters["own_ms"] = own[own.size() / 2] * 1e3;
}

// The toolbar's "Add to Course": validation, page data, save, the course portal window.
void AddToCourse(benchmark::State& state) {
  OnDocument(state, [&](Environment& env, const std::shared_ptr<word::Document>& doc) {
    auto control = env.App()->CommandBars()->Item("Quorvanta")->Controls()->Item("Add to Course");
    doc->SetSaved(false);
    control->Execute();
    if (!doc->Saved()) state.SkipWithError("the document was not saved");
  });
}

// The attribute form of the first question, answered OK.
void MarkQuestion(benchmark::State& state) {
  OnDocument(state, [&](Environment& env, const std::shared_ptr<word::Document>& doc) {
    const int64_t prompt = doc->Tables()->Item(1)->Cell(3, 1)->Start();
    Environment::PlaceAt(*doc, prompt);
    Call(env.Question("MultipleChoice"), "MarkQuestion", {Variant(ObjectRef(doc))});
  });
}

void Save(benchmark::State& state) {
  auto& env = Environment::Get();
  const int n = static_cast<int>(state.range(0));
  auto doc = env.Open(env.DocumentOf(n));
  const auto file = env.Dir() / ("saved-" + std::to_string(n) + ".doc");
  Timings timings(state);
  for (auto _ : state) {
    bench::Profiled profiled(env.Profiler());
    const auto start = Clock::now();
    doc->SaveAs(file.string());
    timings.Add(Seconds(start));
  }
  doc->Close(0);
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
}

// Opening a saved document; the peak memory is that of a fresh process that starts the word
// processor with the add-in, opens the document and saves it again (see main).
void Reopen(benchmark::State& state) {
  auto& env = Environment::Get();
  const int n = static_cast<int>(state.range(0));
  const auto file = env.DocumentOf(n);
  Timings timings(state);
  for (auto _ : state) {
    std::shared_ptr<word::Document> doc;
    {
      bench::Profiled profiled(env.Profiler());
      const auto start = Clock::now();
      doc = env.Open(file);
      timings.Add(Seconds(start));
    }
    state.PauseTiming();
    doc->Close(0);
    state.ResumeTiming();
  }
  const auto report = env.Dir() / "rss.txt";
  const std::string self = "/proc/self/exe";
  std::vector<std::string> argv = {self, "--open-and-save", file.string(), report.string()};
  std::vector<char*> cargv;
  for (auto& a : argv)
    cargv.push_back(a.data());
  cargv.push_back(nullptr);
  pid_t pid = 0;
  if (::posix_spawn(&pid, self.c_str(), nullptr, nullptr, cargv.data(), environ) == 0) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    long kib = 0;
    std::ifstream(report) >> kib;
    state.counters["peak_rss_MiB"] = static_cast<double>(kib) / 1024;
  }
}

// ---- the word processor and the network ----

// Must run before the shared environment exists: it starts (and quits) word processors of its own.
void StartWord(benchmark::State& state) {
  qv::testing::TempProfile profile;
  auto driver = std::make_shared<ui::ScriptedDriver>();
  ui::Toolkit toolkit(ui::App("Quorvanta Word", "", "quorvanta"), driver);
  tools::Install(tools::DefaultBasePath());
  Timings timings(state);
  for (auto _ : state) {
    const auto start = Clock::now();
    auto app = word::StartWordProcessor(word::kStartedByUser);
    timings.Add(Seconds(start));
    state.PauseTiming();
    if (app->COMAddIns()->Count() < 1) state.SkipWithError("no add-in connected");
    app->Quit(word::wdDoNotSaveChanges);
    state.ResumeTiming();
  }
}

void HttpPost(benchmark::State& state) {
  Environment::Get();
  online::PostOptions options(online::kWordAddInSender);
  Timings timings(state);
  for (auto _ : state) {
    const auto start = Clock::now();
    const std::string answer =
        online::HttpPost("getVer=true&ver=27&strHost=" + std::string(online::kDefaultCourseHost),
                         "/engine/help/info.asp", options);
    timings.Add(Seconds(start));
    if (answer.empty()) state.SkipWithError("no answer from the course host");
  }
}

void RegisterAll() {
  using benchmark::RegisterBenchmark;
  auto timed = [](benchmark::internal::Benchmark* b, int iterations) {
    b->UseManualTime()->Iterations(iterations)->Unit(benchmark::kMillisecond);
    return b;
  };
  timed(RegisterBenchmark("StartWord", StartWord), 20);
  for (const auto& cls : kClasses) {
    timed(RegisterBenchmark(("Create/" + cls + "/empty").c_str(),
                            [cls](benchmark::State& s) { CreateInEmptyDocument(s, cls); }),
          30);
    for (bool nearStart : {false, true}) {
      auto* b = RegisterBenchmark(
          ("Create/" + cls + (nearStart ? "/start" : "/end")).c_str(),
          [cls, nearStart](benchmark::State& s) { CreateInDocument(s, cls, nearStart); });
      for (int n : kSizes)
        b->Arg(n);
      // Fifty questions one after another: a disturbance of the shared machine that lasts a
      // millisecond or two then moves a few of them, not the median of the case.
      timed(b, 50);
    }
  }
  for (auto [name, fn] : std::vector<std::pair<const char*, void (*)(benchmark::State&)>>{
           {"ValidateDoc", ValidateDoc},
           {"ProcessKZOInfo", ProcessKZOInfo},
           {"AddToCourse", AddToCourse},
           {"MarkQuestion", MarkQuestion},
           {"Save", Save},
           {"Reopen", Reopen}}) {
    // Before the page classification looked only at its own page, one pass over 5,000 questions
    // took many seconds: one iteration there.
    for (int n : kSizes)
      timed(RegisterBenchmark(name, fn)->Arg(n), n >= 5000 ? 1 : 3);
  }
  timed(RegisterBenchmark("HttpPost", HttpPost), 50);
}

// The child of Reopen: a word processor with the add-in opens the document and saves it under
// another name; writes the peak resident size in KiB.
int OpenAndSave(const char* file, const char* report) {
  auto driver = std::make_shared<ui::ScriptedDriver>();
  ui::Toolkit toolkit(ui::App("Quorvanta Word", "", "quorvanta"), driver);
  auto app = word::StartWordProcessor(word::kStartedByUser);
  auto doc = app->Documents()->Open(file);
  doc->SaveAs(std::string(file) + ".copy");
  doc->Close(0);
  app->Quit(word::wdDoNotSaveChanges);
  std::ofstream(report) << PeakRssKiB() << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--open-and-save") == 0)
    return OpenAndSave(argv[2], argv[3]);
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  Environment::End();
  benchmark::Shutdown();
  return 0;
}
