#include "platform/XmlDocument.h"

#include "platform/CodePage.h"
#include "platform/Exception.h"

#include "common/TestUtil.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A document the way settings files use it: tabs, one element per line.
void MakeSettingsDoc(TXMLDocument& doc, const QString& encoding)
{
    doc.SetActive(true);
    doc.SetEncoding(encoding);
    doc.SetNodeIndentStr(QStringLiteral("\t"));
    doc.SetOptions(doNodeAutoIndent);
    TXMLNode root = doc.AddChild(QStringLiteral("Root"));
    root.SetChildValue(QStringLiteral("Name"), QStringLiteral("张三 & <李四>"));
    TXMLNode window = root.AddChild(QStringLiteral("Window"));
    window.SetChildValue(QStringLiteral("Left"), QStringLiteral("10"));
    window.AddChild(QStringLiteral("Empty"));
}

TEST(XmlDocument, SavesOneElementPerLineIndentedByTabs)
{
    TXMLDocument doc;
    MakeSettingsDoc(doc, QStringLiteral("UTF-8"));
    EXPECT_EQ(QString::fromUtf8(doc.SaveToXML()),
              QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<Root>\n"
                             "\t<Name>张三 &amp; &lt;李四&gt;</Name>\n"
                             "\t<Window>\n"
                             "\t\t<Left>10</Left>\n"
                             "\t\t<Empty/>\n"
                             "\t</Window>\n"
                             "</Root>\n"));
}

// Written in the declared encoding, read back whatever the locale is.
TEST(XmlDocument, RoundTripsInTheDeclaredEncoding)
{
    struct {
        const char* Encoding;
        QByteArray NameBytes;   // "张三" as it must appear in the file
        const char* WrittenAs;  // declaration in the file
    } const cases[] = {
        {"GB2312", QByteArray("\xD5\xC5\xC8\xFD"), "GB2312"},
        {"GBK", QByteArray("\xD5\xC5\xC8\xFD"), "GBK"},
        {"UTF-8", QByteArray("\xE5\xBC\xA0\xE4\xB8\x89"), "UTF-8"},
        // iconv knows no such name: the locale's codeset (UTF-8 here) is
        // written, the declaration keeps the name, and reading follows suit.
        {"X-NO-SUCH", QByteArray("\xE5\xBC\xA0\xE4\xB8\x89"), "X-NO-SUCH"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Encoding);
        TXMLDocument doc;
        MakeSettingsDoc(doc, QString::fromLatin1(c.Encoding));
        const QByteArray bytes = doc.SaveToXML();
        EXPECT_TRUE(bytes.startsWith(QByteArray("<?xml version=\"1.0\" encoding=\"") + c.WrittenAs + "\"?>\n"));
        EXPECT_TRUE(bytes.contains("<Name>" + c.NameBytes + " &amp; &lt;"));

        TXMLDocument back;
        back.LoadFromXML(bytes);
        EXPECT_EQ(back.Encoding(), QString::fromLatin1(c.Encoding));
        EXPECT_EQ(back.Version(), QStringLiteral("1.0"));
        EXPECT_EQ(back.DocumentElement().ChildValue(QStringLiteral("Name")), QStringLiteral("张三 & <李四>"));
    }
}

TEST(XmlDocument, CharactersTheEncodingLacksBecomeReferences)
{
    TXMLDocument doc;
    doc.SetActive(true);
    doc.SetEncoding(QStringLiteral("GB2312"));
    doc.AddChild(QStringLiteral("Root")).SetChildValue(QStringLiteral("V"), QStringLiteral("中\u20AC"));
    const QByteArray bytes = doc.SaveToXML();
    EXPECT_TRUE(bytes.contains("<V>\xD6\xD0&#x20AC;</V>")) << bytes.constData();

    TXMLDocument back;
    back.LoadFromXML(bytes);
    EXPECT_EQ(back.DocumentElement().ChildValue(QStringLiteral("V")), QStringLiteral("中\u20AC"));
}

// Files from Windows say GB2312 and hold GBK characters.
TEST(XmlDocument, Gb2312FilesAreReadAsGbk)
{
    TXMLDocument doc;
    doc.LoadFromXML("<?xml version=\"1.0\" encoding=\"GB2312\"?><R><N>\xE9\x46\x86\xB4\xD6\xD0</N></R>");
    EXPECT_EQ(doc.Encoding(), QStringLiteral("GB2312"));
    EXPECT_EQ(doc.DocumentElement().ChildValue(QStringLiteral("N")), QStringLiteral("镕喆中"));
}

