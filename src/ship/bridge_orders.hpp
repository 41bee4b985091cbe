// Bridge orders: the speed table, the speed order and its refusals, the speed menu filter, the
// course and speed report, the receiver check, the broadcast schedule and reception check, the
// receiver log, the wait for a broadcast, the catch-up reception and the waiting-time reports
// (routines 2, 8, 9, 10, 11, 14, 15, 17, 18, 30, 55 and 65).
#pragma once

#include "host/numbers.hpp"
#include "host/sjis.hpp"
#include "scenario/dispatcher.hpp"

namespace zav3 {
struct Main;
struct SpacePoint;
}  // namespace zav3

namespace zav3::ship {

using host::Bytes;
using host::Double;
using host::Integer;
using host::Long;
using host::Single;

inline constexpr int stoppedLevel = 1;
inline constexpr int lastSpeedLevel = 8;

// Speed of a level in km per game minute; levels outside 1..8 give the speed of level 1.
Double levelSpeed(Single level);
// Order name of a level ("停止", "微速前進", ...); levels outside 1..8 give level 1's.
Bytes levelOrderName(Single level);
// Status report text of a level 1..8 ("止まっています。", "時速６０Ｋｍで航行中です。", ...);
// empty for any other level.
Bytes levelReportText(int level);

// Broadcast slot of an hour (0 for hour 0, 1..4 for 6..9, 5 for 12, 6 for 15, 7..10 for
// 18..21), or -1 when nothing is broadcast in that hour.
int broadcastSlot(Long hour);

// What a reception check found: the broadcast's day (from 1) and hour when one was received.
struct Reception {
  bool received = false;
  Long day = 0;
  Long hour = 0;
};

// The reception check for place p at minute targetTime, with the receiver at `from`: sets
// receivedFlag and returns the broadcast found.
Reception receiverCheck(Main& m, const SpacePoint& from, Long p, Single targetTime);

// Which code forms a receiver log entry may take: all of them during travel; only the two
// day-based ones (and no story flag) during the catch-up reception.
enum class LogForms { travel, catchUp };
// Writes the receiver log entry for a broadcast from place p received as `r`.
void writeReceiverLog(Main& m, Long p, const Reception& r, LogForms forms);

// The bridge routines, also reachable by number through the routine table.
void readLogEntry(Main& m);          // 2
void waitForBroadcast(Main& m);      // 8
void checkReceiver(Main& m);         // 9
void nameCourse(Main& m);            // 10
void speedOrder(Main& m);            // 11
void courseAndSpeedReport(Main& m);  // 14
void workOrder(Main& m);             // 15
void waitingTimeReportA(Main& m);    // 17
void waitingTimeReportB(Main& m);    // 18
void takeNextLogEntry(Main& m);      // 30
void speedMenuFilter(Main& m);       // 55
void catchUpReception(Main& m);      // 65

void registerBridgeOrders(scenario::RoutineTable& table);

}  // namespace zav3::ship
