#include "support/QelFile.h"

#include "platform/DirSearch.h"
#include "platform/TestSeam.h"
#include "support/QelDialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <climits>
#include <new>
#include <unistd.h>

namespace qel {

namespace {

struct TPatternParts {
    QString Dir;    // up to and including the last "/"
    QString Mask;
};

TPatternParts SplitPattern(const QString& pattern)
{
    const qsizetype slash = pattern.lastIndexOf(u'/');
    return {pattern.left(slash + 1), pattern.mid(slash + 1)};
}

plat::TTestSeam<TShellOpenHandler>& ShellOpenHandler()
{
    static plat::TTestSeam<TShellOpenHandler> seam;
    return seam;
}

} // namespace

void GetFileList(TStrings* list, const QString& pattern, int attr)
{
    const TPatternParts parts = SplitPattern(pattern);
    const unsigned skipMask = (plat::faHidden | plat::faSysFile | plat::faDirectory) & ~unsigned(attr);
    const plat::TDirListing found = plat::FindEntries(parts.Dir, parts.Mask);
    QStringList& out = list->List();
    out.reserve(out.size() + qsizetype(found.Count()));
    for (std::size_t i = 0; i < found.Count(); ++i) {
        if (found.Items[i].Attr & skipMask)
            continue;
        const QStringView name = found.Name(i);
        QString path;
        path.reserve(parts.Dir.size() + name.size());
        path.append(parts.Dir).append(name);
        out.append(std::move(path));
    }
}

QString GetAppPath()
{
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return QStringLiteral("./");
    const QString exe = QFile::decodeName(QByteArray(buf, n));
    return exe.left(exe.lastIndexOf(u'/') + 1);
}

qint64 GetFileSize(const QString& fileName)
{
    const TPatternParts parts = SplitPattern(fileName);
    const plat::TDirListing found = plat::FindEntries(parts.Dir, parts.Mask, true);
    if (found.Count() == 0)
        return -1;
    return found.Items.front().Size;
}

int LoadFileToBuf(QString fileName, char*& buf, int size)
{
    const QByteArray path = QFile::encodeName(fileName);
    if (::access(path.constData(), F_OK) != 0)
        return 0;
    QFile file(fileName);
    const bool opened = file.open(QIODevice::ReadOnly);
    if (size < 0) {
        const qint64 whole = GetFileSize(fileName);
        if (whole < 0 || whole > INT_MAX)
            return -1;
        size = static_cast<int>(whole);
    }
    char* data = new (std::nothrow) char[static_cast<std::size_t>(size)];
    if (!data)
        return -1;
    buf = data;
    if (!opened)
        return -1;
    qint64 total = 0;
    while (total < size) {
        const qint64 n = file.read(data + total, size - total);
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        total += n;
    }
    return static_cast<int>(total);
}

QString OpenDirDlg(const QString& caption)
{
    // Qt's own dialog rather than the desktop's, so that it speaks the
    // program's language; ReadOnly takes away its new-folder button.
    QFileDialog dlg(MainForm(), caption);
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly | QFileDialog::DontUseNativeDialog);
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    dlg.setDirectory(QDir(desktop).exists() ? desktop : QDir::homePath());
    if (dlg.exec() != QDialog::Accepted)
        return QString();
    return dlg.selectedFiles().value(0);
}

TMessage::TMessage(const QDropEvent& event) : Data(event.mimeData())
{
}

QString GetDragFileName(const TMessage& msg)
{
    if (!msg.Data || !msg.Data->hasUrls())
        return QString();
    const QUrl first = msg.Data->urls().value(0);
    return first.isLocalFile() ? first.toLocalFile() : QString();
}

TShellOpenHandler SetShellOpenHandler(TShellOpenHandler handler)
{
    return ShellOpenHandler().Swap(std::move(handler));
}

void ShellOpen(const QString& file, const QString& params, const QString& dir)
{
    if (const TShellOpenHandler handler = ShellOpenHandler().Get()) {
        handler(file, params, dir);
        return;
    }
    const QFileInfo info(file);
    if (!file.contains(QLatin1String("://")) && info.isFile() && info.isExecutable()) {
        QProcess::startDetached(file, QProcess::splitCommand(params), dir);
        return;
    }
    const QUrl url = QUrl::fromUserInput(file, dir, QUrl::AssumeLocalFile);
    if (url.isValid())
        QDesktopServices::openUrl(url);
}

} // namespace qel
