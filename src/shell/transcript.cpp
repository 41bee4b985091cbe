// The transcript of a play, made from the events lines as they come.
#include "shell/transcript.hpp"

#include <cstdlib>
#include <map>
#include <memory>

#include "host/sjis.hpp"

namespace zav3::shell {

namespace {

struct Transcript {
  Transcript(Main& main, std::FILE* file) : m(main), out(file) {}
  Main& m;
  std::FILE* out;
  int speaker = -1;  // of the message being shown; -1 before its first line, -2 in a show
  std::map<int, std::string> options;  // of the choice on screen, by number

  // The speaker's name as the game knows it; the narrator (0) has none.
  std::string nameOf(int s) const {
    if (s <= 0 || s > Main::personLast) return "";
    return host::sjisToUtf8(m.personName(s));
  }

  void take(const std::string& line) {
    if (line.rfind("text ", 0) == 0) {
      speaker = -1;
    } else if (line.size() > 2 && line[0] == ' ' && line[1] == ' ') {
      messageLine(line);
    } else if (line.rfind("list ", 0) == 0) {
      std::string items = line.substr(5);
      std::size_t from = 0;
      for (;;) {
        const std::size_t bar = items.find(" | ", from);
        std::fprintf(out, "  ・%s\n", items.substr(from, bar - from).c_str());
        if (bar == std::string::npos) break;
        from = bar + 3;
      }
    } else if (line.rfind("options ", 0) == 0) {
      options.clear();
      std::string rest = line.substr(8);
      std::size_t from = 0;
      while (from <= rest.size()) {
        const std::size_t bar = rest.find('|', from);
        const std::string item = rest.substr(from, bar == std::string::npos ? bar : bar - from);
        const std::size_t colon = item.find(':');
        if (colon != std::string::npos) {
          options[std::atoi(item.substr(0, colon).c_str())] = item.substr(colon + 1);
        }
        if (bar == std::string::npos) break;
        from = bar + 1;
      }
    } else if (line.rfind("chosen ", 0) == 0) {
      const auto it = options.find(std::atoi(line.c_str() + 7));
      if (it != options.end()) std::fprintf(out, "  ▶ %s\n", it->second.c_str());
      speaker = -1;
    } else if (line.rfind("opening line ", 0) == 0 || line.rfind("ending line ", 0) == 0) {
      // The narration and the credits of the picture shows, centred as on the screen.
      if (speaker != -2) std::fputc('\n', out);
      speaker = -2;
      std::fprintf(out, "　　%s\n", line.substr(line.find(" line ") + 6).c_str());
    } else if (line.rfind("box ", 0) == 0) {
      std::fprintf(out, "［%s］\n", line.substr(4).c_str());
    }
  }

  // "  12 [010100] TEXT": the first line of a message names its speaker.
  void messageLine(const std::string& line) {
    const std::size_t open = line.find('[');
    const std::size_t close = line.find("] ", open == std::string::npos ? 0 : open);
    if (open == std::string::npos || close == std::string::npos || close - open != 7) return;
    const int s = std::atoi(line.substr(open + 1, 2).c_str());
    const std::string text = line.substr(close + 2);
    if (speaker != s) {
      speaker = s;
      const std::string name = nameOf(s);
      if (name.empty()) {
        std::fprintf(out, "\n%s\n", text.c_str());
      } else {
        std::fprintf(out, "\n【%s】\n%s\n", name.c_str(), text.c_str());
      }
      return;
    }
    std::fprintf(out, "%s\n", text.c_str());
  }
};

}  // namespace

std::function<void(const std::string&)> transcriptWriter(Main& m, std::FILE* out) {
  auto t = std::make_shared<Transcript>(m, out);
  return [t](const std::string& line) { t->take(line); };
}

}  // namespace zav3::shell
