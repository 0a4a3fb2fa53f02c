#pragma once

#include <QString>
#include <QStringList>

// Unsorted list of strings with the handful of members the program uses.
class TStringList {
public:
    void Add(const QString& s) { FItems.append(s); }
    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises std::out_of_range for an index outside 0 .. Count()-1.
    const QString& Strings(int index) const;
    void SetStrings(int index, const QString& s);
    void Clear() { FItems.clear(); }
    void Delete(int index);
    void Insert(int index, const QString& s);
    int IndexOf(const QString& s) const { return static_cast<int>(FItems.indexOf(s)); }

    // All lines, each followed by a line break ("\n").
    QString Text() const;
    void SetText(const QString& text);

    QChar Delimiter() const { return FDelimiter; }
    void SetDelimiter(QChar c) { FDelimiter = c; }
    QChar QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(QChar c) { FQuoteChar = c; }

    const QStringList& List() const { return FItems; }
    QStringList& List() { return FItems; }
    void Reserve(int n) { FItems.reserve(n); }

private:
    QStringList FItems;
    QChar FDelimiter = QLatin1Char(',');
    QChar FQuoteChar = QLatin1Char('"');
};

using TStrings = TStringList;
