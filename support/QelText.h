#pragma once

#include "platform/StringList.h"

#include <QByteArray>
#include <QChar>
#include <QString>

// Hex and percent encoding, replacement, bit strings, boolean conversions,
// delimited lists and date arithmetic. Byte strings (QByteArray) hold text in
// the ANSI code page (see platform/CodePage.h).
namespace qel {

// Days since 30 December 1899; the fraction is the time of day.
using TDateTime = double;

// The byte value of `c` (0..255) as two upper-case hex digits.
QString CharToHex(char c);

// The byte of two hex digits (either case). Throws the int 0 for any other
// character.
char HexCharToChar(char hi, char lo);

// Each byte as two hex digits; `sep` goes between two bytes unless it is the
// zero character.
QByteArray StrToHex(const QByteArray& s, char sep);

// The same over the UTF-16 storage of `s`: two bytes per code unit, low byte
// first.
QString StrToHex(const QString& s, QChar sep);

// Every byte, letters and digits included, as "%" and two hex digits.
QByteArray UrlEncode(const QByteArray& s);

// Every occurrence of `find`, left to right, replaced by `rep`; the inserted
// text is not searched again. An empty `find` returns `s`.
QString Replace(const QString& s, const QString& find, const QString& rep);

// `wrap` + `s` + `wrap`.
QString AppendStr(const QString& s, const QString& wrap);

// The value of a string of "0" and "1", low 32 bits kept. Throws the int -1
// for any other character.
int BitToInt(const QString& bits);

// Whether exactly one bit of `n` is set.
bool Is2N(int n);

int BoolToInt(bool b);
// False only for '0'.
bool CharToBool(char c);
char BoolToChar(bool b);

// Fills `list` from ";"-delimited text (the list's delimited-text parser:
// quotes, blanks and control characters end an item).
void GetDelimiterText(TStrings* list, const QString& text);

// The list's items joined by `sep`, nothing quoted.
QString SetDelimiterText(TStrings* list, QChar sep);

// Days of the month `date` falls in; 0 for a value that is no date.
int MonthDays(TDateTime date);

// `time` moved by the given hours, minutes and seconds (negative ones
// subtract), summed in extended precision.
TDateTime PlusTime(TDateTime time, int hours, int minutes, int seconds);

} // namespace qel
