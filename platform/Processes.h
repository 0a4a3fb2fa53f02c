#pragma once

#include <QString>
#include <vector>

namespace plat {

struct TProcessEntry {
    unsigned Pid = 0;
    QString ExeName;   // the executable's file name, without its folder
};

// The running processes from /proc in ascending process id order. The name
// comes from the executable link; where that link may not be read (another
// user's process) it comes from the command line's first word when the
// kernel's short name agrees with it, else from the short name itself.
std::vector<TProcessEntry> ListProcesses();

// The executable file name of one process; empty when it has none (a kernel
// thread) or is gone.
QString ProcessExeName(unsigned pid);

} // namespace plat
