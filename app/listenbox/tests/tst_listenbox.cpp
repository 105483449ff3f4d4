// Listenbox's window on the offscreen platform. With a null output that the test pulls from, the
// player decodes what the program converts (stereo, 44.1 kHz, DSS), resamples for an output
// that takes only its own rate, seeks with the slider and shows the stream's position. With
// PortAudio playing into ALSA's file plugin, the samples that reach the device are checked,
// and a device that cannot be opened is said in a line the window shows whole.
#include "listenbox/ListenWindow.h"

#include "audio_test/audio_sandbox.h"
#include "dss_test/dss_writer.h"
#include "platform_test/test_folder.h"
#include "wave_test/wave_files.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace wt = wave_test;

// Samples without zeros (the device adds zeros of its own around a buffer).
std::vector<int16_t> testSamples(std::size_t count) {
    std::vector<int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<int16_t>(1 + (i * 97) % 20000);
    return samples;
}

std::string pcm16Wave(const std::vector<int16_t>& samples, uint32_t rate, uint16_t channels = 1) {
    const wt::FormatChunk format{1, channels, rate, 16, static_cast<uint16_t>(2 * channels), ""};
    return wt::WaveFile(format, wt::Pcm16Bytes(samples));
}

// An output the test pulls from, as a device would, at the sound's rate or at its own only.
class NullOutput final : public listenbox::AudioOutput {
public:
    explicit NullOutput(uint32_t onlyRate = 0)
        : onlyRate_(onlyRate) {}

    uint32_t Open(uint32_t rate, std::string&) override { return onlyRate_ ? onlyRate_ : rate; }
    bool Start(Fill fill, Finished finished, std::string&) override {
        fill_ = std::move(fill);
        finished_ = std::move(finished);
        heard_ = 0;
        running_ = true;
        return true;
    }
    void Stop() override { running_ = false; }
    void Close() override { running_ = false; }
    uint64_t FramesHeard() const override { return heard_; }

    // Up to `frames` samples, heard at once; fewer at the end, which then plays out.
    std::vector<int16_t> pull(std::size_t frames) {
        std::vector<int16_t> samples(frames);
        if (!running_)
            return {};
        samples.resize(fill_(samples.data(), frames));
        heard_ += samples.size();
        if (samples.size() < frames) {
            running_ = false;
            finished_();
        }
        return samples;
    }
    std::vector<int16_t> pullAll() {
        std::vector<int16_t> all;
        for (std::vector<int16_t> part; !(part = pull(4096)).empty() || running_;)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    }
    bool running() const { return running_; }

private:
    uint32_t onlyRate_;
    Fill fill_;
    Finished finished_;
    uint64_t heard_ = 0;
    bool running_ = false;
};

} // namespace

