// The report tests draw with Qt's GUI module, which needs an application object; the
// offscreen platform lets them run without a display.
#include <cstdlib>

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
