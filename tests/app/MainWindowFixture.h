#pragma once

// A test that opens the main window: the program-wide state the window reads (settings, date
// forms, delays) starts fresh for each test and is cleared after the window has gone.

#include "app/frmMain.h"
#include "platform/Notifier.h"
#include "shared/dates/mSHAREDDateFunc.h"
#include "shared/settings/mSHAREDSettings.h"
#include "shared/util/mSHAREDDelay.h"
#include "support/Fixture.h"

#include <memory>
#include <utility>
#include <vector>

namespace wexlo::test {

// Records desktop notifications instead of showing them (and says they were shown).
class RecordingNotifier : public platform::Notifier {
public:
    std::vector<std::pair<QString, QString>> shown;  // summary, body
    void notify(const QString& summary, const QString& body,
                std::function<void(bool)> done) override
    {
        shown.emplace_back(summary, body);
        if (done)
            done(true);
    }
};

class MainWindowFixture : public WexloTest {
protected:
    void SetUp() override
    {
        WexloTest::SetUp();
        platform::setNotifier(&notes_);
        mSHAREDSettings::resetForTests();
        mSHAREDDateFunc::resetForTests();
        mSHAREDDelay::resetForTests();
    }
    void TearDown() override
    {
        win_.reset();
        platform::setNotifier(nullptr);
        mSHAREDSettings::resetForTests();
        mSHAREDDateFunc::resetForTests();
        WexloTest::TearDown();
    }

    std::unique_ptr<frmMain> win_;
    RecordingNotifier notes_;
};

}  // namespace wexlo::test
