// What the model object announces. Subscribers override what they need.
#pragma once

#include <cstdint>
#include <string>

namespace talvair {

class GameEvents {
 public:
  virtual ~GameEvents() = default;
  virtual void PeriodComplete(int16_t /*period*/, const std::string& /*periodDescription*/) {}
  virtual void Back(int16_t /*period*/, const std::string& /*periodDescription*/) {}
  virtual void Restarted() {}
  // The run length is the object's own and may be changed by a subscriber.
  virtual void BackBeforeStart(int16_t /*period*/, const std::string& /*periodDescription*/,
                               int16_t& /*runPeriod*/) {}
  virtual void Error(int32_t /*errCode*/, int32_t /*errArea*/) {}
  virtual void GameOver(int16_t /*period*/, const std::string& /*periodDescription*/) {}
  virtual void DataChange() {}
  virtual void GameLoaded(int16_t /*resultCode*/) {}
  virtual void Saving(int16_t /*value*/, int16_t /*maxValue*/) {}
  virtual void Loading(int16_t /*value*/, int16_t /*maxValue*/) {}
  virtual void GameSaved() {}
};

}  // namespace talvair
