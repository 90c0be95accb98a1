#include "controls/CQORTapeLabel.h"

#include "controls/CQORCustomFont.h"
#include "controls/PanelPalette.h"
#include "resources/BitmapIds.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"

#include <array>
#include <initializer_list>

namespace VSTGUI {
namespace {

constexpr CCoord kTextOffsetX = 3;
constexpr CCoord kTextOffsetY = 5;
// The pen rests near the right end of the tape.
constexpr CCoord kPenRightInset = 20;
constexpr CCoord kPenWidth = 47;
constexpr CCoord kPenHeight = 33;

struct PenMove {
    int8_t dx;
    int8_t dy;
};

// How the pen moves on arriving at each step (y grows downwards): a few
// loops of handwriting, a slide back, and a rest before the next word.
constexpr std::array<PenMove, CQORTapeLabel::kAnimationSteps> makePenMoves()
{
    std::array<PenMove, CQORTapeLabel::kAnimationSteps> moves{};
    const auto set = [&moves](std::initializer_list<int> steps, int8_t dx, int8_t dy) {
        for (int step : steps)
            moves[static_cast<std::size_t>(step)] = {dx, dy};
    };
    set({4, 6, 8, 10, 25, 26, 28, 29, 31, 35, 42, 45, 46, 48}, 0, 1);
    set({5, 7, 9, 11, 27, 30, 32, 34, 41, 43}, 1, 1);
    set({12, 33}, 1, 0);
    set({13, 15, 18, 36, 38, 50}, 1, -1);
    set({14, 16, 17, 19, 20, 21, 37, 39, 40}, 0, -1);
    set({44, 47}, 1, -2);
    set({49}, 0, 2);
    set({51, 52, 53, 54, 55, 56, 57, 58, 59, 61, 62, 63, 64, 65, 66}, -1, 0);
    set({60, 67, 68, 70, 71}, -1, -1);
    set({69}, -1, -2);
    return moves;
}

constexpr std::array<PenMove, CQORTapeLabel::kAnimationSteps> kPenMoves = makePenMoves();

}  // namespace

CQORTapeLabel::CQORTapeLabel(const CRect& size, CControlListener* listener, CBitmap* panelImage)
    : CMyTextEdit(size, listener, kTag, kDefaultText, panelImage, true), penRect(initialPenRect())
{
    CBitmap* penImage = new CBitmap(CResourceDescription(bitmap::kTapePen));
    pen.reset(penImage);
    penImage->forget();
    if (CQORCustomFont* tapeFont = CQORCustomFont::shared())
        setFont(tapeFont);
    setFontColor(palette::kTapeInk);
}

CRect CQORTapeLabel::initialPenRect() const
{
    const CCoord left = size.right - kPenRightInset - kPenWidth;
    return CRect(left, size.top, left + kPenWidth, size.top + kPenHeight);
}

void CQORTapeLabel::setViewSize(const CRect& rect, bool invalid)
{
    CMyTextEdit::setViewSize(rect, invalid);
    penRect = initialPenRect();
}

void CQORTapeLabel::draw(CDrawContext* context)
{
    if (getDrawBackground())
        drawBack(context);
    if (!isTextEditing() && fontID) {
        CRect textRect(size);
        textRect.offset(kTextOffsetX, kTextOffsetY);
        context->setFont(fontID);
        context->setFontColor(fontColor);
        context->drawString(getText(), textRect, kCenterText, bAntialias);
    }
    setDirty(false);
}

void CQORTapeLabel::drawRect(CDrawContext* context, const CRect& updateRect)
{
    CMyTextEdit::drawRect(context, updateRect);
    if (isTextEditing() && pen)
        pen->draw(context, penRect);
}

void CQORTapeLabel::animationStep()
{
    if (CFrame* frame = getFrame())
        animationStep(frame->getTicks());
}

void CQORTapeLabel::animationStep(uint64_t nowMs)
{
    if (!isTextEditing() || nowMs - lastStepMs < kStepIntervalMs)
        return;
    lastStepMs = nowMs;
    animationCounter = animationCounter + 1 < kAnimationSteps ? animationCounter + 1 : 0;
    if (animationCounter == 0) {
        penRect = initialPenRect();
    } else {
        const PenMove move = kPenMoves[static_cast<std::size_t>(animationCounter)];
        penRect.offset(move.dx, move.dy);
    }
    setDirty(true);
}

}  // namespace VSTGUI
