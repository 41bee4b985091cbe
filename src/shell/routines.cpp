// Registration of every subsystem's special routines.
#include "shell/routines.hpp"

#include "combat/battle_flow.hpp"
#include "combat/enemy_moves.hpp"
#include "combat/mission_record.hpp"
#include "combat/planning_phase.hpp"
#include "combat/player_damage.hpp"
#include "combat/weapons.hpp"
#include "scenario/speech_styles.hpp"
#include "ship/bridge_orders.hpp"
#include "ship/calendar.hpp"
#include "ship/conversation_partners.hpp"
#include "ship/crew_activity.hpp"
#include "ship/crew_whereabouts.hpp"
#include "ship/heroine_moves.hpp"
#include "ship/menu_switches.hpp"
#include "ship/room_menus.hpp"
#include "ship/room_pictures.hpp"
#include "ship/ship_bookkeeping.hpp"
#include "ship/travel.hpp"
#include "sequences/picture_shows.hpp"
#include "shell/records_screen.hpp"

namespace zav3::shell {

void registerAllRoutines(scenario::RoutineTable& table) {
  scenario::registerSpeechStyles(table);
  ship::registerCalendarRoutines(table);
  ship::registerBridgeOrders(table);
  ship::registerTravelRoutines(table);
  ship::registerMenuSwitches(table);
  ship::registerShipBookkeeping(table);
  ship::registerRoomMenus(table);
  ship::registerCrewWhereabouts(table);
  ship::registerHeroineMoves(table);
  ship::registerCrewActivity(table);
  ship::registerRoomPictures(table);
  ship::registerConversationPartners(table);
  combat::registerWeaponRoutines(table);
  combat::registerBattleFlowRoutines(table);
  combat::registerPlanningRoutines(table);
  combat::registerEnemyMoveRoutines(table);
  combat::registerPlayerDamageRoutines(table);
  combat::registerMissionRecordRoutines(table);
  registerRecordsScreen(table);
  sequences::registerPictureShows(table);
}

}  // namespace zav3::shell
