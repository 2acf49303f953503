#pragma once
#include <string>

namespace varlo::testing {

// Records the one line a fault group shows in the harness's summary, e.g.
// "writers: 11 files x 7 faults, 0 lost, 0 temporaries left". `held` is false when anything
// was lost or left behind. One test case per group reports; a later report replaces it.
void ReportFaultGroup(const std::string& group, bool held, const std::string& line);

// The folder the reports go to: $VARLO_FAULT_REPORT_DIR, else the build's own.
std::string FaultReportFolder();

}  // namespace varlo::testing
