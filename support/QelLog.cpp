#include "support/QelLog.h"

#include "platform/CodePage.h"
#include "platform/TestSeam.h"
#include "support/QelFile.h"

#include <QFile>
#include <QLocale>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace qel {

namespace {

plat::TTestSeam<TLogClock>& Clock()
{
    static plat::TTestSeam<TLogClock> seam;
    return seam;
}

QDateTime Now()
{
    const TLogClock clock = Clock().Get();
    return clock ? clock() : QDateTime::currentDateTime();
}

QByteArray BuildRecord(const QString& from, const QString& message)
{
    const QDateTime now = Now();
    const QLocale locale = QLocale::system();
    const QString record = QStringLiteral("\r\ntime: ") + locale.toString(now.date(), QLocale::ShortFormat)
                           + u' ' + locale.toString(now, locale.timeFormat(QLocale::LongFormat))
                           + QStringLiteral("\r\nfrom: ") + from + QStringLiteral("\r\nmessage: ") + message
                           + QStringLiteral("\r\n");
    return plat::ToAnsi(record);
}

// Opens the log for appending; creates it only when it does not exist, so an
// existing log is never replaced by an empty one.
int OpenLog(const QByteArray& path)
{
    int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    }
    return fd;
}

} // namespace

void WriteLog(const QString& from, const QString& message)
{
    const QByteArray record = BuildRecord(from, message);
    const int fd = OpenLog(QFile::encodeName(GetAppPath() + QStringLiteral("debug_log.txt")));
    if (fd < 0)
        return;
    // No sharing: a second writer that comes in meanwhile loses its record.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        ssize_t n;
        do
            n = ::write(fd, record.constData(), static_cast<size_t>(record.size()));
        while (n < 0 && errno == EINTR);
    }
    ::close(fd);
}

TLogClock SetLogClock(TLogClock clock)
{
    return Clock().Swap(std::move(clock));
}

} // namespace qel
