#include "platform/XmlDocument.h"

#include "platform/CodePage.h"
#include "platform/Exception.h"

#include <QRegularExpression>
#include <QSaveFile>
#include <QFile>

#include <climits>
#include <stdexcept>

#include <libxml/encoding.h>
#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlsave.h>

namespace {

const xmlChar* X(const QByteArray& utf8)
{
    return reinterpret_cast<const xmlChar*>(utf8.constData());
}

QString FromX(const xmlChar* s)
{
    return s ? QString::fromUtf8(reinterpret_cast<const char*>(s)) : QString();
}

// Takes ownership of a string libxml2 allocated.
QString TakeX(xmlChar* s)
{
    QString text = FromX(s);
    xmlFree(s);
    return text;
}

void ReplaceXString(const xmlChar*& field, const QByteArray& value)
{
    xmlFree(const_cast<xmlChar*>(field));
    field = value.isEmpty() ? nullptr : xmlStrdup(X(value));
}

bool LibxmlKnows(const QByteArray& name)
{
    xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(name.constData());
    if (!handler)
        return false;
    xmlCharEncCloseFunc(handler);
    return true;
}

bool IsEncName(const QString& name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z][A-Za-z0-9._-]*$"));
    return re.match(name).hasMatch();
}

// The encoding named by the XML declaration at the start of `xml`, if any
// (ASCII-compatible files only; libxml2 finds out UTF-16 on its own).
QByteArray DeclaredEncoding(const QByteArray& xml)
{
    static const QRegularExpression re(QStringLiteral(
        "^(?:\\x{EF}\\x{BB}\\x{BF})?<\\?xml\\s[^>]*?\\bencoding\\s*=\\s*([\"'])([A-Za-z][A-Za-z0-9._-]*)\\1"));
    const QRegularExpressionMatch m = re.match(QString::fromLatin1(xml.left(256)));
    return m.hasMatch() ? m.captured(2).toLatin1() : QByteArray();
}

bool IsValidName(const QByteArray& utf8)
{
    return !utf8.isEmpty() && xmlValidateName(X(utf8), 0) == 0;
}

QByteArray CheckedName(const QString& name)
{
    QByteArray utf8 = name.toUtf8();
    if (!IsValidName(utf8))
        throw Exception(QStringLiteral("\"%1\" is not a valid XML name").arg(name));
    return utf8;
}

_xmlNode* Checked(_xmlNode* node)
{
    if (!node)
        throw Exception(QStringLiteral("XML node is empty"));
    return node;
}

void FreeChildren(xmlNodePtr node)
{
    while (xmlNodePtr child = node->children) {
        xmlUnlinkNode(child);
        xmlFreeNode(child);
    }
}

// The encoding a document declaring `declared` is written and read in: the
// declared one when iconv knows it, else the locale's codeset. Empty for no
// declaration (UTF-8, or whatever libxml2 detects when reading).
QByteArray WritingEncoding(const QByteArray& declared)
{
    if (declared.isEmpty() || plat::IsKnownEncoding(declared))
        return declared;
    return plat::AnsiCodeset();
}

// Windows writes code page 936 (GBK) under the name GB2312; reading such
// files as GBK loses nothing from a strict GB2312 one.
QByteArray ReadingEncoding(const QByteArray& declared)
{
    const QByteArray enc = WritingEncoding(declared);
    if (enc.compare("GB2312", Qt::CaseInsensitive) == 0 && plat::IsKnownEncoding("GBK"))
        return "GBK";
    return enc;
}

// libxml2 reports some errors (encoding, I/O) through its generic handlers,
// which print to stderr; our callers get an Exception instead.
void IgnoreGenericError(void*, const char*, ...) {}
void IgnoreStructuredError(void*, xmlErrorPtr) {}

class TSilentErrors {
public:
    TSilentErrors()
        : FGeneric(xmlGenericError), FGenericCtx(xmlGenericErrorContext), FStructured(xmlStructuredError),
          FStructuredCtx(xmlStructuredErrorContext)
    {
        xmlSetGenericErrorFunc(nullptr, IgnoreGenericError);
        xmlSetStructuredErrorFunc(nullptr, IgnoreStructuredError);
    }
    ~TSilentErrors()
    {
        xmlSetGenericErrorFunc(FGenericCtx, FGeneric);
        xmlSetStructuredErrorFunc(FStructuredCtx, FStructured);
    }
    TSilentErrors(const TSilentErrors&) = delete;
    TSilentErrors& operator=(const TSilentErrors&) = delete;

private:
    xmlGenericErrorFunc FGeneric;
    void* FGenericCtx;
    xmlStructuredErrorFunc FStructured;
    void* FStructuredCtx;
};

} // namespace

