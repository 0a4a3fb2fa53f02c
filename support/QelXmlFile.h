#pragma once

#include "platform/XmlDocument.h"

#include <QByteArray>
#include <QString>
#include <memory>

// Base of settings kept in an XML file: one document whose root element's
// children hold the values. A derived class moves its values out of the
// document in GetData (called at the end of Load) and into it in SetData
// (called at the start of Save).
class TQelXmlFile {
public:
    TQelXmlFile();
    TQelXmlFile(const TQelXmlFile&) = delete;
    TQelXmlFile& operator=(const TQelXmlFile&) = delete;

    virtual void GetData() {}
    virtual void SetData() {}
    virtual ~TQelXmlFile();

    // A new, empty, active document (version "1.0", saved one element per
    // line with one tab per level) in place of the one held before.
    void CreateXMLDoc();
    // AutoCreate true, Encoding "GB2312", Version "1.0", RootName "Root".
    void InitObject();

    // Reads FileName, then takes over the file's declared encoding and
    // version and its root element's name, then GetData(). A missing file is
    // created first (InitXMLDoc, then saved) when AutoCreate is set, otherwise
    // raises Exception(FileName + " 没找到"). Read and parse errors raise
    // Exception; GetData() is not called then.
    void Load();
    // SetData(), then writes the document to FileName.
    void Save();
    // Prepares the document for a fresh file: FileName, Encoding and Version
    // set, a root element named RootName added when there is none, and the
    // root emptied (an existing root keeps its name).
    void InitXMLDoc();
    // The root element, or a null handle when the document has none.
    TXMLNode GetRootNode();

    // Text of `node`'s child element `name`; empty when there is no such
    // child or it holds no text. The narrow overload speaks the ANSI code page.
    QByteArray GetChildValuesStr(TXMLNode node, const QByteArray& name) const;
    QString GetChildValuesStr(TXMLNode node, const QString& name) const;

    TXMLDocument* XMLDoc() const { return FXMLDoc.get(); }

    bool AutoCreate = false;
    QString FileName;
    QString Encoding;
    QString Version;
    QString RootName;

private:
    std::unique_ptr<TXMLDocument> FXMLDoc;
};

namespace qel {

// Writes (creating or replacing) an XML file of three CR LF-ended lines:
// `<?xml version="1.0" encoding="ENC" ?>`, `<ROOT>` and `</ROOT>`. The bytes
// are in the encoding the declaration names, or in the ANSI code page when
// iconv does not know that name. Raises Exception when the file cannot be
// written.
void CreateXmlFile(const QString& fileName, const QString& rootName, const QString& encoding);

} // namespace qel
