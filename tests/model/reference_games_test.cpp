// Two whole games against a stored record of the tables they leave, bit for bit: reshaping
// or speeding up the model must leave every value where it was.
//
// To rewrite the record after a deliberate change of results:
//   TALVAIR_WRITE_REFERENCE_GAMES=1 build/tests/model_tests --gtest_filter='ReferenceGames*'
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "game_recorder.h"
#include "game_test_access.h"
#include "model/game.h"

namespace talvair {
namespace {

const std::string kRecordPath = std::string(TALVAIR_MODEL_TEST_DATA) + "/reference_games.txt";

std::string Hex(uint64_t bits) {
  std::ostringstream out;
  out << std::hex << bits;
  return out.str();
}

uint64_t Bits(double x) { return std::bit_cast<uint64_t>(x); }

// FNV-1a over every cell of both tables, all elements.
uint64_t TablesDigest(game& g) {
  uint64_t h = 14695981039346656037ull;
  for (const ValueTable* t : {&g.VarValues(), &g.DisplayValues()}) {
    for (int e = 0; e < kElements; ++e) {
      for (int row = 0; row < kRows; ++row) {
        for (int v = 0; v < kVarSlots; ++v) {
          uint64_t x = Bits(t->Get(v, row, e));
          for (int b = 0; b < 8; ++b, x >>= 8) h = (h ^ (x & 0xff)) * 1099511628211ull;
        }
      }
    }
  }
  return h;
}

// One line per variable: its element 0 in every row, runs of one value as value*count.
// A display cell equal to the computed one is written "=".
void WriteElementZero(game& g, std::ostream& out) {
  for (int v = 0; v < kVarSlots; ++v) {
    for (bool display : {false, true}) {
      out << (display ? "d" : "v") << v;
      std::string last;
      int run = 0;
      auto flush = [&] {
        if (run == 0) return;
        out << ' ' << last;
        if (run > 1) out << '*' << run;
      };
      for (int row = 0; row < kRows; ++row) {
        const double x = g.VarValues().Get(v, row);
        const double y = g.DisplayValues().Get(v, row);
        const std::string token = !display ? Hex(Bits(x)) : Bits(x) == Bits(y) ? "=" : Hex(Bits(y));
        if (token == last) {
          ++run;
        } else {
          flush();
          last = token;
          run = 1;
        }
      }
      flush();
      out << '\n';
    }
  }
}

// Plays a script and records, after every command, the period, the game-over flag, the
// events and a digest of both whole tables; at the end, element 0 cell by cell.
std::string Record(const std::string& name,
                   const std::function<void(Player&, std::ostream&)>& script) {
  Player p;
  std::ostringstream out;
  out << "game " << name << '\n';
  script(p, out);
  WriteElementZero(p.g, out);
  return out.str();
}

void Note(Player& p, std::ostream& out, const std::string& command) {
  out << command << " -> " << p.g.Period() << (p.g.GameOver() ? " over" : "") << ' '
      << Hex(TablesDigest(p.g));
  for (const std::string& e : p.rec.log) {
    if (e != "graphs" && e != "DataChange") out << " [" << e << ']';
  }
  out << '\n';
  p.rec.log.clear();
}

std::string DefaultGame() {
  return Record("defaults", [](Player& p, std::ostream& out) {
    for (int q = 0; q < 40; ++q) {
      p.Run(1);
      Note(p, out, "run 1");
    }
    p.Run(1);
    Note(p, out, "run 1");
  });
}

// Changing decisions and run lengths, going back, a quarter that fails and a liquidation.
std::string VariedGame() {
  struct Command {
    std::array<std::string, 5> decisions;  // empty: go back
    int16_t runLength;
  };
  const std::vector<Command> commands = {
      {{"0", "0.1", "0.12", "12", "0.7"}, 1},
      {{"0", "0.09", "0.15", "10", "0.65"}, 2},
      {{"1", "0.095", "0.1", "-5", "0.6"}, 4},
      {{}, 3},
      {{"0", "0.1", "0.1", "15", "0.7"}, 10},
      {{}, 1},
      {{"0", "0.095", "0.12", "9", "0.6"}, 2},
      {{"0", "0", "0.1", "9", "0.6"}, 1},  // a zero fare: the step fails
      {{"0", "0.09", "0.1", "12", "0.6"}, 15},
      {{}, 5},
      {{"0", "0.09", "0.1", "9", "0.6"}, 4},
      {{"40", "0.02", "1", "2000", "2"}, 10},  // liquidation
      {{"0", "0.09", "0.1", "9", "0.6"}, 1},   // over: nothing moves
      {{}, 5},
      {{"0", "0.09", "0.1", "9", "0.6"}, 20},  // to the end
  };
  return Record("varied", [&](Player& p, std::ostream& out) {
    for (const Command& c : commands) {
      if (c.decisions[0].empty()) {
        p.g.RunPeriod(c.runLength);
        p.g.GoBack();
        Note(p, out, "back " + std::to_string(c.runLength));
      } else {
        p.rec.decisions = c.decisions;
        p.Run(c.runLength);
        Note(p, out, "run " + std::to_string(c.runLength));
      }
    }
  });
}

TEST(ReferenceGames, TablesEqualTheRecordBitForBit) {
  const std::string now = DefaultGame() + VariedGame();
  if (std::getenv("TALVAIR_WRITE_REFERENCE_GAMES")) {
    std::ofstream(kRecordPath, std::ios::binary) << now;
    GTEST_SKIP() << "record written to " << kRecordPath;
  }
  std::ifstream in(kRecordPath, std::ios::binary);
  ASSERT_TRUE(in) << kRecordPath;
  std::istringstream current(now);
  std::string want, got;
  int line = 0, differing = 0;
  while (std::getline(in, want)) {
    ++line;
    if (!std::getline(current, got)) got = "(missing)";
    if (want != got && ++differing <= 5) {
      ADD_FAILURE() << "line " << line << "\nrecord: " << want.substr(0, 300)
                    << "\nnow:    " << got.substr(0, 300);
    }
  }
  EXPECT_EQ(differing, 0);
  EXPECT_FALSE(std::getline(current, got)) << "more lines than the record";
}

}  // namespace
}  // namespace talvair
