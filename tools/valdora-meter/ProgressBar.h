#pragma once

// A one-line progress bar on standard error for long checks, drawn only when
// standard error is a terminal so that logs and pipes never see it.

#include <cstdio>

namespace valdorameter {

class ProgressBar {
public:
    explicit ProgressBar(std::FILE* stream);
    bool shown() const { return shown_; }
    void draw(long long done, long long total, int filesDone, int files);
    // Clears the line so the next output starts clean.
    void clear();

private:
    std::FILE* stream_;
    bool shown_;
    bool drawn_ = false;
};

}  // namespace valdorameter
