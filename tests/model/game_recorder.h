// A player of whole games for tests.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/game.h"

namespace talvair {

// Records what the model asks of the windows and what it announces.
class Recorder : public GameHost, public GameEvents {
 public:
  std::array<std::string, 5> decisions = {"0", "0.09", "0.1", "9", "0.6"};
  std::vector<std::string> log;
  std::vector<std::string> messages;

  std::string DecisionText(int box) override {
    return decisions.at(static_cast<std::size_t>(box - 1));
  }
  void ShowMessage(const std::string& text) override {
    messages.push_back(text);
    log.push_back("message");
  }
  void DeactivateRun() override { log.push_back("DeactivateRun"); }
  void DisableGoBack() override { log.push_back("DisableGoBack"); }
  void UpdateAllGraphs() override { log.push_back("graphs"); }

  void PeriodComplete(int16_t period, const std::string&) override {
    log.push_back("PeriodComplete " + std::to_string(period));
  }
  void Back(int16_t period, const std::string&) override {
    log.push_back("Back " + std::to_string(period));
  }
  void Restarted() override { log.push_back("Restarted"); }
  void BackBeforeStart(int16_t period, const std::string&, int16_t& runPeriod) override {
    log.push_back("BackBeforeStart " + std::to_string(period) + " " + std::to_string(runPeriod));
  }
  void Error(int32_t code, int32_t area) override {
    log.push_back("Error " + std::to_string(code) + " " + std::to_string(area));
  }
  void GameOver(int16_t period, const std::string&) override {
    log.push_back("GameOver " + std::to_string(period));
  }
  void DataChange() override { log.push_back("DataChange"); }
};

struct Player {
  Player() {
    g.SetHost(&rec);
    g.Subscribe(&rec);
  }
  // Applies the recorder's decisions and runs `quarters` with the given run length.
  void Run(int16_t runLength) {
    g.RunPeriod(runLength);
    g.ApplyDecisions();
    g.GoForward();
  }
  game g;
  Recorder rec;
};

}  // namespace talvair
