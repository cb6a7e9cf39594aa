// The lane adjustments of the shipment in hand: the kind the tariff names, the hits found
// for the lane and the area lists they came from. Part of the shipment work area.
#ifndef TOLV32DLL_LANES_LANE_STATE_H_
#define TOLV32DLL_LANES_LANE_STATE_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tolv {

// The kinds by their letters; kNone for any other letter.
enum class LaneKind { kL = 0, kY = 1, kC = 2, kT = 3, kU = 4, kA = 5, kG = 6, kNone = -1 };
LaneKind LaneKindOf(char letter);

inline constexpr std::size_t kMaxLaneHits = 15;
inline constexpr std::size_t kMaxAreaCodes = 20;

// A hit of list A: a 3-character adjustment code and the ".A" position its record is
// searched from (which becomes the record's own position once found).
struct CodeHit {
  std::string code;
  char kind = ' ';
  std::int64_t position = 0;
};

// A hit of list B: a kind character, the number of an ".A" record and its search position.
struct NumberHit {
  char kind = ' ';
  std::int16_t number = 0;
  std::int64_t position = 0;
};

struct LaneState {
  LaneKind kind = LaneKind::kNone;
  bool loaded = false;  // loading ran for this shipment
  int sub_kind = 0;     // kind U: the applier its lane file names
  std::vector<CodeHit> code_hits;
  std::vector<NumberHit> number_hits;
  std::vector<std::string> origin_areas;       // 3 characters each
  std::vector<std::string> destination_areas;  // 3 characters each
  std::vector<std::string> area_pairs;         // 6 characters each (kind C)
  // The 660-byte E records of kind G (and of point type 'N'), in list order, and their
  // positions in ".A".
  std::vector<std::vector<std::uint8_t>> e_records;
  std::vector<std::int64_t> e_positions;
};

}  // namespace tolv

#endif  // TOLV32DLL_LANES_LANE_STATE_H_
