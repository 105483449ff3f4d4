// A conversion run over a test workspace: a host that records what the window would show,
// steps that convert for real where the toolkit can (VOX output) and fail on request, and
// job rows made the way the scan makes them.
#pragma once

#include "box_recorder.h"
#include "convert/conversion_run.h"
#include "convert/toolkit_vox_writer.h"
#include "jobs/job_scan.h"
#include "platform_test/folder_listing.h"
#include "platform_test/test_folder.h"
#include "wave_test/wave_fixture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace convert_test {

namespace fs = std::filesystem;

class FakeHost final : public convert::RunHost {
public:
    std::vector<shell::JobRow> rows;
    std::set<int> selected;
    std::array<std::string, 4> panels;
    std::vector<std::string> panel1History;
    std::vector<std::string> statusTexts, fileNameTexts, inputTexts, outputTexts;
    int formatIndex = 3;
    int priority = 0;
    uint16_t formatCode = 7;
    int runsBegun = 0, runsEnded = 0, timerStarts = 0, progressRepaints = 0, listRepaints = 0;
    bool running = false;
    bool cancel = false;
    bool stop = false;
    std::vector<convert::JobOutcome> outcomes;
    std::function<void(const convert::JobOutcome&)> onJobFinished;

    void SetJobOutputText(int i, const std::string& text) override {
        if (i >= 0 && i < JobCount())
            rows[static_cast<std::size_t>(i)].columns[shell::kColOutputFile] = text;
    }
    void SetLastErrorText(const std::string& text) override { panels[3] = text; }
    void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
    void SetFileNameText(const std::string& text) override { fileNameTexts.push_back(text); }
    void SetInputText(const std::string& text) override { inputTexts.push_back(text); }
    void SetOutputText(const std::string& text) override { outputTexts.push_back(text); }
    void SetGauge(int) override {}

    int JobCount() const override { return static_cast<int>(rows.size()); }
    shell::JobRow JobRow(int i) const override { return rows.at(static_cast<std::size_t>(i)); }
    bool IsJobSelected(int i) const override { return selected.count(i) != 0; }
    void SetJobCell(int i, int column, const std::string& text) override {
        rows.at(static_cast<std::size_t>(i)).columns.at(static_cast<std::size_t>(column)) = text;
    }
    void SetJobImage(int i, int image) override {
        rows.at(static_cast<std::size_t>(i)).image = image;
    }
    void RepaintJobList() override { ++listRepaints; }
    void SetStatusPanel(int panel, const std::string& text) override {
        panels.at(static_cast<std::size_t>(panel)) = text;
        if (panel == 1)
            panel1History.push_back(text);
    }
    int OutputFormatIndex() const override { return formatIndex; }
    int PriorityIndex() const override { return priority; }
    uint16_t OutputFormatCode() const override { return formatCode; }
    void BeginRun() override {
        cancel = false;
        running = true;
        ++runsBegun;
    }
    void EndRun() override {
        running = false;
        ++runsEnded;
    }
    void StartSchedulerTimer() override { ++timerStarts; }
    void RepaintProgress() override { ++progressRepaints; }
    bool CancelRequested() const override { return cancel; }
    bool StopRequested() const override { return stop; }
    void JobFinished(const convert::JobOutcome& outcome) override {
        outcomes.push_back(outcome);
        if (onJobFinished)
            onJobFinished(outcome);
    }

    const std::string& caption(int i) const { return cell(i, shell::kColInputFile); }
    const std::string& cell(int i, int column) const {
        return rows.at(static_cast<std::size_t>(i)).columns.at(static_cast<std::size_t>(column));
    }
};

// The steps: the wave chain passes 16-bit mono 8 kHz sources through (as the real chain does),
// the VOX output is the real toolkit's, and each step fails when asked.
class FakeSteps final : public convert::ConversionSteps {
public:
    const convert::JobErrorReporter* errors = nullptr;
    bool failDss = false, failWave = false, failSpeech = false, failVox = false;
    std::string dssResult = toolkit_test::pcm16Wave(toolkit_test::testSamples(), 8000);
    std::function<void()> duringWave;
    std::vector<convert::SpeechJob> speechJobs;
    std::vector<std::string> waveSources;
    std::string noticeOfWave; // what each wave conversion says of its source
    int voxWrites = 0;

