#include "support/QelXmlFile.h"

#include "platform/CodePage.h"
#include "platform/Exception.h"

#include "common/TestUtil.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Settings the way a program of the maker derives them.
class TSettings : public TQelXmlFile {
public:
    QString UserName;
    QString Port;
    int Loaded = 0;

    void GetData() override
    {
        ++Loaded;
        const TXMLNode root = GetRootNode();
        UserName = GetChildValuesStr(root, QStringLiteral("UserName"));
        Port = GetChildValuesStr(root, QStringLiteral("Port"));
    }
    void SetData() override
    {
        TXMLNode root = GetRootNode();
        root.SetChildValue(QStringLiteral("UserName"), UserName);
        root.SetChildValue(QStringLiteral("Port"), Port);
    }
};

class QelXmlFile : public ::testing::Test {
protected:
    QString Path(const char* name) const { return FDir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir FDir;
};

TEST_F(QelXmlFile, LoadCreatesAMissingFile)
{
    TQelXmlFile xml;
    xml.FileName = Path("new.xml");
    xml.Load();
    EXPECT_EQ(testutil::ReadAll(xml.FileName), QByteArray("<?xml version=\"1.0\" encoding=\"GB2312\"?>\n<Root/>\n"));
    EXPECT_EQ(xml.RootName, QStringLiteral("Root"));
    EXPECT_EQ(xml.Encoding, QStringLiteral("GB2312"));
    EXPECT_EQ(xml.Version, QStringLiteral("1.0"));
    EXPECT_EQ(xml.GetRootNode().ChildCount(), 0);
}

TEST_F(QelXmlFile, MissingFileWithoutAutoCreateRaises)
{
    TSettings xml;
    xml.AutoCreate = false;
    xml.FileName = Path("配置.xml");
    try {
        xml.Load();
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), xml.FileName + QStringLiteral(" 没找到"));
    }
    EXPECT_FALSE(QFileInfo::exists(xml.FileName));
    EXPECT_EQ(xml.Loaded, 0);
    EXPECT_EQ(xml.RootName, QStringLiteral("Root"));
}

TEST_F(QelXmlFile, UnreadableFileRaisesWithoutGetData)
{
    TSettings xml;
    xml.FileName = testutil::MakeFile(FDir.path(), QStringLiteral("bad.xml"), "<Root><Port>80</Root>");
    EXPECT_THROW(xml.Load(), Exception);
    EXPECT_EQ(xml.Loaded, 0);
}

// Chinese values survive a save and a load in the declared encoding, and the
// bytes on disk are really that encoding.
TEST_F(QelXmlFile, RoundTripsChineseValues)
{
    struct {
        const char* Encoding;
        QByteArray NameBytes;
    } const cases[] = {
        {"GB2312", QByteArray("\xD5\xC5\xC8\xFD")},
        {"UTF-8", QByteArray("\xE5\xBC\xA0\xE4\xB8\x89")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Encoding);
        const QString path = Path(c.Encoding) + QStringLiteral(".xml");
        {
            TSettings out;
            out.FileName = path;
            out.Encoding = QString::fromLatin1(c.Encoding);
            out.Load();
            out.UserName = QStringLiteral("张三");
            out.Port = QStringLiteral("80");
            out.Save();
        }
        EXPECT_EQ(testutil::ReadAll(path), "<?xml version=\"1.0\" encoding=\"" + QByteArray(c.Encoding) + "\"?>\n"
                                           "<Root>\n"
                                           "\t<UserName>" + c.NameBytes + "</UserName>\n"
                                           "\t<Port>80</Port>\n"
                                           "</Root>\n");
        TSettings in;
        in.FileName = path;
        in.Load();
        EXPECT_EQ(in.Loaded, 1);
        EXPECT_EQ(in.Encoding, QString::fromLatin1(c.Encoding));
        EXPECT_EQ(in.UserName, QStringLiteral("张三"));
        EXPECT_EQ(in.Port, QStringLiteral("80"));
    }
}

