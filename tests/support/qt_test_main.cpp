#include <QCoreApplication>

#include <gtest/gtest.h>

// Tests that drive Qt objects need an application object for the event loop
// they wait in.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