TEST(XmlDocument, ChildValueIsNullWithoutText)
{
    TXMLDocument doc;
    doc.LoadFromXML("<R><Port>80</Port><Empty/><Open></Open><Nested><X>1</X></Nested>"
                    "<Blank> </Blank><Port>81</Port></R>");
    const TXMLNode root = doc.DocumentElement();
    struct {
        const char* Name;
        std::optional<QString> Value;
    } const cases[] = {
        {"Port", QStringLiteral("80")},   // the first of that name
        {"Missing", std::nullopt},
        {"Empty", std::nullopt},
        {"Open", std::nullopt},
        {"Nested", std::nullopt},
        {"Blank", QStringLiteral(" ")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(root.ChildValue(QString::fromLatin1(c.Name)), c.Value);
    }
    EXPECT_EQ(root.ChildCount(), 6);
    EXPECT_EQ(root.Child(5).Text(), QStringLiteral("81"));
    EXPECT_THROW(root.Child(6), std::out_of_range);
}

TEST(XmlDocument, BadInputRaisesAndKeepsTheDocument)
{
    TXMLDocument doc;
    doc.LoadFromXML("<Keep/>");
    const QByteArray bad[] = {
        "",
        "<a><b></a>",
        "<?xml version=\"1.0\" encoding=\"GB2312\"?><a>\xFF\xFF\xFF</a>",
        "not xml",
    };
    for (const QByteArray& xml : bad) {
        SCOPED_TRACE(xml.constData());
        EXPECT_THROW(doc.LoadFromXML(xml), Exception);
        EXPECT_EQ(doc.DocumentElement().NodeName(), QStringLiteral("Keep"));
    }

    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.xml"));
    try {
        doc.LoadFromFile(missing);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().startsWith(missing)) << e.what();
    }
}

TEST(XmlDocument, ExternalEntitiesAreNotRead)
{
    QTemporaryDir dir;
    const QString secret = testutil::MakeFile(dir.path(), QStringLiteral("secret.txt"), "TOPSECRET");
    const QByteArray xml = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY x SYSTEM \"file://"
                           + secret.toUtf8() + "\">]><r><v>&x;</v></r>";
    TXMLDocument doc;
    try {
        doc.LoadFromXML(xml);
    } catch (const Exception&) {
        return;   // refusing the document is fine as well
    }
    EXPECT_FALSE(doc.DocumentElement().Text().contains(QStringLiteral("TOPSECRET")));
    EXPECT_FALSE(doc.SaveToXML().contains("TOPSECRET"));
}

TEST(XmlDocument, RefusesWhatCannotBeWritten)
{
    TXMLDocument doc;
    EXPECT_THROW(doc.AddChild(QStringLiteral("Root")), Exception);   // inactive
    EXPECT_THROW(doc.SaveToXML(), Exception);
    doc.SetActive(true);
    for (const char* name : {"", "a b", "1st", "<x>"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(doc.AddChild(QString::fromLatin1(name)), Exception);
    }
    TXMLNode root = doc.AddChild(QStringLiteral("配置"));
    EXPECT_THROW(doc.AddChild(QStringLiteral("Second")), Exception);
    EXPECT_THROW(root.AddChild(QStringLiteral("a\"b")), Exception);
    EXPECT_THROW(TXMLNode().SetText(QStringLiteral("x")), Exception);

    doc.SetEncoding(QStringLiteral("UTF-8\" standalone=\"yes"));
    EXPECT_THROW(doc.SaveToXML(), Exception);
    doc.SetEncoding(QStringLiteral("UTF-8"));
    doc.SetVersion(QStringLiteral("1.0\"?><x"));
    EXPECT_THROW(doc.SaveToXML(), Exception);
}

TEST(XmlDocument, SavesOverAnExistingFile)
{
    QTemporaryDir dir;
    const QString path = testutil::MakeFile(dir.path(), QStringLiteral("s.xml"), QByteArray(500, 'x'));
    TXMLDocument doc;
    MakeSettingsDoc(doc, QStringLiteral("GB2312"));
    doc.SaveToFile(path);
    EXPECT_EQ(testutil::ReadAll(path), doc.SaveToXML());

    TXMLDocument back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.DocumentElement().FindNode(QStringLiteral("Window")).ChildValue(QStringLiteral("Left")),
              QStringLiteral("10"));

    EXPECT_THROW(doc.SaveToFile(dir.filePath(QStringLiteral("no/such/dir/s.xml"))), Exception);
}

} // namespace