class TestListenbox : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AudioSandbox> sandbox;
    std::unique_ptr<listenbox::ListenWindow> window;
    NullOutput* output = nullptr; // owned by the window when it plays on a null output
    std::optional<platform_test::TestFolder> folder;

    void useNullOutput(uint32_t onlyRate = 0) {
        auto null = std::make_unique<NullOutput>(onlyRate);
        output = null.get();
        window = std::make_unique<listenbox::ListenWindow>(std::move(null));
        window->show();
    }
    QPushButton* button(const char* name) {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QLabel* labelWidget(const char* name) {
        return window->findChild<QLabel*>(QString::fromLatin1(name));
    }
    QString label(const char* name) { return labelWidget(name)->text(); }
    QSlider* slider() { return window->findChild<QSlider*>(QStringLiteral("sldPosition")); }
    QString writeFile(const char* name, const std::string& bytes) {
        return QString::fromStdString(folder->writeFile(name, bytes).string());
    }
    // The status line is neither cut at its top and bottom nor beyond the window's edge.
    void verifyStatusShownWhole() {
        QLabel* status = labelWidget("lblStatus");
        QTRY_VERIFY(status->height() >= status->heightForWidth(status->width()));
        QVERIFY(status->geometry().right() < window->width());
        QVERIFY(status->geometry().bottom() < window->height());
    }

private slots:
    void init() {
        sandbox = std::make_unique<AudioSandbox>();
        folder.emplace();
        output = nullptr;
        window = std::make_unique<listenbox::ListenWindow>();
        window->show();
    }

    void cleanup() {
        window.reset();
        sandbox.reset();
        folder.reset();
    }

    // ---- Decoding: what the program converts, the player plays ----

    void playsTheMixOfAStereoRecordingAt44100() {
        useNullOutput();
        std::vector<int16_t> interleaved;
        std::vector<int16_t> mixed;
        for (int i = 0; i < 44100; ++i) {
            const auto left = static_cast<int16_t>((i * 31) % 20000 - 10000);
            const auto right = static_cast<int16_t>((i * 17) % 16000 - 8000);
            interleaved.insert(interleaved.end(), {left, right});
            mixed.push_back(static_cast<int16_t>(std::lrint((left + right) / 2.0)));
        }
        QVERIFY(window->openFile(writeFile("studio.wav", pcm16Wave(interleaved, 44100, 2))));
        QCOMPARE(window->session().DurationSeconds(), 1.0);
        QTest::mouseClick(button("btnPlay"), Qt::LeftButton);
        QCOMPARE(output->pullAll(), mixed);
        QTRY_COMPARE(window->session().state(), listenbox::PlayState::Stopped);
    }

    void playsADssDictation() {
        useNullOutput();
        dss_test::DssShape shape;
        shape.frames = 400;
        QVERIFY(window->openFile(writeFile("memo.dss", dss_test::DssFile(shape))));
        QCOMPARE(label("lblStatus"), QString());
        QTest::mouseClick(button("btnPlay"), Qt::LeftButton);
        const std::vector<int16_t> played = output->pullAll();
        // DSS SP: 264 samples of 11025 Hz per frame of 41 bytes on average.
        QVERIFY2(played.size() > 300 * 264, qPrintable(QString::number(played.size())));
        QCOMPARE(window->session().DurationSeconds(), static_cast<double>(played.size()) / 11025);
        QVERIFY(wt::Rms(played) > 10.0);
    }

    void resamplesForAnOutputThatTakesOnlyItsOwnRate() {
        useNullOutput(48000);
        QVERIFY(window->openFile(writeFile("dict.wav", pcm16Wave(testSamples(16000), 8000))));
        QTest::mouseClick(button("btnPlay"), Qt::LeftButton);
        const std::size_t played = output->pullAll().size();
        QVERIFY2(played > 95900 && played < 96100, qPrintable(QString::number(played)));
        QCOMPARE(window->session().DurationSeconds(), 2.0);
    }

    // ---- The position and the slider ----

    void showsThePositionByTheStreamsClockAndSeeks() {
        useNullOutput();
        const auto samples = testSamples(8000 * 10);
        QVERIFY(window->openFile(writeFile("ten.wav", pcm16Wave(samples, 8000))));
        QCOMPARE(slider()->maximum(), 10000);
        QTest::mouseClick(button("btnPlay"), Qt::LeftButton);
        QCOMPARE(output->pull(12000).front(), samples[0]);
        QCOMPARE(window->session().PositionSeconds(), 1.5);
        QTRY_COMPARE(label("lblPosition"), QStringLiteral("0:01 / 0:10"));
        // A click beside the handle: a page of five seconds on, heard from there at once.
        slider()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(window->session().state(), listenbox::PlayState::Playing);
        QCOMPARE(output->pull(1).front(), samples[8000 * 13 / 2]);
        // Paused, a drag moves the position; playing goes on from it.
        QTest::mouseClick(button("btnPause"), Qt::LeftButton);
        slider()->setSliderDown(true);
        slider()->setSliderPosition(2500);
        slider()->setSliderDown(false);
        QCOMPARE(window->session().PositionSeconds(), 2.5);
        QTest::mouseClick(button("btnPause"), Qt::LeftButton);
        QCOMPARE(output->pull(1).front(), samples[8000 * 5 / 2]);
        QTest::mouseClick(button("btnStop"), Qt::LeftButton);
        QCOMPARE(window->session().PositionSeconds(), 0.0);
        QCOMPARE(slider()->value(), 0);
    }

    // ---- The real device ----

    void playsTheWholeFileToTheDevice() {
        sandbox->routeToFile();
        const auto samples = testSamples(4000);
        QVERIFY(window->openFile(writeFile("dict 1.wav", pcm16Wave(samples, 8000))));
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
        QVERIFY(window->openFile(writeFile("long.wav", pcm16Wave(samples, 8000))));
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

    void saysInAWholeLineThatTheDeviceCannotBeOpened() {
        sandbox->routeToNothing();
        QVERIFY(window->openFile(writeFile("dict.wav", pcm16Wave(testSamples(800), 8000))));
        QTest::mouseClick(button("btnPlay"), Qt::LeftButton);
        QCOMPARE(window->session().state(), listenbox::PlayState::Stopped);
        QVERIFY2(label("lblStatus").startsWith(QStringLiteral("Cannot play: ")),
                 qPrintable(label("lblStatus")));
        QVERIFY(label("lblStatus").size() > QStringLiteral("Cannot play: ").size());
        verifyStatusShownWhole();
    }

    // ---- Other files ----

    void opensAVoxFileAsDialogicAdpcmAt8000() {
        const std::string codes(4000, '\x17');
        QVERIFY(window->openFile(writeFile("job.vox", codes)));
        QCOMPARE(window->session().DurationSeconds(), 1.0);
        QVERIFY(window->openFile(writeFile("job2.VOX", codes), {7, 4000}));
        QCOMPARE(window->session().DurationSeconds(), 1.0);
    }

    void namesAFileItCannotOpen() {
        const QString path = writeFile("broken.wav", "not a wave file");
        QVERIFY(!window->openFile(path));
        QVERIFY2(label("lblStatus").startsWith(QStringLiteral("Cannot open ") + path + ": "),
                 qPrintable(label("lblStatus")));
        QVERIFY(label("lblStatus").size() >
                QString(QStringLiteral("Cannot open ") + path + ": ").size());
        QVERIFY(!button("btnPlay")->isEnabled());
        QVERIFY(!slider()->isEnabled());
        QVERIFY(
            !window->openFile(QString::fromStdString((folder->path() / "missing.wav").string())));
        QVERIFY(!button("btnPlay")->isEnabled());
    }

    // The reason of a failed open can run to several lines: the window gives them room, so the
    // text is neither cut at the top and bottom nor beyond the window's edge.
    void theMessageHasRoomForItsWholeText() {
        const std::string deep =
            "dictations of the cardiology ward/Dr Smith/Monday morning/second round of the day";
        const QString path =
            writeFile((deep + "/discharge summary.wav").c_str(), "not a wave file");
        QVERIFY(!window->openFile(path));
        QLabel* status = labelWidget("lblStatus");
        QVERIFY(status->heightForWidth(status->width()) > 2 * status->fontMetrics().height());
        verifyStatusShownWhole();
    }
};

QTEST_MAIN(TestListenbox)
#include "tst_listenbox.moc"
