#include "tools/valdora-meter/EffectSetup.h"

namespace valdorameter {

namespace {

constexpr VstInt32 kMeterParam = 3;
constexpr VstInt32 kMidSideParam = 4;
constexpr VstInt32 kHoldParam = 5;
constexpr VstInt32 kLagParam = 16;
constexpr VstInt32 kPreciseParam[] = {param::kVuPrecise, param::kRmsPrecise, param::kPpmPrecise};
constexpr double kMaxLagMs = 999.0;

}  // namespace

// The effect needs a host that answers the version query; nothing else matters here.
VstIntPtr toolHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

void configureEffect(Templete& effect, const MeterOptions& options, int meter)
{
    effect.setParameter(kMeterParam, static_cast<float>(meter) * 0.5f);
    effect.setParameter(kPreciseParam[meter], options.precise ? 1.0f : 0.0f);
    effect.setParameter(kMidSideParam, options.midSide ? 1.0f : 0.0f);
    effect.setParameter(kHoldParam, static_cast<float>(options.holdMode) * 0.5f);
    effect.setParameter(kLagParam, static_cast<float>(options.lagMs / kMaxLagMs));
    for (const auto& [index, value] : options.settings)
        effect.setParameter(index, value);
}

double referenceDb(Templete& effect)
{
    const MeterEngine* const engine = effect.meterEngine(effect.selectedMeter());
    return engine ? engine->referenceDb() : 0.0;
}

}  // namespace valdorameter
