// The application object: a failure escaping an event handler is shown, and the loop goes on.
#include "ui/Captions.h"
#include "ui/Guard.h"

#include "ui_test/FakePrompts.h"

#include <QEvent>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace {

// Fails on every event of the user type, counting how many reached it.
class FailingReceiver : public QObject {
public:
    int received = 0;

    bool event(QEvent* event) override {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++received;
        throw std::runtime_error("File not found (\"c:\\tmp.wav\")");
    }
};

} // namespace

class TestApplication : public QObject {
    Q_OBJECT

private slots:
    void aFailureInAnEventHandlerIsShownAndTheLoopGoesOn() {
        ui_test::FakePrompts prompts;
        FailingReceiver receiver;
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
        bool loopWentOn = false;
        QTimer::singleShot(0, [&] { loopWentOn = true; });
        QTRY_VERIFY(loopWentOn);
        QCOMPARE(receiver.received, 2);
        QCOMPARE(prompts.messages.size(), 2);
        QCOMPARE(prompts.messages[0].text, QStringLiteral("File not found (\"c:\\tmp.wav\")"));
        QCOMPARE(prompts.messages[0].caption, ui::kApplicationTitle);
        QCOMPARE(prompts.messages[0].icon, ui::PromptIcon::Error);
    }

    void aFailureThatIsNoExceptionClassIsShownToo() {
        ui_test::FakePrompts prompts;
        ui::guarded(nullptr, [] { throw 42; });
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].text, QStringLiteral("An unexpected error occurred."));
    }
};

int main(int argc, char** argv) {
    ui::ImportApplication app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
