#pragma once

// A stand-in for the effect as the engines see it: remembers every
// setParameter call and, like the real effect, clamps the value and hands the
// meter settings 72..100 to the engine they belong to.

#include "base/AudioEffect.h"
#include "meters/PPMmeter.h"
#include "meters/RMSMeter.h"
#include "meters/VUmeter.h"

#include <map>
#include <memory>
#include <utility>
#include <vector>

class FakeEffect : public AudioEffect {
public:
    FakeEffect() : AudioEffect(nullptr, 1, 64) {}

    void processReplacing(float**, float**, VstInt32) override {}

    void setParameter(VstInt32 index, float value) override
    {
        value = value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
        values[index] = value;
        calls.emplace_back(index, value);
        if (rms && param::isRmsSetting(index))
            rms->setSetting(index, value);
        if (vu && param::isVuSetting(index))
            vu->setSetting(index, value);
        if (ppm && param::isPpmSetting(index))
            ppm->setSetting(index, value);
    }

    std::map<int, float> values;
    std::vector<std::pair<int, float>> calls;
    RMSMeter* rms = nullptr;
    VUmeter* vu = nullptr;
    PPMmeter* ppm = nullptr;
};

// One effect's worth of engines, built in the effect's order.
struct MeterRig {
    MeterRig()
        : rms(std::make_unique<RMSMeter>(&effect)), vu(std::make_unique<VUmeter>(&effect)),
          ppm(std::make_unique<PPMmeter>(&effect))
    {
        effect.rms = rms.get();
        effect.vu = vu.get();
        effect.ppm = ppm.get();
    }

    FakeEffect effect;
    std::unique_ptr<RMSMeter> rms;
    std::unique_ptr<VUmeter> vu;
    std::unique_ptr<PPMmeter> ppm;
};
