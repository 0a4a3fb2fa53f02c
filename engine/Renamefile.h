#pragma once

#include "platform/StringList.h"
#include "support/QelItems.h"

#include <QString>

// One file of the listed folder, split once at load time. Every name operation
// returns the new file name; with `rename` true it also renames the file
// within its folder (never over another file) and reports a refusal through
// `failed` and an empty NewFullName. With `rename` false nothing changes.
class TRenameFile {
public:
    QString FullName;
    QString NewFullName;
    QString Dir;        // ends in "/"
    QString BaseName;
    QString ExtName;    // "" or starts with "."
    QString FileName;

    void SetFullName(const QString& path);
    // As above; shares the folder and extension text with `previous` where equal.
    void SetFullName(const QString& path, const TRenameFile* previous);
    const QString& GetFileName() const { return FileName; }

    QString BaseNameUpper(bool rename, bool& failed);
    QString BaseNameLower(bool rename, bool& failed);
    QString BaseNameFirstUpper(bool rename, bool& failed);
    QString ExtNameUpper(bool rename, bool& failed);
    QString ExtNameLower(bool rename, bool& failed);
    QString NewExtName(const QString& ext, bool rename, bool& failed);
    QString NewBaseName(const QString& base, bool rename, bool& failed);
    QString ReplaceString(const QString& find, const QString& replace, bool rename, bool& failed);
    QString RemoveString(const QString& str, bool rename, bool& failed);
    QString RemoveStringExt(int first, int num, bool rename, bool& failed);
    QString InsertString(const QString& str, int pos, bool rename, bool& failed);

    QString MakeName(const QString& base, const QString& ext, bool rename, bool& failed);
    QString FirstLetterCase(bool upper, bool rename, bool& failed);

private:
    // MakeName's second half: `name` is the new base name and extension.
    QString Finish(QString name, bool rename, bool& failed);
    QString CaseOf(bool baseName, bool upper, bool rename, bool& failed);
};

// The files of one folder that match one mask, in the order the folder
// search returns them; owns its entries.
class TRenameFiles {
public:
    TRenameFiles();
    ~TRenameFiles();
    TRenameFiles(const TRenameFiles&) = delete;
    TRenameFiles& operator=(const TRenameFiles&) = delete;

    // `mask` starts with "/" ("/*.*"): the search pattern is dir + mask.
    void LoadFiles(const QString& dir, const QString& mask);
    TRenameFile* GetItem(int index) const { return Items->Get(index); }
    int GetCount() const { return Items->Count(); }

private:
    qel::TItems<TRenameFile>* Items;
    TStringList* FileList;
};
