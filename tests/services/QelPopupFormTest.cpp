#include "services/QelPopupForm.h"

#include "platform/Exception.h"
#include "support/QelFile.h"
#include "common/TestUtil.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <gtest/gtest.h>

namespace {

// The date file sits beside this test program; each test starts without it
// and leaves none behind.
class PopupAdFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
        FPath = qel::GetAppPath() + QFileInfo(exe).fileName() + "_ad.cfg";
        Clean();
    }
    void TearDown() override { Clean(); }
    void Clean()
    {
        QFile::remove(FPath);
        QDir().rmdir(FPath);
    }
    static QString Day(int offset)
    {
        return QLocale::system().toString(QDate::currentDate().addDays(offset), QLocale::ShortFormat);
    }
    void Write(const QByteArray& content)
    {
        QFile f(FPath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    QString FPath;
};

TEST_F(PopupAdFormTest, FirstCallOfTheDayOnly)
{
    EXPECT_TRUE(qel::PopupAdForm());
    EXPECT_EQ(testutil::ReadAll(FPath), (Day(0) + "\n").toUtf8());
    EXPECT_FALSE(qel::PopupAdForm());
    EXPECT_FALSE(qel::PopupAdForm());
    EXPECT_EQ(testutil::ReadAll(FPath), (Day(0) + "\n").toUtf8());
}

TEST_F(PopupAdFormTest, FirstLineDecides)
{
    struct Row {
        QByteArray Content;
        bool Due;
    };
    const Row rows[] = {
        {(Day(-1) + "\n").toUtf8(), true},         // yesterday
        {QByteArray(), true},                        // empty file
        {"not a date\n" + Day(0).toUtf8(), true},    // today, but not first
        {(Day(0) + "\r\nextra\r\n").toUtf8(), false},
        {Day(0).toUtf8(), false},                    // no line break
        {(" " + Day(0)).toUtf8(), true},             // compared exactly
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Content.toStdString());
        Write(row.Content);
        EXPECT_EQ(qel::PopupAdForm(), row.Due);
        EXPECT_EQ(testutil::ReadAll(FPath), (Day(0) + "\n").toUtf8());
    }
}

TEST_F(PopupAdFormTest, FileThatCannotBeWrittenRaises)
{
    ASSERT_TRUE(QDir().mkdir(FPath));   // a folder where the file belongs
    EXPECT_THROW(qel::PopupAdForm(), Exception);
}

TEST(PopupComponents, DefaultsAndCaptions)
{
    TQelPopupForm custom;
    EXPECT_EQ(custom.FormWidth(), 250);
    EXPECT_EQ(custom.FormHeight(), 200);
    EXPECT_EQ(custom.Caption(), QString());
    EXPECT_EQ(TQelPopupNewsForm().Caption(), QStringLiteral("网站新闻"));
    EXPECT_EQ(TQelPopupMsgForm().Caption(), QStringLiteral("消息"));
    EXPECT_EQ(TQelPopupNewsForm().Url(), QString());
    EXPECT_EQ(TQelPopupMsgForm().Msg(), QString());
}

TEST(PopupComponents, FactoryErrorsReachTheCaller)
{
    TQelPopupForm popup;
    popup.OnPopupForm = [](QObject*, QWidget*&) { throw Exception("factory failed"); };
    EXPECT_THROW(popup.Execute(), Exception);
    EXPECT_EQ(popup.PopupFormCount(), 0);
}

} // namespace
