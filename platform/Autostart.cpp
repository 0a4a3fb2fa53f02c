#include "platform/Autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <QtGlobal>

namespace plat {

QString AutostartDir()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/autostart");
}

namespace {

QString EntryPath(const QString& name)
{
    return AutostartDir() + u'/' + name + QStringLiteral(".desktop");
}

bool EnsureDir()
{
    return QDir().mkpath(AutostartDir());
}

// Whether `name` can name an entry: not empty, and holding neither "/", NUL
// nor "..", so that NAME.desktop stays inside the autostart folder.
bool IsValidAutostartName(const QString& name)
{
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(QChar(u'\0'))
           && !name.contains(QStringLiteral(".."));
}

// Desktop-entry string escaping: \\, \n, \t, \r.
QString EscapeDesktopValue(const QString& value)
{
    QString out;
    out.reserve(value.size());
    bool leading = true;
    for (QChar c : value) {
        // Readers drop the spaces that follow "=", so leading ones are escaped.
        leading = leading && c == u' ';
        if (leading) {
            out += QStringLiteral("\\s");
            continue;
        }
        switch (c.unicode()) {
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

QString UnescapeDesktopValue(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar n = value[++i];
        switch (n.unicode()) {
        case u'\\': out += u'\\'; break;
        case u'n': out += u'\n'; break;
        case u't': out += u'\t'; break;
        case u'r': out += u'\r'; break;
        case u's': out += u' '; break;
        default: out += c; out += n;   // not a string escape: Exec quoting keeps it
        }
    }
    return out;
}

} // namespace

bool WriteAutostartEntry(const QString& name, const QString& command)
{
    if (!IsValidAutostartName(name) || !EnsureDir())
        return false;
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=%1\n"
                                        "Exec=%2\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(EscapeDesktopValue(name), EscapeDesktopValue(command));
    QSaveFile f(EntryPath(name));
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(text.toUtf8());
    return f.commit();
}

bool RemoveAutostartEntry(const QString& name)
{
    if (!IsValidAutostartName(name))
        return false;
    const QString path = EntryPath(name);
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return true;
    return QFile::remove(path);
}

std::optional<QString> ReadAutostartEntry(const QString& name)
{
    if (!IsValidAutostartName(name) || !EnsureDir())
        return std::nullopt;
    QFile f(EntryPath(name));
    if (!f.exists())
        return QString();
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    bool inMainGroup = false;
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.startsWith(u'[')) {
            inMainGroup = line == QStringLiteral("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0 || line.left(eq).trimmed() != QStringLiteral("Exec"))
            continue;
        QString raw = line.mid(eq + 1);
        // Spaces around "=" belong to the syntax, not to the value.
        while (raw.startsWith(u' '))
            raw.remove(0, 1);
        return UnescapeDesktopValue(raw);
    }
    return QString();
}

} // namespace plat
