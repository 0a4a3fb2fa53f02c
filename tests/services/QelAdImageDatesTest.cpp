#include "services/QelAdImage.h"

#include "AdTestData.h"
#include "common/LoopbackServer.h"
#include "platform/Exception.h"
#include "platform/MemIniFile.h"

#include <gtest/gtest.h>

using namespace testutil;

namespace {

const QByteArray kTwoAds = "[set]\nflag=zqad\ncount=2\n"
                           "[ad0]\nimage_url={site}/a.jpg\nimage_format=jpg\nlink_url=http://one.example/\ntext=first\n"
                           "[ad1]\nimage_url={site}/b.gif\nimage_format=gif\nlink_url=http://two.example/\n";

class AdImageDatesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Server.Reply("/a.jpg", TextReply(EncodedPicture("JPG"), "image/jpeg"));
        Server.Reply("/b.gif", TextReply(GifPicture(), "image/gif"));
        Server.Reply("/c.bmp", TextReply(EncodedPicture("BMP"), "image/bmp"));
        Server.Reply("/empty", TextReply(QByteArray()));
        THttpReply missing;
        missing.Status = 404;
        Server.Reply("/missing.jpg", missing);
        Dates.AdUrl = Server.Url(QStringLiteral("/ad/ad_cfg.php?id=rename"));
    }

    void Serve(const QByteArray& config) { Server.Reply("/ad/ad_cfg.php", TextReply(Config(Server, config))); }

    // Link and picture presence of every entry, e.g. "one.example/+ -".
    QString Summary() const
    {
        QStringList parts;
        for (int i = 0; i < Dates.GetCount(); ++i) {
            const TQelAdImageDate* e = Dates.GetItem(i);
            parts.append(e->AdDate->LinkUrl + (e->Image && !e->Image->isNull() ? u'+' : u'-'));
        }
        return parts.join(u' ');
    }

    TLoopbackServer Server;
    TQelAdImageDates Dates;
};

} // namespace

TEST_F(AdImageDatesTest, LoadsEntriesAndPicturesInSectionOrder)
{
    Serve(kTwoAds);
    Dates.Execute();
    ASSERT_EQ(Dates.GetCount(), 2);
    const TQelAdImageDate* first = Dates.GetItem(0);
    EXPECT_EQ(first->AdDate->ImageUrl, Server.Url(QStringLiteral("/a.jpg")));
    EXPECT_EQ(first->AdDate->ImageFormat, QStringLiteral("jpg"));
    EXPECT_EQ(first->AdDate->LinkUrl, QStringLiteral("http://one.example/"));
    EXPECT_EQ(first->AdDate->AdText, QStringLiteral("first"));
    ASSERT_NE(first->Image, nullptr);
    EXPECT_EQ(first->Image->size(), QSize(8, 4));
    ASSERT_NE(Dates.GetItem(1)->Image, nullptr);
    EXPECT_EQ(Dates.GetItem(1)->Image->size(), QSize(1, 1));
    EXPECT_THROW(Dates.GetItem(2), std::out_of_range);

    QList<QByteArray> paths;
    for (const THttpRequest& r : Server.Requests())
        paths.append(r.Path);
    EXPECT_EQ(paths, (QList<QByteArray> {"/ad/ad_cfg.php", "/a.jpg", "/b.gif"}));
    EXPECT_EQ(Server.Requests().front().Target, QByteArray("/ad/ad_cfg.php?id=rename"));
}

