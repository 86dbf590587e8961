// Every test executable runs its tests inside one QApplication on the offscreen platform.

#include "app/Program.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    wexlo::app::installProgramInfo();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wexlo"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
