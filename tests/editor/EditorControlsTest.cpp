// Every control of every panel as a user meets it in the window of the built
// plug-in: it is drawn where it belongs and follows its value, a press where
// it is drawn moves it, the wheel turns it the right way, Shift drags finer,
// its changes reach the host inside its own edit, typed text is readable,
// and nothing is drawn over what is open.

#include "EditorWindowFixture.h"

#include <cmath>
#include <set>

namespace {

using namespace editor_window_test;
using editor::Point;
using editor::Rect;

// Which panels are up: the meter, its back panel, and the two strips' forms.
struct View {
    int meter = 0;
    bool backPanel = false;
    bool filtersExpanded = false;
    bool labelExpanded = false;
};

enum class Gesture { click, dragUp, dragRight };

struct ControlCase {
    std::string name;
    View view;
    int param;
    Rect face;    // window coordinates
    Point press;  // on the handle or face, with the parameter at `start`
    Gesture gesture;
    float start;
    bool wheel;           // wheel up raises, wheel down lowers
    bool faceShowsValue;  // the face itself changes with the value
};

constexpr int kStripTop = editor::kFrontPanelHeight;
constexpr int kCompactLabelTop = kStripTop + editor::kCompactStripHeight;
constexpr float kFullRange = 1.0F;

Rect inWindow(const Rect& r, int top) { return {r.left, r.top + top, r.right, r.bottom + top}; }
Point centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
Rect sized(Point origin, int width, int height) { return {origin.x, origin.y, origin.x + width, origin.y + height}; }

// Handle centres from the sliders' geometry: the trim's maximum is at the top.
constexpr int kTrimHandleHeight = 19;
constexpr int kFrequencyHandleWidth = 19;
Point trimHandle(float value)
{
    const Rect& r = editor::front::kTrimSlider;
    const float travel = static_cast<float>(r.height() - kTrimHandleHeight);
    return {(r.left + r.right) / 2, r.top + static_cast<int>((1.0F - value) * travel) + kTrimHandleHeight / 2};
}
Point frequencyHandle(const Rect& slider, float value)
{
    const float travel = static_cast<float>(editor::strip::kFrequencyHandleRange - kFrequencyHandleWidth);
    return {slider.left + static_cast<int>(value * travel) + kFrequencyHandleWidth / 2, kStripTop + slider.top + 16};
}

std::vector<ControlCase> frontCases()
{
    constexpr std::array<int, 3> kReferenceTags{83, 72, 93};
    std::vector<ControlCase> cases;
    for (int meter = 0; meter < editor::kMeterCount; ++meter) {
        const View v{meter, false, false, false};
        const std::string m = "meter " + std::to_string(meter) + " ";
        const Rect trimFace = editor::front::kTrimSlider;
        cases.push_back({m + "calibration", v, param::kSettingsSource, sized({0, 1}, 86, 11), {20, 6},
                         Gesture::click, 0.0F, true, true});
        // Its face shows the hovered arrow, not the value; at PPM the wheel has no higher meter.
        cases.push_back({m + "meter selector", v, param::kMeter, sized({195, 144}, 149, 23), {334, 155},
                         Gesture::click, static_cast<float>(meter) * 0.5F, meter < 2, false});
        cases.push_back({m + "trim", v, param::kTrim, trimFace, trimHandle(0.5F), Gesture::dragUp, 0.5F, true, true});
        cases.push_back({m + "PROCESS", v, param::kProcess, sized({531, 1}, 43, 14), {552, 8}, Gesture::click, 1.0F,
                         false, true});
        cases.push_back({m + "Strips", v, param::kShowStrips, sized({574, 1}, 11, 11), {579, 6}, Gesture::click, 1.0F,
                         false, true});
        cases.push_back({m + "LR/MS", v, param::kMidSide, sized({8, 144}, 87, 24), {51, 156}, Gesture::click, 0.0F,
                         true, true});
        cases.push_back({m + "hold", v, param::kHold, sized({442, 144}, 86, 24), {485, 156}, Gesture::click, 0.0F,
                         true, true});
        cases.push_back({m + "reference", v, kReferenceTags[static_cast<std::size_t>(meter)], sized({96, 1}, 133, 11),
                         {180, 6}, Gesture::dragUp, 0.0F, true, true});
    }
    return cases;
}

// Each meter has bars of its own, in its own colours.
std::vector<ControlCase> stripCases(int meter)
{
    using namespace editor::strip;
    const View compact{meter, false, false, false};
    const View filters{meter, false, true, false};
    const View label{meter, false, false, true};
    const auto at = [](Point p, int top) { return Point{p.x, p.y + top}; };
    const Rect openClose = inWindow(sized(kOpenCloseButton, 11, 11), kStripTop);
    const Rect labelOpenClose = inWindow(sized(kOpenCloseButton, 11, 11), kCompactLabelTop);
    std::vector<ControlCase> cases{
        {"compact FILTERS open", compact, param::kShowFilters, openClose, centre(openClose), Gesture::click, 0.0F,
         false, true},
        {"compact filter lamp", compact, param::kProcessFilters, sized(at(kFilterLamp, kStripTop), 12, 12),
         at({553, 7}, kStripTop), Gesture::click, 0.0F, true, true},
        {"compact LABEL open", compact, param::kShowLabel, labelOpenClose, centre(labelOpenClose), Gesture::click,
         0.0F, false, true},
        {"FILTERS close", filters, param::kShowFilters, openClose, centre(openClose), Gesture::click, 1.0F, false,
         true},
        {"filter in/out", filters, param::kProcessFilters, sized(at(kFilterInOutButton, kStripTop), 31, 30),
         at({556, 19}, kStripTop), Gesture::click, 0.0F, true, true},
        {"high-pass on", filters, param::kHighPassStatus, sized(at(kHighPassOnButton, kStripTop), 36, 12),
         at({34, 26}, kStripTop), Gesture::click, 0.0F, true, true},
        {"low-pass on", filters, param::kLowPassStatus, sized(at(kLowPassOnButton, kStripTop), 36, 12),
         at({299, 26}, kStripTop), Gesture::click, 0.0F, true, true},
        {"high-pass frequency", filters, param::kHighPassFrequency, inWindow(kHighPassSlider, kStripTop),
         frequencyHandle(kHighPassSlider, 0.5F), Gesture::dragRight, 0.5F, true, true},
        {"low-pass frequency", filters, param::kLowPassFrequency, inWindow(kLowPassSlider, kStripTop),
         frequencyHandle(kLowPassSlider, 0.5F), Gesture::dragRight, 0.5F, true, true},
        {"high-pass slope", filters, param::kHighPassSlope, sized(at(kHighPassSlope, kStripTop), 29, 24),
         at({245, 20}, kStripTop), Gesture::click, 0.0F, true, true},
        {"low-pass slope", filters, param::kLowPassSlope, sized(at(kLowPassSlope, kStripTop), 29, 24),
         at({511, 20}, kStripTop), Gesture::click, 0.0F, true, true},
        {"LABEL close", label, param::kShowLabel, labelOpenClose, centre(labelOpenClose), Gesture::click, 1.0F, false,
         true},
        // Its 40-pixel image overhangs the 39-pixel bar by a pixel at the window's edge.
        {"lag time", label, param::kLagTime, sized(at(kLagTime, kCompactLabelTop), 26, 38),
         at({554, 7}, kCompactLabelTop), Gesture::click, 0.5F, true, true},
    };
    for (ControlCase& c : cases)
        c.name = "meter " + std::to_string(meter) + " " + c.name;
    return cases;
}

template <std::size_t K, std::size_t S>
void addBackPanel(std::vector<ControlCase>& cases, int meter, const std::array<editor::back::Knob, K>& knobs,
                  const std::array<editor::back::Switch, S>& switches)
{
    using namespace editor::back;
    const View v{meter, true, false, false};
    const std::string m = "back panel " + std::to_string(meter) + " ";
    cases.push_back({m + "calibration", v, param::kSettingsSource, sized(kCalibration, kCalibrationNarrowWidth, 11),
                     {20, 6}, Gesture::click, 0.0F, true, true});
    for (const Knob& k : knobs) {
        const Rect face = sized(k.origin, kKnobWidth, kKnobHeight);
        cases.push_back({m + "knob " + std::to_string(k.tag), v, k.tag, face, centre(face), Gesture::dragUp, 0.0F,
                         true, true});
    }
    for (const Switch& s : switches)
        cases.push_back({m + "switch " + std::to_string(s.tag), v, s.tag, s.rect, centre(s.rect), Gesture::click,
                         0.0F, true, true});
}

std::vector<ControlCase> allCases()
{
    std::vector<ControlCase> cases = frontCases();
    for (int meter = 0; meter < editor::kMeterCount; ++meter) {
        const std::vector<ControlCase> strips = stripCases(meter);
        cases.insert(cases.end(), strips.begin(), strips.end());
    }
    addBackPanel(cases, 0, editor::back::kVuKnobs, editor::back::kVuSwitches);
    addBackPanel(cases, 1, editor::back::kRmsKnobs, editor::back::kRmsSwitches);
    addBackPanel(cases, 2, editor::back::kPpmKnobs, editor::back::kPpmSwitches);
    return cases;
}

class EditorControls : public EditorWindow {
protected:
    void show(const View& view)
    {
        plugin->dispatch(effEditClose);
        plugin->setParameter(param::kProcess, 1.0F);
        plugin->setParameter(param::kMeter, static_cast<float>(view.meter) * 0.5F);
        plugin->setParameter(param::kShowStrips, 1.0F);
        plugin->setParameter(param::kShowFilters, view.filtersExpanded ? 1.0F : 0.0F);
        plugin->setParameter(param::kShowLabel, view.labelExpanded ? 1.0F : 0.0F);
        ASSERT_TRUE(openEditor(*plugin));
        if (view.backPanel)
            click(195 + 149 / 2, 155);  // the selector's middle opens the back panel
    }
    void setParameter(int index, float value)
    {
        plugin->setParameter(index, value);
        idle();
    }
    std::vector<unsigned long> face(const Rect& r) { return pixels(r.left, r.top, r.width(), r.height()); }

