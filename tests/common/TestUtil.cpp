#include "common/TestUtil.h"

#include <QTest>

#include <QDir>
#include <QFile>

namespace testutil {

QString MakeFile(const QString& dir, const QString& name, const QByteArray& content)
{
    const QString path = dir + u'/' + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
    return path;
}

bool WaitFor(const std::function<bool()>& done, int ms)
{
    for (int waited = 0; waited < ms && !done(); waited += 10)
        QTest::qWait(10);
    return done();
}

QStringList NamesIn(const QString& dir)
{
    QStringList names = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

} // namespace testutil
