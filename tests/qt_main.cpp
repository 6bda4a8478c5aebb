// Widget tests run in a QApplication, offscreen. The files a dialog would
// propose in the documents folder go to a folder of the test run's own.
#include "store/user_folders.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir documents;
    setDocumentFolders(documents.path(), {});
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
