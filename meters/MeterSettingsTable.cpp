#include "meters/MeterSettingsTable.h"

namespace {

// RMS compares return before hold and LED reference before precise.
constexpr MeterSettingsTable kRmsTable{72,
                                       10,
                                       {{{72, "Armsreference", 0.667f},
                                         {73, "Armsintegration", 0.5f},
                                         {74, "ARMSRmsIntegration", 0.5f},
                                         {76, "Armsreturn", 0.66f},
                                         {75, "Armsholdtime", 0.5f},
                                         {77, "ARMSMSType", 0.5f},
                                         {78, "ARMSOversTag", 0.22f},
                                         {79, "Armsoverreference", 1.0f},
                                         {81, "Armsledref", 0.5f},
                                         {80, "Armsprecise", 0.5f}}}};

constexpr MeterSettingsTable kVuTable{83,
                                      9,
                                      {{{83, "Avureference", 0.25f},
                                        {84, "Avuintegration", 0.5f},
                                        {85, "Avuholdtime", 0.5f},
                                        {86, "Avutype", 0.0f},
                                        {87, "Avumstype", 0.5f},
                                        {88, "Avubacklit", 0.5f},
                                        {89, "Avuoverled", 0.22f},
                                        {90, "Avuledref", 1.0f},
                                        {91, "Avuprecise", 0.0f},
                                        {0, nullptr, 0.0f}}}};

constexpr MeterSettingsTable kPpmTable{93,
                                       8,
                                       {{{93, "Appmreference", 0.5f},
                                         {94, "Appmintegration", 0.5f},
                                         {95, "Appmholdtime", 0.5f},
                                         {96, "Appmreturn", 0.66f},
                                         {97, "Appmmstype", 0.5f},
                                         {98, "Appmovertag", 0.22f},
                                         {99, "Appmoverreference", 1.0f},
                                         {100, "Appmprecise", 0.0f},
                                         {0, nullptr, 0.0f},
                                         {0, nullptr, 0.0f}}}};

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
