// Registration of every subsystem's special routines.
#include "shell/routines.hpp"

#include "combat/weapons.hpp"
#include "scenario/speech_styles.hpp"
#include "ship/bridge_orders.hpp"
#include "ship/calendar.hpp"
#include "ship/travel.hpp"

namespace zav3::shell {

void registerAllRoutines(scenario::RoutineTable& table) {
  (void)table;
  scenario::registerSpeechStyles(table);
  ship::registerCalendarRoutines(table);
  ship::registerBridgeOrders(table);
  ship::registerTravelRoutines(table);
  combat::registerWeaponRoutines(table);
}

}  // namespace zav3::shell
