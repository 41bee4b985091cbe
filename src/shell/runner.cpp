// Program entry and headless runner.
#include "shell/runner.hpp"
#include "shell/transcript.hpp"
#include "host/png.hpp"
#include "host/settings.hpp"
#include "host/widgets.hpp"

#include <algorithm>
#include <memory>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <utility>

#include "host/error.hpp"
#include "host/headless/headless_display.hpp"
#include "host/host.hpp"
#include "shell/game_hooks.hpp"
#include "shell/routines.hpp"
#include "host/date_time.hpp"
#include "shell/save_data.hpp"
#include "shell/startup.hpp"

namespace zav3::shell {

namespace {

std::string trim(std::string s) {
  const auto b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  const auto e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

std::string bare(const Bytes& numberText) {
  return !numberText.empty() && numberText[0] == ' ' ? numberText.substr(1) : numberText;
}

template <class T>
std::string numberOf(T v) {
  return bare(host::numberText(v));
}

std::string quoted(const Bytes& sjis) { return "\"" + host::sjisToUtf8(sjis) + "\""; }

using StateList = std::vector<std::pair<std::string, std::string>>;

template <class T, class F>
void addArray(StateList& out, const char* name, const Array<T>& a, F text) {
  for (long i = a.first(); i <= a.last(); ++i) {
    const T& v = a.values()[static_cast<size_t>(i - a.first())];
    if (v != T{}) out.emplace_back(std::string(name) + "(" + std::to_string(i) + ")", text(v));
  }
}

StateList stateList(const Main& m) {
  StateList s;
  s.emplace_back("programCounter", numberOf(m.programCounter));
  s.emplace_back("returnDepth", numberOf(m.returnDepth));
  s.emplace_back("textFrom", numberOf(m.textFrom));
  s.emplace_back("textTo", numberOf(m.textTo));
  s.emplace_back("currentPicture", numberOf(m.currentPicture));
  s.emplace_back("currentSong", numberOf(m.currentSong));
  s.emplace_back("faceSpeaker", quoted(m.faceSpeaker));
  s.emplace_back("faceExpression", quoted(m.faceExpression));
  s.emplace_back("faceCostume", quoted(m.faceCostume));
  s.emplace_back("windowTitle", quoted(m.windowTitle));
  s.emplace_back("sceneTitle", quoted(m.sceneTitle));
  s.emplace_back("textDelay", numberOf(m.textDelay));
  s.emplace_back("musicOption", numberOf(m.musicOption));
  s.emplace_back("typingSoundOption", numberOf(m.typingSoundOption));
  s.emplace_back("autoAdvance", numberOf(m.autoAdvance));
  auto single = [](Single v) { return numberOf(v); };
  auto integer = [](Integer v) { return numberOf(v); };
  auto dbl = [](Double v) { return numberOf(v); };
  auto lng = [](Long v) { return numberOf(v); };
  addArray(s, "returnStack", m.returnStack, lng);
  addArray(s, "gameVar", m.gameVar, single);
  addArray(s, "gameFlag", m.gameFlag, integer);
  addArray(s, "shipState", m.shipState, dbl);
  addArray(s, "replyText", m.replyText, quoted);
  addArray(s, "choiceMask", m.choiceMask, integer);
  addArray(s, "personTableA", m.personTableA, integer);
  addArray(s, "personTableB", m.personTableB, integer);
  addArray(s, "personTableC", m.personTableC, integer);
  return s;
}

const char* usage =
    "usage: zav3 [GAME_DIR] [options]\n"
    "  GAME_DIR            the game folder (DATA\\, MAINCG\\, ...); default: the bundled demo\n"
    "  --work DIR          the working folder for saves and records (no first-start question)\n"
    "  --new-game          skip the title menu and start a new game\n"
    "  --load N            skip the title menu and load save slot N (1..9)\n"
    "  --fullscreen        start in full screen (Alt+Enter or F11 toggles)\n"
    "  --accelerated       scale the window with the graphics driver (OpenGL) instead of\n"
    "                      in software; helps only for large full screens on a real GPU\n"
    "  --drive L=DIR       let drive L: of the game's paths be the folder DIR (C: is /)\n"
    "  --headless          no window and no sound device; time is virtual\n"
    "  --input FILE        headless input script: click X Y, answer N, close ... (docs/testing.md)\n"
    "  --trace FILE        one line per script record run: its number and op field\n"
    "  --events FILE       one line for everything the game shows or waits for\n"
    "  --trace-media       add a line to the events for every multimedia command\n"
    "  --dump-state FILE   at the end, the game state in the save slot layout\n"
    "  --transcript FILE   what the player reads (speakers, lines, lists, choices) in UTF-8\n"
    "  --snapshot FILE     at the end, the main picture as PNG\n"
    "  --max-records N     stop after N script records\n"
    "  --random-state N    the random generator's state (0..4294967295) when the game starts;\n"
    "                      the events end with the state the run left (\"random state N\")\n"
    "  --script-only       run the script alone: no start-up, title menu, pictures or waits\n"
    "  --routines          list the numbers of the special routines this engine has\n"
    "  --version, --help\n";

}  // namespace

std::vector<Directive> readDirectives(const std::string& path) {
  std::vector<Directive> out;
  std::ifstream in(path, std::ios::binary);
  const bool source = path.size() >= 3 && path.compare(path.size() - 3, 3, ".zs") == 0;
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    std::string body;
    if (text.rfind("#>", 0) == 0) {
      body = trim(text.substr(2));
    } else if (!source && !text.empty() && text[0] != '#') {
      body = trim(text);
    } else {
      continue;
    }
    if (body.empty()) continue;
    const auto space = body.find(' ');
    out.push_back({number, body.substr(0, space),
                   space == std::string::npos ? "" : trim(body.substr(space + 1))});
  }
  return out;
}

namespace {

// Whether a line matches a pattern in which each "*" stands for any run of characters.
bool matches(const std::string& line, const std::string& pattern) {
  size_t l = 0, p = 0, star = std::string::npos, mark = 0;
  while (l < line.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = l;
    } else if (p < pattern.size() && pattern[p] == line[l]) {
      ++p;
      ++l;
    } else if (star != std::string::npos) {
      p = star + 1;
      l = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

std::string checkExpectation(const Main& m, int exitStatus, const std::string& expectation) {
  if (expectation.rfind("shown ", 0) == 0 || expectation.rfind("not-shown ", 0) == 0) {
    const bool wanted = expectation[0] == 's';
    const std::string line = trim(expectation.substr(expectation.find(' ') + 1));
    bool found = false;
    for (const auto& l : m.host.trace.lines()) found = found || matches(trim(l), line);
    if (found == wanted) return "";
    return wanted ? "nothing shown as \"" + line + "\"" : "shown: \"" + line + "\"";
  }
  if (expectation.rfind("count ", 0) == 0) {
    // "count N LINE": exactly N events lines are LINE.
    std::istringstream words(expectation.substr(6));
    long want = -1;
    words >> want;
    std::string line;
    std::getline(words, line);
    line = trim(line);
    if (want < 0 || line.empty()) return "cannot read expectation";
    long have = 0;
    for (const auto& l : m.host.trace.lines()) have += matches(trim(l), line) ? 1 : 0;
    if (have == want) return "";
    return std::to_string(have) + " events lines are \"" + line + "\"";
  }
  if (expectation.rfind("exit ", 0) == 0) {
    const int want = std::stoi(expectation.substr(5));
    return want == exitStatus ? "" : "exit status " + std::to_string(exitStatus);
  }
  const auto eq = expectation.find('=');
  if (eq == std::string::npos) return "cannot read expectation";
  const std::string key = trim(expectation.substr(0, eq));
  const std::string want = trim(expectation.substr(eq + 1));
  std::string have = want.size() && want[0] == '"' ? "\"\"" : "0";
  for (const auto& [k, v] : stateList(m)) {
    if (k == key) have = v;
  }
  if (want.size() && want[0] == '"') return have == want ? "" : key + " is " + have;
  const auto wantBytes = host::utf8ToSjis(want).value_or("");
  if (host::textToNumber(have) == host::textToNumber(wantBytes)) return "";
  return key + " is " + have;
}

namespace {

// The bundled demo game: the "demo" folder beside the program, or where an installation puts
// it (share/zav3/demo beside the program's bin folder).
std::filesystem::path bundledGame() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::path("demo");
  const auto beside = exe.parent_path() / "demo";
  const auto installed = exe.parent_path().parent_path() / "share" / "zav3" / "demo";
  if (!std::filesystem::exists(beside, ec) && std::filesystem::exists(installed, ec)) {
    return installed;
  }
  return beside;
}

// Result code of a message box (0 OK ... 6 No) as the word the scripted dialogs take.
std::string answerWord(const std::string& answer) {
  static const char* words[] = {"ok", "cancel", "abort", "retry", "ignore", "yes", "no"};
  if (answer.size() == 1 && answer[0] >= '0' && answer[0] <= '6') return words[answer[0] - '0'];
  return answer;
}

int fail(const std::string& message) {
  std::fprintf(stderr, "zav3: %s\n", message.c_str());
  return 2;
}

// A random generator state: a whole number 0..4294967295; -1 when the text is not one.
long long randomStateOf(const std::string& text) {
  if (text.empty() || text.size() > 10) return -1;
  long long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value <= 0xFFFFFFFFLL ? value : -1;
}

// The numbers of the routines registered in the dispatcher's table, and how many of the
// table's numbers they are.
void listRoutines() {
  scenario::RoutineTable table;
  registerAllRoutines(table);
  int have = 0;
  int numbers = 0;
  std::string line;
  for (int n = scenario::RoutineTable::first; n <= scenario::RoutineTable::last; ++n) {
    if (!scenario::RoutineTable::isRoutineNumber(n)) continue;
    ++numbers;
    if (!table.has(n)) continue;
    ++have;
    line += (line.empty() ? "" : " ") + std::to_string(n);
  }
  std::printf("%s\n%d of %d routines\n", line.c_str(), have, numbers);
}

}  // namespace

int runProgram(const std::vector<std::string>& args) {
  RunOptions options;
  bool gameGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    auto value = [&]() { return args[++i]; };
    auto needs = [&](const char* what) {
      return fail(a + " needs " + what + " (see --help)");
    };
    if (a == "--help" || a == "-h") {
      std::fputs(usage, stdout);
      return 0;
    } else if (a == "--routines") {
      listRoutines();
      return 0;
    } else if (a == "--version") {
      std::printf("zav3 %s\n", ZAV3_VERSION);
      return 0;
    } else if (a == "--headless") {
      options.headless = true;
    } else if (a == "--script-only") {
      options.scriptOnly = options.headless = true;
    } else if (a == "--fullscreen") {
      options.fullscreen = true;
    } else if (a == "--accelerated") {
      options.accelerated = true;
    } else if (a == "--trace-media") {
      options.traceMedia = true;
    } else if (a == "--new-game") {
      options.titleChoice = 0;
    } else if (a == "--load") {
      if (!hasValue) return needs("a slot number 1..9");
      const std::string n = value();
      if (n.size() != 1 || n[0] < '1' || n[0] > '9') return fail("--load needs a slot number 1..9");
      options.titleChoice = n[0] - '0';
    } else if (a == "--drive") {
      if (!hasValue) return needs("L=DIR");
      const std::string v = value();
      if (v.size() < 3 || v[1] != '=' || !std::isalpha(static_cast<unsigned char>(v[0]))) {
        return fail("--drive needs L=DIR");
      }
      options.drives.emplace_back(static_cast<char>(std::toupper(v[0])), v.substr(2));
    } else if (a == "--game" || a == "--work" || a == "--input" || a == "--trace" ||
               a == "--events" || a == "--dump-state" || a == "--max-records" ||
               a == "--random-state" || a == "--transcript" || a == "--snapshot") {
      if (!hasValue) return needs("a value");
      const std::string v = value();
      if (a == "--game") {
        options.gameFolder = v;
        gameGiven = true;
      } else if (a == "--work") {
        options.workFolder = v;
      } else if (a == "--input") {
        options.inputScript = v;
      } else if (a == "--trace") {
        options.traceFile = v;
      } else if (a == "--events") {
        options.eventsFile = v;
      } else if (a == "--dump-state") {
        options.dumpStateFile = v;
      } else if (a == "--transcript") {
        options.transcriptFile = v;
      } else if (a == "--snapshot") {
        options.snapshotFile = v;
      } else if (a == "--random-state") {
        options.randomState = randomStateOf(v);
        if (options.randomState < 0) return fail("--random-state needs a number 0..4294967295");
      } else {
        char* end = nullptr;
        options.maxRecords = std::strtol(v.c_str(), &end, 10);
        if (*end != '\0' || options.maxRecords < 0) return fail("--max-records needs a number");
      }
    } else if (!a.empty() && a[0] == '-') {
      return fail("unknown option " + a + " (see --help)");
    } else if (!gameGiven) {
      options.gameFolder = a;
      gameGiven = true;
    } else {
      return fail("one game folder only: " + a);
    }
  }
  if (!gameGiven) options.gameFolder = bundledGame().string();

  std::error_code ec;
  const auto folder = std::filesystem::absolute(options.gameFolder, ec);
  if (ec || !std::filesystem::is_directory(folder)) {
    return fail("game folder " + options.gameFolder + " not found");
  }
  std::vector<Directive> directives;
  if (!options.inputScript.empty()) {
    if (!std::filesystem::is_regular_file(options.inputScript)) {
      return fail("input script " + options.inputScript + " not found");
    }
    if (!options.headless) return fail("--input needs --headless");
    directives = readDirectives(options.inputScript);
  }

  std::unique_ptr<host::Host> host;
  if (!options.headless) {
    host::WindowOptions window;
    // The player's settings: the command line wins over them for this run.
    const std::filesystem::path settingsFile = host::settingsPath();
    std::string warnings;
    auto settings = std::make_shared<host::Settings>(host::readSettings(settingsFile, &warnings));
    if (!warnings.empty()) std::fprintf(stderr, "warning: %s", warnings.c_str());
    window.fullscreen = options.fullscreen || settings->fullscreen;
    window.scale = settings->scale;
    window.accelerated = options.accelerated;
    auto shown = std::make_shared<host::Host*>(nullptr);
    auto focused = std::make_shared<bool>(true);
    auto apply = [settings, shown, focused] {
      if (*shown == nullptr || !(*shown)->media) return;
      (*shown)->media->backend().setLevels(static_cast<float>(settings->musicVolume) / 100.0f,
                                           static_cast<float>(settings->effectsVolume) / 100.0f,
                                           settings->muteUnfocused && !*focused);
    };
    auto keep = [settings, settingsFile] {
      if (!host::writeSettings(settingsFile, *settings)) {
        std::fprintf(stderr, "warning: the settings cannot be written to %s\n",
                     settingsFile.c_str());
      }
    };
    window.onVolumeKey = [settings, apply, keep](int music, int effects) {
      settings->musicVolume = std::clamp(settings->musicVolume + 10 * music, 0, 100);
      settings->effectsVolume = std::clamp(settings->effectsVolume + 10 * effects, 0, 100);
      apply();
      keep();
    };
    window.onFocus = [focused, apply](bool on) {
      *focused = on;
      apply();
    };
    window.onFullscreen = [settings, keep](bool on) {
      settings->fullscreen = on;
      keep();
    };
    host = host::makeSdlHost(window);
    if (!host) std::fprintf(stderr, "zav3: no window can be opened; running headless\n");
    *shown = host.get();
    apply();
  }
  if (!host) {
    options.headless = true;
    host = host::makeHeadlessHost();
  }
  if (options.traceMedia && host->media) host->media->setTraceMedia(true);
  for (const auto& [letter, drive] : options.drives) {
    host->files.paths().mapDrive(letter, std::filesystem::absolute(drive));
  }

  std::vector<const Directive*> expectations;
  for (const auto& d : directives) {
    if (d.verb == "answer") {
      static_cast<host::ScriptedDialogs&>(*host->dialogs).queueAnswer(answerWord(d.rest));
    } else if (d.verb == "max-records") {
      options.maxRecords = std::stol(d.rest);
    } else if (d.verb == "random-state") {
      // The command line's state wins, so one scenario can be replayed from several states.
      if (options.randomState < 0) options.randomState = randomStateOf(d.rest);
      if (options.randomState < 0) {
        return fail(options.inputScript + ":" + std::to_string(d.line) +
                    ": random-state needs a number 0..4294967295");
      }
    } else if (d.verb == "trace-media") {
      if (host->media) host->media->setTraceMedia(true);
    } else if (d.verb == "expect") {
      expectations.push_back(&d);
    } else if (!static_cast<host::HeadlessDisplay&>(*host->display).queue(d.verb, d.rest)) {
      return fail(options.inputScript + ":" + std::to_string(d.line) + ": cannot read " + d.verb);
    }
  }

  // The events are kept in memory only for the expectations that read them; a long game would
  // otherwise hold every line it ever showed.
  host->trace.setKeep(!expectations.empty());

  // Output files.
  struct Closer {
    void operator()(std::FILE* f) const {
      if (f && f != stdout) std::fclose(f);
    }
  };
  auto openOut = [](const std::string& path) {
    return std::unique_ptr<std::FILE, Closer>(path == "-" ? stdout : std::fopen(path.c_str(), "wb"));
  };
  std::unique_ptr<std::FILE, Closer> traceOut;
  std::unique_ptr<std::FILE, Closer> eventsOut;
  if (!options.traceFile.empty() && !(traceOut = openOut(options.traceFile))) {
    return fail("cannot write " + options.traceFile);
  }
  if (!options.eventsFile.empty()) {
    if (!(eventsOut = openOut(options.eventsFile))) return fail("cannot write " + options.eventsFile);
    // In a window the events can be followed as they come; a headless run writes them in bulk.
    if (!options.headless) std::setvbuf(eventsOut.get(), nullptr, _IOLBF, 0);
    host->trace.setStream(eventsOut.get());
  }

  Main game(*host);
  std::unique_ptr<std::FILE, Closer> transcriptOut;
  if (!options.transcriptFile.empty()) {
    if (!(transcriptOut = openOut(options.transcriptFile))) {
      return fail("cannot write " + options.transcriptFile);
    }
    host->trace.setListener(transcriptWriter(game, transcriptOut.get()));
  }
  try {
    host->files.paths().setCurrentFolder(folder);
    if (!options.workFolder.empty()) {
      const auto work = std::filesystem::absolute(options.workFolder);
      std::filesystem::create_directories(work, ec);
      if (ec) return fail("cannot make the working folder " + options.workFolder);
      game.workFolderChoice = host->files.paths().toGame(work);
    }
  } catch (const host::RuntimeError& e) {
    return fail("cannot use " + folder.string() + " as the game folder: " + e.what());
  }
  game.titleChoice = options.titleChoice;
  if (traceOut) {
    std::FILE* out = traceOut.get();
    game.onRecord = [out](Main& m) {
      const Bytes& op = m.record.op;
      const auto last = op.find_last_not_of(' ');
      const Bytes shown = last == Bytes::npos ? Bytes() : op.substr(0, last + 1);
      std::fprintf(out, "%ld %s\n", static_cast<long>(m.programCounter),
                   host::sjisToUtf8(shown).c_str());
    };
  }
  if (!options.scriptOnly) game.setHooks(std::make_unique<GameHooks>());
  if (options.randomState >= 0) host->random.setState(static_cast<std::uint32_t>(options.randomState));
  const int status = runGame(game, options.maxRecords, options.scriptOnly);
  // With the dumped state, this is what a run continuing from here needs to replay exactly.
  host->trace.line("random state " + std::to_string(host->random.state()));

  if (!options.dumpStateFile.empty()) {
    try {
      const auto path = options.dumpStateFile == "-" ? std::filesystem::path("/dev/stdout")
                                                     : std::filesystem::absolute(options.dumpStateFile);
      const Bytes title = host::dateText(host->now()) + " " + host::timeText(host->now());
      writeSaveLayout(game, host->files.paths().toGame(path), title);
    } catch (const host::RuntimeError& e) {
      std::fprintf(stderr, "zav3: cannot write %s: %s\n", options.dumpStateFile.c_str(), e.what());
    }
  }
  traceOut.reset();
  if (eventsOut) host->trace.setStream(nullptr);
  host->trace.setListener(nullptr);
  transcriptOut.reset();
  if (!options.snapshotFile.empty()) {
    host::Surface shot;
    host::TextRenderer text;
    host::composeForm(host->forms, host->forms.control(host->forms.mainForm()), shot, &text);
    if (!host::writePng(shot, std::filesystem::absolute(options.snapshotFile))) {
      std::fprintf(stderr, "zav3: cannot write %s\n", options.snapshotFile.c_str());
    }
  }

  // Pixel checks were made during the run; they count with the expectations.
  std::vector<std::string> pixelFailures;
  int pixelChecks = 0;
  if (options.headless) {
    const auto& display = static_cast<const host::HeadlessDisplay&>(*host->display);
    pixelChecks = display.pixelChecks();
    pixelFailures = display.pixelFailures();
  }
  if (!expectations.empty() || pixelChecks > 0) {
    int failed = static_cast<int>(pixelFailures.size());
    int passed = pixelChecks - failed;
    for (const std::string& problem : pixelFailures) {
      std::fprintf(stderr, "%s: %s\n", options.inputScript.c_str(), problem.c_str());
    }
    for (const Directive* d : expectations) {
      const std::string problem = checkExpectation(game, status, d->rest);
      if (problem.empty()) {
        ++passed;
      } else {
        ++failed;
        std::fprintf(stderr, "%s:%d: expect %s: %s\n", options.inputScript.c_str(), d->line,
                     d->rest.c_str(), problem.c_str());
      }
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
  }
  return status;
}

}  // namespace zav3::shell
