// The plug-in's host boundary as a host meets it: entry point, interface
// record and the dispatcher's answers.

#include "LoadedPlugin.h"

#include <dlfcn.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

using Host = LoadedPlugin;

TEST_F(Host, EntryPointAsksTheHostVersionTwiceBeforeBuilding)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    EXPECT_EQ(host::hostState().versionCalls, 2);
    EXPECT_EQ(host::hostState().calls.at(0).opcode, audioMasterVersion);
    EXPECT_EQ(host::hostState().calls.at(1).opcode, audioMasterVersion);
}

TEST_F(Host, HostAnsweringZeroToEitherVersionCallGetsNoEffect)
{
    for (int callsBeforeRefusal : {0, 1}) {
        host::hostState().reset();
        host::hostState().versionCallsBeforeRefusal = callsBeforeRefusal;
        EXPECT_EQ(library->instantiate(), nullptr) << "refusal at call " << callsBeforeRefusal + 1;
        EXPECT_EQ(host::hostState().versionCalls, callsBeforeRefusal + 1);
    }
}

TEST_F(Host, BothEntryNamesAreOneFunction)
{
    void* handle = dlopen(VALDORA_PLUGIN_PATH, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(handle, nullptr);
    void* vstMain = dlsym(handle, "VSTPluginMain");
    void* plainMain = dlsym(handle, "main");
    EXPECT_NE(vstMain, nullptr);
    EXPECT_EQ(vstMain, plainMain);
    dlclose(handle);
}

TEST_F(Host, OnlyTheTwoEntryNamesAreExported)
{
    const std::string command = std::string("nm -D --defined-only '") + VALDORA_PLUGIN_PATH + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        std::string text(line);
        const size_t lastSpace = text.find_last_of(' ');
        std::string name = text.substr(lastSpace + 1);
        while (!name.empty() && (name.back() == '\n' || name.back() == '\r'))
            name.pop_back();
        names.insert(name);
    }
    const int status = pclose(pipe);
    if (status != 0)
        GTEST_SKIP() << "nm is not available";
    EXPECT_EQ(names, (std::set<std::string>{"VSTPluginMain", "main"}));
}

TEST_F(Host, InterfaceRecordDescribesAStereoChunkEffect)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    const AEffect& e = *plugin->effect();
    EXPECT_EQ(e.magic, vstFourCC('V', 's', 't', 'P'));
    EXPECT_EQ(e.numPrograms, 1);
    EXPECT_EQ(e.numParams, 64);
    EXPECT_EQ(e.numInputs, 2);
    EXPECT_EQ(e.numOutputs, 2);
    EXPECT_EQ(e.flags, effFlagsHasEditor | effFlagsCanReplacing | effFlagsProgramChunks) << "no double precision";
    EXPECT_EQ(e.initialDelay, 0);
    EXPECT_EQ(e.ioRatio, 1.0f);
    EXPECT_EQ(e.uniqueID, vstFourCC('K', 'v', '7', 'x'));
    EXPECT_EQ(e.version, 1);
    EXPECT_NE(e.object, nullptr);
    EXPECT_NE(e.processReplacing, nullptr);
    EXPECT_NE(e.processDoubleReplacing, nullptr);
    EXPECT_NE(e.process, nullptr);
}

TEST_F(Host, DoubleAndAccumulatingProcessLeaveTheOutputsAlone)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    plugin->resume();
    double inD[4] = {1, 2, 3, 4};
    double outD[4] = {9, 9, 9, 9};
    double* insD[] = {inD, inD};
    double* outsD[] = {outD, outD};
    plugin->effect()->processDoubleReplacing(plugin->effect(), insD, outsD, 4);
    EXPECT_EQ(outD[0], 9.0);
    float in[4] = {1, 2, 3, 4};
    float out[4] = {9, 9, 9, 9};
    float* ins[] = {in, in};
    float* outs[] = {out, out};
    plugin->effect()->process(plugin->effect(), ins, outs, 4);
    EXPECT_EQ(out[3], 9.0f);
}

struct FixedAnswer {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    VstIntPtr expected;
};

