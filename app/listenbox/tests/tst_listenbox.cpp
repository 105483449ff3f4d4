// Listenbox's window on the offscreen platform, playing into ALSA's file plugin: the buttons
// are driven by their object names and the samples that reach the device are checked.
#include "listenbox/ListenWindow.h"

#include "audio_sandbox.h"
#include "platform_test/test_folder.h"
#include "wave_test/wave_files.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// Samples without zeros (the device adds zeros of its own around a buffer).
std::vector<int16_t> testSamples(std::size_t count) {
    std::vector<int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<int16_t>(1 + (i * 97) % 20000);
    return samples;
}

std::string pcm16Wave(const std::vector<int16_t>& samples, uint32_t rate) {
    wave_test::FormatChunk format;
    format.rate = rate;
    return wave_test::WaveFile(format, wave_test::Pcm16Bytes(samples));
}

} // namespace

class TestListenbox : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AudioSandbox> sandbox;
    std::unique_ptr<listenbox::ListenWindow> window;
    std::optional<platform_test::TestFolder> folder;

    QPushButton* button(const char* name) {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QString label(const char* name) {
        return window->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    std::string writeFile(const char* name, const std::string& bytes) {
        return folder->writeFile(name, bytes).string();
    }

private slots:
    void init() {
        sandbox = std::make_unique<AudioSandbox>();
        folder.emplace();
        window = std::make_unique<listenbox::ListenWindow>();
        window->show();
    }

    void cleanup() {
        window.reset();
        sandbox.reset();
        folder.reset();
    }

    void playsTheWholeFileToTheDevice() {
        sandbox->routeToFile();
        const auto samples = testSamples(4000);
        QVERIFY(window->openFile(
            QString::fromStdString(writeFile("dict 1.wav", pcm16Wave(samples, 8000)))));
        QCOMPARE(label("lblFile"), QStringLiteral("dict 1.wav"));
        QCOMPARE(label("lblPosition"), QStringLiteral("0:00 / 0:00"));
        QVERIFY(button("btnPlay")->isEnabled());
        QVERIFY(!button("btnStop")->isEnabled());
        QTest::mouseClick(button("btnPlay"), Qt::LeftButton);
        QVERIFY(!button("btnPlay")->isEnabled());
        QVERIFY(button("btnStop")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(window->session().state() == listenbox::PlayState::Stopped, 20000);
        QVERIFY(button("btnPlay")->isEnabled());
        QCOMPARE(withoutZeros(sandbox->samplesWritten()), samples);
    }

    void pausesResumesAndStops() {
        sandbox->routeToPacedPipe(32 * 1024);
        const auto samples = testSamples(8000 * 60); // a minute: never played out here
        QVERIFY(window->openFile(
            QString::fromStdString(writeFile("long.wav", pcm16Wave(samples, 8000)))));
        QCOMPARE(label("lblPosition"), QStringLiteral("0:00 / 1:00"));
        QTest::mouseClick(button("btnPlay"), Qt::LeftButton);
        QCOMPARE(window->session().state(), listenbox::PlayState::Playing);
        QTRY_VERIFY_WITH_TIMEOUT(sandbox->bytesRead() > 0, 20000);
        QTest::mouseClick(button("btnPause"), Qt::LeftButton);
        QCOMPARE(window->session().state(), listenbox::PlayState::Paused);
        QVERIFY(button("btnPlay")->isEnabled());
        const double pausedAt = window->session().PositionSeconds();
        QCOMPARE(window->session().PositionSeconds(), pausedAt);
        QTest::mouseClick(button("btnPause"), Qt::LeftButton);
        QCOMPARE(window->session().state(), listenbox::PlayState::Playing);
        QTest::mouseClick(button("btnStop"), Qt::LeftButton);
        QCOMPARE(window->session().state(), listenbox::PlayState::Stopped);
        QCOMPARE(window->session().PositionSeconds(), 0.0);
        QVERIFY(button("btnPlay")->isEnabled());
        QVERIFY(!button("btnPause")->isEnabled());
        // The notice of the stopped playback, queued by now, must not end the next one.
        QTest::mouseClick(button("btnPlay"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCOMPARE(window->session().state(), listenbox::PlayState::Playing);
        QTest::mouseClick(button("btnStop"), Qt::LeftButton);
    }

    void opensAVoxFileAsDialogicAdpcmAt8000() {
        const std::string codes(4000, '\x17');
        QVERIFY(window->openFile(QString::fromStdString(writeFile("job.vox", codes))));
        QCOMPARE(window->session().DurationSeconds(), 1.0);
        QVERIFY(window->openFile(QString::fromStdString(writeFile("job2.VOX", codes)), {7, 4000}));
        QCOMPARE(window->session().DurationSeconds(), 1.0);
    }

    void namesAFileItCannotOpen() {
        const QString path = QString::fromStdString(writeFile("broken.wav", "not a wave file"));
        QVERIFY(!window->openFile(path));
        QVERIFY2(label("lblStatus").startsWith(QStringLiteral("Cannot open ") + path + ": "),
                 qPrintable(label("lblStatus")));
        QVERIFY(label("lblStatus").size() >
                QString(QStringLiteral("Cannot open ") + path + ": ").size());
        QVERIFY(!button("btnPlay")->isEnabled());
        QVERIFY(
            !window->openFile(QString::fromStdString((folder->path() / "missing.wav").string())));
        QVERIFY(!button("btnPlay")->isEnabled());
    }

    // The reason of a failed open can run to several lines: the window gives them room, so the
    // text is neither cut at the top and bottom nor beyond the window's edge.
    void theMessageHasRoomForItsWholeText() {
        const std::string deep =
            "dictations of the cardiology ward/Dr Smith/Monday morning/second round of the day";
        const QString path = QString::fromStdString(
            writeFile((deep + "/discharge summary.wav").c_str(), "not a wave file"));
        QVERIFY(!window->openFile(path));
        auto* status = window->findChild<QLabel*>(QStringLiteral("lblStatus"));
        QTRY_VERIFY(status->height() >= status->heightForWidth(status->width()));
        QVERIFY(status->heightForWidth(status->width()) > 2 * status->fontMetrics().height());
        QVERIFY(status->geometry().right() < window->width());
        QVERIFY(status->geometry().bottom() < window->height());
    }
};

QTEST_MAIN(TestListenbox)
#include "tst_listenbox.moc"
