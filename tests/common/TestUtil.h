#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

// Readable QString values in GoogleTest messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << '[' << l.join(QStringLiteral(", ")).toStdString() << ']';
}

namespace testutil {

// A test that works in a fresh, empty folder of its own: `d`, without a
// final "/". The folder and what the test left in it go with the test.
struct TFolderTest : ::testing::Test {
    QTemporaryDir tmp;
    QString d;
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        d = tmp.path();
    }
};

// Creates `name` inside `dir` holding `content`; returns its full path.
QString MakeFile(const QString& dir, const QString& name, const QByteArray& content = QByteArray());

// Runs the event loop (deferred deletions included) until `done` holds or
// about `ms` milliseconds have passed; whether it holds.
bool WaitFor(const std::function<bool()>& done, int ms = 5000);

// File names in `dir` (hidden ones included, "." and ".." not), sorted.
QStringList NamesIn(const QString& dir);

// Content of a file, or a null QByteArray when it cannot be read.
QByteArray ReadAll(const QString& path);

} // namespace testutil
