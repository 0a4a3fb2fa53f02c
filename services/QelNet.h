#pragma once

#include <QString>
#include <atomic>
#include <functional>
#include <memory>

namespace qel {

// Whether a connection to the host and port that `url` names can be opened
// now (http or https; for https the TLS handshake must succeed too). The
// path and query play no part. Loads the system's libcurl at run time; false
// when it cannot be loaded or lacks an entry. Never raises; gives up after
// five seconds.
bool CheckNetPass(const QString& url);

// Test seam: while set, CheckNetPass() returns what `handler` answers for
// the address instead of probing. It is called on worker threads. Returns
// the handler that was set before.
using TNetCheckHandler = std::function<bool(const QString& url)>;
TNetCheckHandler SetNetCheckHandler(TNetCheckHandler handler);

// CheckNetPass() with the library named by `library` instead of the
// system's libcurl (the test seam does not apply).
bool CheckNetPassWith(const QString& library, const QString& url);

// The same probe through the libcurl the program is linked with.
bool CheckInternetConnection(const QString& url);

// Flags of a start-up probe, shared by the window that polls them and the
// worker that writes them (hold them in a std::shared_ptr so that they
// outlive the window). Written with release, read with acquire.
struct TNetProbeFlags {
    std::atomic<bool> Checking {false}; // a probe is running
    std::atomic<bool> Passed {false};   // the last finished probe reached the site
};

// One probe, on the calling thread: Checking true, CheckNetPass(url),
// Passed = its result, Checking false.
void RunNetProbe(TNetProbeFlags& flags, const QString& url);

// Unless a probe is running, marks one as running and starts RunNetProbe()
// on a new worker thread that keeps `flags` alive. Returns whether it
// started one. Marking it here, not on the worker, means two calls in quick
// succession never start two probes.
bool StartNetProbe(const std::shared_ptr<TNetProbeFlags>& flags, const QString& url);

} // namespace qel
