// CPresetSystemEditor: the manual command with the shell and message box
// replaced by recorders, and the remembered paths in a private store.

#include "platform/DocumentShell.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "editor/CPresetSystemEditor.h"
#include "presets/CPresetSystemEffect.h"
#include "tests/support/TempDir.h"
#include "toolkit/CKickButton.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <optional>
#include <unistd.h>
#include <vector>

namespace {

class QuietEffect : public CPresetSystemEffect {
public:
    QuietEffect() : CPresetSystemEffect(nullptr, 1) {}
    void processReplacing(float**, float**, VstInt32) override {}
};

struct RecordingShell : platform::DocumentShell {
    platform::OpenDocumentResult answer = platform::OpenDocumentResult::Opened;
    std::vector<std::string> paths;
    platform::OpenDocumentResult openDocument(void*, const std::string& path) override
    {
        paths.push_back(path);
        return answer;
    }
};

struct RecordingMessageBox : platform::MessageBox {
    std::vector<std::pair<std::string, std::string>> shown;  // text, caption
    void show(void*, const std::string& text, const std::string& caption) override
    {
        shown.emplace_back(text, caption);
    }
};

// Every test gets a settings store of its own.
class PresetEditorBench : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        oldConfig = old ? old : "";
        setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    }
    void TearDown() override { setenv("XDG_CONFIG_HOME", oldConfig.c_str(), 1); }

    static void storeManualPath(const std::string& path)
    {
        auto key = platform::SettingsKey::create(platform::kSettingsKeyPath);
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->setString("ManualPath", path));
    }
    static std::optional<std::string> stored(const char* name)
    {
        auto key = platform::SettingsKey::open(platform::kSettingsKeyPath);
        std::array<char, 1024> text{};
        if (!key || !key->queryString(name, text.data(), text.size()))
            return std::nullopt;
        return std::string(text.data());
    }
    std::unique_ptr<CPresetSystemEditor> makeEditor()
    {
        auto editor = std::make_unique<CPresetSystemEditor>(&effect);
        editor->setDocumentShell(&shell);
        editor->setMessageBox(&box);
        return editor;
    }
    void pressManualButton(CPresetSystemEditor& editor, int32_t tag = CPresetSystemEditor::kTagManual)
    {
        VSTGUI::CKickButton button(VSTGUI::CRect(0, 0, 10, 14), &editor, tag, nullptr);
        editor.valueChanged(&button);
    }

    testing_support::TempDir config;
    std::string oldConfig;
    QuietEffect effect;
    RecordingShell shell;
    RecordingMessageBox box;
};

TEST_F(PresetEditorBench, ManualButtonOpensThePathStoredInManualPath)
{
    storeManualPath("/opt/qor/docs/manual.pdf");
    auto editor = makeEditor();
    pressManualButton(*editor);
    ASSERT_EQ(shell.paths.size(), 1u);
    EXPECT_EQ(shell.paths[0], "/opt/qor/docs/manual.pdf");
    EXPECT_TRUE(box.shown.empty());
}

TEST_F(PresetEditorBench, NoApplicationShowsTheReaderMessageUnderItsCaption)
{
    storeManualPath("/opt/qor/docs/manual.xyz");
    shell.answer = platform::OpenDocumentResult::NoApplication;
    auto editor = makeEditor();
    pressManualButton(*editor);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].first, "Make sure Acrobat Reader is installed");
    EXPECT_EQ(box.shown[0].second, "Could not open manual file");
}

TEST_F(PresetEditorBench, MissingManualPathOpensAnEmptyPathAndReportsTheFailure)
{
    shell.answer = platform::OpenDocumentResult::Failed;
    auto editor = makeEditor();
    pressManualButton(*editor);
    ASSERT_EQ(shell.paths.size(), 1u);
    EXPECT_EQ(shell.paths[0], "");
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].first, "Could not open user manual");
    EXPECT_EQ(box.shown[0].second, "");
}

TEST_F(PresetEditorBench, TheRealShellReportsAMissingManualWithoutStartingAnything)
{
    storeManualPath(config.path() + "/no-such-manual.pdf");
    auto editor = makeEditor();
    editor->setDocumentShell(nullptr);
    pressManualButton(*editor);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].first, "Could not open user manual");
}

TEST_F(PresetEditorBench, OtherTagsAndAnEditorWithoutEffectDoNothing)
{
    auto editor = makeEditor();
    pressManualButton(*editor, 120);
    EXPECT_TRUE(shell.paths.empty());
    editor->valueChanged(nullptr);

    CPresetSystemEditor orphan(nullptr);
    orphan.setDocumentShell(&shell);
    pressManualButton(orphan);
    EXPECT_TRUE(shell.paths.empty());
}

TEST_F(PresetEditorBench, DestructionWritesTheDirectoryOfConstructionAndEmptyFileNames)
{
    std::array<char, 4096> cwd{};
    ASSERT_TRUE(getcwd(cwd.data(), cwd.size()));
    auto editor = makeEditor();
    EXPECT_FALSE(stored("CurrDir")) << "nothing is written before destruction";
    testing_support::TempDir elsewhere;
    ASSERT_EQ(chdir(elsewhere.path().c_str()), 0);
    editor.reset();
    ASSERT_EQ(chdir(cwd.data()), 0);

    EXPECT_EQ(stored("CurrDir"), std::string(cwd.data()));
    EXPECT_EQ(stored("CurrBank"), std::string());
    EXPECT_EQ(stored("CurrPreset"), std::string());
}

}  // namespace
