#include <gtest/gtest.h>

#include <QApplication>

// Widget tests share one QApplication; native dialogs are off so nothing can block.
int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