TEST_F(Host, OpcodesAnswerAsTheInterfaceTableSays)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    const FixedAnswer answers[] = {
        {effOpen, 0, 0, 0},
        {effSetProgram, 0, 2, 0},
        {effGetProgram, 0, 0, 0},
        {effSetSampleRate, 0, 0, 0},
        {effSetBlockSize, 0, 256, 0},
        {effMainsChanged, 0, 1, 0},
        {effMainsChanged, 0, 0, 0},
        {effEditOpen, 0, 0, 0},
        {effEditClose, 0, 0, 0},
        {effEditIdle, 0, 0, 0},
        {effEditKeyDown, 'a', 0, 0},
        {effEditKeyUp, 'a', 0, 0},
        {effSetEditKnobMode, 0, 2, 1},
        {effIdentify, 0, 0, vstFourCC('N', 'v', 'E', 'f')},
        {effGetPlugCategory, 0, 0, kPlugCategMastering},
        {effGetVendorVersion, 0, 0, 3010},
        {effGetVstVersion, 0, 0, 2400},
        {effGetTailSize, 0, 0, 0},
        {effGetCurrentMidiProgram, 0, 0, -1},
        {effSetTotalSampleToProcess, 0, 12345, 12345},
        {effProcessEvents, 0, 0, 0},
        {effString2Parameter, 0, 0, 0},
        {effSetBypass, 0, 1, 0},
        {effSetProcessPrecision, 0, 1, 0},
        {effBeginSetProgram, 0, 0, 0},
        {effEndSetProgram, 0, 0, 0},
        {effBeginLoadBank, 0, 0, 0},
        {effBeginLoadProgram, 0, 0, 0},
        {effOfflineNotify, 0, 0, 0},
        {effGetMidiProgramName, 0, 0, 0},
        {effGetMidiKeyName, 0, 0, 0},
        {effStartProcess, 0, 0, 0},
        {effGetNumMidiInputChannels, 0, 0, 0},
        {effVendorSpecific, 0, 0, 0},
        {effShellGetNextPlugin, 0, 0, 0},
        {effKeysRequired, 0, 0, 0},
        {4711, 0, 0, 0},
        {-3, 0, 0, 0},
    };
    for (const FixedAnswer& a : answers)
        EXPECT_EQ(plugin->dispatch(a.opcode, a.index, a.value), a.expected) << "opcode " << a.opcode;
    ERect* rect = nullptr;
    ASSERT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, 586);
    EXPECT_EQ(rect->bottom - rect->top, 195);
    EXPECT_EQ(plugin->dispatch(effGetProgram), 0) << "still program 0 after selecting 2";
}

TEST_F(Host, OnlyTheSeventeenControlsCanBeAutomated)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    for (VstInt32 index = -2; index < 110; ++index)
        EXPECT_EQ(plugin->dispatch(effCanBeAutomated, index), (index >= 0 && index <= 16) ? 1 : 0) << index;
}

TEST_F(Host, CanDoAnswersTheFiveExactStringsOnly)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    auto canDo = [&](const char* text) {
        std::string copy(text);
        return plugin->dispatch(effCanDo, 0, 0, copy.data());
    };
    for (const char* yes : {"offline", "plugAsChannelInsert", "1in1out", "1in2out", "2in2out"})
        EXPECT_EQ(canDo(yes), 1) << yes;
    for (const char* no : {"2in1out", "2In2Out", "Offline", "receiveVstEvents", "sendVstMidiEvent", "", "2in2out "})
        EXPECT_EQ(canDo(no), 0) << no;
    EXPECT_EQ(plugin->dispatch(effCanDo, 0, 0, nullptr), 0);
}

TEST_F(Host, PinPropertiesNameBothPinsFromOne)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    for (VstInt32 opcode : {effGetInputProperties, effGetOutputProperties}) {
        const std::string direction = opcode == effGetInputProperties ? "In" : "Out";
        for (VstInt32 index : {0, 1}) {
            VstPinProperties pin{};
            pin.arrangementType = 77;
            EXPECT_EQ(plugin->dispatch(opcode, index, 0, &pin), 1);
            EXPECT_EQ(std::string(pin.label), "QOR Valdora " + std::to_string(index + 1) + " " + direction);
            EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
            EXPECT_EQ(pin.arrangementType, 77) << "other fields are left as the host set them";
        }
        for (VstInt32 index : {2, 3, -1}) {
            VstPinProperties pin{};
            EXPECT_EQ(plugin->dispatch(opcode, index, 0, &pin), 0) << index;
            EXPECT_EQ(pin.label[0], '\0');
        }
        EXPECT_EQ(plugin->dispatch(opcode, 0, 0, nullptr), 0);
    }
}

VstSpeakerArrangement arrangementOf(int channels)
{
    VstSpeakerArrangement arrangement{};
    arrangement.type = channels == 1 ? kSpeakerArrMono : kSpeakerArrStereo;
    arrangement.numChannels = channels;
    return arrangement;
}

