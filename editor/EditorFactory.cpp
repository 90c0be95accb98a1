#include "core/EditorFactory.h"

#include "core/Templete.h"
#include "editor/TemepleteEditor.h"

std::unique_ptr<AEffEditor> makeTemepleteEditor(AudioEffect* effect)
{
    auto* const templete = dynamic_cast<Templete*>(effect);
    if (!templete)
        return nullptr;
    return std::make_unique<TemepleteEditor>(templete);
}
