// The program entry: command-line options, the headless run with its input script, state dumps
// and the expectations that scenario tests check.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "shell/game_state.hpp"

namespace zav3::shell {

struct RunOptions {
  std::string gameFolder;          // program folder holding DATA\ and the rest
  std::string workFolder;          // answers the first-start question
  std::string eventsFile;          // what the game shows and waits for, "-" for stdout
  Integer titleChoice = -1;        // -1 title menu, 0 new game, 1..9 load that slot
  std::string inputScript;          // file whose "#>" lines (or plain lines) drive the run
  std::string traceFile;            // one line per script record run, "-" for stdout
  std::string dumpStateFile;        // "-" for stdout
  std::string transcriptFile;       // what the player reads, in UTF-8, "-" for stdout
  std::string snapshotFile;         // the main picture as PNG when the game ends
  long maxRecords = 0;
  long long randomState = -1;      // the random generator's state at the start, -1 as it is
  bool headless = false;     // no window: virtual time, scripted input
  bool scriptOnly = false;   // interpreter only: no start-up, title menu or pictures
  bool fullscreen = false;
  bool accelerated = false;  // the window scales through the graphics driver
  bool traceMedia = false;   // one events line per multimedia command
  std::vector<std::pair<char, std::string>> drives;  // extra drive letters and their folders
};

// One directive of an input script.
struct Directive {
  int line = 0;
  std::string verb;  // an input verb (click, ...), answer, expect, max-records
  std::string rest;
};

// Reads directives: lines starting with "#>" in any file, and every non-empty line not starting
// with "#" in a file whose name does not end in ".zs".
std::vector<Directive> readDirectives(const std::string& path);

// Checks one expectation ("gameVar(5) = 3", "trace routine 11", "exit 1") against the finished
// run; returns an empty string when it holds, else a description of the failure.
std::string checkExpectation(const Main& m, int exitStatus, const std::string& expectation);

int runProgram(const std::vector<std::string>& args);

}  // namespace zav3::shell
