#include <QCoreApplication>

#include <gtest/gtest.h>

// Serial ports and child processes want an application object.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
