#include "platform/AppFolder.h"
#include "shared/util/Delay.h"
#include "shared/util/Help.h"
#include "shared/util/Pointer.h"
#include "shared/util/ProgramInfo.h"
#include "shared/util/Text.h"
#include "shared/util/Web.h"
#include "support/WexloTest.h"

#include <QLabel>
#include <QLineEdit>

using namespace wexlo;

namespace {

class Helpers : public test::WexloTest {
protected:
    void SetUp() override
    {
        WexloTest::SetUp();
        delay::resetForTests();
        pump_.runRealEvents = false;
        pump_.trace = &trace_;
        clock_.onSleep = [this](int ms) { trace_.append(QStringLiteral("sleep %1").arg(ms)); };
    }
    QStringList trace_;
};

TEST_F(Helpers, ShortDelaysBlockLongOnesYieldEveryHalfSecond)
{
    delay::waitMs(1000);
    EXPECT_EQ(trace_, QStringList{QStringLiteral("sleep 1000")});

    trace_.clear();
    delay::waitMs(1001);
    EXPECT_EQ(trace_, (QStringList{QStringLiteral("sleep 500"), QStringLiteral("check"),
                                   QStringLiteral("yield"), QStringLiteral("sleep 500"),
                                   QStringLiteral("check"), QStringLiteral("yield"),
                                   QStringLiteral("sleep 1")}));

    trace_.clear();
    pump_.pendingInput = false;
    delay::waitSeconds(2.5f);
    EXPECT_EQ(clock_.sleeps.mid(clock_.sleeps.size() - 5), (QList<int>{500, 500, 500, 500, 500}));
    EXPECT_EQ(trace_.count(QStringLiteral("check")), 4);
    EXPECT_EQ(trace_.count(QStringLiteral("yield")), 0);  // no input waiting, no yield

    clock_.sleeps.clear();
    delay::waitSeconds(0.0f);
    EXPECT_EQ(clock_.sleeps, QList<int>{0});
}

TEST_F(Helpers, ThrottledYieldRunsEventsAboutFourTimesASecond)
{
    for (int i = 0; i < 100; ++i) {
        delay::throttledYield();
        clock_.monotonic += 0.01;  // one second in all
    }
    EXPECT_GE(pump_.yields, 4);
    EXPECT_LE(pump_.yields, 5);
}

TEST_F(Helpers, VersionAndPointer)
{
    EXPECT_EQ(programVersion(), QStringLiteral("1.0.8"));
    pointer::showBusy();
    EXPECT_EQ(platform::mouse().pointer(), platform::Pointer::Busy);
    pointer::showNormal();
    EXPECT_EQ(platform::mouse().pointer(), platform::Pointer::Default);
    EXPECT_EQ(pump_.yields, 2);
}

TEST_F(Helpers, WebsiteVisitOpensThroughTheShellOrSaysItFailed)
{
    web::openAddress(nullptr, QStringLiteral("https://example.org/"));
    EXPECT_EQ(shell_.opened, QStringList{QStringLiteral("https://example.org/")});
    EXPECT_TRUE(boxes_.shown.isEmpty());

    shell_.openThrows = true;
    web::openAddress(nullptr, QStringLiteral("mailto:x@example.org"));
    ASSERT_EQ(boxes_.shown.size(), 1);
    EXPECT_EQ(boxes_.shown[0].text, QStringLiteral("There was an ERROR?"));
    EXPECT_EQ(boxes_.shown[0].title, QStringLiteral("Open URL Error"));
    EXPECT_EQ(boxes_.shown[0].icon, platform::MsgIcon::Warning);
}

TEST_F(Helpers, HelpOpensThePageOrSaysWhereItLooked)
{
    help::show(nullptr);
    const QString expected = appFile(QStringLiteral("Help/Index.htm"));
    if (help::pagePath() == expected) {  // no installed copy beside the tests
        ASSERT_EQ(boxes_.shown.size(), 1);
        EXPECT_EQ(boxes_.shown[0].text, QStringLiteral("Cannot find help file ") + expected);
        EXPECT_EQ(boxes_.shown[0].title, QStringLiteral("Wexlo"));
    }

    boxes_.shown.clear();
    shell_.opened.clear();
    writeBytes(expected, "<html></html>");
    help::show(nullptr);
    EXPECT_EQ(shell_.opened, QStringList{expected});
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

TEST_F(Helpers, HighlightSelectsAllAndCopesWithAnEmptyBox)
{
    QLineEdit box;
    box.setText(QStringLiteral("Lawn mower"));
    text::selectAll(&box);
    EXPECT_EQ(box.selectedText(), QStringLiteral("Lawn mower"));
    box.clear();
    text::selectAll(&box);
    EXPECT_FALSE(box.hasSelectedText());
    EXPECT_EQ(logText(), QString());
}

TEST_F(Helpers, LongCaptionsWidenAndTheirFieldsGiveWayWhileShortOnesLeaveAllInPlace)
{
    QWidget window;
    auto* shortCaption = new QLabel(QStringLiteral("Port:"), &window);
    auto* longCaption = new QLabel(&window);
    auto* shortField = new QLineEdit(&window);
    auto* longField = new QLineEdit(&window);
    shortCaption->setGeometry(8, 0, 73, 17);
    longCaption->setGeometry(8, 24, 73, 17);
    shortField->setGeometry(88, 0, 65, 20);
    longField->setGeometry(88, 24, 209, 20);
    for (const QString& caption : {QStringLiteral("User:"), QStringLiteral("Mot de passe :")}) {
        longCaption->setText(caption);
        text::widenCaptions({{shortCaption, shortField}, {longCaption, longField}});
    }
    const int shift = 8 + longCaption->sizeHint().width() + 4 - 88;
    ASSERT_GT(shift, 0) << "the caption must not fit for this case";
    EXPECT_EQ(shortCaption->geometry(), QRect(8, 0, 73, 17));
    EXPECT_EQ(longCaption->width(), longCaption->sizeHint().width());
    EXPECT_EQ(shortField->geometry(), QRect(88 + shift, 0, 65 - shift, 20));
    EXPECT_EQ(longField->geometry(), QRect(88 + shift, 24, 209 - shift, 20));
}

}  // namespace
