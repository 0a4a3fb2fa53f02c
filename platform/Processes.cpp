#include "platform/Processes.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <unistd.h>

namespace plat {

namespace {

QByteArray ReadSmallFile(const QByteArray& path)
{
    QFile f(QString::fromLocal8Bit(path));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.read(4096);
}

QByteArray BaseName(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? path : path.mid(slash + 1);
}

bool ParsePid(const char* name, unsigned& pid)
{
    if (*name < '1' || *name > '9')
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long v = std::strtoul(name, &end, 10);
    if (errno != 0 || *end != '\0' || v > UINT_MAX)
        return false;
    pid = static_cast<unsigned>(v);
    return true;
}

} // namespace

QString ProcessExeName(unsigned pid)
{
    const QByteArray dir = "/proc/" + QByteArray::number(pid);
    char buf[PATH_MAX];
    const ssize_t n = ::readlink((dir + "/exe").constData(), buf, sizeof buf - 1);
    if (n > 0) {
        QByteArray target(buf, n);
        // An executable replaced or removed since it started.
        if (target.endsWith(" (deleted)"))
            target.chop(10);
        return QString::fromLocal8Bit(BaseName(target));
    }
    if (errno == ENOENT)   // gone, or a kernel thread
        return QString();

    QByteArray comm = ReadSmallFile(dir + "/comm");
    if (comm.endsWith('\n'))
        comm.chop(1);
    const QByteArray cmdline = ReadSmallFile(dir + "/cmdline");
    const QByteArray argv0 = BaseName(cmdline.left(cmdline.indexOf('\0')));
    if (!comm.isEmpty() && argv0.startsWith(comm))
        return QString::fromLocal8Bit(argv0);
    return QString::fromLocal8Bit(comm);
}

std::vector<TProcessEntry> ListProcesses()
{
    std::vector<unsigned> pids;
    if (DIR* d = opendir("/proc")) {
        while (dirent* e = readdir(d)) {
            unsigned pid = 0;
            if (ParsePid(e->d_name, pid))
                pids.push_back(pid);
        }
        closedir(d);
    }
    std::sort(pids.begin(), pids.end());

    std::vector<TProcessEntry> list;
    list.reserve(pids.size());
    for (unsigned pid : pids) {
        QString name = ProcessExeName(pid);
        if (!name.isEmpty())
            list.push_back({pid, std::move(name)});
    }
    return list;
}

} // namespace plat
