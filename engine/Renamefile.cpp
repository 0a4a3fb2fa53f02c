#include "engine/Renamefile.h"

#include "platform/FileRename.h"
#include "support/QelFile.h"

#include <memory>

namespace {

// Maps the characters [from, to) of `s` in place, each on its own. A
// character outside the BMP is mapped as one code point only when its image is
// outside the BMP too, so the length holds.
void MapCaseIn(QString& s, qsizetype from, qsizetype to, bool upper)
{
    char16_t* d = reinterpret_cast<char16_t*>(s.data());
    for (qsizetype i = from; i < to; ++i) {
        const char16_t c = d[i];
        if (c < 0x80) {
            if (upper && c >= 'a' && c <= 'z')
                d[i] = c - 32;
            else if (!upper && c >= 'A' && c <= 'Z')
                d[i] = c + 32;
        } else if (QChar::isHighSurrogate(c) && i + 1 < to && QChar::isLowSurrogate(d[i + 1])) {
            const char32_t cp = QChar::surrogateToUcs4(c, d[i + 1]);
            const char32_t mapped = upper ? QChar::toUpper(cp) : QChar::toLower(cp);
            if (QChar::requiresSurrogates(mapped)) {
                d[i] = QChar::highSurrogate(mapped);
                d[i + 1] = QChar::lowSurrogate(mapped);
            }
            ++i;
        } else if (!QChar::isSurrogate(c)) {
            d[i] = upper ? QChar::toUpper(c) : QChar::toLower(c);
        }
    }
}

bool IsAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
}

} // namespace

void TRenameFile::SetFullName(const QString& path)
{
    SetFullName(path, nullptr);
}

void TRenameFile::SetFullName(const QString& path, const TRenameFile* previous)
{
    FullName = path;
    NewFullName.clear();

    const qsizetype slash = path.lastIndexOf(u'/');
    // The directory is everything before the last "/", plus one "/". Where
    // that "/" is the first character or follows another one (the root,
    // doubled separators) the directory keeps it and gets one more.
    QString dir;
    if (slash < 0)
        dir = QStringLiteral("./");   // a bare name lives in the working folder, not in "/"
    else if (slash >= 1 && path[slash - 1] != u'/')
        dir = path.left(slash + 1);
    else
        dir = path.left(slash + 1) + u'/';
    // Entries of one folder share one copy of its path and of common extensions.
    Dir = previous && previous->Dir == dir ? previous->Dir : std::move(dir);

    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot > slash) {
        const QStringView ext = QStringView(path).mid(dot);
        ExtName = previous && previous->ExtName == ext ? previous->ExtName : ext.toString();
    } else {
        ExtName.clear();
    }
    FileName = path.mid(slash + 1);
    BaseName = ExtName.isEmpty() ? FileName : FileName.left(FileName.size() - ExtName.size());
}

QString TRenameFile::MakeName(const QString& base, const QString& ext, bool rename, bool& failed)
{
    return Finish(base + ext, rename, failed);
}

QString TRenameFile::Finish(QString name, bool rename, bool& failed)
{
    if (!rename)
        return name;
    // A name with a "/" or NUL, or "." or "..", would move or lose the file.
    const int err = plat::IsValidFileName(name) ? plat::RenameNoReplace(FullName, Dir + name) : -1;
    failed = err != 0;
    if (failed)
        NewFullName.clear();
    else
        NewFullName = Dir + name;
    return name;
}

// The operations below build the new name in one piece (base followed by
// extension) and edit it there: a preview of 100,000 files then costs one
// string each.

QString TRenameFile::FirstLetterCase(bool upper, bool rename, bool& failed)
{
    QString name = FileName;
    for (qsizetype i = 0; i < BaseName.size(); ++i) {
        if (IsAsciiLetter(name[i])) {
            name[i] = upper ? name[i].toUpper() : name[i].toLower();
            break;
        }
    }
    return Finish(std::move(name), rename, failed);
}