    void perform(const ControlCase& c)
    {
        constexpr int kDragPx = 20;
        switch (c.gesture) {
        case Gesture::click:
            click(c.press.x, c.press.y);
            break;
        case Gesture::dragUp:
            drag(c.press.x, c.press.y, 0, -kDragPx);
            break;
        case Gesture::dragRight:
            drag(c.press.x, c.press.y, kDragPx, 0);
            break;
        }
    }

    // Empty when every automation of a host parameter came between that
    // parameter's beginEdit and endEdit and every edit was closed.
    static std::string editOrderFault()
    {
        std::multiset<VstInt32> open;
        for (const auto& call : host::hostState().calls) {
            const std::string index = std::to_string(call.index);
            if (call.opcode == audioMasterBeginEdit) {
                open.insert(call.index);
            } else if (call.opcode == audioMasterEndEdit) {
                const auto found = open.find(call.index);
                if (found == open.end())
                    return "endEdit(" + index + ") without its beginEdit";
                open.erase(found);
            } else if (call.opcode == audioMasterAutomate && call.index < param::kNumHostParams &&
                       open.count(call.index) == 0) {
                return "automate(" + index + ") outside its edit";
            }
        }
        return open.empty() ? "" : "beginEdit(" + std::to_string(*open.begin()) + ") never ended";
    }
};

TEST_F(EditorControls, EveryControlIsDrawnInItsPlaceAndFollowsItsValue)
{
    for (const ControlCase& c : allCases()) {
        if (!c.faceShowsValue)
            continue;
        show(c.view);
        setParameter(c.param, 0.0F);
        const std::vector<unsigned long> low = face(c.face);
        setParameter(c.param, kFullRange);
        EXPECT_NE(face(c.face), low) << c.name << ": the same pixels at its minimum and maximum";
    }
    plugin->dispatch(effEditClose);
}

TEST_F(EditorControls, EveryControlIsGrabbedWhereItIsDrawnAndEditsInsideItsEdit)
{
    for (const ControlCase& c : allCases()) {
        show(c.view);
        setParameter(c.param, c.start);
        host::hostState().calls.clear();
        perform(c);
        EXPECT_NE(plugin->getParameter(c.param), c.start) << c.name << ": a press on it changed nothing";
        EXPECT_EQ(editOrderFault(), "") << c.name;
    }
    plugin->dispatch(effEditClose);
}

TEST_F(EditorControls, WheelUpRaisesAndWheelDownLowers)
{
    for (const ControlCase& c : allCases()) {
        if (!c.wheel)
            continue;
        show(c.view);
        setParameter(c.param, c.start);
        host::hostState().calls.clear();
        // Up raises; up again never lowers (a switch that is on stays on);
        // down lowers; down again never raises.
        wheel(c.press.x, c.press.y, true);
        const float raised = plugin->getParameter(c.param);
        EXPECT_GT(raised, c.start) << c.name << ": wheel up did not raise it";
        wheel(c.press.x, c.press.y, true);
        const float top = plugin->getParameter(c.param);
        EXPECT_GE(top, raised) << c.name << ": a second notch up lowered it";
        wheel(c.press.x, c.press.y, false);
        const float lowered = plugin->getParameter(c.param);
        EXPECT_LT(lowered, top) << c.name << ": wheel down did not lower it";
        wheel(c.press.x, c.press.y, false);
        EXPECT_LE(plugin->getParameter(c.param), lowered) << c.name << ": a second notch down raised it";
        EXPECT_EQ(editOrderFault(), "") << c.name;
    }
    plugin->dispatch(effEditClose);
}

TEST_F(EditorControls, ShiftDragsTenTimesFiner)
{
    struct Fine {
        const char* name;
        View view;
        int param;
        Point press;
        Gesture gesture;
    };
    const Fine cases[] = {
        {"trim", {}, param::kTrim, trimHandle(0.5F), Gesture::dragUp},
        {"high-pass", {0, false, true, false}, param::kHighPassFrequency,
         frequencyHandle(editor::strip::kHighPassSlider, 0.5F), Gesture::dragRight},
        {"low-pass", {0, false, true, false}, param::kLowPassFrequency,
         frequencyHandle(editor::strip::kLowPassSlider, 0.5F), Gesture::dragRight},
        {"reference", {}, 83, {180, 6}, Gesture::dragUp},
    };
    constexpr int kDragPx = 20;
    for (const Fine& c : cases) {
        show(c.view);
        float change[2] = {};
        for (const unsigned int modifiers : {0U, static_cast<unsigned int>(ShiftMask)}) {
            setParameter(c.param, 0.5F);
            const int dx = c.gesture == Gesture::dragRight ? kDragPx : 0;
            const int dy = c.gesture == Gesture::dragUp ? -kDragPx : 0;
            drag(c.press.x, c.press.y, dx, dy, modifiers);
            change[modifiers ? 1 : 0] = plugin->getParameter(c.param) - 0.5F;
        }
        EXPECT_GT(change[0], 0.0F) << c.name;
        // Pixel rounding of the handle position allows a few per cent.
        EXPECT_NEAR(change[1], change[0] * 0.1F, change[0] * 0.03F) << c.name;
    }
    plugin->dispatch(effEditClose);
}

// Luminance on the 0..255 scale.
double luminance(unsigned long rgb)
{
    return 0.2126 * static_cast<double>((rgb >> 16) & 0xff) + 0.7152 * static_cast<double>((rgb >> 8) & 0xff) +
           0.0722 * static_cast<double>(rgb & 0xff);
}

TEST_F(EditorControls, TypedTextStandsOutFromItsField)
{
    struct Field {
        const char* name;
        View view;
        Rect rect;  // where the typed text shows
    };
    const int highPassLeft = editor::strip::kFrequencyTextTravel / 2 + editor::strip::kHighPassTextOffset;
    const int lowPassLeft = editor::strip::kFrequencyTextTravel / 2 + editor::strip::kLowPassTextOffset;
    const Rect tape = inWindow(editor::strip::kTapeLabel, kCompactLabelTop);
    const Field fields[] = {
        {"trim", {}, editor::front::kTrimText},
        {"high-pass", {0, false, true, false},
         sized({highPassLeft, kStripTop}, editor::strip::kFrequencyTextWidth, editor::strip::kFrequencyTextHeight)},
        {"low-pass", {0, false, true, false},
         sized({lowPassLeft, kStripTop}, editor::strip::kFrequencyTextWidth, editor::strip::kFrequencyTextHeight)},
        {"tape label", {0, false, false, true}, {tape.left, tape.top, 400, tape.bottom}},  // left of the pen
    };
    // A clear step: well above antialiasing shades, far below white on black.
    constexpr double kMinimumStep = 80.0;
    for (const Field& f : fields) {
        show(f.view);
        setParameter(param::kHighPassFrequency, 0.5F);
        setParameter(param::kLowPassFrequency, 0.5F);
        const Point middle = centre(f.rect);
        click(middle.x, middle.y);
        type({XK_BackSpace});
        const std::vector<unsigned long> empty = face(f.rect);
        type({XK_8, XK_8});
        const std::vector<unsigned long> typed = face(f.rect);
        type({XK_Escape});
        ASSERT_EQ(typed.size(), empty.size());
        double step = 0.0;
        for (std::size_t i = 0; i < typed.size(); ++i)
            step = std::max(step, std::fabs(luminance(typed[i]) - luminance(empty[i])));
        EXPECT_GE(step, kMinimumStep) << f.name << ": typed text hardly differs from its field";
    }
    plugin->dispatch(effEditClose);
}

TEST_F(EditorControls, NothingIsDrawnOverWhatIsOpen)
{
    // A back panel stays whole while the strips below it change.
    show({0, true, true, false});
    const Rect panel{0, 0, kWidth, editor::kFrontPanelHeight + editor::kFilterStripHeight};
    const std::vector<unsigned long> open = face(panel);
    for (const float label : {1.0F, 0.0F}) {
        setParameter(param::kShowLabel, label);
        EXPECT_EQ(face(panel), open) << "strips drawn over the open back panel (LABEL " << label << ")";
    }

    // The pen shows over the tape while its text is typed.
    show({0, false, false, true});
    const Rect tape = inWindow(editor::strip::kTapeLabel, kCompactLabelTop);
    const Rect penRest{tape.right - 67, tape.top, tape.right - 20, tape.top + 33};
    const std::vector<unsigned long> resting = face(penRest);
    click(200, centre(tape).y);
    EXPECT_NE(face(penRest), resting) << "the edit field covers the pen";
    type({XK_Escape});
    plugin->dispatch(effEditClose);
}

}  // namespace
