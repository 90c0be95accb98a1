#include "tools/valdora-meter/ProgressBar.h"

#include <unistd.h>

#include <algorithm>
#include <string>

namespace valdorameter {

namespace {

constexpr int kBarWidth = 40;

}  // namespace

ProgressBar::ProgressBar(std::FILE* stream) : stream_(stream), shown_(isatty(fileno(stream)) == 1) {}

void ProgressBar::draw(long long done, long long total, int filesDone, int files)
{
    if (!shown_)
        return;
    const double fraction = total > 0 ? std::clamp(static_cast<double>(done) / static_cast<double>(total), 0.0, 1.0)
                                      : 0.0;
    const int filled = static_cast<int>(fraction * kBarWidth);
    const std::string bar = std::string(static_cast<size_t>(filled), '#') +
                            std::string(static_cast<size_t>(kBarWidth - filled), '.');
    std::fprintf(stream_, "\r[%s] %3.0f%%  %d/%d files ", bar.c_str(), fraction * 100.0, filesDone, files);
    std::fflush(stream_);
    drawn_ = true;
}

void ProgressBar::clear()
{
    if (!drawn_)
        return;
    std::fprintf(stream_, "\r%*s\r", kBarWidth + 32, "");
    std::fflush(stream_);
    drawn_ = false;
}

}  // namespace valdorameter
