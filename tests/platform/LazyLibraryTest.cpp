#include "platform/LazyLibrary.h"

#include <gtest/gtest.h>

using namespace wexlo;

namespace {

// A library or function that is not there must read as a failure, never as a table that
// holds a null function for the caller to crash on.
TEST(LazyLibrary, ReportsWhatItCannotFind)
{
    struct Case {
        const char* soname;
        const char* function;
        bool ok;
    };
    const Case cases[] = {
        {"libm.so.6", "cos", true},
        {"libm.so.6", "wexlo_no_such_function", false},
        {"libwexlo-no-such-library.so.1", "cos", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.soname) + " " + c.function);
        platform::LazyLibrary library(c.soname);
        double (*function)(double) = nullptr;
        library.find(function, c.function);
        EXPECT_EQ(library.ok(), c.ok);
        EXPECT_EQ(function != nullptr, c.ok);
        if (function) {
            EXPECT_DOUBLE_EQ(function(0.0), 1.0);
        }
    }
}

}  // namespace
