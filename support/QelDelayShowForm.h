#pragma once

#include <QtGlobal>

class QWidget;

namespace qel {

// Owns a window that it shows at once and destroys no sooner than a given
// time after showing it, so that it stays visible at least that long.
class TDelayShowForm {
public:
    // Takes ownership of `form` (may be null).
    explicit TDelayShowForm(QWidget* form);
    ~TDelayShowForm();
    TDelayShowForm(const TDelayShowForm&) = delete;
    TDelayShowForm& operator=(const TDelayShowForm&) = delete;

    // Shows and paints the window, then starts the clock (also without one).
    void Show();
    // Blocks until `delay` ms have passed since Show() (since construction
    // when Show() was never called), then destroys the window. Window events
    // are not processed meanwhile.
    void Free(quint32 delay);

    QWidget* Form() const { return FForm; }

    // Millisecond tick source, wrapping at 2^32. Test seam: replaces the
    // monotonic clock while set; returns the previous source.
    using TTickSource = quint32 (*)();
    static TTickSource SetTickSource(TTickSource source);

private:
    quint32 FShownAt;
    QWidget* FForm;
};

} // namespace qel
