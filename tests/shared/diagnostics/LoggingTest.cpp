#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/Logging.h"
#include "support/WexloTest.h"

#include <functional>
#include <new>
#include <stdexcept>

using namespace wexlo;
using namespace wexlo::logging;

namespace {

class Logging : public test::WexloTest {};

TEST_F(Logging, LineHasTimeThenTextFromColumn15AndCrLf)
{
    writeLine(QStringLiteral("hello"));
    EXPECT_EQ(logText(), QStringLiteral("14:02:51      hello\r\n"));
    EXPECT_EQ(logPath(), appFile(QStringLiteral("log.txt")));
}

TEST_F(Logging, AppendsAndNeverTruncates)
{
    writeBytes(appFile(QStringLiteral("log.txt")), "old line\r\n");
    writeLine(QStringLiteral("a"));
    writeLine(QStringLiteral("b"));
    EXPECT_EQ(logText(), QStringLiteral("old line\r\n14:02:51      a\r\n14:02:51      b\r\n"));
}

TEST_F(Logging, FortyErrorsStayInMemoryTheFortyFirstWritesTheBlock)
{
    for (int i = 1; i <= 40; ++i)
        logError(QStringLiteral("e%1").arg(i));
    EXPECT_EQ(logText(), QString());

    logError(QStringLiteral("Overflow(6)"), QStringLiteral("fosname"),
             QStringLiteral("mSHAREDOSINFO"));
    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 42);
    EXPECT_EQ(lines.first(), QStringLiteral("Listing last 40 actions: "));
    EXPECT_EQ(lines.at(1), QStringLiteral(" >> 1: e1 - 14:02:51"));
    EXPECT_EQ(lines.at(40), QStringLiteral(" >> 40: e40 - 14:02:51"));
    EXPECT_EQ(lines.last(), QStringLiteral("End of actions list"));

    // The 41st entry went to slot 1, so the next listing starts at slot 2 and ends with it.
    writeRecentActions();
    const QStringList again = logLines().mid(42);
    ASSERT_EQ(again.size(), 42);
    EXPECT_EQ(again.at(1), QStringLiteral(" >> 1: e2 - 14:02:51"));
    EXPECT_EQ(again.at(40),
              QStringLiteral(" >> 40: Overflow(6) in fosname of module mSHAREDOSINFO - 14:02:51"));
}

TEST_F(Logging, ListingNumbersOnlyUsedSlotsAndEmptyListHasFrameOnly)
{
    writeRecentActions();
    EXPECT_EQ(logLines(), (QStringList{QStringLiteral("Listing last 40 actions: "),
                                       QStringLiteral("End of actions list")}));

    logError(QStringLiteral("a"));
    logError(QStringLiteral("b"), QStringLiteral("proc"));
    logDebug(QStringLiteral("Url set to x"));
    writeRecentActions();
    EXPECT_EQ(logLines().mid(2), (QStringList{QStringLiteral("Listing last 40 actions: "),
                                              QStringLiteral(" >> 1: a - 14:02:51"),
                                              QStringLiteral(" >> 2: b in proc - 14:02:51"),
                                              QStringLiteral(" >> 3: DBG: Url set to x - 14:02:51"),
                                              QStringLiteral("End of actions list")}));
}

TEST_F(Logging, DebugEntryWrapsWithoutListing)
{
    for (int i = 1; i <= 40; ++i)
        logError(QStringLiteral("e%1").arg(i));
    logDebug(QStringLiteral("late"));
    EXPECT_EQ(logText(), QString());
    writeRecentActions();
    const QStringList lines = logLines();
    EXPECT_EQ(lines.at(1), QStringLiteral(" >> 1: e2 - 14:02:51"));
    EXPECT_EQ(lines.at(40), QStringLiteral(" >> 40: DBG: late - 14:02:51"));
}

TEST_F(Logging, HandlerLogsAndCarriesOnWithTheNextStatement)
{
    int reached = 0;
    int value = 5;
    ErrorRecorder on(QStringLiteral("fosname"), QStringLiteral("mSHAREDOSINFO"));
    on([&] {
        raiseError(err::Overflow);
        value = 99;
    });
    on([&] { reached = 1; });
    EXPECT_EQ(value, 5);
    EXPECT_EQ(reached, 1);
    EXPECT_EQ(on.lastNumber(), err::Overflow);
    writeRecentActions();
    EXPECT_EQ(logLines().at(1),
              QStringLiteral(" >> 1: Overflow(6) in fosname of module mSHAREDOSINFO - 14:02:51"));
}

TEST_F(Logging, NumberDashFormAndSubscriptHasNoBlank)
{
    EXPECT_EQ(ErrorRecorder::format(9, errorDescription(9), ErrorRecorder::Form::Standard),
              QStringLiteral("Subscript out of range(9)"));
    EXPECT_EQ(ErrorRecorder::format(9, errorDescription(9), ErrorRecorder::Form::NumberDash),
              QStringLiteral("9-Subscript out of range"));
}

TEST_F(Logging, UnwritableLogReachesTheCallerAndALostListingIsDropped)
{
    useFaultyFileSystem();
    files_.failAppend[QStringLiteral("log.txt")] = err::PermissionDenied;
    ErrorRecorder on(QStringLiteral("caller"), QStringLiteral("mod"));
    EXPECT_FALSE(on([] { writeLine(QStringLiteral("x")); }));
    EXPECT_EQ(on.lastNumber(), err::PermissionDenied);
    for (int i = 0; i < 45; ++i)
        logError(QStringLiteral("e"));  // the listing at 41 fails silently
    SUCCEED();
}

TEST_F(Logging, WhatASlotLetsEscapeIsLoggedAtTheEdgeAndGoesNoFurther)
{
    struct Case {
        std::function<void()> fail;
        bool takesArgument;
        ErrorRecorder::Form form;
        QString logged;
    };
    const Case cases[] = {
        {[] { raiseError(err::DiskFull); }, true, ErrorRecorder::Form::Standard,
         errorDescription(err::DiskFull) + QStringLiteral("(61)")},
        {[] { throw std::bad_alloc(); }, false, ErrorRecorder::Form::NumberDash,
         QStringLiteral("7-") + errorDescription(err::OutOfMemory)},
        {[] { throw std::runtime_error("x"); }, false, ErrorRecorder::Form::Standard,
         errorDescription(err::InvalidProcedureCall) + QStringLiteral("(5)")},
    };
    for (const Case& c : cases) {
        logging::resetForTests();
        QObject sender;
        QObject receiver;
        QString seen;
        if (c.takesArgument)
            connectGuarded(
                &sender, &QObject::objectNameChanged, &receiver,
                [&](const QString& name) {
                    seen = name;
                    c.fail();
                },
                QStringLiteral("edge"), QStringLiteral("mod"), c.form);
        else
            connectGuarded(
                &sender, &QObject::objectNameChanged, &receiver, [&] { c.fail(); },
                QStringLiteral("edge"), QStringLiteral("mod"), c.form);
        sender.setObjectName(QStringLiteral("fired"));
        EXPECT_EQ(seen, c.takesArgument ? QStringLiteral("fired") : QString());
        writeRecentActions();
        const QStringList lines = logLines();
        ASSERT_GE(lines.size(), 3);
        const QString& entry = lines.at(lines.size() - 2);  // the only one, before the closing line
        EXPECT_TRUE(entry.contains(c.logged + QStringLiteral(" in edge of module mod")))
            << entry.toStdString();
    }
}

}  // namespace
