#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

namespace qel {

// Appends one record to "debug_log.txt" in the application's folder:
// "\r\ntime: <short date> <long time>\r\nfrom: <from>\r\nmessage: <message>\r\n",
// in the ANSI code page, in one write. The file is held exclusively while the
// record is written; a call that finds it held by another writer, or cannot
// open it, drops its record. An existing log is never truncated: only a
// missing file is created. Nothing is reported.
void WriteLog(const QString& from, const QString& message);

// Test seam: while set, the record's date and time come from `clock` instead
// of the system clock. Returns the clock that was set before.
using TLogClock = std::function<QDateTime()>;
TLogClock SetLogClock(TLogClock clock);

} // namespace qel
