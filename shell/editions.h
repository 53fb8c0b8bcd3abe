// The three edition switches as chosen when building (CMake options TALVAIR_RESEARCH_EDITION,
// TALVAIR_INSTITUTION_EDITION and TALVAIR_DEBUG_STEP_DUMP), all off in the standard build.
#pragma once

namespace talvair::shell {

struct Editions {
  bool research = false;
  bool institution = false;
  bool debugStepDump = false;
};

#if !defined(TALVAIR_RESEARCH_EDITION) || !defined(TALVAIR_INSTITUTION_EDITION) || \
    !defined(TALVAIR_DEBUG_STEP_DUMP)
#error "the shell target defines the edition switches"
#endif

inline constexpr Editions kBuiltEditions{
    TALVAIR_RESEARCH_EDITION != 0, TALVAIR_INSTITUTION_EDITION != 0, TALVAIR_DEBUG_STEP_DUMP != 0};

}  // namespace talvair::shell
