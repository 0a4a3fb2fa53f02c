#include "ui/RenameTexts.h"

#include "platform/FileRename.h"

#include <QFile>

#include <cerrno>

QString PlanStatusText(const TPlanCounts& counts)
{
    return QStringLiteral("将重命名 %1 个文件，%2 个未改变，%3 个冲突")
        .arg(counts.Renamed)
        .arg(counts.Unchanged)
        .arg(counts.Refused);
}

QString ApplyStatusText(int renamed, int failed)
{
    return QStringLiteral("已重命名 %1 个文件，%2 个失败").arg(renamed).arg(failed);
}

QString UndoStatusText(int restored, int failed)
{
    return QStringLiteral("已恢复 %1 个文件，%2 个失败").arg(restored).arg(failed);
}

namespace {

QString TakenText(const QString& holder)
{
    return QStringLiteral("“%1”已存在，不会覆盖它").arg(holder);
}

// What is wrong with `name` as a file name on a file system that takes
// names of at most `maxNameBytes` bytes.
QString InvalidNameText(const QString& name, int maxNameBytes)
{
    if (name.isEmpty())
        return QStringLiteral("新文件名为空");
    if (name == u"." || name == u"..")
        return QStringLiteral("新文件名不能是“%1”").arg(name);
    if (name.contains(u'/'))
        return QStringLiteral("新文件名不能含有“/”");
    if (name.contains(QChar(0)))
        return QStringLiteral("新文件名不能含有空字符");
    if (QFile::encodeName(name).size() > maxNameBytes)
        return QStringLiteral("新文件名过长（最多 %1 字节）").arg(maxNameBytes);
    return QStringLiteral("新文件名无效");
}

} // namespace

QString PlanReason(const TRenamePlan& plan, int row, const QString& newName, const QStringList& fileNames)
{
    if (row < 0 || std::size_t(row) >= plan.Rows.size())
        return QString();
    const TPlanRow& r = plan.Rows[std::size_t(row)];
    switch (r.Outcome) {
    case TPlanOutcome::TargetTaken:
        return TakenText(plan.HolderName(r));
    case TPlanOutcome::Duplicate:
        return QStringLiteral("与第 %1 行“%2”的新文件名重复").arg(r.Holder + 1).arg(fileNames.value(r.Holder));
    case TPlanOutcome::InvalidName:
        return InvalidNameText(newName, plan.MaxNameBytes);
    default:
        return QString();
    }
}

QString RenameErrorText(int err, const QString& newName)
{
    if (err == EEXIST)
        return TakenText(newName);
    return plat::ErrorText(err);
}

QString UndoFailureText(const TRenameJournal::TFailure& failure)
{
    if (failure.Error == EEXIST)
        return QStringLiteral("原来的文件名已被另一个文件占用，不会覆盖它");
    return failure.Reason;
}