// ---------------------------------------------------------------- TXMLNode

QString TXMLNode::NodeName() const
{
    if (!FNode)
        return QString();
    QString name = FromX(FNode->name);
    if (FNode->ns && FNode->ns->prefix)
        name = FromX(FNode->ns->prefix) + u':' + name;
    return name;
}

QString TXMLNode::Text() const
{
    return FNode ? TakeX(xmlNodeGetContent(FNode)) : QString();
}

void TXMLNode::SetText(const QString& text)
{
    xmlNodePtr node = Checked(FNode);
    FreeChildren(node);
    if (!text.isEmpty())
        xmlAddChild(node, xmlNewDocText(node->doc, X(text.toUtf8())));
}

TXMLNode TXMLNode::AddChild(const QString& name)
{
    xmlNodePtr node = Checked(FNode);
    const QByteArray utf8 = CheckedName(name);
    return TXMLNode(xmlAddChild(node, xmlNewDocNode(node->doc, nullptr, X(utf8), nullptr)));
}

TXMLNode TXMLNode::FindNode(const QString& name) const
{
    if (!FNode)
        return TXMLNode();
    for (xmlNodePtr child = FNode->children; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && TXMLNode(child).NodeName() == name)
            return TXMLNode(child);
    }
    return TXMLNode();
}

int TXMLNode::ChildCount() const
{
    int n = 0;
    if (FNode) {
        for (xmlNodePtr child = FNode->children; child; child = child->next)
            n += child->type == XML_ELEMENT_NODE;
    }
    return n;
}

TXMLNode TXMLNode::Child(int index) const
{
    if (FNode && index >= 0) {
        for (xmlNodePtr child = FNode->children; child; child = child->next) {
            if (child->type == XML_ELEMENT_NODE && index-- == 0)
                return TXMLNode(child);
        }
    }
    throw std::out_of_range("TXMLNode: child index out of bounds");
}

void TXMLNode::ClearChildNodes()
{
    FreeChildren(Checked(FNode));
}

std::optional<QString> TXMLNode::ChildValue(const QString& name) const
{
    const TXMLNode child = FindNode(name);
    if (!child)
        return std::nullopt;
    QString text;
    bool hasText = false;
    for (xmlNodePtr n = child.FNode->children; n; n = n->next) {
        if (n->type == XML_ELEMENT_NODE)
            return std::nullopt;
        if (n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) {
            text += FromX(n->content);
            hasText = true;
        }
    }
    if (!hasText)
        return std::nullopt;
    return text;
}

void TXMLNode::SetChildValue(const QString& name, const QString& value)
{
    TXMLNode child = FindNode(name);
    if (!child)
        child = AddChild(name);
    child.SetText(value);
}

QString TXMLNode::Attribute(const QString& name) const
{
    return FNode ? TakeX(xmlGetProp(FNode, X(name.toUtf8()))) : QString();
}

void TXMLNode::SetAttribute(const QString& name, const QString& value)
{
    xmlNodePtr node = Checked(FNode);
    xmlSetProp(node, X(CheckedName(name)), X(value.toUtf8()));
}

// ------------------------------------------------------------ TXMLDocument

TXMLDocument::TXMLDocument()
{
    xmlInitParser();
}

TXMLDocument::~TXMLDocument()
{
    xmlFreeDoc(FDoc);
}

void TXMLDocument::SetActive(bool active)
{
    if (active && !FDoc) {
        FDoc = xmlNewDoc(X(FVersion.toUtf8()));
        if (!FDoc)
            throw std::bad_alloc();
    } else if (!active && FDoc) {
        xmlFreeDoc(FDoc);
        FDoc = nullptr;
    }
}

TXMLNode TXMLDocument::DocumentElement() const
{
    return TXMLNode(FDoc ? xmlDocGetRootElement(FDoc) : nullptr);
}

TXMLNode TXMLDocument::AddChild(const QString& name)
{
    if (!FDoc)
        throw Exception(QStringLiteral("XML document is not active"));
    if (xmlDocGetRootElement(FDoc))
        throw Exception(QStringLiteral("XML document already has a root element"));
    const QByteArray utf8 = CheckedName(name);
    xmlNodePtr root = xmlNewDocNode(FDoc, nullptr, X(utf8), nullptr);
    xmlDocSetRootElement(FDoc, root);
    return TXMLNode(root);
}

void TXMLDocument::LoadFromFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(fileName + QStringLiteral(": ") + file.errorString());
    const QByteArray xml = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Exception(fileName + QStringLiteral(": ") + file.errorString());
    Parse(xml, fileName);
}

void TXMLDocument::LoadFromXML(const QByteArray& xml)
{
    Parse(xml, QString());
}

