#include <QApplication>
#include <QDialog>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("KVL Editor"));
    return dialog.exec() == QDialog::Accepted ? 0 : 0;
}
