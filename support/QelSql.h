#pragma once

#include "platform/StringList.h"

#include <QString>

// Text of simple SQL statements from a table name, column and value lists and
// optional WHERE / ORDER BY clauses.
//
// These functions only paste text together: they quote no identifier and
// escape no value (a value is merely put between single quotes, so O'Brien
// stays O'Brien and ends the literal early). Never feed them input from a
// user or a file; a database call with outside data needs bound parameters.
//
// List entries are taken whole by position. An empty column list (and, for
// the insert, an empty value list; for the update, a value list shorter than
// the column list) raises the list's std::out_of_range. Every statement ends
// with ";", separators carry no blanks.
namespace qel {

// The entries joined by ",".
QString SqlMakeValues(TStrings* list);

// INSERT INTO table (c1,c2) VALUES ('v1','v2');
QString SqlMakeInsert(const QString& table, TStrings* columns, TStrings* values);

// SELECT c1,c2 FROM table[ WHERE condition][ ORDER BY order];
QString SqlMakeSelect(const QString& table, TStrings* columns, const QString& condition, const QString& order);

// UPDATE table SET c1='v1',c2='v2'[ WHERE condition]; surplus values are ignored.
QString SqlMakeUpdate(const QString& table, TStrings* columns, TStrings* values, const QString& condition);

// DELETE FROM table[ WHERE condition];
QString SqlMakeDelete(const QString& table, const QString& condition);

} // namespace qel
