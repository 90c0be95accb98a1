#include "toolkit/TextEditBuffer.h"

namespace VSTGUI {

namespace {

constexpr char32_t kFirstPrintable = 0x20;
constexpr char32_t kDelete = 0x7f;
constexpr char32_t kLastCodePoint = 0x10ffff;

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xc0) == 0x80; }

std::string encodeUtf8(char32_t cp)
{
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xc0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3f));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xe0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (cp & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (cp & 0x3f));
    }
    return out;
}

}  // namespace

void TextEditBuffer::start(const std::string& startText, std::size_t maxChars)
{
    text = startText;
    initialText = startText;
    caret = text.size();
    maxCharacters = maxChars;
    allSelected = true;
}

TextEditBuffer::Result TextEditBuffer::key(const KeyCode& keyCode)
{
    switch (keyCode.virt) {
    case kKeyReturn:
    case kKeyEnter:
    case kKeyTab:
        return Result::Commit;
    case kKeyEscape:
        text = initialText;
        return Result::Cancel;
    case kKeyBack:
        return erase(false);
    case kKeyDelete:
        return erase(true);
    case kKeyLeft:
        caret = allSelected ? 0 : previousBoundary(caret);
        allSelected = false;
        return Result::Moved;
    case kKeyRight:
        caret = allSelected ? text.size() : nextBoundary(caret);
        allSelected = false;
        return Result::Moved;
    case kKeyHome:
        caret = 0;
        allSelected = false;
        return Result::Moved;
    case kKeyEnd:
        caret = text.size();
        allSelected = false;
        return Result::Moved;
    case kKeySpace:
        return insert(U' ');
    default:
        break;
    }
    if (keyCode.modifier & (kModifierControl | kModifierCommand))
        return Result::Ignored;
    if (keyCode.character <= 0)
        return Result::Ignored;
    return insert(static_cast<char32_t>(keyCode.character));
}

TextEditBuffer::Result TextEditBuffer::insert(char32_t codePoint)
{
    if (codePoint < kFirstPrintable || codePoint == kDelete || codePoint > kLastCodePoint)
        return Result::Ignored;
    if (allSelected) {
        text.clear();
        caret = 0;
        allSelected = false;
    }
    if (characterCount() >= maxCharacters)
        return Result::Ignored;
    const std::string bytes = encodeUtf8(codePoint);
    text.insert(caret, bytes);
    caret += bytes.size();
    return Result::Changed;
}

TextEditBuffer::Result TextEditBuffer::erase(bool forward)
{
    if (allSelected) {
        text.clear();
        caret = 0;
        allSelected = false;
        return Result::Changed;
    }
    const std::size_t from = forward ? caret : previousBoundary(caret);
    const std::size_t to = forward ? nextBoundary(caret) : caret;
    if (from == to)
        return Result::Ignored;
    text.erase(from, to - from);
    caret = from;
    return Result::Changed;
}

std::size_t TextEditBuffer::previousBoundary(std::size_t index) const
{
    if (index == 0)
        return 0;
    --index;
    while (index > 0 && isContinuationByte(text[index]))
        --index;
    return index;
}

std::size_t TextEditBuffer::nextBoundary(std::size_t index) const
{
    if (index >= text.size())
        return text.size();
    ++index;
    while (index < text.size() && isContinuationByte(text[index]))
        ++index;
    return index;
}

std::size_t TextEditBuffer::characterCount() const
{
    std::size_t count = 0;
    for (char c : text)
        if (!isContinuationByte(c))
            ++count;
    return count;
}

}  // namespace VSTGUI
