#include "WexloConfig.h"
#include "app/Program.h"
#include "platform/Platform.h"
#include "shared/ui/AboutDialog.h"
#include "support/WexloTest.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace wexlo;
using platform::twips;

namespace {

// A part of a window, found by its object name.
template <class W = QLabel>
W* part(const QObject& window, const char* name)
{
    return window.findChild<W*>(QString::fromLatin1(name));
}

class About : public test::WexloTest {
protected:
    static QList<AboutDialog::Product> three()
    {
        return AboutDialog::parseProducts(QStringLiteral(
            "Shelfy|shelfy.html|Keeps your shelves;Noter|noter.html;Clocky|clocky.html"));
    }
    static QString site(const QString& rest)
    {
        QString s = QStringLiteral(WEXLO_MAKER_WEBSITE);
        if (!s.endsWith(QLatin1Char('/')))
            s += QLatin1Char('/');
        return s + rest;
    }
};

TEST_F(About, CaptionAndVersionLine)
{
    clock_.current = QDateTime(QDate(2033, 6, 1), QTime(8, 0));
    QWidget main;
    main.setWindowIcon(QIcon(QPixmap(16, 16)));
    AboutDialog about(&main);
    // The year is the one at load time, not the build's.
    EXPECT_EQ(about.windowTitle(), QStringLiteral("(c)2033 " WEXLO_MAKER_NAME));
    EXPECT_EQ(part(about, "versionLabel")->text(),
              QStringLiteral("Wexlo 1.0.8 (Tracks items you lend to people)"));
    EXPECT_FALSE(about.windowIcon().isNull());
    EXPECT_EQ(part<QPushButton>(about, "exitButton")->text(), QStringLiteral("Exit"));
    EXPECT_EQ(part(about, "hintLabel")->text(),
              QStringLiteral(
                  "Hover the mouse over icons for details. Click icons to open in your browser."));
    EXPECT_EQ(part(about, "webmastersLabel")->text(), QStringLiteral("Webmasters:"));
    EXPECT_EQ(part(about, "padFilesLink")->text(),
              QStringLiteral("Get PAD files for all my software here"));
    EXPECT_EQ(part(about, "coversLabel")->text(),
              QStringLiteral("Click the covers for your chance to win a copy -->"));
    EXPECT_EQ(part<QPushButton>(about, "exitButton")->accessibleName(), QStringLiteral("Exit"));
}

TEST_F(About, ProductListParsing)
{
    EXPECT_TRUE(AboutDialog::parseProducts(QString()).isEmpty());
    const auto list = AboutDialog::parseProducts(
        QStringLiteral(" A | a.html ;nopage;|b.html;C|https://elsewhere.example/c.html|Third;"));
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].name, QStringLiteral("A"));
    EXPECT_EQ(list[0].page, QStringLiteral("a.html"));
    EXPECT_EQ(list[1].description, QStringLiteral("Third"));

    // No products: no icons, and the empty invitation is not shown.
    AboutDialog about(nullptr, {});
    EXPECT_TRUE(about.productIcons().isEmpty());
    EXPECT_FALSE(part<QGroupBox>(about, "productsBox")->isVisibleTo(&about));
}

TEST_F(About, IconsFillTheGridColumnByColumnAndStopAtTheLast)
{
    AboutDialog about(nullptr, three());
    ASSERT_EQ(about.productIcons().size(), 3);
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("productIcon2")), about.productIcons()[2]);
    const QLabel* first = about.productIcons()[0];
    EXPECT_EQ(first->pos(), QPoint(twips(380), twips(520)));
    // Second icon under the first, 100 twips apart; third at the top of the next column.
    EXPECT_EQ(about.productIcons()[1]->pos(), QPoint(twips(380), twips(520 + 480 + 100)));
    const double gap =
        (part<QGroupBox>(about, "productsBox")->width() * 1440.0 / metrics_.dpi - 8 * 480 - 500) /
        8;
    EXPECT_NEAR(about.productIcons()[2]->x(), twips(380) + (480 + gap) * metrics_.dpi / 1440.0,
                1.5);
    EXPECT_EQ(about.productIcons()[2]->y(), twips(520));

    // A full set: 16 icons, the last at the bottom of the eighth column inside the frame.
    QList<AboutDialog::Product> many;
    for (int i = 0; i < 20; ++i)
        many.append({QStringLiteral("P%1").arg(i), QStringLiteral("p%1.html").arg(i), {}});
    AboutDialog full(nullptr, many);
    ASSERT_EQ(full.productIcons().size(), 16);
    EXPECT_EQ(full.productIcons()[15]->y(), about.productIcons()[1]->y());
    EXPECT_LE(full.productIcons()[15]->geometry().right(),
              part<QGroupBox>(full, "productsBox")->width());
    EXPECT_GT(full.productIcons()[14]->x(), full.productIcons()[12]->x());
}

