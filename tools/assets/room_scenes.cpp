// The room pictures of CG that show who is where aboard: the common room with the crew in
// every company the ship's routines look for (and in the clothes of a visit ashore, and under a
// red alert), the canteen with any of the six at table, each crew cabin empty, in use and
// asleep, visits to each cabin through the hours, and the heroine's own cabin. Every room is
// drawn once and every picture composed from it; the files are 8-bit RLE8 pictures.
#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "assets/assets.hpp"
#include "assets/figures.hpp"
#include "assets/indexed_bmp.hpp"
#include "assets/rooms.hpp"

namespace zav3::assets {

namespace {

// A person placed in a picture, at the anchor of their pose.
struct Placed {
  Figure figure;
  double x, y, scale;
  Prop prop = Prop::none;
  bool mirror = false;

  double depth() const {
    switch (figure.pose) {
      case Pose::sit:
        return y + 44 * scale;
      case Pose::lie:
        return y + 30;
      case Pose::stand:
        break;
    }
    return y;
  }
};

struct Picture {
  int number;
  Place place;
  Light light;
  std::vector<Placed> people;
};

Placed sitting(Who who, Outfit outfit, double x, double y, double scale, Arms arms, Look look,
               Prop prop = Prop::none) {
  return {{who, outfit, Pose::sit, arms, look}, x, y, scale, prop};
}
Placed standing(Who who, Outfit outfit, double x, double y, double scale, Arms arms, Look look) {
  return {{who, outfit, Pose::stand, arms, look}, x, y, scale};
}

// --- the common room ---

// Each person's own place in the common room.
Placed inLounge(Who who, Outfit outfit, Look look) {
  switch (who) {
    case Who::mina:
      return sitting(who, outfit, 110, 222, 0.9, Arms::hold, look, Prop::cup);
    case Who::rinka:
      return sitting(who, outfit, 250, 196, 0.8, Arms::lap, look);
    case Who::beverly:
      return sitting(who, outfit, 390, 196, 0.8, Arms::hold, look, Prop::book);
    case Who::scott:
      return sitting(who, outfit, 540, 222, 0.9, Arms::hold, look, Prop::cup);
    case Who::sakharov:
      return standing(who, outfit, 470, 252, 0.9, Arms::down, look);
    case Who::togo:
      break;
  }
  return sitting(who, outfit, 320, 196, 0.8, Arms::lap, look, Prop::snack);
}

// The heroine and crew members 1..3 of `crew` (presence bits 2, 4, 8); `visit` 1..4 dresses
// the heroine and crew member 1 (visits 1, 2) or 2 (visits 3, 4) for going ashore (odd) or for
// an evening out (even).
Picture lounge(int number, int crew, int visit) {
  Picture p{number, Place::lounge, Light::day, {}};
  const Outfit dressed = visit == 0  ? Outfit::uniform
                         : visit % 2 ? Outfit::civilian
                                     : Outfit::dress;
  const Who guest = visit <= 2 ? Who::rinka : Who::beverly;
  p.people.push_back(inLounge(Who::mina, dressed, Look::smile));
  int k = 0;
  for (const Who who : {Who::rinka, Who::beverly, Who::scott, Who::sakharov, Who::togo}) {
    if (crew & (1 << static_cast<int>(who))) {
      p.people.push_back(inLounge(who, who == guest ? dressed : Outfit::uniform,
                                  k++ % 2 ? Look::smile : Look::talk));
    }
  }
  return p;
}

void addLounge(std::vector<Picture>& out) {
  // By the crew present (m = presence AND 14) and the visit: the company pictures.
  struct Row {
    int m;
    std::array<int, 5> byVisit;  // 0 where the routine keeps the picture it had
  };
  const std::array<Row, 6> rows{{{14, {81, 62, 63, 64, 65}},
                                 {12, {80, 0, 0, 60, 61}},
                                 {10, {79, 58, 59, 0, 0}},
                                 {6, {78, 54, 55, 56, 57}},
                                 {4, {77, 0, 0, 52, 53}},
                                 {2, {76, 50, 51, 0, 0}}}};
  for (const Row& row : rows)
    for (int v = 0; v < 5; ++v)
      if (row.byVisit[static_cast<std::size_t>(v)] > 0)
        out.push_back(lounge(row.byVisit[static_cast<std::size_t>(v)], row.m, v));
  out.push_back(lounge(75, 0, 0));
  out.push_back(lounge(85, 8, 0));
  out.push_back(lounge(82, 16, 0));
  out.push_back(lounge(83, 32, 0));
  out.push_back(lounge(84, 48, 0));
  // The heroine alone at a film on the wall screen.
  out.push_back(
      {202,
       Place::lounge,
       Light::screen,
       {sitting(Who::mina, Outfit::uniform, 320, 196, 0.8, Arms::hold, Look::smile, Prop::snack)}});
  // Everybody on their feet under a red alert.
  Picture alert{10, Place::lounge, Light::alert, {}};
  const std::array<Vec, peopleCount> spots{
      {{330, 262}, {250, 214}, {400, 214}, {520, 262}, {150, 262}, {460, 214}}};
  for (int i = 0; i < peopleCount; ++i) {
    const auto who = static_cast<Who>(i);
    alert.people.push_back(standing(who, Outfit::uniform, spots[static_cast<std::size_t>(i)].x,
                                    spots[static_cast<std::size_t>(i)].y,
                                    spots[static_cast<std::size_t>(i)].y > 240 ? 0.95 : 0.82,
                                    i == 4 ? Arms::wave : Arms::down, Look::talk));
  }
  out.push_back(alert);
}

// --- the canteen ---

constexpr std::array<double, peopleCount> canteenSeat{275, 185, 365, 545, 95, 455};

void addCanteen(std::vector<Picture>& out) {
  // 100 is also the heroine alone, late, in her room clothes with a cup of cocoa (nobody at all
  // is never the case while she is there).
  out.push_back({100,
                 Place::canteen,
                 Light::evening,
                 {sitting(Who::mina, Outfit::lounge, canteenSeat[0], 226, 0.9, Arms::hold,
                          Look::smile, Prop::cup)}});
  for (int set = 1; set < 64; ++set) {
    Picture p{100 + set, Place::canteen, Light::day, {}};
    int k = 0;
    for (int i = 0; i < peopleCount; ++i) {
      if (!(set & (1 << i))) continue;
      const Look look = set == 1 ? Look::smile : k++ % 2 ? Look::smile : Look::talk;
      p.people.push_back(sitting(static_cast<Who>(i), Outfit::uniform,
                                 canteenSeat[static_cast<std::size_t>(i)], 226, 0.9, Arms::down,
                                 look, Prop::tray));
    }
    out.push_back(p);
  }
}

// --- the cabins ---

const Placed bedEdge{{}, 200, 201, 0.88};
const Placed deskChair{{}, 470, 214, 0.92};
const Placed middle{{}, 330, 258, 0.92};
const Placed doorway{{}, 590, 262, 0.95};
const Placed pillow{{}, 92, 186, 1.0};

Placed at(const Placed& spot, Who who, Outfit outfit, Pose pose, Arms arms, Look look,
          Prop prop = Prop::none) {
  Placed p = spot;
  p.figure = {who, outfit, pose, arms, look};
  p.prop = prop;
  return p;
}

// A crew member at their pastime (activity 1) in their cabin.
Placed pastime(Who who) {
  switch (who) {
    case Who::beverly:
      return at(bedEdge, who, Outfit::uniform, Pose::sit, Arms::hold, Look::calm, Prop::book);
    case Who::togo:
      return at(bedEdge, who, Outfit::uniform, Pose::sit, Arms::hold, Look::smile, Prop::guitar);
    case Who::rinka:
      return at(deskChair, who, Outfit::uniform, Pose::sit, Arms::hold, Look::calm, Prop::brush);
    case Who::scott:
      return at(deskChair, who, Outfit::uniform, Pose::sit, Arms::hold, Look::smile, Prop::wrench);
    case Who::sakharov:
    case Who::mina:
      break;
  }
  return at(deskChair, who, Outfit::uniform, Pose::sit, Arms::lap, Look::calm, Prop::chess);
}

Placed asleep(Who who, Outfit outfit) {
  Placed p = at(pillow, who, outfit, Pose::lie, Arms::down, Look::closed);
  p.figure.blanket = true;
  p.figure.cover = shade(bedCover(cabinOf(who)), 0.1);
  return p;
}

void addCrewCabins(std::vector<Picture>& out) {
  // Crew member i: A away, B at their pastime, C asleep; then the heroine's visits through the
  // five hours of the cycle.
  struct Row {
    int away, busy, sleeping;
    std::array<int, 5> visit;
  };
  const std::array<Row, 5> rows{{{251, 245, 252, {437, 438, 439, 474, 257}},
                                 {282, 275, 283, {475, 476, 477, 478, 288}},
                                 {309, 303, 310, {527, 528, 529, 315, 479}},
                                 {339, 333, 340, {553, 554, 345, 551, 552}},
                                 {359, 353, 360, {558, 365, 555, 556, 557}}}};
  for (int i = 1; i <= 5; ++i) {
    const Row& row = rows[static_cast<std::size_t>(i - 1)];
    const auto who = static_cast<Who>(i);
    const Place place = cabinOf(who);
    const Outfit u = Outfit::uniform;
    const Who mina = Who::mina;
    out.push_back({row.away, place, Light::day, {}});
    out.push_back({row.busy, place, Light::day, {pastime(who)}});
    out.push_back({row.sleeping, place, Light::night, {asleep(who, u)}});
    const std::array<std::vector<Placed>, 5> moments{{
        {at(middle, who, u, Pose::stand, Arms::wave, Look::talk),
         at(doorway, mina, u, Pose::stand, Arms::down, Look::smile)},
        {at(bedEdge, who, u, Pose::sit, Arms::hold, Look::smile, Prop::cup),
         at(deskChair, mina, u, Pose::sit, Arms::hold, Look::talk, Prop::cup)},
        {at(deskChair, who, u, Pose::sit, Arms::lap, Look::talk),
         at(bedEdge, mina, u, Pose::sit, Arms::lap, Look::smile)},
        {pastime(who), at(middle, mina, u, Pose::stand, Arms::lap, Look::smile)},
        {at(bedEdge, who, u, Pose::sit, Arms::lap, Look::calm),
         at(doorway, mina, u, Pose::stand, Arms::wave, Look::talk)},
    }};
    for (std::size_t t = 0; t < 5; ++t)
      out.push_back({row.visit[t], place, t == 4 ? Light::evening : Light::day, moments[t]});
  }
}

void addHeroineCabin(std::vector<Picture>& out) {
  const Place home = Place::cabinMina;
  const Who mina = Who::mina;
  for (const Outfit o : {Outfit::uniform, Outfit::lounge}) {
    const bool lounge = o == Outfit::lounge;
    // Coming in (the room state picks the clothes), at the desk, resting on the bed and
    // dozing in the chair.
    out.push_back({lounge ? 234 : 233,
                   home,
                   Light::day,
                   {at(middle, mina, o, Pose::stand, Arms::down, Look::smile)}});
    out.push_back({lounge ? 92 : 86,
                   home,
                   Light::day,
                   {at(deskChair, mina, o, Pose::sit, Arms::lap, Look::calm)}});
    out.push_back({lounge ? 267 : 266,
                   home,
                   Light::evening,
                   {at(pillow, mina, o, Pose::lie, Arms::down, Look::closed)}});
    Placed doze = at(deskChair, mina, o, Pose::sit, Arms::lap, Look::closed);
    doze.figure.tilt = 0.3;
    out.push_back({lounge ? 269 : 268, home, Light::evening, {doze}});
  }
  // Five hours of the cycle in her cabin, in uniform and in the clothes for going ashore.
  const std::array<std::array<int, 5>, 2> numbers{
      {{228, 429, 430, 431, 432}, {218, 433, 434, 435, 436}}};
  for (std::size_t v = 0; v < 2; ++v) {
    const Outfit o = v == 0 ? Outfit::uniform : Outfit::civilian;
    const std::array<Placed, 5> moments{{
        at(deskChair, mina, o, Pose::sit, Arms::lap, Look::talk),
        at(middle, mina, o, Pose::stand, Arms::down, Look::calm),
        at(bedEdge, mina, o, Pose::sit, Arms::hold, Look::smile, Prop::book),
        at(deskChair, mina, o, Pose::sit, Arms::hold, Look::smile, Prop::cup),
        at(bedEdge, mina, o, Pose::sit, Arms::hold, Look::smile, Prop::plush),
    }};
    for (std::size_t t = 0; t < 5; ++t)
      out.push_back({numbers[v][t], home, t == 4 ? Light::evening : Light::day, {moments[t]}});
  }
}

std::vector<Picture> roomPictures() {
  std::vector<Picture> out;
  addLounge(out);
  addCanteen(out);
  addCrewCabins(out);
  addHeroineCabin(out);
  return out;
}

Canvas compose(const Picture& p, const Canvas& background) {
  Canvas c = background;
  std::vector<Piece> order = roomPieces(p.place);
  for (const Placed& person : p.people) {
    order.push_back(
        {person.depth(), [&person](Canvas& canvas) {
           drawFigure(canvas, person.figure, person.x, person.y, person.scale, person.mirror);
           if (person.prop != Prop::tray)
             drawProp(canvas, person.prop, person.figure.who,
                      handsOf(person.figure, person.x, person.y, person.scale), person.scale);
         }});
    // A tray stands on the table in front, over its top.
    if (person.prop == Prop::tray)
      order.push_back(
          {1000, [&person](Canvas& canvas) {
             drawProp(canvas, Prop::tray, person.figure.who, {person.x, 222}, person.scale);
           }});
  }
  std::stable_sort(order.begin(), order.end(),
                   [](const Piece& a, const Piece& b) { return a.depth < b.depth; });
  for (const Piece& piece : order) piece.draw(c);
  applyLight(c, p.place, p.light);
  for (const Placed& person : p.people)
    if (person.figure.pose == Pose::lie && person.figure.blanket)
      drawSnore(c, person.x + 16, person.y - 30, 1.0);
  return c;
}

}  // namespace

std::vector<int> roomPictureNumbers() {
  std::vector<int> numbers;
  for (const Picture& p : roomPictures()) numbers.push_back(p.number);
  return numbers;
}

void writeRoomScenes(AssetWriter& out) {
  std::map<Place, Canvas> backgrounds;
  for (const Picture& p : roomPictures()) {
    auto it = backgrounds.find(p.place);
    if (it == backgrounds.end())
      it = backgrounds.emplace(p.place, roomBackground(p.place, out.text())).first;
    std::string number = std::to_string(p.number);
    number.insert(0, 3 - number.size(), '0');
    out.write("CG/" + number + ".BMP", encodeBmpRle8(compose(p, it->second).surface()));
  }
}

}  // namespace zav3::assets