TEST_F(Host, SpeakerArrangementsAcceptMonoAndStereoInputsOnly)
{
    struct Case {
        int inputs;
        int outputs;
        VstIntPtr accepted;
    };
    for (const Case& c : {Case{1, 1, 1}, Case{1, 2, 1}, Case{2, 2, 1}, Case{2, 1, 0}, Case{0, 2, 0}, Case{6, 6, 0}}) {
        auto plugin = open();
        ASSERT_TRUE(plugin);
        VstSpeakerArrangement in = arrangementOf(c.inputs);
        VstSpeakerArrangement out = arrangementOf(c.outputs);
        EXPECT_EQ(plugin->dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), c.accepted)
            << c.inputs << " in, " << c.outputs << " out";
    }
    auto plugin = open();
    ASSERT_TRUE(plugin);
    EXPECT_EQ(plugin->dispatch(effSetSpeakerArrangement, 0, 0, nullptr), 0);

    VstSpeakerArrangement* in = reinterpret_cast<VstSpeakerArrangement*>(0x10);
    VstSpeakerArrangement* out = reinterpret_cast<VstSpeakerArrangement*>(0x20);
    EXPECT_EQ(plugin->dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 0);
    EXPECT_EQ(in, nullptr);
    EXPECT_EQ(out, nullptr);
}

TEST_F(Host, NamesFitTheSizesTheInterfaceGives)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    EXPECT_EQ(boundedText(*plugin, effGetEffectName, 0, kVstMaxEffectNameLen), "QOR Valdora");
    EXPECT_EQ(boundedText(*plugin, effGetProductString, 0, kVstMaxProductStrLen), "QOR Valdora");
    const std::string vendor = boundedText(*plugin, effGetVendorString, 0, kVstMaxVendorStrLen);
    EXPECT_FALSE(vendor.empty());
    EXPECT_NE(vendor.find('.'), std::string::npos) << "a web domain";
    for (VstInt32 opcode : {effGetEffectName, effGetProductString, effGetVendorString})
        EXPECT_EQ(plugin->dispatch(opcode, 0, 0, nullptr), 0);
    char name[kVstMaxEffectNameLen] = {};
    EXPECT_EQ(plugin->dispatch(effGetEffectName, 0, 0, name), 1);
}

TEST_F(Host, OneProgramWhoseNameIsKeptToTwentyThreeCharacters)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    EXPECT_EQ(boundedText(*plugin, effGetProgramName, 0, kVstMaxProgNameLen), "");
    struct Case {
        std::string given;
        std::string kept;
    };
    const std::string thirty = "abcdefghijklmnopqrstuvwxyz0123";
    for (const Case& c : {Case{thirty, thirty.substr(0, 23)}, Case{thirty.substr(0, 23), thirty.substr(0, 23)},
                          Case{thirty.substr(0, 22), thirty.substr(0, 22)}, Case{"Mix", "Mix"}}) {
        std::string copy = c.given;
        plugin->dispatch(effSetProgramName, 0, 0, copy.data());
        EXPECT_EQ(boundedText(*plugin, effGetProgramName, 0, kVstMaxProgNameLen), c.kept);
    }
    // Selecting another program changes neither the program nor its name.
    plugin->dispatch(effSetProgram, 0, 2);
    EXPECT_EQ(plugin->dispatch(effGetProgram), 0);
    EXPECT_EQ(boundedText(*plugin, effGetProgramName, 0, kVstMaxProgNameLen), "Mix");
    plugin->dispatch(effSetProgramName, 0, 0, nullptr);
    EXPECT_EQ(boundedText(*plugin, effGetProgramName, 0, kVstMaxProgNameLen), "Mix");
}

TEST_F(Host, IndexedProgramNamesCoverThreeEntries)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    std::string name = "Mastering";
    plugin->dispatch(effSetProgramName, 0, 0, name.data());
    auto indexed = [&](VstInt32 index, VstIntPtr* result) {
        char text[kVstMaxProgNameLen + 8];
        std::memset(text, 'Z', sizeof text);
        text[sizeof text - 1] = '\0';
        *result = plugin->dispatch(effGetProgramNameIndexed, index, -1, text);
        return std::string(text);
    };
    VstIntPtr result = 0;
    EXPECT_EQ(indexed(0, &result), "Mastering");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(indexed(1, &result), "");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(indexed(2, &result), "");
    EXPECT_EQ(result, 1);
    for (VstInt32 index : {3, -1}) {
        EXPECT_EQ(indexed(index, &result), std::string(kVstMaxProgNameLen + 7, 'Z')) << "untouched";
        EXPECT_EQ(result, 0);
    }
    for (VstInt32 index : {0, 1, 2})
        boundedText(*plugin, effGetProgramNameIndexed, index, kVstMaxProgNameLen);
}

TEST_F(Host, CloseAnswersOneAndEndsTheInstance)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    AEffect* effect = plugin->release();
    EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
}

}  // namespace