TEST_F(QelXmlFile, ForeignRootNameIsTakenOver)
{
    const QString path = Path("foreign.xml");
    qel::CreateXmlFile(path, QStringLiteral("配置"), QStringLiteral("GB2312"));
    TQelXmlFile xml;
    xml.FileName = path;
    xml.Load();
    EXPECT_EQ(xml.RootName, QStringLiteral("配置"));
    EXPECT_EQ(xml.Encoding, QStringLiteral("GB2312"));

    // A fresh start keeps the root's own name and drops its children.
    xml.GetRootNode().SetChildValue(QStringLiteral("Old"), QStringLiteral("1"));
    xml.RootName = QStringLiteral("Root");
    xml.InitXMLDoc();
    EXPECT_EQ(xml.GetRootNode().NodeName(), QStringLiteral("配置"));
    EXPECT_EQ(xml.GetRootNode().ChildCount(), 0);
}

TEST_F(QelXmlFile, BaseClassSavesTheDocumentUnchanged)
{
    const QByteArray content = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Config>\n\t<A>1</A>\n\t<B>\n\t\t<C>2</C>\n"
                               "\t</B>\n</Config>\n";
    const QString path = testutil::MakeFile(FDir.path(), QStringLiteral("c.xml"), content);
    TQelXmlFile xml;
    xml.FileName = path;
    xml.Load();
    testutil::MakeFile(FDir.path(), QStringLiteral("c.xml"), "overwritten");
    xml.Save();
    EXPECT_EQ(testutil::ReadAll(path), content);
}

TEST_F(QelXmlFile, GetChildValuesStr)
{
    TQelXmlFile xml;
    xml.XMLDoc()->LoadFromXML("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                              "<Root><Port>80</Port><Empty/><Open></Open><Name>中文</Name></Root>");
    const TXMLNode root = xml.GetRootNode();
    struct {
        const char16_t* Name;
        const char16_t* Value;
    } const cases[] = {
        {u"Port", u"80"}, {u"Missing", u""}, {u"Empty", u""}, {u"Open", u""}, {u"Name", u"中文"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(xml.GetChildValuesStr(root, QString::fromUtf16(c.Name)), QString::fromUtf16(c.Value))
            << QString::fromUtf16(c.Name).toStdString();
    }
    EXPECT_EQ(xml.GetChildValuesStr(root, QByteArray("Port")), QByteArray("80"));
    EXPECT_EQ(xml.GetChildValuesStr(root, QByteArray("Missing")), QByteArray(""));
    const QByteArray before = plat::SetAnsiCodeset("GBK");
    EXPECT_EQ(xml.GetChildValuesStr(root, QByteArray("Name")), QByteArray("\xD6\xD0\xCE\xC4"));
    plat::SetAnsiCodeset(before);
}

TEST_F(QelXmlFile, CreateXmlFileWritesThreeLinesInTheDeclaredEncoding)
{
    struct {
        const char16_t* Root;
        const char* Encoding;
        QByteArray Bytes;
    } const cases[] = {
        {u"Config", "UTF-8", "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<Config>\r\n</Config>\r\n"},
        {u"配置", "GB2312", "<?xml version=\"1.0\" encoding=\"GB2312\" ?>\r\n<\xC5\xE4\xD6\xC3>\r\n</\xC5\xE4\xD6\xC3>\r\n"},
        {u"配置", "UTF-8",
         "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<\xE9\x85\x8D\xE7\xBD\xAE>\r\n</\xE9\x85\x8D\xE7\xBD\xAE>\r\n"},
        // iconv knows no such name: the locale's codeset (UTF-8 here).
        {u"配置", "X-NO-SUCH",
         "<?xml version=\"1.0\" encoding=\"X-NO-SUCH\" ?>\r\n<\xE9\x85\x8D\xE7\xBD\xAE>\r\n</\xE9\x85\x8D\xE7\xBD\xAE>\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Encoding);
        const QString path = Path("created.xml");
        testutil::MakeFile(FDir.path(), QStringLiteral("created.xml"), QByteArray(300, 'x'));
        qel::CreateXmlFile(path, QString::fromUtf16(c.Root), QString::fromLatin1(c.Encoding));
        EXPECT_EQ(testutil::ReadAll(path), c.Bytes);

        TQelXmlFile xml;
        xml.FileName = path;
        xml.Load();
        EXPECT_EQ(xml.RootName, QString::fromUtf16(c.Root));
    }
    EXPECT_THROW(qel::CreateXmlFile(Path("no/such/dir.xml"), QStringLiteral("R"), QStringLiteral("UTF-8")), Exception);
}

} // namespace