TEST_F(AdImageDatesTest, ConfigurationCases)
{
    struct Case {
        const char* what;
        QByteArray config;
        const char* expected; // Summary(); null: the two earlier entries stay
    } cases[] = {
        {"no [set] section", "[ad0]\nlink_url=x\n", nullptr},
        {"marker in another case", "[set]\nflag=ZQAD\ncount=1\n", nullptr},
        {"empty marker", "[set]\nflag=\ncount=1\n", nullptr},
        {"only blank lines", "\r\n\r\n", nullptr},
        {"count=0 empties the list", "[set]\nflag=zqad\ncount=0\n", ""},
        {"count=-1 empties the list", "[set]\nflag=zqad\ncount=-1\n", ""},
        {"count=two empties the list", "[set]\nflag=zqad\ncount=two\n", ""},
        {"no count empties the list", "[set]\nflag=zqad\n", ""},
        {"count=1 reads ad0 only", "[set]\nflag=zqad\ncount=1\n[ad0]\nlink_url=a\n[ad1]\nlink_url=b\n", "a-"},
        {"missing middle section", "[set]\nflag=zqad\ncount=3\n[ad0]\nlink_url=a\n[ad2]\nlink_url=c\n", "a- - c-"},
        {"hexadecimal counts", "[set]\nflag=zqad\ncount=0x2\n[ad0]\nlink_url=a\n[ad1]\nlink_url=b\n", "a- b-"},
        {"dollar count", "[set]\nflag=zqad\ncount=$2\n[ad0]\nlink_url=a\n[ad1]\nlink_url=b\n", "a- b-"},
        {"format names in any case",
         "[set]\nflag=zqad\ncount=4\n"
         "[ad0]\nimage_url={site}/a.jpg\nimage_format=JPG\nlink_url=a\n"
         "[ad1]\nimage_url={site}/a.jpg\nimage_format=Jpeg\nlink_url=b\n"
         "[ad2]\nimage_url={site}/c.bmp\nimage_format=BMP\nlink_url=c\n"
         "[ad3]\nimage_url={site}/b.gif\nimage_format=Gif\nlink_url=d\n",
         "a+ b+ c+ d+"},
        {"unknown or empty format: no picture",
         "[set]\nflag=zqad\ncount=2\n"
         "[ad0]\nimage_url={site}/a.jpg\nimage_format=png\nlink_url=a\n"
         "[ad1]\nimage_url={site}/a.jpg\nimage_format=\nlink_url=b\n",
         "a- b-"},
        {"failed or empty picture: entry without one",
         "[set]\nflag=zqad\ncount=3\n"
         "[ad0]\nimage_url={site}/missing.jpg\nimage_format=jpg\nlink_url=a\n"
         "[ad1]\nimage_url={site}/empty\nimage_format=jpg\nlink_url=b\n"
         "[ad2]\nimage_url=\nimage_format=jpg\nlink_url=c\n",
         "a- b- c-"},
        {"names in other cases, blanks and comments",
         "; ads\n\n  [ SET ]  \n FLAG = zqad \n;count=9\nCount = 1\n\n[AD0]\nIMAGE_URL = {site}/a.jpg\nImage_Format=jpg\nLINK_URL= a \n",
         "a+"},
        {"second [set] replaces the first", "[set]\nflag=zqad\ncount=1\n[set]\ncount=1\n", nullptr},
        {"second count line counts", "[set]\nflag=zqad\ncount=1\ncount=2\n[ad0]\nlink_url=a\n[ad1]\nlink_url=b\n", "a- b-"},
    };
    for (const Case& c : cases) {
        Serve(kTwoAds);
        Dates.Execute();
        ASSERT_EQ(Dates.GetCount(), 2) << c.what;
        Serve(c.config);
        Dates.Execute();
        EXPECT_EQ(Summary(), QString::fromUtf8(c.expected ? c.expected : "http://one.example/+ http://two.example/+")) << c.what;
    }
}

TEST_F(AdImageDatesTest, FailedConfigurationLeavesTheList)
{
    Serve(kTwoAds);
    Dates.Execute();
    const QString before = Summary();

    THttpReply error = TextReply(Config(Server, "[set]\nflag=zqad\ncount=0\n"));
    error.Status = 500;
    Server.Reply("/ad/ad_cfg.php", error);
    Dates.Execute();
    EXPECT_EQ(Summary(), before);

    Server.Reply("/ad/ad_cfg.php", TextReply(QByteArray()));
    Dates.Execute();
    EXPECT_EQ(Summary(), before);

    // A valid configuration padded beyond 1 MiB is dropped as a failure.
    QByteArray big = "[set]\nflag=zqad\ncount=0\n";
    big += QByteArray(TQelAdImageDates::MaxConfigBytes, ';');
    Server.Reply("/ad/ad_cfg.php", TextReply(big));
    Dates.Execute();
    EXPECT_EQ(Summary(), before);

    Dates.AdUrl = testutil::ClosedLoopbackUrl(QStringLiteral("/ad/ad_cfg.php"));
    Dates.Execute();
    EXPECT_EQ(Summary(), before);
}

