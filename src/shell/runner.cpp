// Program entry and headless runner.
#include "shell/runner.hpp"

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
  s.emplace_back("faceSpeaker", quoted(m.faceSpeaker));
  s.emplace_back("faceExpression", quoted(m.faceExpression));
  s.emplace_back("faceCostume", quoted(m.faceCostume));
  s.emplace_back("windowTitle", quoted(m.windowTitle));
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

bool writeText(const std::string& path, const std::string& text) {
  if (path == "-") {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return true;
  }
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

const char* usage =
    "usage: zav3 [--game DIR] [--fullscreen] [--drive L=DIR]\n"
    "       zav3 --headless [--game DIR] [--input FILE] [--trace FILE|-] [--dump-state FILE|-]\n"
    "            [--max-records N] [--script-only]\n"
    "  --game DIR        the game folder (DATA\\, MAINCG\\, ...); default: current folder\n"
    "  --fullscreen      start in full screen (Alt+Enter or F11 toggles)\n"
    "  --drive L=DIR     let drive L: of the game's paths be the folder DIR (C: is /)\n"
    "  --headless        no window and no sound; time is virtual\n"
    "  --input FILE      input script: clicks, answers and expectations (see docs/testing.md)\n"
    "  --trace FILE      write what the game shows and asks for, one line each\n"
    "  --dump-state FILE write the game state when the run ends\n"
    "  --max-records N   stop after N script records\n"
    "  --script-only     run the script alone: no start-up, title menu, pictures or waits\n";

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

std::string dumpState(const Main& m) {
  std::string out;
  for (const auto& [k, v] : stateList(m)) out += k + " = " + v + "\n";
  return out;
}

std::string checkExpectation(const Main& m, int exitStatus, const std::string& expectation) {
  if (expectation.rfind("trace ", 0) == 0 || expectation.rfind("no-trace ", 0) == 0) {
    const bool wanted = expectation[0] == 't';
    const std::string line = trim(expectation.substr(expectation.find(' ') + 1));
    bool found = false;
    for (const auto& l : m.host.trace.lines()) found = found || trim(l) == line;
    if (found == wanted) return "";
    return wanted ? "no trace line \"" + line + "\"" : "unexpected trace line \"" + line + "\"";
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

int runProgram(const std::vector<std::string>& args) {
  RunOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= args.size()) {
        std::fprintf(stderr, "zav3: %s needs a value\n%s", a.c_str(), usage);
        std::exit(2);
      }
      return args[++i];
    };
    if (a == "--headless") options.headless = true;
    else if (a == "--script-only") options.scriptOnly = options.headless = true;
    else if (a == "--fullscreen") options.fullscreen = true;
    else if (a == "--drive") {
      const std::string v = value();
      if (v.size() < 3 || v[1] != '=' || !std::isalpha(static_cast<unsigned char>(v[0]))) {
        std::fprintf(stderr, "zav3: --drive wants L=DIR\n");
        return 2;
      }
      options.drives.emplace_back(static_cast<char>(std::toupper(v[0])), v.substr(2));
    }
    else if (a == "--game") options.gameFolder = value();
    else if (a == "--input") options.inputScript = value();
    else if (a == "--trace") options.traceFile = value();
    else if (a == "--dump-state") options.dumpStateFile = value();
    else if (a == "--max-records") options.maxRecords = std::stol(value());
    else if (a == "--help" || a == "-h") {
      std::fputs(usage, stdout);
      return 0;
    } else {
      std::fprintf(stderr, "zav3: unknown option %s\n%s", a.c_str(), usage);
      return 2;
    }
  }

  std::vector<Directive> directives;
  if (!options.inputScript.empty()) {
    if (!std::filesystem::exists(options.inputScript)) {
      std::fprintf(stderr, "zav3: input script %s not found\n", options.inputScript.c_str());
      return 2;
    }
    directives = readDirectives(options.inputScript);
  }

  std::unique_ptr<host::Host> host;
  if (!options.headless) {
    host = host::makeSdlHost(host::WindowOptions{options.fullscreen});
    if (!host) std::fprintf(stderr, "zav3: no window can be opened; running headless\n");
  }
  if (!host) {
    options.headless = true;
    host = host::makeHeadlessHost();
  }
  for (const auto& [letter, folder] : options.drives) {
    host->files.paths().mapDrive(letter, std::filesystem::absolute(folder));
  }
  std::FILE* traceStream = nullptr;
  if (options.traceFile == "-") {
    host->trace.setStream(stdout);
  } else if (!options.traceFile.empty()) {
    traceStream = std::fopen(options.traceFile.c_str(), "wb");
    if (!traceStream) {
      std::fprintf(stderr, "zav3: cannot write %s\n", options.traceFile.c_str());
      return 2;
    }
    host->trace.setStream(traceStream);
  }
  std::vector<const Directive*> expectations;
  if (!directives.empty() && !options.headless) {
    std::fprintf(stderr, "zav3: an input script needs --headless\n");
    return 2;
  }
  for (const auto& d : directives) {
    if (d.verb == "answer") {
      static_cast<host::ScriptedDialogs&>(*host->dialogs).queueAnswer(d.rest);
    } else if (d.verb == "max-records") {
      options.maxRecords = std::stol(d.rest);
    } else if (d.verb == "expect") {
      expectations.push_back(&d);
    } else if (!static_cast<host::HeadlessDisplay&>(*host->display).queue(d.verb, d.rest)) {
      std::fprintf(stderr, "%s:%d: cannot read directive %s\n", options.inputScript.c_str(),
                   d.line, d.verb.c_str());
      return 2;
    }
  }

  std::error_code ec;
  const auto folder = std::filesystem::absolute(options.gameFolder, ec);
  if (ec || !std::filesystem::is_directory(folder)) {
    std::fprintf(stderr, "zav3: game folder %s not found\n", options.gameFolder.c_str());
    return 2;
  }
  int status = 0;
  Main game(*host);
  try {
    host->files.paths().setCurrentFolder(folder);
  } catch (const host::RuntimeError& e) {
    std::fprintf(stderr, "zav3: cannot use %s as the game folder: %s\n", folder.c_str(), e.what());
    return 2;
  }
  if (!options.scriptOnly) game.setHooks(std::make_unique<GameHooks>());
  status = runGame(game, options.maxRecords, options.scriptOnly);

  if (!options.dumpStateFile.empty()) writeText(options.dumpStateFile, dumpState(game));
  if (traceStream) std::fclose(traceStream);

  if (!expectations.empty()) {
    int passed = 0;
    int failed = 0;
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
