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

namespace {
// Outside strict delimiting every character up to the blank ends an item.
bool IsBlankOrControl(QChar c)
{
    return c.unicode() <= 0x20;
}
} // namespace

QString TStringList::DelimitedText() const
{
    if (FItems.size() == 1 && FItems.front().isEmpty())
        return QString(2, FQuoteChar);
    QString out;
    for (qsizetype i = 0; i < FItems.size(); ++i) {
        const QString& s = FItems[i];
        if (i > 0)
            out += FDelimiter;
        bool quote = false;
        for (QChar c : s) {
            if (c == FQuoteChar || c == FDelimiter || IsBlankOrControl(c)) {
                quote = true;
                break;
            }
        }
        if (!quote) {
            out += s;
            continue;
        }
        out += FQuoteChar;
        for (QChar c : s) {
            out += c;
            if (c == FQuoteChar)
                out += c;
        }
        out += FQuoteChar;
    }
    return out;
}

void TStringList::SetDelimitedText(const QString& text)
{
    FItems.clear();
    const qsizetype n = text.size();
    qsizetype p = 0;
    const auto skipBlanks = [&] {
        while (p < n && IsBlankOrControl(text[p]))
            ++p;
    };
    skipBlanks();
    while (p < n) {
        QString item;
        if (text[p] == FQuoteChar) {
            ++p;
            while (p < n) {
                if (text[p] == FQuoteChar) {
                    if (p + 1 < n && text[p + 1] == FQuoteChar) {
                        item += FQuoteChar;
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text[p++];
            }
        } else {
            const qsizetype start = p;
            while (p < n && !IsBlankOrControl(text[p]) && text[p] != FDelimiter)
                ++p;
            item = text.mid(start, p - start);
        }
        FItems.append(item);
        skipBlanks();
        if (p < n && text[p] == FDelimiter) {
            if (p + 1 == n)
                FItems.append(QString());
            ++p;
            skipBlanks();
        }
    }
}
