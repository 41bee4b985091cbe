// Conversation partners: one or two crew members present, searched in an order the script
// chooses, lend their faces to the two generic speakers through face source entries 0 and 1
// (routines 20 and 21).
#pragma once

#include "scenario/dispatcher.hpp"

namespace zav3 {
struct Main;
}

namespace zav3::ship {

void onePartner(Main& m);   // 20
void twoPartners(Main& m);  // 21

void registerConversationPartners(scenario::RoutineTable& table);

}  // namespace zav3::ship