    bool ConvertDssToWave(int row, const std::string& inputPath,
                          const std::string& tempWavePath) override {
        if (failDss) {
            errors->LogJobError(row, "Could not convert " + inputPath +
                                         " to .wav format in Windows temp folder");
            ::unlink(tempWavePath.c_str());
            return false;
        }
        std::ofstream(tempWavePath, std::ios::binary) << dssResult;
        return true;
    }
    bool ConvertWaveFile(const std::string& source, const std::string& destination,
                         const convert::WaveFormat& target) override {
        waveSources.push_back(source);
        EXPECT_EQ(target.samplesPerSec, 8000u);
        if (duringWave)
            duringWave();
        notice = noticeOfWave;
        if (failWave)
            return false;
        std::error_code error;
        fs::copy_file(source, destination, fs::copy_options::overwrite_existing, error);
        return !error;
    }
    bool SpeechHandOff(int row, const convert::SpeechJob& job) override {
        speechJobs.push_back(job);
        EXPECT_TRUE(fs::exists(job.tempWavePath)) << "the speech copy is made from the temp wave";
        if (failSpeech) {
            errors->LogJobError(row, "Error converting to PCM .wav format in Speech Rec folder");
            return false;
        }
        return true;
    }
    bool WriteVox(const std::string& pcmPath, const std::string& voxPath,
                  uint16_t formatCode) override {
        ++voxWrites;
        if (failVox) {
            std::ofstream(voxPath, std::ios::binary) << "half a file";
            return false;
        }
        return convert::WriteVoxWithToolkit(pcmPath, voxPath, formatCode);
    }
    std::string FailureDetail() const override { return "the step's reason"; }
    std::string TakeConversionNotice() override { return std::exchange(notice, {}); }

private:
    std::string notice;
};

using Names = std::vector<std::string>;
using platform_test::folderEntries;

inline const shell::DirectoryRow kType1{
    {"C:\\Dict\\Type1", "C:\\Convert\\TSP\\type1", "1001", "00"}};
// The first output name of the day for a job of kType1, without its extension.
inline const std::string kFirstName = "N 0315-001 1001 0000 00  ";

class RunFixture : public ::testing::Test {
public:
    platform_test::TestFolder folder;
    platform_test::ScopedEnv driveRoot{"IMPORT_DRIVE_ROOT", (folder.path() / "drives").string()};
    convert::FixedClock clock{2026, 3, 15, 14, 35};
    shell::Settings settings;
    FakeHost host;
    FakeSteps steps;
    convert::OutputNamer namer{clock};
    convert::JobErrorReporter errors{
        settings, clock, host, convert::ErrorLogFile((folder.path() / "errorlog.txt").string()),
        convert::TimeStampFormats{"%m/%d/%Y", "%H:%M:%S"}};
    BoxRecorder boxes;
    convert::TaskQueueLoop loop;
    fs::path tempBase = folder.makeFolder("tmp");
    convert::ConversionRun run{
        convert::RunContext{host, steps, namer, errors, boxes, loop, settings},
        tempBase.string() + "/"};

    fs::path inputFolder = folder.makeFolder("drives/c/Dict/Type1");
    fs::path outputFolder = folder.makeFolder("drives/c/Convert/TSP/type1");

    RunFixture() {
        steps.errors = &errors;
        // The test's files were written a moment ago.
        settings.SettleSeconds = 0;
    }

    // A file in the input folder of a table row and its job row, as the scan makes it.
    void addJob(const std::string& name, const std::string& content,
                const shell::DirectoryRow& table = kType1) {
        const fs::path file = folder.path() / "drives" / DriveRelative(table.inputDir()) / name;
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
        host.rows.push_back(shell::MakeJobRow(name, content.size(), table));
    }
    static std::string wave() { return toolkit_test::pcm16Wave(toolkit_test::testSamples(), 8000); }

    // "C:\Dict\Type1" below the drive root.
    static fs::path DriveRelative(const std::string& stored) {
        std::string path = stored;
        std::replace(path.begin(), path.end(), '\\', '/');
        return fs::path("c") / path.substr(3);
    }
    // The entries of the input folder that are no dictation (job records).
    std::vector<std::string> inputFolderRecords() const {
        std::vector<std::string> records;
        for (const std::string& name : folderEntries(inputFolder))
            if (name.front() == '.')
                records.push_back(name);
        return records;
    }
    std::vector<std::string> leftoverTempFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(tempBase))
            if (!entry.is_directory())
                names.push_back(entry.path().string());
        return names;
    }
};

} // namespace convert_test
