// The effect object itself, with a recording editor and host: what only the
// inside can see (editor hooks, timing values, process-wide state).

#include "core/AEffEditor.h"
#include "core/ProcessWide.h"
#include "core/Templete.h"
#include "meters/SettingsSource.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

VstIntPtr latencySamples = 0;

VstIntPtr unitHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    switch (opcode) {
    case audioMasterVersion:
        return 2400;
    case audioMasterGetOutputLatency:
        return latencySamples;
    default:
        return 0;
    }
}

struct ParameterCall {
    VstInt32 index;
    float value;
    float storedWhenCalled;
};

class RecordingEditor : public AEffEditor {
public:
    explicit RecordingEditor(AudioEffect* effect) : AEffEditor(effect) {}

    bool getRect(ERect** rect) override
    {
        *rect = &bounds;
        return true;
    }
    bool onKeyDown(VstKeyCode& key) override
    {
        lastKey = key;
        return key.character == 'a';
    }
    bool onKeyUp(VstKeyCode& key) override
    {
        lastKey = key;
        return false;
    }
    void setParameter(VstInt32 index, float value) override
    {
        calls.push_back({index, value, effect->getParameter(index)});
    }

    ERect bounds{0, 0, 200, 300};
    VstKeyCode lastKey{};
    std::vector<ParameterCall> calls;
};

std::unique_ptr<AEffEditor> makeRecordingEditor(AudioEffect* effect)
{
    return std::make_unique<RecordingEditor>(effect);
}

std::unique_ptr<AEffEditor> makeFailingEditor(AudioEffect*)
{
    throw std::bad_alloc();
}

class EffectUnit : public ::testing::Test {
protected:
    void SetUp() override
    {
        SettingsSource::setCurrent(SettingsSource::kSession);
        processwide::SelectedMeter = 0;
        latencySamples = 0;
    }
    void TearDown() override
    {
        SettingsSource::setCurrent(SettingsSource::kSession);
        processwide::SelectedMeter = 0;
    }

    static void process(Templete& effect, int frames)
    {
        std::vector<float> left(static_cast<size_t>(frames) + 1, 0.25f);
        std::vector<float> right(static_cast<size_t>(frames) + 1, -0.25f);
        float* inputs[] = {left.data(), right.data()};
        float* outputs[] = {left.data(), right.data()};
        effect.processReplacing(inputs, outputs, frames);
    }
};

TEST_F(EffectUnit, EditorFromTheFactoryIsAnnouncedAndReached)
{
    Templete effect(unitHost, makeRecordingEditor);
    AEffect* record = effect.getAeffect();
    EXPECT_TRUE(record->flags & effFlagsHasEditor);
    ERect* rect = nullptr;
    EXPECT_EQ(effect.dispatcher(effEditGetRect, 0, 0, &rect, 0.0f), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right, 300);
}

TEST_F(EffectUnit, FailingEditorFactoryLeavesNoEditor)
{
    Templete effect(unitHost, makeFailingEditor);
    EXPECT_FALSE(effect.getAeffect()->flags & effFlagsHasEditor);
    EXPECT_EQ(effect.getEditor(), nullptr);
    ERect* rect = nullptr;
    EXPECT_EQ(effect.dispatcher(effEditGetRect, 0, 0, &rect, 0.0f), 0);
}

// The editor hears every index, with the clamped value, after the effect has stored it.
TEST_F(EffectUnit, EditorHearsEveryChangeLastWithTheClampedValue)
{
    Templete effect(unitHost, makeRecordingEditor);
    auto* editor = static_cast<RecordingEditor*>(effect.getEditor());
    ASSERT_TRUE(editor->calls.empty()) << "defaults are not sent to the editor";
    effect.setParameter(param::kTrim, 1.7f);
    effect.setParameter(40, 0.9f);
    effect.setParameter(kParamLabelChanged, 0.3f);
    effect.setParameter(param::kHold, std::numeric_limits<float>::quiet_NaN());
    ASSERT_EQ(editor->calls.size(), 4u);
    EXPECT_EQ(editor->calls[0].index, param::kTrim);
    EXPECT_EQ(editor->calls[0].value, 1.0f);
    EXPECT_EQ(editor->calls[0].storedWhenCalled, 1.0f);
    EXPECT_EQ(editor->calls[1].index, 40);
    EXPECT_EQ(editor->calls[1].value, 0.9f);
    EXPECT_EQ(editor->calls[2].index, kParamLabelChanged);
    EXPECT_EQ(editor->calls[3].value, 0.0f);
}

TEST_F(EffectUnit, KeyOpcodesBuildTheKeyCodeFromTheArguments)
{
    Templete effect(unitHost, makeRecordingEditor);
    auto* editor = static_cast<RecordingEditor*>(effect.getEditor());
    EXPECT_EQ(effect.dispatcher(effEditKeyDown, 'a', VKEY_RETURN, nullptr, MODIFIER_SHIFT | MODIFIER_CONTROL), 1);
    EXPECT_EQ(editor->lastKey.character, 'a');
    EXPECT_EQ(editor->lastKey.virt, VKEY_RETURN);
    EXPECT_EQ(editor->lastKey.modifier, MODIFIER_SHIFT | MODIFIER_CONTROL);
    EXPECT_EQ(effect.dispatcher(effEditKeyDown, 'b', 0, nullptr, 0.0f), 0);
    EXPECT_EQ(effect.dispatcher(effEditKeyUp, 'c', VKEY_ESCAPE, nullptr, 0.0f), 0);
    EXPECT_EQ(editor->lastKey.character, 'c');
    EXPECT_EQ(editor->lastKey.virt, VKEY_ESCAPE);
}

