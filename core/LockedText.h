#pragma once

// A short text that the host's threads and the editor's set and read, never
// the audio thread: copied in and out whole under a lock, so no reader meets
// half of an old text and half of a new one.

#include <array>
#include <cstddef>
#include <cstring>
#include <mutex>
#include <string>

template <std::size_t Size>
class LockedText {
public:
    static_assert(Size > 0, "room for the terminator");
    using Field = std::array<char, Size>;

    // Keeps at most Size - 1 characters; null leaves it empty.
    void set(const char* text)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        text_.fill('\0');
        if (text)
            std::memcpy(text_.data(), text, strnlen(text, Size - 1));
    }

    // A fixed field of Size bytes as stored elsewhere, kept byte for byte
    // apart from the last, which becomes the terminator.
    void setField(const Field& field)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        text_ = field;
        text_.back() = '\0';
    }

    Field field() const
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        return text_;
    }

    std::string text() const
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        return std::string(text_.data());
    }

    // Writes at most Size bytes, terminator included.
    void copyTo(char* out) const
    {
        if (!out)
            return;
        const std::lock_guard<std::mutex> lock(mutex_);
        const std::size_t length = strnlen(text_.data(), Size - 1);
        std::memcpy(out, text_.data(), length);
        out[length] = '\0';
    }

private:
    mutable std::mutex mutex_;
    Field text_{};
};
