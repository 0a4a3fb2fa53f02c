#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

struct _xmlDoc;
struct _xmlNode;

// Handle of one element of a TXMLDocument. It does not own the element and
// stays valid while the element belongs to its document: clearing the parent's
// children, loading another file or dropping the document ends it.
class TXMLNode {
public:
    TXMLNode() = default;
    explicit TXMLNode(_xmlNode* node) : FNode(node) {}

    explicit operator bool() const { return FNode != nullptr; }

    // Tag name, with its prefix when it has one.
    QString NodeName() const;

    // All text inside the element, nested elements' text included.
    QString Text() const;
    // Replaces the element's children by the text (no child for "").
    void SetText(const QString& text);

    // Appends a new child element. Raises Exception for a name XML cannot hold.
    TXMLNode AddChild(const QString& name);
    // First child element named `name`, or a null handle.
    TXMLNode FindNode(const QString& name) const;
    // Child elements only; Child raises std::out_of_range outside 0 .. ChildCount()-1.
    int ChildCount() const;
    TXMLNode Child(int index) const;
    // Removes and frees every child (elements, text, comments).
    void ClearChildNodes();

    // Text of the child element `name`; nothing when there is no such child,
    // or when it holds no text or holds elements of its own.
    std::optional<QString> ChildValue(const QString& name) const;
    // Sets the text of the child `name`, adding the child when it is missing.
    void SetChildValue(const QString& name, const QString& value);

    QString Attribute(const QString& name) const;
    void SetAttribute(const QString& name, const QString& value);

private:
    _xmlNode* FNode = nullptr;
};

enum TXMLDocOption : unsigned {
    // Save with one element per line, indented by NodeIndentStr per level.
    doNodeAutoIndent = 1u << 0,
};

// An XML document over libxml2. Files are read and written in the encoding
// their declaration names; a name iconv does not know is read and written in
// the locale's codeset instead (the declaration keeps the name). Parsing never
// touches the network and never expands external entities.
class TXMLDocument {
public:
    TXMLDocument();
    ~TXMLDocument();
    TXMLDocument(const TXMLDocument&) = delete;
    TXMLDocument& operator=(const TXMLDocument&) = delete;

    // An active document holds a tree; activating an empty one creates an
    // empty tree, deactivating drops it.
    bool Active() const { return FDoc != nullptr; }
    void SetActive(bool active);

    const QString& FileName() const { return FFileName; }
    void SetFileName(const QString& fileName) { FFileName = fileName; }

    // Declared encoding and version; an empty encoding saves UTF-8 without
    // naming it.
    const QString& Encoding() const { return FEncoding; }
    void SetEncoding(const QString& encoding) { FEncoding = encoding; }
    const QString& Version() const { return FVersion; }
    void SetVersion(const QString& version) { FVersion = version; }

    const QString& NodeIndentStr() const { return FNodeIndentStr; }
    void SetNodeIndentStr(const QString& indent) { FNodeIndentStr = indent; }
    unsigned Options() const { return FOptions; }
    void SetOptions(unsigned options) { FOptions = options; }

    // Root element, or a null handle (also when inactive).
    TXMLNode DocumentElement() const;
    // Adds the root element. Raises Exception when inactive, when there is a
    // root already or for an invalid name.
    TXMLNode AddChild(const QString& name);

    // Replace the tree by the file's or the bytes' content and take over the
    // declared encoding and version. Raise Exception when the file cannot be
    // read or is not well-formed; the document is unchanged then.
    void LoadFromFile(const QString& fileName);
    void LoadFromXML(const QByteArray& xml);

    // The document as bytes in its declared encoding; SaveToFile writes them
    // in place of the file. Raise Exception when inactive or on a write error.
    QByteArray SaveToXML() const;
    void SaveToFile(const QString& fileName) const;

private:
    void Parse(const QByteArray& xml, const QString& source);

    _xmlDoc* FDoc = nullptr;
    QString FFileName;
    QString FEncoding;
    QString FVersion = QStringLiteral("1.0");
    QString FNodeIndentStr = QStringLiteral("  ");
    unsigned FOptions = 0;
};
