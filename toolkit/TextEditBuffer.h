#pragma once

// The text, caret and keys of an in-place text entry, apart from any
// window: printable characters insert (replacing the whole text while it is
// all selected, as it is at the start), Backspace/Delete erase, Left/Right/
// Home/End move; Return, Enter and Tab commit, Escape cancels.

#include "toolkit/KeyCode.h"

#include <cstddef>
#include <string>

namespace VSTGUI {

class TextEditBuffer {
public:
    enum class Result { Ignored, Moved, Changed, Commit, Cancel };

    void start(const std::string& initialText, std::size_t maxCharacters = 255);
    Result key(const KeyCode& keyCode);

    const std::string& getText() const { return text; }
    std::size_t getCaret() const { return caret; }  // byte index into getText
    bool isAllSelected() const { return allSelected; }

private:
    Result insert(char32_t codePoint);
    Result erase(bool forward);
    std::size_t previousBoundary(std::size_t index) const;
    std::size_t nextBoundary(std::size_t index) const;
    std::size_t characterCount() const;

    std::string text;
    std::string initialText;
    std::size_t caret = 0;
    std::size_t maxCharacters = 255;
    bool allSelected = false;
};

}  // namespace VSTGUI
