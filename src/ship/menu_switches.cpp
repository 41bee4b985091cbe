// Ship-mode menu switches: the items of the ship menus offered by the story state (routines 1,
// 3, 34, 36, 38, 39 and 94), the wake-up setting of routine 37, and the entry tree menu of
// routine 93, whose entries open by the heroine's place and the crew member chosen.
#include "ship/menu_switches.hpp"

#include <array>
#include <cmath>

#include "shell/game_state.hpp"
#include "ship/calendar.hpp"
#include "ship/choice_items.hpp"
#include "ship/ship_vars.hpp"

namespace zav3::ship {

namespace {

using namespace vars;

// gameVar indexes of this module.
constexpr int heroineTimeAVar = 3;  // the heroine's two counters of the ship's tick
constexpr int heroineTimeBVar = 5;
constexpr int sleepHoursVar = 48;
constexpr int sleepLeftVar = 97;
constexpr int storyMenuVar = 98;
constexpr int restKindVar = 100;
constexpr int costumeOneVar = 111;
constexpr int roomVariantVar = 126;

// gameFlag indexes of this module.
constexpr int itemsTakenFlag = 1500;
constexpr int storyOfferFlag = 1501;
constexpr int roomStoryFlag = 1506;
constexpr int menuPageFlag = 1510;
constexpr int hiddenItemsFlag = 1526;
constexpr int noRestFlag = 1527;
constexpr int visitStageFlag = 1533;
constexpr int visitKeptFlag = 1534;
constexpr int roomVariantsFlag = 1358;
constexpr int chosenMemberFlag = 910;
constexpr int treeGroupFlag = 1359;

constexpr Single counterInterval = 180;

// Item 2 takes the place of item 1 when that one is hidden.
void secondItemForFirst(Main& m) {
  showItemIf(m, 2, itemHidden(m, 1));
}

// Items 4, 5 and 6, the same in routines 1 and 3.
void crewAndRestItems(Main& m) {
  const Single now = var(m, clockMinutesVar);
  showItemIf(m, 4, hasBit(var(m, presentBitsVar), 4));
  if (var(m, arrivalCodeVar) > 0) hideItem(m, 4);
  showItemIf(m, 5, now - var(m, heroineTimeAVar) > counterInterval);
  showItemIf(m, 6,
             flag(m, activityStartFlag) == 0 && now - var(m, heroineTimeBVar) > counterInterval);
}

void storyItem(Main& m) {
  showItemIf(m, 10, var(m, storyMenuVar) > 0);
}

// --- the entry tree ---

// An entry of a group: a flag entry names the first flag of its pair (an even number 1360..1492);
// a group entry names a group, written here as its number below 0 (-7 for group 7).
constexpr int lastGroup = 25;
constexpr int mostEntries = 7;
using Group = std::array<int, mostEntries>;  // 0 ends a group shorter than seven

constexpr std::array<Group, lastGroup + 1> treeGroups{{
    {},                                     // (no group 0)
    {-2, -3, -4, -5, -24, -6},              // 1, the top group
    {1360, -7, 1370, 1372},                 // 2
    {-8, -9, 1392, 1394, -11, -12},         // 3
    {-13, 1420, 1422, -14, -15, -16, -17},  // 4
    {-18, 1460, 1462, -19, -20, -21},       // 5
    {1470, -22, 1478, 1480, 1482, -23},     // 6
    {1362, 1364, 1366, 1368},               // 7
    {1374, 1376, 1378},                     // 8
    {1380, 1382, -10},                      // 9
    {1384, 1386, 1388, 1390},               // 10
    {1396, 1398, 1400, 1402},               // 11
    {1404, 1406, 1408},                     // 12
    {1410, 1412, 1414, 1416, 1418},         // 13
    {1424, 1426, 1428, 1430, 1432},         // 14
    {1434, 1436, 1438, 1440},               // 15
    {1442, 1444, 1446, 1448, 1450},         // 16
    {1452, 1454, 1456},                     // 17
    {1458},                                 // 18
    {1464},                                 // 19
    {1466},                                 // 20
    {1468},                                 // 21
    {1472, 1474, 1476},                     // 22
    {1484},                                 // 23
    {1486, 1488, 1490, 1492},               // 24
    {},                                     // 25, empty
}};

// What makes a flag entry available: the heroine's place bit and the chosen member's bit.
struct TreeKeys {
  Long place;
  Long member;
};

bool entryAvailable(Main& m, const TreeKeys& keys, int entry);

// A group is available when one of its entries is; the entries are looked at depth first in
// item order and the search stops at the first available one.
bool groupAvailable(Main& m, const TreeKeys& keys, int group) {
  for (int entry : treeGroups[static_cast<std::size_t>(group)]) {
    if (entry == 0) break;
    if (entryAvailable(m, keys, entry)) return true;
  }
  return false;
}

// A flag entry f exists for the place and the member in flag f + 1 (places from bit 32 up,
// members in bits 1..16) and is used up for the members whose bits, six places higher, are set in
// flag f.
bool entryAvailable(Main& m, const TreeKeys& keys, int entry) {
  if (entry < 0) return groupAvailable(m, keys, -entry);
  const Long where = flag(m, entry + 1);
  const Long used = flag(m, entry);
  return (where & keys.place) > 0 && (where & keys.member) > 0 && (used & keys.member * 64) == 0;
}

// The place bit (32 on the bridge, else 2 to the power of place + 3) and the member bit.
TreeKeys treeKeys(Main& m) {
  const Single place = var(m, heroinePlaceVar);
  const Long placeBit =
      place == 1 ? 32 : host::toLong(std::pow(2.0, static_cast<double>(place) + 3));
  return {placeBit, flag(m, chosenMemberFlag)};
}

}  // namespace

void shipMenu(Main& m) {
  secondItemForFirst(m);
  showItemIf(m, 3, hasBit(var(m, presentBitsVar), 2) && flag(m, storyOfferFlag) > 0);
  crewAndRestItems(m);
  hideItem(m, 7);
  showItemIf(m, 8, var(m, presentBitsVar) > 1);
  storyItem(m);
}

void shipMenuOnVisit(Main& m) {
  const Integer t = static_cast<Integer>(flag(m, visitStageFlag) - 1);
  secondItemForFirst(m);
  hideItem(m, 3);
  crewAndRestItems(m);
  if (var(m, presentBitsVar) > 1 && flag(m, itemsTakenFlag) > std::ldexp(1.0, t) &&
      var(m, restKindVar) > 0) {
    offerItem(m, 7);
  } else if (flag(m, visitKeptFlag) == 0) {
    var(m, restKindVar) = 0;  // item 7 keeps its state
  } else {
    hideItem(m, 7);
  }
  storyItem(m);
}

void roomStoryMenu(Main& m) {
  flag(m, menuPageFlag) = 0;
  for (int item = 2; item <= 10; ++item) offerItem(m, item);
  if ((flag(m, roomStoryFlag) & 1536) == 0 && var(m, storyMenuVar) == 0) hideItem(m, 10);
  Integer hidden = 0;
  for (int item = 1; item <= 10; ++item) {
    if (itemHidden(m, item)) hidden = static_cast<Integer>(hidden | (1 << (item - 1)));
  }
  flag(m, hiddenItemsFlag) = hidden;
}

void cabinMenu(Main& m) {
  const Single costume = var(m, costumeOneVar);
  showItemIf(m, 2, costume == 0 || costume == 6);
  offerItem(m, 5);
  offerItem(m, 6);
  if (costume == 0) hideItem(m, 6);
  if (costume == 6) hideItem(m, 5);
  if (flag(m, noRestFlag) == 1) hideItem(m, 7);
  const Integer sent = flag(m, needsOpenFlag);
  const Integer done = flag(m, needsMetFlag);
  bool sendingOpen = false;
  for (Long bit : {256, 512, 1024})
    sendingOpen = sendingOpen || (hasBit(sent, bit) && !hasBit(done, bit));
  offerItem(m, 4);
  if (sendingOpen || !hasBit(sent, 2) || hasBit(done, 2)) hideItem(m, 4);
  if (hasBit(done, 1) || hasBit(flag(m, roomStoryFlag), 256)) hideItem(m, 8);
}

void sleepSetting(Main& m) {
  var(m, sleepLeftVar) = var(m, sleepHoursVar) * 60;
  const Single arg = var(m, callArgVar);
  var(m, restKindVar) = arg <= 4 ? arg : 8 - arg;
}

void restMenu(Main& m) {
  for (int item = 1; item <= 3; ++item) offerItem(m, item);
  if (hasBit(flag(m, needsMetFlag), 128)) hideItem(m, 3);
  const Single activity = var(m, heroineActivityVar);
  if (activity == 12 || activity == 22) {
    hideItem(m, 2);
    hideItem(m, 3);
  }
  offerItem(m, 4);
  if (var(m, presentBitsVar) == 1) hideItem(m, 4);
  if (flag(m, noRestFlag) == 1) hideItem(m, 5);
}

void roomVariantMenu(Main& m) {
  for (int item = 1; item <= 10; ++item) offerItem(m, item);
  if (flag(m, roomVariantsFlag) != 1) return;
  const Single variant = var(m, roomVariantVar);
  auto hidePair = [&m](int a, int b) {
    hideItem(m, a);
    hideItem(m, b);
  };
  if (variant == 5) hidePair(7, 8);
  if (variant == 7) hidePair(5, 8);
  if (variant == 8) hidePair(5, 7);
}

void crewMemberMenu(Main& m) {
  Integer& chosen = flag(m, chosenMemberFlag);
  if (chosen != 0) {
    chosen = host::toInteger(std::ldexp(1.0, chosen - 1));
    return;
  }
  for (int k = 1; k <= 5; ++k) showItemIf(m, k, hasBit(var(m, presentBitsVar), Long{1} << k));
}

void entryTreeMenu(Main& m) {
  for (int item = 1; item <= 10; ++item) hideItem(m, item);
  const Integer group = flag(m, treeGroupFlag);
  if (group < 1 || group > lastGroup) return;
  const Group& entries = treeGroups[static_cast<std::size_t>(group)];
  const TreeKeys keys = treeKeys(m);
  for (int n = 1; n <= mostEntries; ++n) {
    const int entry = entries[static_cast<std::size_t>(n - 1)];
    if (entry == 0) break;
    if (entryAvailable(m, keys, entry)) offerItem(m, n);
  }
  if (group != 1) return;
  for (int item = 1; item <= 6; ++item) {
    if (!itemHidden(m, item)) return;
  }
  flag(m, treeGroupFlag) = 0;  // nothing is left below the top group
}

void registerMenuSwitches(scenario::RoutineTable& table) {
  table.add(1, shipMenu);
  table.add(3, shipMenuOnVisit);
  table.add(34, roomStoryMenu);
  table.add(36, cabinMenu);
  table.add(37, sleepSetting);
  table.add(38, restMenu);
  table.add(39, crewMemberMenu);
  table.add(93, entryTreeMenu);
  table.add(94, roomVariantMenu);
}

}  // namespace zav3::ship
