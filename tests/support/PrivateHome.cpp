// Every test and benchmark binary, run by ctest or by hand, works in a fresh
// private home and never touches the real user's files.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Plain storage: a std::string here could be constructed after the code below has run.
char privateHome[4096];

void removePrivateHome()
{
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(privateHome), ignored);
}

// Runs before every static initialiser of the default priority, so the
// settings the library reads at load already come from the private home.
__attribute__((constructor(101))) void usePrivateHome()
{
    std::string templ = (std::filesystem::temp_directory_path() / "valdora-test.XXXXXX").string();
    if (!mkdtemp(templ.data())) {
        std::fprintf(stderr, "cannot create a private test home\n");
        std::_Exit(2);
    }
    std::snprintf(privateHome, sizeof privateHome, "%s", templ.c_str());
    setenv("HOME", templ.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (templ + "/.config").c_str(), 1);
    setenv("VALDORA_TEST_HOME", templ.c_str(), 1);
    std::atexit(removePrivateHome);
}

}  // namespace
