#include "tools/valdora-meter/DeliveryRun.h"

#include "tools/valdora-meter/DeliverySummary.h"
#include "tools/valdora-meter/FileMeter.h"
#include "tools/valdora-meter/JsonReport.h"
#include "tools/valdora-meter/PlotWriter.h"
#include "tools/valdora-meter/ProgressBar.h"

#include <sndfile.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace valdorameter {

namespace {

namespace fs = std::filesystem;

constexpr auto kProgressPeriod = std::chrono::milliseconds(200);

// A folder when the option ends in a slash, names a folder, or more than one
// file is checked; then each file's plot is its name with .png, numbered
// when two inputs share a name.
std::vector<std::string> plotPaths(const MeterOptions& options)
{
    const std::vector<std::string>& inputs = options.audioPaths;
    std::vector<std::string> paths(inputs.size());
    if (options.plotPath.empty())
        return paths;
    std::error_code error;
    const bool folder = inputs.size() > 1 || options.plotPath.back() == '/' || fs::is_directory(options.plotPath, error);
    if (!folder) {
        paths[0] = options.plotPath;
        return paths;
    }
    fs::create_directories(options.plotPath, error);
    if (error)
        throw UsageError("--plot: cannot create folder '" + options.plotPath + "': " + error.message());
    std::map<std::string, int> used;
    for (size_t i = 0; i < inputs.size(); ++i) {
        const std::string stem = fs::path(inputs[i]).stem().string();
        const int count = ++used[stem];
        const std::string name = count == 1 ? stem : stem + "-" + std::to_string(count);
        paths[i] = (fs::path(options.plotPath) / (name + ".png")).string();
        for (const std::string& input : inputs) {
            std::error_code ignored;
            if (fs::equivalent(paths[i], input, ignored))
                throw UsageError("--plot would write '" + paths[i] + "', an input file; it is never written over");
        }
    }
    return paths;
}

long long totalFrames(const std::vector<std::string>& inputs)
{
    long long total = 0;
    for (const std::string& path : inputs) {
        SF_INFO info{};
        if (SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info)) {
            total += std::max<sf_count_t>(info.frames, 0);
            sf_close(file);
        }
    }
    return total;
}

struct Slot {
    FileVerdict verdict;
    std::string plotError;
    bool ready = false;
};

class Runner {
public:
    Runner(const MeterOptions& options, std::vector<std::string> plots)
        : options_(options), plots_(std::move(plots)), slots_(options.audioPaths.size())
    {
    }

    void work()
    {
        for (size_t i = next_++; i < slots_.size(); i = next_++) {
            Slot slot;
            slot.verdict.measurement = measureFile(options_.audioPaths[i], options_, setupLock_, progress_);
            const FileMeasurement& measured = slot.verdict.measurement;
            if (measured.readable) {
                slot.verdict.failures = options_.limits.failures(measured);
                if (!plots_[i].empty())
                    plot(slot, plots_[i]);
            }
            const std::lock_guard<std::mutex> lock(doneLock_);
            slot.ready = true;
            slots_[i] = std::move(slot);
            done_.notify_one();
        }
    }

    // Prints the files in the order given as soon as each is ready, drawing
    // the bar in between; returns when every file is printed.
    void report(std::ostream& text, std::ostream& err, ProgressBar& bar)
    {
        size_t printed = 0;
        std::unique_lock<std::mutex> lock(doneLock_);
        while (printed < slots_.size()) {
            done_.wait_for(lock, kProgressPeriod, [&] { return slots_[printed].ready; });
            bar.draw(progress_.framesDone, progress_.framesTotal, static_cast<int>(printed),
                     static_cast<int>(slots_.size()));
            while (printed < slots_.size() && slots_[printed].ready) {
                bar.clear();
                printOne(slots_[printed], text, err);
                ++printed;
            }
        }
        bar.clear();
    }

    MeterProgress& progress() { return progress_; }
    std::vector<FileVerdict> verdicts() const
    {
        std::vector<FileVerdict> all;
        for (const Slot& slot : slots_)
            all.push_back(slot.verdict);
        return all;
    }
    bool anyUnreadable() const { return unreadable_; }
    bool anyFailed() const { return failed_; }
    bool anyOutputError() const { return outputError_; }

private:
    void plot(Slot& slot, const std::string& path)
    {
        try {
            const std::lock_guard<std::mutex> lock(plotLock_);
            writePlot(path, slot.verdict, options_.limits);
            slot.verdict.plotPath = path;
        } catch (const std::exception& error) {
            slot.plotError = error.what();
        }
    }

    void printOne(const Slot& slot, std::ostream& text, std::ostream& err)
    {
        const FileMeasurement& measured = slot.verdict.measurement;
        if (!measured.readable) {
            unreadable_ = true;
            text.flush();
            err << "UNREADABLE  " << measured.error << '\n';
            err.flush();
            return;
        }
        failed_ = failed_ || !slot.verdict.failures.empty();
        printFileSummary(text, slot.verdict, options_.limits.any());
        if (!slot.plotError.empty()) {
            outputError_ = true;
            text.flush();
            err << "valdora-meter: " << slot.plotError << '\n';
        }
        text.flush();
    }

    const MeterOptions& options_;
    std::vector<std::string> plots_;
    std::vector<Slot> slots_;
    std::atomic<size_t> next_{0};
    std::mutex setupLock_;
    std::mutex plotLock_;
    std::mutex doneLock_;
    std::condition_variable done_;
    MeterProgress progress_;
    bool unreadable_ = false;
    bool failed_ = false;
    bool outputError_ = false;
};

bool writeJson(const MeterOptions& options, const std::vector<FileVerdict>& verdicts, std::ostream& out,
               std::ostream& err)
{
    if (options.jsonPath == "-") {
        writeJsonReport(out, verdicts, options.limits);
        out.flush();
        return static_cast<bool>(out);
    }
    std::ofstream file(options.jsonPath, std::ios::out | std::ios::trunc);
    if (file)
        writeJsonReport(file, verdicts, options.limits);
    file.close();
    if (!file) {
        err << "valdora-meter: cannot write JSON file '" << options.jsonPath << "'\n";
        return false;
    }
    return true;
}

}  // namespace

int runDelivery(const MeterOptions& options, std::ostream& out, std::ostream& err)
{
    Runner runner(options, plotPaths(options));
    runner.progress().framesTotal = totalFrames(options.audioPaths);
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t jobs = std::min(options.audioPaths.size(),
                                 static_cast<size_t>(options.jobs > 0 ? static_cast<unsigned>(options.jobs) : cores));
    std::vector<std::thread> workers;
    for (size_t i = 0; i < jobs; ++i)
        workers.emplace_back([&runner] { runner.work(); });
    std::ostream& text = options.jsonPath == "-" ? err : out;
    ProgressBar bar(stderr);
    runner.report(text, err, bar);
    for (std::thread& worker : workers)
        worker.join();

    bool outputError = runner.anyOutputError();
    if (!options.jsonPath.empty())
        outputError = !writeJson(options, runner.verdicts(), out, err) || outputError;
    if (outputError)
        return kDeliveryOutput;
    if (runner.anyUnreadable())
        return kDeliveryUnreadable;
    return runner.anyFailed() ? kDeliveryFail : kDeliveryPass;
}

}  // namespace valdorameter
