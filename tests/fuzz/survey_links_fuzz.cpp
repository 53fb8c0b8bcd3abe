// libFuzzer entry for the survey-links reader; scripts/fuzz.sh builds and runs it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "survey_links_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string broken = talvair::storage::CheckSurveyLinksReader(
      std::string_view(reinterpret_cast<const char*>(data), size));
  if (!broken.empty()) {
    std::fprintf(stderr, "survey-links reader: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