TEST_F(About, HoverShowsTheIconsDescriptionInDarkRed)
{
    AboutDialog about(nullptr, three());
    about.show();
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(about.productIcons()[0], &enter);
    EXPECT_EQ(part(about, "hintLabel")->text(), QStringLiteral("Shelfy - Keeps your shelves"));
    EXPECT_EQ(part(about, "hintLabel")->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    EXPECT_TRUE(part(about, "coverHintLabel")->text().isEmpty());
    QCoreApplication::sendEvent(about.productIcons()[1], &enter);
    EXPECT_EQ(part(about, "hintLabel")->text(), QStringLiteral("Noter"));

    QTest::mouseMove(&about, QPoint(2, 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&about, &move);
    EXPECT_TRUE(part(about, "hintLabel")->text().isEmpty());
}

TEST_F(About, LinksOpenTheMakersPagesThroughTheShell)
{
    AboutDialog about(nullptr, three());
    about.show();
    QTest::mouseClick(about.productIcons()[2], Qt::LeftButton);
    QTest::mouseClick(part(about, "bookCover1"), Qt::LeftButton);
    QTest::mouseClick(part(about, "padFilesLink"), Qt::LeftButton);
    EXPECT_EQ(shell_.opened, (QStringList{site(QStringLiteral("clocky.html?Wexlo")),
                                          site(QStringLiteral("booknotify.html?Wexlo")),
                                          site(QStringLiteral("pad/"))}));

    // A shell that refuses the request: the user is told, nothing escapes.
    shell_.openThrows = true;
    QTest::mouseClick(about.productIcons()[0], Qt::LeftButton);
    EXPECT_EQ(boxes_.lastText(), QStringLiteral("There was an ERROR?"));
}

// The window shows whichever program the shared library serves, as that program told it.
TEST_F(About, ItShowsTheProgramItWasGiven)
{
    struct Case {
        const char* title;
        const char* executable;
        const char* description;
        const char* maker;
    };
    const Case cases[] = {{"Shelfy", "shelfy", "Keeps your shelves", "Someone Else"},
                          {"Wexlo", "Wexlo", "Tracks items you lend to people", "Another Maker"}};
    clock_.current = QDateTime(QDate(2031, 1, 2), QTime(8, 0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        ProgramInfo info = app::wexloProgramInfo();
        info.title = QString::fromLatin1(c.title);
        info.executable = QString::fromLatin1(c.executable);
        info.description = QString::fromLatin1(c.description);
        info.makerName = QString::fromLatin1(c.maker);
        setProgramInfo(info);
        shell_.opened.clear();
        AboutDialog about(nullptr, three());
        EXPECT_EQ(about.windowTitle(), QStringLiteral("(c)2031 ") + info.makerName);
        EXPECT_EQ(part(about, "versionLabel")->text(),
                  QStringLiteral("%1 1.0.8 (%2)").arg(info.title, info.description));
        about.show();
        QTest::mouseClick(about.productIcons()[2], Qt::LeftButton);
        EXPECT_EQ(shell_.opened,
                  QStringList{site(QStringLiteral("clocky.html?") + info.executable)});
    }
    app::installProgramInfo();
}

TEST_F(About, ExitClosesTheModalWindow)
{
    AboutDialog about(nullptr, three());
    bool clicked = false;
    QTimer::singleShot(0, &about, [&] {
        clicked = true;
        QTest::mouseClick(part<QPushButton>(about, "exitButton"), Qt::LeftButton);
    });
    QTimer::singleShot(5000, &about, [&] { about.reject(); });  // never hang the suite
    EXPECT_EQ(about.exec(), QDialog::Accepted);
    EXPECT_TRUE(clicked);
    EXPECT_FALSE(about.isVisible());
}

}  // namespace
