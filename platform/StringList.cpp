#include "platform/StringList.h"

#include <stdexcept>

namespace {
void CheckIndex(int index, int count)
{
    if (index < 0 || index >= count)
        throw std::out_of_range("TStringList: list index out of bounds");
}
} // namespace

const QString& TStringList::Strings(int index) const
{
    CheckIndex(index, Count());
    return FItems.at(index);
}

void TStringList::SetStrings(int index, const QString& s)
{
    CheckIndex(index, Count());
    FItems[index] = s;
}

void TStringList::Delete(int index)
{
    CheckIndex(index, Count());
    FItems.removeAt(index);
}

void TStringList::Insert(int index, const QString& s)
{
    if (index < 0 || index > Count())
        throw std::out_of_range("TStringList: list index out of bounds");
    FItems.insert(index, s);
}

QString TStringList::Text() const
{
    QString out;
    for (const QString& s : FItems) {
        out += s;
        out += QLatin1Char('\n');
    }
    return out;
}

void TStringList::SetText(const QString& text)
{
    FItems.clear();
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype i = start;
        while (i < n && text[i] != QLatin1Char('\n') && text[i] != QLatin1Char('\r'))
            ++i;
        FItems.append(text.mid(start, i - start));
        if (i < n && text[i] == QLatin1Char('\r'))
            ++i;
        if (i < n && text[i] == QLatin1Char('\n'))
            ++i;
        start = i;
    }
}
