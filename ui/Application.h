#pragma once

#include "platform/Exception.h"

#include <QApplication>
#include <exception>

class QTranslator;

// The application object. Whatever an event handler throws ends here: its
// message is shown and the program goes on.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the message of an exception in an error box titled with the
    // application's title.
    static void ShowException(const Exception& e);

    // Runs `handler`; an exception leaving it is shown with ShowException and
    // goes no further. Window handlers are connected through this so that no
    // exception unwinds through Qt's own frames. Returns false after one.
    template <typename F>
    static bool RunGuarded(F&& handler)
    {
        std::exception_ptr thrown;
        try {
            handler();
        } catch (...) {
            thrown = std::current_exception();
        }
        if (!thrown)
            return true;
        // Shown outside the catch block: the box runs a modal loop.
        ShowException(ToException(thrown));
        return false;
    }

    // An Exception as it is; a standard exception with its description as
    // the message; anything else with an empty message.
    static Exception ToException(std::exception_ptr thrown);

    // Installs Qt's Chinese translations, so that its standard dialogs speak
    // the program's language. Returns the installed translator, or null when
    // the translations are not there.
    static QTranslator* InstallQtTranslations(QCoreApplication* app);
};

// A slot for connect() that runs `f` through TApplication::RunGuarded.
template <typename F>
auto Guarded(F f)
{
    return [f](auto&&...) { TApplication::RunGuarded(f); };
}
