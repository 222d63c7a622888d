#include <gtest/gtest.h>

#include <QApplication>

// Widget tests share one QApplication; native dialogs are off so nothing can block. Without a
// platform chosen (test discovery runs outside the tests' environment) they need no display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
