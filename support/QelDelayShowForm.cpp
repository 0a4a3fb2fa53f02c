#include "support/QelDelayShowForm.h"

#include <QWidget>

#include <atomic>
#include <chrono>
#include <thread>

namespace qel {

namespace {

quint32 SteadyTicks()
{
    using namespace std::chrono;
    return quint32(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::atomic<TDelayShowForm::TTickSource> TickSource {&SteadyTicks};

quint32 Ticks()
{
    return TickSource.load()();
}

} // namespace

TDelayShowForm::TTickSource TDelayShowForm::SetTickSource(TTickSource source)
{
    return TickSource.exchange(source ? source : &SteadyTicks);
}

TDelayShowForm::TDelayShowForm(QWidget* form) : FShownAt(Ticks()), FForm(form) {}

TDelayShowForm::~TDelayShowForm()
{
    delete FForm;
}

void TDelayShowForm::Show()
{
    if (FForm) {
        FForm->show();
        FForm->repaint();
    }
    FShownAt = Ticks();
}

void TDelayShowForm::Free(quint32 delay)
{
    // Unsigned difference: correct across the counter's wrap-around.
    while (quint32(Ticks() - FShownAt) < delay)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    delete FForm;
    FForm = nullptr;
}

} // namespace qel
