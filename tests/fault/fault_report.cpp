#include "tests/fault/fault_report.h"

#include <cstdlib>

#include "common/atomic_file.h"

namespace varlo::testing {

std::string FaultReportFolder() {
  const char* folder = std::getenv("VARLO_FAULT_REPORT_DIR");
  return folder && *folder ? folder : VARLO_FAULT_REPORT_DIR;
}

void ReportFaultGroup(const std::string& group, bool held, const std::string& line) {
  // Tab-separated so that the summary can read the status without parsing the text.
  WriteFileAtomic(FaultReportFolder() + "/" + group + ".txt",
                  std::string(held ? "ok" : "FAIL") + "\t" + line + "\n");
}

}  // namespace varlo::testing
