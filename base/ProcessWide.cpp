#include "base/ProcessWide.h"

namespace {

int knobMode = 0;

}  // namespace

int editKnobMode()
{
    return knobMode;
}

void setEditKnobMode(int mode)
{
    knobMode = mode;
}
