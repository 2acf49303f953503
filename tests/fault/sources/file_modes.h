#pragma once

namespace varlo::testing {

// Makes this thread, and the threads it starts from now on, obey file modes as any user does
// although it runs as root: the capabilities that let root read a file of mode 000 are taken
// out of the effective set. Nothing when not root. Returns false when the kernel refused.
bool ObeyFileModes();

}  // namespace varlo::testing
