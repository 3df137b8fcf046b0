// Every test program runs on Qt's offscreen platform, with its own private
// user folders, so no test reads or writes the real user's data.
#include "tests/common/temp_folder.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const q31::test::TempFolder& home = q31::test::ProcessHome();
    setenv("XDG_DATA_HOME", home.Sub("data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", home.Sub("config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", home.Sub("runtime").c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
