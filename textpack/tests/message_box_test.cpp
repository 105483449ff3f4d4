#include "message_box_test.h"

#include "dialog_driver.h"
#include "textpack/Textpack.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct BoxSeen {
    bool isMessageBox = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    Qt::WindowModality modality = Qt::NonModal;
};

void answerBox(BoxSeen& seen) {
    dialogdriver::answerNextModal([&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        seen.isMessageBox = box != nullptr;
        if (box == nullptr) {
            modal->close();
            return;
        }
        seen.icon = box->icon();
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.modality = box->windowModality();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
}

// Sends standard error to a temporary file for its lifetime and tells how much was written.
class StandardErrorTrap {
public:
    StandardErrorTrap() {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        char name[] = "/tmp/textpack-stderr-XXXXXX";
        file_ = mkstemp(name);
        unlink(name);
        dup2(file_, STDERR_FILENO);
    }
    ~StandardErrorTrap() {
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
        close(file_);
    }
    long bytesWritten() const {
        std::fflush(stderr);
        struct stat info {};
        fstat(file_, &info);
        return static_cast<long>(info.st_size);
    }

private:
    int saved_ = -1;
    int file_ = -1;
};

} // namespace

void MessageBoxTest::errorShowsACriticalBoxWithCaptionAndText() {
    BoxSeen seen;
    answerBox(seen);
    StandardErrorTrap trap;
    TextpackShowError("Unexpected end of file (\"a.wav\").", "Sound File");
    const long written = trap.bytesWritten();
    QVERIFY(seen.isMessageBox);
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.title, QStringLiteral("Sound File"));
    QCOMPARE(seen.text, QStringLiteral("Unexpected end of file (\"a.wav\")."));
    QCOMPARE(seen.modality, Qt::ApplicationModal);
    QCOMPARE(written, 0L);
}

void MessageBoxTest::nullTextsShowAnEmptyBox() {
    BoxSeen seen;
    answerBox(seen);
    TextpackShowError(nullptr, nullptr);
    QVERIFY(seen.isMessageBox);
    QCOMPARE(seen.text, QString());
    QCOMPARE(seen.title, QString());
}