TEST_F(AdImageDatesTest, OversizedPictureIsDropped)
{
    QByteArray huge = EncodedPicture("BMP");
    huge.append(QByteArray(TQelAdImageDate::MaxImageBytes, '\0'));
    Server.Reply("/huge.bmp", TextReply(huge, "image/bmp"));
    Serve("[set]\nflag=zqad\ncount=2\n"
          "[ad0]\nimage_url={site}/huge.bmp\nimage_format=bmp\nlink_url=a\n"
          "[ad1]\nimage_url={site}/c.bmp\nimage_format=bmp\nlink_url=b\n");
    Dates.Execute();
    EXPECT_EQ(Summary(), QStringLiteral("a- b+"));
}

TEST_F(AdImageDatesTest, HugeCountIsCappedAtTheBannerIndexRange)
{
    Serve("[set]\nflag=zqad\ncount=100000\n");
    Dates.Execute();
    EXPECT_EQ(Dates.GetCount(), TQelAdImageDates::MaxCount);
    EXPECT_EQ(Server.Requests().size(), 1); // entries without address fetch nothing
}

TEST_F(AdImageDatesTest, DecoderRejectionEndsTheLoadAtThatEntry)
{
    // A BMP header that promises 30000 x 30000 pixels: beyond any sane
    // allocation, so it must be refused, not allocated.
    QByteArray bomb = EncodedPicture("BMP");
    const qint32 side = 30000;
    memcpy(bomb.data() + 18, &side, 4);
    memcpy(bomb.data() + 22, &side, 4);
    Server.Reply("/bomb.bmp", TextReply(bomb, "image/bmp"));
    Server.Reply("/garbage.jpg", TextReply("not a picture at all", "image/jpeg"));

    for (const char* bad : {"{site}/garbage.jpg\nimage_format=jpg", "{site}/bomb.bmp\nimage_format=bmp",
                            "{site}/b.gif\nimage_format=jpg"}) {
        Serve("[set]\nflag=zqad\ncount=3\n"
              "[ad0]\nimage_url={site}/a.jpg\nimage_format=jpg\nlink_url=a\n"
              "[ad1]\nimage_url=" + QByteArray(bad) + "\nlink_url=b\n"
              "[ad2]\nimage_url={site}/c.bmp\nimage_format=bmp\nlink_url=c\n");
        EXPECT_THROW(Dates.Execute(), Exception) << bad;
        EXPECT_EQ(Summary(), QStringLiteral("a+")) << bad;
    }
    EXPECT_EQ(Server.Count("/c.bmp"), 0);
}

TEST_F(AdImageDatesTest, AbortFlagStopsBeforeTheNextEntry)
{
    std::atomic<bool> abort {true};
    Dates.SetAbortFlag(&abort);
    Serve(kTwoAds);
    Dates.Execute();
    EXPECT_EQ(Dates.GetCount(), 0);
    EXPECT_EQ(Server.Count("/a.jpg") + Server.Count("/b.gif"), 0);
}

TEST(AdImageDateTest, SetAdDateCopiesAllFields)
{
    const TQelAdDate d {QStringLiteral("u"), QStringLiteral("f"), QStringLiteral("n"), QStringLiteral("l"), QStringLiteral("t")};
    TQelAdImageDate e;
    e.SetAdDate(&d);
    EXPECT_EQ(e.AdDate->ImageUrl, QStringLiteral("u"));
    EXPECT_EQ(e.AdDate->ImageFormat, QStringLiteral("f"));
    EXPECT_EQ(e.AdDate->AdFileName, QStringLiteral("n"));
    EXPECT_EQ(e.AdDate->LinkUrl, QStringLiteral("l"));
    EXPECT_EQ(e.AdDate->AdText, QStringLiteral("t"));
    EXPECT_EQ(e.Image, nullptr);
}
