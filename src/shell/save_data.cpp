// The save slot layout: print items in 14-column zones, one array block of five values a line.
#include "shell/save_data.hpp"

#include <vector>

namespace zav3::shell {

namespace {

constexpr int file = 3;

class SlotWriter {
 public:
  explicit SlotWriter(Main& m) : m_(m) {}

  // One line of values separated by zones.
  template <class... T>
  void line(T... values) {
    std::vector<host::PrintItem> items{host::PrintItem{values, 1}...};
    items.back().separator = 0;
    m_.host.files.print(file, items);
  }
  void text(const Bytes& s) { line(s); }

  template <class T>
  void block(const Array<T>& a, long first, long last) {
    std::vector<host::PrintItem> items;
    for (long i = first; i <= last; ++i) {
      items.push_back(host::PrintItem{a(i), 1});
      if (items.size() == 5 || i == last) {
        items.back().separator = 0;
        m_.host.files.print(file, items);
        items.clear();
      }
    }
  }
  // The whole array 0..N: lines of five, then the rest.
  template <class T>
  void block(const Array<T>& a) {
    block(a, 0, a.last());
  }

 private:
  Main& m_;
};

}  // namespace

void writeSaveLayout(Main& m, const Bytes& path, const Bytes& title) {
  auto& files = m.host.files;
  files.open("O", file, path);
  SlotWriter w(m);
  w.text(title);
  w.line(static_cast<Integer>(Main::gameVarLast));
  w.line(static_cast<Integer>(Main::gameFlagLast));
  w.line(static_cast<Integer>(Main::shipStateLast));
  w.line(static_cast<Integer>(Main::personLast));
  w.line(m.messageRecord);
  w.line(m.messageTextFrom);
  w.text(m.sceneTitle);
  w.line(m.currentPicture, m.textDelay);
  w.line(m.musicOption, m.typingSoundOption);
  w.line(m.currentSong, m.reservedSaveValue);
  w.block(m.choiceMask, 1, 5);
  w.block(m.choiceMask, 6, 10);
  w.line(m.returnDepth);
  w.block(m.returnStack, 0, 4);
  w.block(m.returnStack, 5, 9);
  for (long i = 0; i <= 9; ++i) w.text(m.replyText(i));
  w.text(m.clockDayText);
  w.text(m.clockHourText);
  w.text(m.clockMinuteText);
  w.block(m.gameVar);
  w.block(m.personTableB, 0, 4);
  w.block(m.personTableB, 5, 9);
  w.block(m.personTableA);
  w.block(m.personTableC);
  w.block(m.gameFlag);
  w.block(m.shipState);
  files.close(file);
}

}  // namespace zav3::shell
