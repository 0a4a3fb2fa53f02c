#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <string>
#include <unistd.h>

namespace bench {

// Best of `runs` timings of `f` on `clock`, in milliseconds.
inline double BestOn(clockid_t clock, int runs, const std::function<void()>& f)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        timespec t0{}, t1{};
        clock_gettime(clock, &t0);
        f();
        clock_gettime(clock, &t1);
        best = std::min(best, (t1.tv_sec - t0.tv_sec) * 1e3 + (t1.tv_nsec - t0.tv_nsec) / 1e6);
    }
    return best;
}

// Best of `runs` wall-clock timings of `f`, in milliseconds.
inline double BestMs(int runs, const std::function<void()>& f)
{
    return BestOn(CLOCK_MONOTONIC, runs, f);
}

// The same in this thread's CPU time: on a shared machine wall-clock
// figures swing with the neighbours' load.
inline double BestCpuMs(int runs, const std::function<void()>& f)
{
    return BestOn(CLOCK_THREAD_CPUTIME_ID, runs, f);
}

inline void Report(const std::string& name, double ms, double baselineMs = 0)
{
    if (baselineMs > 0)
        std::printf("%s: %.1f ms, ratio %.2f\n", name.c_str(), ms, ms / baselineMs);
    else
        std::printf("%s: %.1f ms\n", name.c_str(), ms);
    std::fflush(stdout);
}

// A fresh folder under /tmp holding `count` empty files named like photos.
inline QString MakeFolder(int count)
{
    char tmpl[] = "/tmp/ralvinor-bench-XXXXXX";
    if (!mkdtemp(tmpl))
        std::abort();
    const QString dir = QString::fromLocal8Bit(tmpl);
    for (int i = 0; i < count; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "%s/IMG_%06d.JPG", tmpl, i);
        const int fd = ::open(name, O_CREAT | O_WRONLY, 0644);
        if (fd >= 0)
            ::close(fd);
    }
    return dir;
}

inline void RemoveFolder(const QString& dir)
{
    const std::string cmd = "rm -rf '" + dir.toStdString() + "'";
    if (std::system(cmd.c_str()) != 0)
        std::fprintf(stderr, "could not remove %s\n", dir.toLocal8Bit().constData());
}

// Resident memory of this process in bytes.
inline long long ResidentBytes()
{
    long long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%lld %lld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

} // namespace bench
