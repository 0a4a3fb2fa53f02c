// A tiny shared library standing in for an in-process server. Built once
// with the registration entries and once without (then it exports nothing);
// each entry notes its call in the file named by RALVINOR_COMSERVER_LOG.
#ifdef RALVINOR_WITH_ENTRIES
#include <cstdio>
#include <cstdlib>

namespace {

void Note(const char* what)
{
    const char* log = std::getenv("RALVINOR_COMSERVER_LOG");
    if (!log)
        return;
    if (FILE* f = std::fopen(log, "a")) {
        std::fputs(what, f);
        std::fputc('\n', f);
        std::fclose(f);
    }
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) long DllRegisterServer()
{
    Note("register");
    return 0;
}

__attribute__((visibility("default"))) long DllUnregisterServer()
{
    Note("unregister");
    return 0;
}

} // extern "C"
#endif
