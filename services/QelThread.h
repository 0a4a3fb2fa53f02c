#pragma once

#include <atomic>
#include <functional>

// The work a TQelThread runs once: usually a lambda or a bound member
// function. Whatever it captures must stay valid until it has returned;
// capture shared state (std::shared_ptr), not a window's `this`.
using TQelThreadProc = std::function<void()>;

// A fire-and-forget worker: runs `Proc` once, then deletes itself. Nobody
// waits for it, and the pointer must not be used once it has started.
class TQelThread {
public:
    // CreateSuspended false starts the thread at once (with the `Proc` and
    // `Sync` it has then: none); true waits for Start().
    explicit TQelThread(bool CreateSuspended);
    TQelThread(const TQelThread&) = delete;
    TQelThread& operator=(const TQelThread&) = delete;

    // Written by the creator before Start().
    TQelThreadProc Proc;
    // true: Proc runs on the GUI thread while the worker waits for it.
    bool Sync = false;

    // Starts the thread once; later calls do nothing. Raises
    // std::system_error when no thread can be created.
    void Start();

    // Worker threads created and not yet deleted (for tests and shutdown).
    static int LiveCount();

private:
    friend TQelThread* CreateQelThread(TQelThreadProc Proc, bool Sync);
    ~TQelThread();
    void Execute();
    void Do();

    bool FStarted = false;
};

// Creates a suspended TQelThread, stores Sync, then Proc, and starts it.
// With Sync true the GUI thread must keep running its event loop until Proc
// has run there; it must not wait for the worker.
TQelThread* CreateQelThread(TQelThreadProc Proc, bool Sync);
