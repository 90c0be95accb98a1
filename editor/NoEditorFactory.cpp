#include "core/EditorFactory.h"

#include "base/AEffEditor.h"

// Builds without a window backend offer no editor: the effect then leaves
// effFlagsHasEditor clear and answers the editor opcodes with 0.
std::unique_ptr<AEffEditor> makeTemepleteEditor(AudioEffect*)
{
    return nullptr;
}
