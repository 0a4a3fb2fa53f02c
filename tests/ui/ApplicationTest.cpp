#include "WindowTestUtil.h"

#include "ui/Application.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTranslator>
#include <stdexcept>

namespace {

struct TThrowCase {
    const char* Name;
    std::function<void()> Throw;
    QString Shown;
};

TEST(Application, AnExceptionLeavingAHandlerIsShownAndStopsThere)
{
    QApplication::setApplicationDisplayName(QStringLiteral("Ralvinor"));
    const TThrowCase cases[] = {
        {"Exception", [] { throw Exception(QStringLiteral("无法读取文件夹")); }, QStringLiteral("无法读取文件夹")},
        {"StandardException", [] { throw std::runtime_error("disk gone"); }, QStringLiteral("disk gone")},
        {"AnythingElse", [] { throw 42; }, QString()},
    };
    for (const TThrowCase& c : cases) {
        uitest::TBoxSeen seen;
        uitest::AnswerBox(QMessageBox::Ok, &seen);
        EXPECT_FALSE(TApplication::RunGuarded(c.Throw)) << c.Name;
        EXPECT_TRUE(seen.Seen) << c.Name;
        EXPECT_EQ(seen.Text, c.Shown) << c.Name;
        EXPECT_EQ(seen.Title, QStringLiteral("Ralvinor")) << c.Name;
        EXPECT_EQ(seen.Icon, QMessageBox::Critical) << c.Name;
    }
    int ran = 0;
    EXPECT_TRUE(TApplication::RunGuarded([&ran] { ++ran; }));
    EXPECT_EQ(ran, 1);
}

TEST(Application, QtsOwnDialogsSpeakChinese)
{
    QTranslator* translator = TApplication::InstallQtTranslations(qApp);
    ASSERT_NE(translator, nullptr) << "qtbase_zh_CN is missing (Debian qt6-translations-l10n)";
    const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
    EXPECT_NE(cancel, QStringLiteral("Cancel"));
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

// The program itself, started where no display can be reached, says so and
// ends without crashing.
TEST(Application, WithoutADisplayTheProgramSaysWhatIsMissing)
{
    const QString exe = QCoreApplication::applicationDirPath() + QStringLiteral("/../ui/ralvinor");
    if (!QFileInfo(exe).isExecutable())
        GTEST_SKIP() << "the program is not built next to the tests";
    for (const char* display : {"", ":4711"}) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        if (*display)
            env.insert(QStringLiteral("DISPLAY"), QLatin1String(display));
        else
            env.remove(QStringLiteral("DISPLAY"));
        p.setProcessEnvironment(env);
        p.start(exe, {});
        ASSERT_TRUE(p.waitForFinished(60000)) << display;
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << display;
        EXPECT_EQ(p.exitCode(), 1) << display;
        EXPECT_TRUE(p.readAllStandardError().contains("needs a graphical desktop")) << display;
    }
}

} // namespace