void TXMLDocument::Parse(const QByteArray& xml, const QString& source)
{
    const QString where = source.isEmpty() ? QString() : source + QStringLiteral(": ");
    if (xml.size() > INT_MAX)
        throw Exception(where + QStringLiteral("XML document too large"));

    // Read the bytes in the encoding SaveToXML would have written them in.
    const QByteArray declared = DeclaredEncoding(xml);
    const QByteArray readAs = ReadingEncoding(declared);
    int options = XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_NOCDATA | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    QByteArray input = xml;
    QByteArray forced;
    if (!readAs.isEmpty()) {
        options |= XML_PARSE_IGNORE_ENC;
        if (LibxmlKnows(readAs)) {
            forced = readAs;
        } else {
            input = plat::FromEncoding(xml, readAs).toUtf8();
            forced = "UTF-8";
        }
    }

    TSilentErrors silent;
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (!ctxt)
        throw std::bad_alloc();
    xmlDocPtr doc = xmlCtxtReadMemory(ctxt, input.constData(), static_cast<int>(input.size()), nullptr,
                                      forced.isEmpty() ? nullptr : forced.constData(), options);
    if (!doc || !xmlDocGetRootElement(doc)) {
        const xmlError* err = xmlCtxtGetLastError(ctxt);
        QString message = err && err->message ? QString::fromUtf8(err->message).trimmed()
                                              : QStringLiteral("XML document has no root element");
        if (err && err->line > 0)
            message += QStringLiteral(" (line %1)").arg(err->line);
        xmlFreeDoc(doc);
        xmlFreeParserCtxt(ctxt);
        throw Exception(where + message);
    }
    xmlFreeParserCtxt(ctxt);

    xmlFreeDoc(FDoc);
    FDoc = doc;
    FEncoding = !declared.isEmpty() ? QString::fromLatin1(declared) : FromX(doc->encoding);
    FVersion = doc->version ? FromX(doc->version) : QStringLiteral("1.0");
}

QByteArray TXMLDocument::SaveToXML() const
{
    if (!FDoc)
        throw Exception(QStringLiteral("XML document is not active"));
    static const QRegularExpression versionRe(QStringLiteral("^1\\.[0-9]+$"));
    if (!versionRe.match(FVersion).hasMatch())
        throw Exception(QStringLiteral("\"%1\" is not an XML version").arg(FVersion));
    if (!FEncoding.isEmpty() && !IsEncName(FEncoding))
        throw Exception(QStringLiteral("\"%1\" is not an encoding name").arg(FEncoding));

    // libxml2 lays the tree out in UTF-8; the bytes in the declared encoding
    // are made from that text by the one code page conversion.
    ReplaceXString(FDoc->version, FVersion.toUtf8());
    ReplaceXString(FDoc->encoding, "UTF-8");
    const QByteArray indent = FNodeIndentStr.toUtf8();
    xmlChar* mem = nullptr;
    int len = 0;
    {
        TSilentErrors silent;
        // The indentation comes from a per-thread global.
        const char* oldIndent = xmlTreeIndentString;
        const int oldIndentOutput = xmlIndentTreeOutput;
        xmlTreeIndentString = indent.constData();
        xmlIndentTreeOutput = 1;
        xmlDocDumpFormatMemoryEnc(FDoc, &mem, &len, "UTF-8", (FOptions & doNodeAutoIndent) ? 1 : 0);
        xmlTreeIndentString = oldIndent;
        xmlIndentTreeOutput = oldIndentOutput;
    }
    if (!mem)
        throw Exception(QStringLiteral("XML document cannot be written"));
    QString text = QString::fromUtf8(reinterpret_cast<const char*>(mem), len);
    xmlFree(mem);

    const QString utf8Decl = QStringLiteral(" encoding=\"UTF-8\"");
    const qsizetype at = text.indexOf(utf8Decl);
    if (at >= 0 && at < text.indexOf(u'>'))
        text.replace(at, utf8Decl.size(),
                     FEncoding.isEmpty() ? QString() : QStringLiteral(" encoding=\"%1\"").arg(FEncoding));

    const QByteArray writeAs = WritingEncoding(FEncoding.toLatin1());
    if (writeAs.isEmpty())
        return text.toUtf8();
    // A character the encoding lacks is kept as a character reference.
    return plat::ToEncoding(text, writeAs, [](char32_t cp) {
        return QStringLiteral("&#x%1;").arg(static_cast<uint>(cp), 0, 16).toUpper().replace(u'X', u'x');
    });
}

void TXMLDocument::SaveToFile(const QString& fileName) const
{
    const QByteArray bytes = SaveToXML();
    QSaveFile file(fileName);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Exception(fileName + QStringLiteral(": ") + file.errorString());
}
