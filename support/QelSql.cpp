#include "support/QelSql.h"

namespace qel {

QString SqlMakeValues(TStrings* list)
{
    QString out;
    const int last = list->Count() - 1;
    for (int i = 0; i < last; ++i)
        out += list->Strings(i) + u',';
    out += list->Strings(last);
    return out;
}

QString SqlMakeInsert(const QString& table, TStrings* columns, TStrings* values)
{
    QString out = QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (");
    out += SqlMakeValues(columns);
    out += QStringLiteral(") VALUES (");
    const int last = values->Count() - 1;
    for (int i = 0; i < last; ++i)
        out += u'\'' + values->Strings(i) + QStringLiteral("',");
    out += u'\'' + values->Strings(last) + u'\'';
    out += QStringLiteral(");");
    return out;
}

QString SqlMakeSelect(const QString& table, TStrings* columns, const QString& condition, const QString& order)
{
    QString out = QStringLiteral("SELECT ") + SqlMakeValues(columns) + QStringLiteral(" FROM ") + table;
    if (!condition.isEmpty())
        out += QStringLiteral(" WHERE ") + condition;
    if (!order.isEmpty())
        out += QStringLiteral(" ORDER BY ") + order;
    out += u';';
    return out;
}

QString SqlMakeUpdate(const QString& table, TStrings* columns, TStrings* values, const QString& condition)
{
    QString out = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ");
    const int last = columns->Count() - 1;
    for (int i = 0; i < last; ++i)
        out += columns->Strings(i) + QStringLiteral("='") + values->Strings(i) + QStringLiteral("',");
    out += columns->Strings(last) + QStringLiteral("='") + values->Strings(last) + u'\'';
    if (!condition.isEmpty())
        out += QStringLiteral(" WHERE ") + condition;
    out += u';';
    return out;
}

QString SqlMakeDelete(const QString& table, const QString& condition)
{
    QString out = QStringLiteral("DELETE FROM ") + table;
    if (!condition.isEmpty())
        out += QStringLiteral(" WHERE ") + condition;
    out += u';';
    return out;
}

} // namespace qel
