// Conversation partners: the search orders of routines 20 and 21 and the search itself.
#include "ship/conversation_partners.hpp"

#include <array>
#include <string_view>

#include "ship/calendar.hpp"
#include "ship/crew_state.hpp"

namespace zav3::ship {

namespace {

using namespace vars;

// gameVar indexes of this module.
constexpr int foundWhereVar = 55;
constexpr int foundCountVar = 56;
constexpr int firstPartnerVar = 57;
constexpr int secondPartnerVar = 58;

// Where the search stands (foundWhere): the first group, past the mark "|" (2; a partner found
// there makes it 1) and, in routine 21, past the mark "||" (3).
constexpr Single pastMark = 2;
constexpr Single foundPastMark = 1;
constexpr Single pastSecondMark = 3;

// Search orders by callArg 1..5, written with their marks: a digit is a crew member to try.
constexpr std::array<std::string_view, 5> oneOrders{"13|425", "24|315", "312|54", "54|132",
                                                    "452|13"};
constexpr std::array<std::string_view, 5> twoOrders{"13|4||25", "24|3||15", "312|5||4", "54|1||32",
                                                    "452|1||3"};

Single& var(Main& m, int i) {
  return m.gameVar(i);
}

// The order of callArg; any value but 1..5 takes the first.
std::string_view orderOf(Main& m, const std::array<std::string_view, 5>& orders) {
  for (int k = 1; k <= 5; ++k) {
    if (var(m, callArgVar) == static_cast<Single>(k))
      return orders[static_cast<std::size_t>(k - 1)];
  }
  return orders[0];
}

// Tries crew member i: when present, the next free face source entry takes its face.
void tryMember(Main& m, int i) {
  if (!hasBits(var(m, presentBitsVar), crewBit(i))) return;
  Single& found = var(m, foundCountVar);
  if (found == 0) {
    found = 1;
    m.personTableB(0) = static_cast<Integer>(i + 1);
  } else {
    found = 2;
    m.personTableB(1) = static_cast<Integer>(i + 1);
  }
  if (var(m, foundWhereVar) == pastMark) var(m, foundWhereVar) = foundPastMark;
}

}  // namespace

void onePartner(Main& m) {
  var(m, foundCountVar) = 0;
  var(m, foundWhereVar) = 0;
  bool first = true;
  for (const char c : orderOf(m, oneOrders)) {
    if (c == '|') {
      var(m, foundWhereVar) = pastMark;
    } else if (first || var(m, foundCountVar) == 0) {
      tryMember(m, c - '0');
    }
    first = first && c == '|';
  }
  if (var(m, foundWhereVar) == pastMark) var(m, foundWhereVar) = 0;
  var(m, firstPartnerVar) = m.personTableB(0);
}

void twoPartners(Main& m) {
  var(m, foundCountVar) = 0;
  var(m, foundWhereVar) = 0;
  const std::string_view order = orderOf(m, twoOrders);
  int seen = 0;  // members of the order passed so far
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (order.compare(k, 2, "||") == 0) {
      if (var(m, foundCountVar) == 2) break;
      var(m, foundWhereVar) = pastSecondMark;
      ++k;
    } else if (order[k] == '|') {
      var(m, foundWhereVar) = pastMark;
    } else if (seen++ < 2 || var(m, foundCountVar) < 2) {
      tryMember(m, order[k] - '0');
    }
  }
  if (var(m, foundWhereVar) == pastMark) {
    var(m, foundWhereVar) = 0;
  } else if (var(m, foundWhereVar) == pastSecondMark) {
    var(m, foundWhereVar) = pastMark;
  }
  var(m, firstPartnerVar) = m.personTableB(0);
  var(m, secondPartnerVar) = m.personTableB(1);
}

void registerConversationPartners(scenario::RoutineTable& table) {
  table.add(20, onePartner);
  table.add(21, twoPartners);
}

}  // namespace zav3::ship
