#include "meters/MeterSettingsTable.h"

#include "base/ParameterIds.h"

namespace {

using namespace param;

// RMS compares return before hold and LED reference before precise.
constexpr MeterSettingsTable kRmsTable{kFirstRmsSetting,
                                       10,
                                       {{{kRmsReference, "Armsreference", 0.667f, 30, 1, "dBFS"},
                                         {kRmsIntegration, "Armsintegration", 0.5f, 30, 0, "ms"},
                                         {kRmsMeanSquareTime, "ARMSRmsIntegration", 0.5f, 30, 2, "s"},
                                         {kRmsReturnTime, "Armsreturn", 0.66f, 30, 2, "s"},
                                         {kRmsHoldTime, "Armsholdtime", 0.5f, 30, 2, "s"},
                                         {kRmsMidAttenuation, "ARMSMSType", 0.5f, 0, 0, nullptr},
                                         {kRmsOverRun, "ARMSOversTag", 0.22f, 9, 0, nullptr},
                                         {kRmsOverReference, "Armsoverreference", 1.0f, 6, 0, nullptr},
                                         {kRmsOverReferenceUnit, "Armsledref", 0.5f, 0, 0, nullptr},
                                         {kRmsPrecise, "Armsprecise", 0.5f, 0, 0, nullptr}}}};

constexpr MeterSettingsTable kVuTable{kFirstVuSetting,
                                      9,
                                      {{{kVuReference, "Avureference", 0.25f, 24, 1, "dBFS"},
                                        {kVuIntegration, "Avuintegration", 0.5f, 12, 0, "ms"},
                                        {kVuHoldTime, "Avuholdtime", 0.5f, 12, 2, "s"},
                                        {kVuNeedleType, "Avutype", 0.0f, 0, 0, nullptr},
                                        {kVuMidAttenuation, "Avumstype", 0.5f, 0, 0, nullptr},
                                        {kVuBacklight, "Avubacklit", 0.5f, 4, 0, nullptr},
                                        {kVuOverRun, "Avuoverled", 0.22f, 9, 0, nullptr},
                                        {kVuOverReference, "Avuledref", 1.0f, 3, 0, nullptr},
                                        {kVuPrecise, "Avuprecise", 0.0f, 0, 0, nullptr},
                                        {0, nullptr, 0.0f, 0, 0, nullptr}}}};

constexpr MeterSettingsTable kPpmTable{kFirstPpmSetting,
                                       8,
                                       {{{kPpmReference, "Appmreference", 0.5f, 24, 1, "dBFS"},
                                         {kPpmIntegration, "Appmintegration", 0.5f, 30, 0, "ms"},
                                         {kPpmHoldTime, "Appmholdtime", 0.5f, 12, 2, "s"},
                                         {kPpmReturnTime, "Appmreturn", 0.66f, 12, 2, "s"},
                                         {kPpmMidAttenuation, "Appmmstype", 0.5f, 0, 0, nullptr},
                                         {kPpmOverRun, "Appmovertag", 0.22f, 9, 0, nullptr},
                                         {kPpmOverReference, "Appmoverreference", 1.0f, 3, 0, nullptr},
                                         {kPpmPrecise, "Appmprecise", 0.0f, 0, 0, nullptr},
                                         {0, nullptr, 0.0f, 0, 0, nullptr},
                                         {0, nullptr, 0.0f, 0, 0, nullptr}}}};

}  // namespace

const MeterSettingsTable& MeterSettingsTable::of(MeterKind meter)
{
    switch (meter) {
    case MeterKind::Rms:
        return kRmsTable;
    case MeterKind::Ppm:
        return kPpmTable;
    case MeterKind::Vu:
        break;
    }
    return kVuTable;
}

const SettingEntry* MeterSettingsTable::entry(int id)
{
    for (const MeterSettingsTable* table : {&kRmsTable, &kVuTable, &kPpmTable})
        for (int i = 0; table->contains(id) && i < table->count; ++i)
            if (table->order[i].id == id)
                return &table->order[i];
    return nullptr;
}
