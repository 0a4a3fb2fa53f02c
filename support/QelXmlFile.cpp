#include "support/QelXmlFile.h"

#include "platform/CodePage.h"
#include "platform/Exception.h"

#include <QFileInfo>
#include <QSaveFile>

TQelXmlFile::TQelXmlFile()
{
    CreateXMLDoc();
    InitObject();
}

TQelXmlFile::~TQelXmlFile() = default;

void TQelXmlFile::CreateXMLDoc()
{
    auto doc = std::make_unique<TXMLDocument>();
    doc->SetVersion(QStringLiteral("1.0"));
    doc->SetActive(true);
    doc->SetNodeIndentStr(QStringLiteral("\t"));
    doc->SetOptions(doc->Options() | doNodeAutoIndent);
    FXMLDoc = std::move(doc);
}

void TQelXmlFile::InitObject()
{
    AutoCreate = true;
    Encoding = QStringLiteral("GB2312");
    Version = QStringLiteral("1.0");
    RootName = QStringLiteral("Root");
}

void TQelXmlFile::Load()
{
    if (!QFileInfo::exists(FileName)) {
        if (!AutoCreate)
            throw Exception(FileName + QStringLiteral(" 没找到"));
        InitXMLDoc();
        FXMLDoc->SaveToFile(FileName);
    }
    FXMLDoc->LoadFromFile(FileName);
    Encoding = FXMLDoc->Encoding();
    Version = FXMLDoc->Version();
    RootName = FXMLDoc->DocumentElement().NodeName();
    GetData();
}

void TQelXmlFile::Save()
{
    SetData();
    FXMLDoc->SaveToFile(FileName);
}

void TQelXmlFile::InitXMLDoc()
{
    FXMLDoc->SetFileName(FileName);
    FXMLDoc->SetActive(true);
    FXMLDoc->SetEncoding(Encoding);
    FXMLDoc->SetVersion(Version);
    TXMLNode root = FXMLDoc->DocumentElement();
    if (!root)
        root = FXMLDoc->AddChild(RootName);
    root.ClearChildNodes();
}

TXMLNode TQelXmlFile::GetRootNode()
{
    FXMLDoc->SetActive(true);
    return FXMLDoc->DocumentElement();
}

QByteArray TQelXmlFile::GetChildValuesStr(TXMLNode node, const QByteArray& name) const
{
    return plat::ToAnsi(GetChildValuesStr(node, plat::FromAnsi(name)));
}

QString TQelXmlFile::GetChildValuesStr(TXMLNode node, const QString& name) const
{
    return node.ChildValue(name).value_or(QString());
}

namespace qel {

void CreateXmlFile(const QString& fileName, const QString& rootName, const QString& encoding)
{
    const QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"") + encoding + QStringLiteral("\" ?>\r\n<")
                         + rootName + QStringLiteral(">\r\n</") + rootName + QStringLiteral(">\r\n");
    // The bytes must be what the declaration says, or a parser misreads
    // every non-ASCII name.
    QByteArray bytes = plat::ToEncoding(text, encoding.toUtf8());
    if (bytes.isNull())
        bytes = plat::ToAnsi(text);
    QSaveFile file(fileName);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Exception(fileName + QStringLiteral(": ") + file.errorString());
}

} // namespace qel
