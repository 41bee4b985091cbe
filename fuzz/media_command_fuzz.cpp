// libFuzzer target: arbitrary bytes as command strings of the multimedia service on the headless
// devices, one a line, sent through the media device controls of a fresh game. The scratch folder
// holds A.WAV, B.MID and C.AVI; "@" in a line stands for its game path. Acceptable outcomes: an
// error number stored for the control; never a run-time error from a media device control.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.hpp"
#include "host/media/media.hpp"

namespace {

void putLe(std::string& s, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::string wave() {
  std::string s = "RIFF";
  putLe(s, 36 + 2000, 4);
  s += "WAVEfmt ";
  putLe(s, 16, 4);
  putLe(s, 1, 2);      // PCM
  putLe(s, 1, 2);      // mono
  putLe(s, 8000, 4);   // rate
  putLe(s, 8000, 4);   // bytes a second
  putLe(s, 1, 2);      // block
  putLe(s, 8, 2);      // bits
  s += "data";
  putLe(s, 2000, 4);
  for (int i = 0; i < 2000; ++i) s.push_back(static_cast<char>(128 + (i % 32) - 16));
  return s;
}

std::string song() {
  const std::string track("\x00\xFF\x51\x03\x07\xA1\x20\x00\x90\x3C\x64\x60\x80\x3C\x00\x00\xFF\x2F\x00",
                          19);
  std::string s("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60MTrk", 18);
  s += std::string("\x00\x00\x00", 3) + static_cast<char>(track.size()) + track;
  return s;
}

std::string movie() {
  std::string avih = "avih";
  putLe(avih, 56, 4);
  putLe(avih, 66667, 4);
  for (int i = 0; i < 3; ++i) putLe(avih, 0, 4);
  putLe(avih, 30, 4);  // frames
  for (int i = 0; i < 2; ++i) putLe(avih, 0, 4);
  putLe(avih, 1, 4);
  putLe(avih, 64, 4);
  putLe(avih, 48, 4);
  for (int i = 0; i < 4; ++i) putLe(avih, 0, 4);
  std::string hdrl = "LIST";
  putLe(hdrl, static_cast<std::uint32_t>(4 + avih.size()), 4);
  hdrl += "hdrl" + avih;
  std::string s = "RIFF";
  putLe(s, static_cast<std::uint32_t>(4 + hdrl.size() + 12), 4);
  s += "AVI " + hdrl + "LIST";
  putLe(s, 4, 4);
  return s + "movi";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zav3;
  if (size > 4096) return 0;
  fuzz::clearScratch();
  fuzz::writeFile(fuzz::scratch() / "A.WAV", wave());
  fuzz::writeFile(fuzz::scratch() / "B.MID", song());
  fuzz::writeFile(fuzz::scratch() / "C.AVI", movie());
  fuzz::Game game;
  Main& m = game.m();
  host::Media& media = *game.host->media;
  const host::Handle devices[] = {m.MCI1, m.MCI2};
  std::string_view input = fuzz::bytesOf(data, size);
  int line = 0;
  while (!input.empty()) {
    const std::size_t end = std::min(input.find('\n'), input.size());
    std::string command(input.substr(0, end));
    input.remove_prefix(std::min(end + 1, input.size()));
    for (std::size_t at = command.find('@'); at != std::string::npos; at = command.find('@', at)) {
      command.replace(at, 1, game.folder);
      at += game.folder.size();
    }
    const host::Handle device = devices[line++ % 2];
    const Long error = media.sendCommand(device, command);
    if (error != media.errorNumber(device)) __builtin_trap();
    media.resultText(device);
    host::Media::errorText(error);
  }
  media.idle(100);
  return 0;
}
