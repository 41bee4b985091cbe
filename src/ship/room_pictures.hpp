// Room scene pictures: the picture of a room chosen by who is present and the room's state
// (routines 40, 41, 42, 44, 45, 61, 95 and 96), the costumes of speakers 1 to 6 (43) and the
// radar scope drawn over the picture (99).
#pragma once

#include "host/numbers.hpp"
#include "scenario/dispatcher.hpp"

namespace zav3 {
struct Main;
}

namespace zav3::ship {

using host::Integer;

void pictureByCrewAndVisit(Main& m);   // 40
void commonRoomPicture(Main& m);       // 41
void canteenPicture(Main& m);          // 42
void speakerCostumes(Main& m);         // 43
void roomStatePicture(Main& m);        // 44
void roomStateSecondPicture(Main& m);  // 45
void cabinPicture(Main& m);            // 61
void departurePicture(Main& m);        // 95
void pictureByVisitAndHour(Main& m);   // 96
void radarScope(Main& m);              // 99

// The picture a lookup of routines 95 and 96 gives; 0 where the table has none.
Integer departureMapping(Integer picture);
Integer visitHourPicture(int visit, int hour);

void registerRoomPictures(scenario::RoutineTable& table);

}  // namespace zav3::ship
