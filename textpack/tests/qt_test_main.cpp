// Runs every Qt Test class of the dialog tests under one application object.
#include <QApplication>
#include <QTest>

#include "dialog_runner_test.h"
#include "message_box_test.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failures = 0;
    {
        DialogRunnerTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        MessageBoxTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
