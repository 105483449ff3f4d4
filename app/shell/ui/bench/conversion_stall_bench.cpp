// The longest stall of the main window's event loop while the window converts long dictations
// with Convert All (VOX, the longest path): a timer on the interface thread ticks every 5 ms and
// the largest gap between two ticks is the longest time the window could not repaint or take
// Cancel. Run it in a Release build:
//
//   QT_QPA_PLATFORM=offscreen build-bench/bin/conversion_stall_bench [JOBS] [MINUTES]
//
// (default 10 dictations of 45 minutes at 8 kHz; they are made in a temporary folder).
#include "abi/sound_header.h"
#include "abi/wave_header.h"
#include "ui/ApplicationWindows.h"
#include "ui/JobListView.h"
#include "ui/MainForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A dictation-like 16-bit mono 8 kHz file: tones and noise in bursts with pauses.
void writeDictation(const fs::path& file, int minutes) {
    const uint32_t samples = static_cast<uint32_t>(minutes) * 60 * 8000;
    const abi::CanonicalWaveHeader header =
        abi::canonicalWaveHeader(FORMAT_TAG_PCM, 16, 8000, samples * 2);
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header.data()),
              static_cast<std::streamsize>(header.size()));
    std::vector<int16_t> block(8000);
    uint32_t noise = 1;
    for (uint32_t done = 0; done < samples; done += static_cast<uint32_t>(block.size())) {
        const bool pause = (done / 8000) % 4 == 3;
        for (std::size_t i = 0; i < block.size(); ++i) {
            noise = noise * 1103515245u + 12345u;
            const int tone = static_cast<int>(((done + i) * 37) % 400) - 200;
            block[i] =
                pause ? 0 : static_cast<int16_t>(tone * 40 + static_cast<int>(noise >> 20) - 2048);
        }
        out.write(reinterpret_cast<const char*>(block.data()),
                  static_cast<std::streamsize>(block.size() * 2));
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int jobs = argc > 1 ? std::atoi(argv[1]) : 10;
    const int minutes = argc > 2 ? std::atoi(argv[2]) : 45;
    if (jobs < 1 || minutes < 1) {
        std::fprintf(stderr, "usage: conversion_stall_bench [JOBS] [MINUTES]\n");
        return 2;
    }
    std::string pattern = (fs::temp_directory_path() / "stall-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        return 2;
    const fs::path root = pattern;
    fs::create_directories(root / "in");
    fs::create_directories(root / "out");
    std::printf("Making %d dictations of %d minutes in %s ...\n", jobs, minutes, root.c_str());
    writeDictation(root / "in" / "dictation 01.wav", minutes);
    for (int i = 2; i <= jobs; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "dictation %02d.wav", i);
        fs::copy_file(root / "in" / "dictation 01.wav", root / "in" / name);
    }
    std::ofstream(root / "import.ini", std::ios::binary)
        << "[Startup]\r\nInputDir1=" << (root / "in").string() << "\r\nOutputDir1="
        << (root / "out").string()
        // The dictations were made a moment ago: no settle time, or they would still arrive.
        << "\r\nUserID1=1001\r\nLoc1=00\r\nVoxFormat=1\r\nShowTips=0\r\nSettleSeconds=0\r\n";
    fs::current_path(root);

    int converted = 0;
    qint64 longestStallMs = 0;
    qint64 runMs = 0;
    {
        ui::ApplicationWindows windows;
        ui::TfrmMainForm& form = windows.frmMainForm();
        form.show();
        QElapsedTimer sinceTick;
        QTimer ticker;
        ticker.setInterval(5);
        QObject::connect(&ticker, &QTimer::timeout,
                         [&] { longestStallMs = std::max(longestStallMs, sinceTick.restart()); });
        QTimer::singleShot(0, [&] {
            QElapsedTimer run;
            run.start();
            sinceTick.start();
            ticker.start();
            form.runCommand(ui::Command::ConvertAll);
            ticker.stop();
            runMs = run.elapsed();
            for (int row = 0; row < form.ListView1()->jobCount(); ++row)
                converted += form.ListView1()->jobImage(row) == 2 ? 1 : 0;
            QApplication::quit();
        });
        QApplication::exec();
    }
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(root);
    std::printf("%d of %d dictations converted in %.1f s; longest event loop stall %lld ms "
                "(target under 100 ms)\n",
                converted, jobs, static_cast<double>(runMs) / 1000.0,
                static_cast<long long>(longestStallMs));
    return converted == jobs && longestStallMs < 100 ? 0 : 1;
}
