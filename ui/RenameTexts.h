#pragma once

#include "engine/RenameJournal.h"
#include "engine/RenamePlan.h"

#include <QString>
#include <QStringList>

// What the window tells the user about a rename pass, in its own words.

// "将重命名 N 个文件，M 个未改变，K 个冲突"
QString PlanStatusText(const TPlanCounts& counts);
// "已重命名 N 个文件，K 个失败"
QString ApplyStatusText(int renamed, int failed);
// "已恢复 N 个文件，K 个失败"
QString UndoStatusText(int restored, int failed);

// Why the plan refuses row `row`: the file in the way, the earlier row that
// takes the name first (by number and current name), or what is wrong with
// the name. `fileNames` are the rows' current names.
QString PlanReason(const TRenamePlan& plan, int row, const QString& newName, const QStringList& fileNames);

// Why the rename to `newName` failed where the plan saw no obstacle: a file
// that appeared meanwhile, otherwise the system's own text.
QString RenameErrorText(int err, const QString& newName);

// Why a file could not get its old name back, as the journal reports it.
QString UndoFailureText(const TRenameJournal::TFailure& failure);
