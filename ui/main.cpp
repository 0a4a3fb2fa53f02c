#include "platform/Exception.h"
#include "platform/Heap.h"
#include "ui/Application.h"
#include "ui/DisplayCheck.h"
#include "ui/Mainformfm.h"
#include "ui/Skinctrldm.h"

#include <clocale>
#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    QString why;
    if (!DisplayAvailable(&why)) {
        std::fprintf(stderr,
                     "Ralvinor needs a graphical desktop, and there is none: %s.\n"
                     "Start it from a desktop session, or under a virtual one: xvfb-run -a %s\n",
                     why.toLocal8Bit().constData(), argc > 0 ? argv[0] : "ralvinor");
        return 1;
    }
    std::setlocale(LC_ALL, "");
    plat::KeepFreedHeap();

    TApplication app(argc, argv);
    std::unique_ptr<TMainForm> mainForm;
    try {
        QApplication::setApplicationName(QStringLiteral("Ralvinor"));
        QApplication::setApplicationDisplayName(QStringLiteral("Ralvinor"));
        TApplication::InstallQtTranslations(&app);
        SkinCtrlModule = new TSkinCtrlModule(&app);
        mainForm = std::make_unique<TMainForm>();
        MainForm = mainForm.get();
        MainForm->show();
        app.exec();
    } catch (const Exception& e) {
        TApplication::ShowException(e);
    } catch (...) {
        TApplication::ShowException(Exception());
    }
    MainForm = nullptr;
    return 0;
}
