// Shared test entry: refuses to run against the real user's files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Run by hand (outside ctest), a test binary still gets a private home.
void ensurePrivateHome()
{
    if (std::getenv("VALDORA_TEST_HOME"))
        return;
    std::string templ = (std::filesystem::temp_directory_path() / "valdora-test.XXXXXX").string();
    if (!mkdtemp(templ.data())) {
        std::fprintf(stderr, "cannot create a private test home\n");
        std::exit(2);
    }
    setenv("HOME", templ.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (templ + "/.config").c_str(), 1);
    setenv("VALDORA_TEST_HOME", templ.c_str(), 1);
    std::fprintf(stderr,
                 "note: VALDORA_TEST_HOME was not set; using %s (values read at library load came from the real home)\n",
                 templ.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    ensurePrivateHome();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
