#pragma once

#include <cstddef>
#include <cstring>

// Copies a zero-terminated text into a buffer of `capacity` bytes, cutting
// it so the terminator always fits.
inline void copyText(char* dest, std::size_t capacity, const char* source)
{
    if (!dest || capacity == 0)
        return;
    const std::size_t length = source ? strnlen(source, capacity - 1) : 0;
    std::memcpy(dest, source, length);
    dest[length] = '\0';
}
