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

    // The items joined by Delimiter(); an item holding the delimiter, the
    // quote character, a blank or a control character is quoted (inner quotes
    // doubled). A single empty item gives two quote characters.
    QString DelimitedText() const;
    // Clears the list and splits `text`: an item ends at the delimiter or at
    // any character up to the blank (U+0000..U+0020); such characters between
    // items are skipped. An item starting with the quote character runs to
    // the closing one (a doubled quote stands for one, a missing closing quote
    // runs to the end). A delimiter right at the end adds an empty item.
    void SetDelimitedText(const QString& text);

    const QStringList& List() const { return FItems; }
    QStringList& List() { return FItems; }
    void Reserve(int n) { FItems.reserve(n); }

private:
    QStringList FItems;
    QChar FDelimiter = QLatin1Char(',');
    QChar FQuoteChar = QLatin1Char('"');
};

using TStrings = TStringList;