QString TRenameFile::CaseOf(bool baseName, bool upper, bool rename, bool& failed)
{
    QString name = FileName;
    if (baseName)
        MapCaseIn(name, 0, BaseName.size(), upper);
    else
        MapCaseIn(name, BaseName.size(), name.size(), upper);
    return Finish(std::move(name), rename, failed);
}

QString TRenameFile::BaseNameUpper(bool rename, bool& failed)
{
    return CaseOf(true, true, rename, failed);
}

QString TRenameFile::BaseNameLower(bool rename, bool& failed)
{
    return CaseOf(true, false, rename, failed);
}

QString TRenameFile::BaseNameFirstUpper(bool rename, bool& failed)
{
    return FirstLetterCase(true, rename, failed);
}

QString TRenameFile::ExtNameUpper(bool rename, bool& failed)
{
    return CaseOf(false, true, rename, failed);
}

QString TRenameFile::ExtNameLower(bool rename, bool& failed)
{
    return CaseOf(false, false, rename, failed);
}

QString TRenameFile::NewExtName(const QString& ext, bool rename, bool& failed)
{
    return MakeName(BaseName, ext, rename, failed);
}

QString TRenameFile::NewBaseName(const QString& base, bool rename, bool& failed)
{
    return MakeName(base, ExtName, rename, failed);
}

QString TRenameFile::ReplaceString(const QString& find, const QString& replace, bool rename, bool& failed)
{
    qsizetype at = find.isEmpty() ? -1 : BaseName.indexOf(find, 0, Qt::CaseSensitive);
    if (at < 0)
        return Finish(FileName, rename, failed);
    QString name;
    name.reserve(FileName.size() + 4 * (replace.size() + 1));
    qsizetype from = 0;
    while (at >= 0) {
        name.append(QStringView(BaseName).mid(from, at - from)).append(replace);
        from = at + find.size();
        at = BaseName.indexOf(find, from, Qt::CaseSensitive);
    }
    name.append(QStringView(BaseName).mid(from)).append(ExtName);
    return Finish(std::move(name), rename, failed);
}

QString TRenameFile::RemoveString(const QString& str, bool rename, bool& failed)
{
    return ReplaceString(str, QString(), rename, failed);
}

QString TRenameFile::RemoveStringExt(int first, int num, bool rename, bool& failed)
{
    // Values below 1 / below 0 never come from the window; treat them as the
    // nearest meaningful ones rather than index outside the name.
    const qsizetype len = BaseName.size();
    const qsizetype headLen = std::clamp<qsizetype>(qsizetype(first) - 1, 0, len);
    const qsizetype tailFrom = std::clamp<qsizetype>(qsizetype(first) - 1 + std::max(num, 0), headLen, len);
    QString name;
    name.reserve(FileName.size() - (tailFrom - headLen));
    name.append(QStringView(FileName).left(headLen)).append(QStringView(FileName).mid(tailFrom));
    return Finish(std::move(name), rename, failed);
}

QString TRenameFile::InsertString(const QString& str, int pos, bool rename, bool& failed)
{
    const qsizetype len = BaseName.size();
    if (qsizetype(pos) > len + 1)
        return FileName;
    const qsizetype at = pos <= 0 ? 0 : pos - 1;
    QString name;
    name.reserve(FileName.size() + str.size());
    name.append(QStringView(FileName).left(at)).append(str).append(QStringView(FileName).mid(at));
    return Finish(std::move(name), rename, failed);
}

TRenameFiles::TRenameFiles() : Items(new qel::TItems<TRenameFile>), FileList(new TStringList) {}

TRenameFiles::~TRenameFiles()
{
    delete Items;
    delete FileList;
}

void TRenameFiles::LoadFiles(const QString& dir, const QString& mask)
{
    Items->Clear();
    FileList->Clear();
    qel::GetFileList(FileList, dir + mask, 128);
    const int n = FileList->Count();
    Items->Reserve(n);
    const TRenameFile* previous = nullptr;
    for (int i = 0; i < n; ++i) {
        auto item = std::make_unique<TRenameFile>();
        item->SetFullName(FileList->Strings(i), previous);
        previous = item.get();
        Items->Add(item.get());
        item.release();
    }
}
