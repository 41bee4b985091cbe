// The mission record: the play record and the picture "mission" with its badges.
#include "combat/mission_record.hpp"

#include <array>

#include "combat/combat_vars.hpp"
#include "host/drawing.hpp"
#include "shell/pictures.hpp"
#include "shell/play_record_file.hpp"

namespace zav3::combat {

namespace {

using namespace vars;
using host::sj;

constexpr int planetFlag = 980;
constexpr Integer storySpecialBit = 32;  // of gameFlag 852: the enemy of encounter 3 destroyed
constexpr int topDriveGrade = 2;

struct PlanetRow {
  Integer bit;
  const char* name;
};
constexpr std::array<PlanetRow, 7> planets{{{4, "地球編"},
                                            {8, "火星編"},
                                            {16, "木星編"},
                                            {32, "土星編"},
                                            {64, "天王星編"},
                                            {128, "海王星編"},
                                            {256, "冥王星編"}}};

// r + 256 g + 65536 b.
constexpr host::GameColour colour(int r, int g, int b) {
  return static_cast<host::GameColour>(r + 256 * g + 65536 * b);
}
constexpr host::GameColour planetColour = colour(96, 160, 255);
constexpr host::GameColour goldColour = colour(255, 208, 64);
constexpr host::GameColour silverColour = colour(208, 216, 232);
constexpr host::GameColour plainColour = colour(144, 152, 168);
constexpr host::GameColour warningColour = colour(255, 112, 96);
constexpr host::GameColour driveColour = colour(128, 232, 160);

// The badges sit in rows of four inside the picture's frame (40, 60)-(600, 240).
constexpr int badgeLeft = 60, badgeTop = 84;
constexpr int badgeWidth = 124, badgeHeight = 36, badgeGap = 14, rowGap = 16;
constexpr int badgesPerRow = 4;
constexpr int badgeTextSize = 16;
constexpr int numberTop = 200;

void drawBadge(Main& m, host::Surface& s, int i, const MissionBadge& badge) {
  const int x = badgeLeft + (i % badgesPerRow) * (badgeWidth + badgeGap);
  const int y = badgeTop + (i / badgesPerRow) * (badgeHeight + rowGap);
  const std::uint32_t ink = host::argbOf(badge.colour);
  const std::uint32_t fill = 0xFF000000u | ((ink >> 2) & 0x3F3F3Fu);
  host::fillBox(s, x, y, x + badgeWidth - 1, y + badgeHeight - 1, host::Pen{ink}, fill);
  host::drawBox(s, x + 2, y + 2, x + badgeWidth - 3, y + badgeHeight - 3, host::Pen{ink});
  const host::FontSpec font{sj("ＭＳ Ｐゴシック"), badgeTextSize};
  host::TextRenderer& text = shell::textRenderer(m);
  const int w = text.width(font, badge.text);
  text.draw(s, font, x + (badgeWidth - w) / 2, y + (badgeHeight - badgeTextSize) / 2, badge.text,
            ink);
}

}  // namespace

std::vector<MissionBadge> missionBadges(const Main& m) {
  std::vector<MissionBadge> badges;
  const Integer planet = m.gameFlag(planetFlag);
  for (const PlanetRow& row : planets) {
    if (planet & row.bit) {
      badges.push_back({sj(row.name), planetColour});
      break;
    }
  }
  const Integer enemy = m.gameFlag(enemyStatusFlag);
  if (enemy & enemyDestroyed) {
    badges.push_back({sj("敵艦撃沈"), goldColour});
  } else if ((enemy & enemyStopped) && (enemy & enemyDisarmed)) {
    badges.push_back({sj("敵艦無力化"), silverColour});
  } else {
    badges.push_back({sj("戦果なし"), plainColour});
  }
  const Single state = m.gameVar(missionStateVar);
  if (state == 0) badges.push_back({sj("未出撃"), warningColour});
  if (state == 5) badges.push_back({sj("時間切れ"), warningColour});
  if (m.gameVar(driveGradeVar) == topDriveGrade) badges.push_back({sj("新型機関"), driveColour});
  if (m.gameFlag(storyFlag) & storySpecialBit) badges.push_back({sj("特別戦果"), goldColour});
  return badges;
}

void drawMissionPicture(Main& m, int ordinal) {
  m.pictureName = "mission";
  shell::loadNamedPicture(m);
  host::Surface& screen = m.host.forms.surface(m.PICTURE1);
  host::drawBitmap(screen, m.scenePicture, m.sceneLeft, m.sceneTop);
  const std::vector<MissionBadge> badges = missionBadges(m);
  for (std::size_t i = 0; i < badges.size(); ++i) {
    drawBadge(m, screen, static_cast<int>(i), badges[i]);
  }
  if (ordinal > 0) {
    const Bytes line = sj("記録　第") + host::fullWidthNumber(ordinal) + sj("号");
    const host::FontSpec font{sj("ＭＳ Ｐゴシック"), badgeTextSize};
    shell::textRenderer(m).draw(screen, font, badgeLeft, numberTop, line,
                                host::argbOf(silverColour));
  }
}

void missionRecord(Main& m) {
  const int ordinal = shell::storePlayRecord(m, shell::playRecordFieldsOf(m));
  drawMissionPicture(m, ordinal);
}

void registerMissionRecordRoutines(scenario::RoutineTable& table) {
  table.add(89, missionRecord);
}

}  // namespace zav3::combat
