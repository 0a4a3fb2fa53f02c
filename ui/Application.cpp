#include "ui/Application.h"

#include "support/QelDialogs.h"

#include <QLibraryInfo>
#include <QTranslator>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
}

Exception TApplication::ToException(std::exception_ptr thrown)
{
    try {
        std::rethrow_exception(thrown);
    } catch (const Exception& e) {
        return e;
    } catch (const std::exception& e) {
        return Exception(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return Exception();
    }
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    bool result = false;
    RunGuarded([&] { result = QApplication::notify(receiver, event); });
    return result;
}

void TApplication::ShowException(const Exception& e)
{
    qel::ErrorBox(e.Message(), QGuiApplication::applicationDisplayName());
}

QTranslator* TApplication::InstallQtTranslations(QCoreApplication* app)
{
    auto* translator = new QTranslator(app);
    const QString name = QStringLiteral("qtbase_zh_CN");
    if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && !translator->load(name, QStringLiteral("/usr/share/qt6/translations"))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}
