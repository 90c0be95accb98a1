#pragma once

// The editor of an effect made in this process, opened offscreen on the VU
// meter with the given switches on, for the tests that look at what it draws.

#include "base/ParameterIds.h"
#include "core/EditorFactory.h"
#include "core/Templete.h"
#include "editor/TemepleteEditor.h"
#include "tools/vsthost/PluginHost.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

class OffscreenEditor : public ::testing::Test {
protected:
    void openWith(std::initializer_list<VstInt32> switchesOn)
    {
        host::hostState().reset();
        effect = std::make_unique<Templete>(host::hostCallback, makeTemepleteEditor);
        editor = dynamic_cast<TemepleteEditor*>(effect->getEditor());
        ASSERT_NE(editor, nullptr);
        for (VstInt32 index : switchesOn)
            effect->setParameter(index, 1.0F);
        effect->setParameter(param::kMeter, 0.0F);
        ASSERT_TRUE(editor->openOffscreen());
    }
    void TearDown() override { effect.reset(); }

    std::unique_ptr<Templete> effect;
    TemepleteEditor* editor = nullptr;
};
