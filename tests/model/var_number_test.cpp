// The list of variable numbers by name is written from the catalogue, and checked against it:
// var_index.h gives the names, the catalogue the number of each index.
//
// To rewrite the list after a change of the catalogue:
//   TALVAIR_WRITE_VAR_NUMBERS=1 build/tests/model_tests --gtest_filter='VarNumbers*'
#include "model/var_number.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "model/catalogue.h"

namespace talvair {
namespace {

const std::string kModelDir = std::string(TALVAIR_SOURCE_DIR) + "/model/";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string ListFromCatalogue() {
  std::map<int, std::string> names;  // by VarIndex
  const std::string indexHeader = ReadFile(kModelDir + "var_index.h");
  // Entries read "  name = index,".
  std::istringstream lines(indexHeader);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t equals = line.find(" = ");
    if (line.starts_with("  ") && equals != std::string::npos && line.ends_with(",")) {
      names[std::stoi(line.substr(equals + 3))] = line.substr(2, equals - 2);
    }
  }
  std::ostringstream out;
  out << R"(// Number (VarNumber) of every model variable, by its internal name: the number that the
// windows, saved games and the value members use. Written from var_index.h and the
// catalogue by model_tests (VarNumbers), which checks it.
#pragma once

#include <cstdint>

namespace talvair::varnum {

enum Number : int32_t {
)";
  for (int number = 1; number <= catalogue::kVarCount; ++number) {
    const int index = catalogue::VarIndexFromNumber(number);
    if (index >= 0) out << "  " << names.at(index) << " = " << number << ",\n";
  }
  out << "};\n\n}  // namespace talvair::varnum\n";
  return out.str();
}

TEST(VarNumbers, ListIsTheCatalogues) {
  const std::string expected = ListFromCatalogue();
  if (std::getenv("TALVAIR_WRITE_VAR_NUMBERS")) {
    std::ofstream(kModelDir + "var_number.h", std::ios::binary) << expected;
    GTEST_SKIP() << "list written";
  }
  EXPECT_EQ(ReadFile(kModelDir + "var_number.h"), expected);
  // The names the program itself relies on.
  static_assert(varnum::decideaircraftpurchase == 68 && varnum::talvairfare == 204 &&
                varnum::decidemarketingfraction == 70 && varnum::decidehiring == 69 &&
                varnum::target_serv_scope == 275 && varnum::liquidation_switch == 162);
}

}  // namespace
}  // namespace talvair
