#pragma once

// A test that opens the main window: the program-wide state the window reads (settings, date
// forms, delays) starts fresh for each test and is cleared after the window has gone.

#include "app/frmMain.h"
#include "shared/dates/mSHAREDDateFunc.h"
#include "shared/settings/mSHAREDSettings.h"
#include "shared/util/mSHAREDDelay.h"
#include "support/Fixture.h"

#include <memory>

namespace wexlo::test {

class MainWindowFixture : public WexloTest {
protected:
    void SetUp() override
    {
        WexloTest::SetUp();
        mSHAREDSettings::resetForTests();
        mSHAREDDateFunc::resetForTests();
        mSHAREDDelay::resetForTests();
    }
    void TearDown() override
    {
        win_.reset();
        mSHAREDSettings::resetForTests();
        mSHAREDDateFunc::resetForTests();
        WexloTest::TearDown();
    }

    std::unique_ptr<frmMain> win_;
};

}  // namespace wexlo::test
