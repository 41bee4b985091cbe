// zav3: the game and its headless runner.
#include <string>
#include <vector>

#include "shell/runner.hpp"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return zav3::shell::runProgram(args);
}