TEST_F(EffectUnit, KnobModeIsKeptForTheWholeProcess)
{
    Templete effect(unitHost);
    EXPECT_EQ(effect.dispatcher(effSetEditKnobMode, 0, 2, nullptr, 0.0f), 1);
    EXPECT_EQ(editKnobMode(), 2);
    EXPECT_EQ(effect.dispatcher(effSetEditKnobMode, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(editKnobMode(), 0);
}

TEST_F(EffectUnit, BlockTimeComesFromTheMonotonicClockWhenAnEditorExists)
{
    Templete withEditor(unitHost, makeRecordingEditor);
    Templete without(unitHost);
    withEditor.resume();
    without.resume();
    const double before = platform::monotonicMs() * 0.001;
    process(withEditor, 64);
    process(without, 64);
    const double after = platform::monotonicMs() * 0.001;
    EXPECT_GE(withEditor.lastBlockTimeSec(), before);
    EXPECT_LE(withEditor.lastBlockTimeSec(), after);
    EXPECT_EQ(without.lastBlockTimeSec(), 0.0);
}

TEST_F(EffectUnit, BlockDurationUsesTheUsableRate)
{
    Templete effect(unitHost);
    EXPECT_EQ(effect.blockDurationSec(), 256.0);
    effect.setSampleRate(48000.0f);
    effect.resume();
    process(effect, 480);
    EXPECT_DOUBLE_EQ(effect.blockDurationSec(), 0.01);
    process(effect, 0);
    EXPECT_EQ(effect.blockDurationSec(), 0.0);
    process(effect, 480);
    effect.processReplacing(nullptr, nullptr, 480);
    EXPECT_EQ(effect.blockDurationSec(), 0.0);
    for (float rate : {0.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 10000.0f,
                       250000.0f}) {
        effect.suspend();
        effect.setSampleRate(rate);
        effect.resume();
        process(effect, 441);
        EXPECT_DOUBLE_EQ(effect.blockDurationSec(), 0.01) << rate;
        EXPECT_DOUBLE_EQ(effect.effectiveSampleRate(), 44100.0) << rate;
        const float stored = effect.getSampleRate();
        EXPECT_TRUE(stored == rate || (std::isnan(stored) && std::isnan(rate))) << "the host's own value is kept";
    }
}

TEST_F(EffectUnit, OutputLatencyIsConvertedToSecondsAtResume)
{
    latencySamples = 960;
    Templete effect(unitHost);
    effect.setSampleRate(96000.0f);
    effect.resume();
    EXPECT_DOUBLE_EQ(effect.outputLatencySec(), 0.01);
}

TEST_F(EffectUnit, SettingsSourceAndMeterAreSharedWithLaterInstances)
{
    Templete first(unitHost);
    EXPECT_EQ(first.getParameter(param::kSettingsSource), 0.5f);
    EXPECT_EQ(first.getParameter(param::kMeter), 0.0f);
    first.setParameter(param::kSettingsSource, 0.2f);
    first.setParameter(param::kMeter, 0.76f);
    EXPECT_EQ(SettingsSource::current(), SettingsSource::kGlobal);
    EXPECT_EQ(processwide::SelectedMeter.load(), 2);
    EXPECT_EQ(first.selectedMeter(), 2);

    Templete second(unitHost);
    EXPECT_EQ(second.getParameter(param::kSettingsSource), 0.0f);
    EXPECT_EQ(second.getParameter(param::kMeter), 1.0f);
    EXPECT_EQ(second.selectedMeter(), 2);
    // Each instance keeps its own meter once it sets it.
    second.setParameter(param::kMeter, 0.74f);
    EXPECT_EQ(second.selectedMeter(), 1);
    EXPECT_EQ(first.selectedMeter(), 2);
}

TEST_F(EffectUnit, NonFiniteValuesNeverReachTheState)
{
    Templete effect(unitHost);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (VstInt32 index : {param::kTrim, param::kSettingsSource, param::kLagTime, param::kHighPassFrequency, 72, 100}) {
        effect.setParameter(index, nan);
        EXPECT_EQ(effect.getParameter(index), 0.0f) << index;
    }
    EXPECT_FLOAT_EQ(effect.trimDb(), -20.0f);
    EXPECT_EQ(SettingsSource::current(), SettingsSource::kGlobal);
    effect.setParameter(param::kTrim, std::numeric_limits<float>::infinity());
    EXPECT_FLOAT_EQ(effect.trimDb(), 20.0f);
    EXPECT_FLOAT_EQ(effect.filterSection()->highPassHz(), 20.0f);
}

TEST_F(EffectUnit, StripLabelIsCutToItsFieldAndTerminated)
{
    Templete effect(unitHost);
    EXPECT_EQ(effect.stripLabel(), "Master Track");
    const std::string longText(100, 'x');
    effect.setStripLabel(longText.c_str());
    EXPECT_EQ(std::string(effect.stripLabel()), std::string(39, 'x'));
    effect.setStripLabel(nullptr);
    EXPECT_EQ(effect.stripLabel(), "");
}

}  // namespace
